#!/usr/bin/env bash
# The idle cost of the 10 ms key polling under Wine: runs key_poll_bench's timer with
# nothing (bare), the full scan (scan) and the poller (poll), and prints each one's share of
# a core in the program and in wineserver (which answers the key state queries).
#   bench/idle/wine_idle_cost.sh [BUILD_DIR] [SECONDS]     (BUILD_DIR: build/windows)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export QUILLERY_BUILD_DIR=$(realpath "${1:-$root/build/windows}")
seconds=${2:-5}
source "$root/scripts/wine-env.sh"
source "$root/scripts/virtual-display.sh"
quillery_find_wine
quillery_start_virtual_display
quillery_start_wine_session

server=
for pid in $(pgrep wineserver); do
  if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
    server=$pid
  fi
done
ticks() { if [[ -n "$server" ]]; then awk '{print $14 + $15}' "/proc/$server/stat"; else echo 0; fi; }
hz=$(getconf CLK_TCK)

for mode in bare scan poll; do
  before=$(ticks)
  start=$(date +%s.%N)
  "$QUILLERY_WINE" "$QUILLERY_BUILD_DIR/bench/idle/key_poll_bench.exe" timer "$mode" "$seconds"
  end=$(date +%s.%N)
  after=$(ticks)
  awk -v t=$((after - before)) -v hz="$hz" -v s="$start" -v e="$end" \
    'BEGIN { printf "  wineserver: %.2f%% of a core (including the program'"'"'s start)\n", t * 100 / hz / (e - s) }'
done
