#!/usr/bin/env bash
# Builds the benchmarks optimised and without sanitizers, then runs them.
# Extra arguments go to every benchmark program (e.g. --benchmark_filter=Capture).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
for program in build/bench/bench/*_bench; do
  "$program" "$@"
done
