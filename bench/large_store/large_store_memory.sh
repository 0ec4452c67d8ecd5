#!/usr/bin/env bash
# Saves and loads a store of about 2.4 GB of pictures with the benchmark build and prints
# the peak resident size of each beside the file's size (also as /usr/bin/time sees it).
#   bench/large_store/large_store_memory.sh [BUILD_DIR]   (default build/bench)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build/bench}
program=$build/bench/large_store/large_store_memory
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
for mode in save load; do
  /usr/bin/time -f "$mode: maximum resident size %M KiB, %e s" "$program" "$mode" "$folder/data.dat"
done
