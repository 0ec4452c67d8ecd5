#!/usr/bin/env bash
# The journal replay's peak memory at start-up, for journals of 64 MiB and 1 GiB (or the
# sizes given) of each kind of change, with the benchmark build:
#   bench/journal/journal_replay_memory.sh [BUILD_DIR] [MIB...]   (build/bench, 64 1024)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/bench}
shift || true
if (($#)); then sizes=("$@"); else sizes=(64 1024); fi
program=$build/bench/journal/journal_replay_memory
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
for size in "${sizes[@]}"; do
  for kind in churn grow hotkeys; do
    rm -rf "$folder/run"
    "$program" write "$folder/run" "$size" "$kind"
    /usr/bin/time -f "  maximum resident size %M KiB, %e s" "$program" replay "$folder/run"
  done
done
