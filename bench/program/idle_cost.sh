#!/usr/bin/env bash
# The idle cost of the whole program under Wine: quillery.exe with CLIPS clips (two 640 x 480
# pictures and texts: short ones for the default 12, of 1 KB for more) sits idle for
# SECONDS, side by side with bench/idle's program that does nothing but run a 10 ms timer.
# Prints each one's share of a core, in the program and in wineserver (which answers its
# key-state and window queries), and the program's resident size at the end.
#   bench/program/idle_cost.sh [BUILD_DIR] [SECONDS] [CLIPS]     (build/windows, 60, 12)
# Targets: quillery.exe at most 1.5 times the timer's CPU time; resident under 25 MiB.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export QUILLERY_BUILD_DIR=$(realpath "${1:-$root/build/windows}")
seconds=${2:-60}
clips=${3:-12}
settle=8  # seconds for a program to start and load before the measurement begins

cmake --build "$QUILLERY_BUILD_DIR" --target quillery quillery-data key_poll_bench >/dev/null
source "$root/scripts/wine-env.sh"
source "$root/scripts/virtual-display.sh"
quillery_find_wine
quillery_start_virtual_display
quillery_start_wine_session

in_our_prefix() {
  tr '\0' '\n' <"/proc/$1/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"
}
# The Linux process of the Windows program whose command line matches, in our prefix.
find_process() {
  local pid
  for pid in $(pgrep -f "$1"); do
    if in_our_prefix "$pid"; then echo "$pid"; return 0; fi
  done
  return 1
}
server=$(find_process wineserver)
hz=$(getconf CLK_TCK)
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
resident_mib() { awk '/^VmRSS:/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }

# measure NAME PID: CPU shares over $seconds; sets last_total (program + server, % of a core).
measure() {
  local name=$1 pid=$2
  local p0 s0 p1 s1 rss
  p0=$(ticks "$pid") s0=$(ticks "$server")
  sleep "$seconds"
  p1=$(ticks "$pid") s1=$(ticks "$server")
  rss=$(resident_mib "$pid")
  read -r last_program last_server last_total < <(awk -v p=$((p1 - p0)) -v s=$((s1 - s0)) \
    -v hz="$hz" -v t="$seconds" \
    'BEGIN { printf "%.2f %.2f %.2f\n", p * 100 / hz / t, s * 100 / hz / t, (p + s) * 100 / hz / t }')
  last_rss=$rss
  printf '%-26s %8s%% %11s%% %8s%% %9s MiB\n' "$name" "$last_program" "$last_server" \
    "$last_total" "$rss"
}

wait_for_process() {
  local pid tries
  for tries in $(seq 1 200); do
    if pid=$(find_process "$1"); then echo "$pid"; return 0; fi
    sleep 0.1
  done
  echo "$1 did not start" >&2
  return 1
}

# A 24-bit BMP file of that size, all black: the pictures' memory is what matters here.
write_bmp() {
  local file=$1 width=$2 height=$3
  local stride=$(((width * 3 + 3) / 4 * 4))
  local size=$((stride * height))
  le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) \
    $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
  {
    printf "BM$(le32 $((54 + size)))$(le32 0)$(le32 54)"
    printf "$(le32 40)$(le32 "$width")$(le32 "$height")\\x01\\x00\\x18\\x00$(le32 0)"
    printf "$(le32 "$size")$(le32 2835)$(le32 2835)$(le32 0)$(le32 0)"
    head -c "$size" /dev/zero
  } >"$file"
}

# A portable installation with $clips clips and without the first-run and update questions.
install=$(mktemp -d "$QUILLERY_BUILD_DIR/idle-cost.XXXXXX")
trap 'quillery_stop_virtual_display; rm -rf "$install"' EXIT
mkdir "$install/Data"
cp "$QUILLERY_BUILD_DIR/app/quillery.exe" "$install/"
today=$(($(date -u -d "$(date +%F)" +%s) / 86400 + 25569))  # days since 30 December 1899
printf '[Main]\r\nFirstLaunch=0\r\nLastUpdatesCheck=%d\r\nClipboardCapacity=%d\r\n' "$today" \
  "$((clips > 12 ? clips : 12))" >"$install/quillery.ini"
write_bmp "$install/a.bmp" 640 480
write_bmp "$install/b.bmp" 640 480
{
  echo '{"lastCategoryId": 1000, "categories": [], "items": ['
  if ((clips <= 12)); then
    for i in $(seq 1 $((clips - 2))); do
      echo "{\"kind\": \"text\", \"categoryId\": 10, \"text\": \"idle clip $i: some text that someone copied, a line or so long\"},"
    done
  else
    kilobyte=$(printf 'x%.0s' $(seq 1 500))
    for i in $(seq 1 $((clips - 2))); do
      echo "{\"kind\": \"text\", \"categoryId\": 10, \"text\": \"idle clip $i $kilobyte\"},"
    done
  fi
  echo '{"kind": "picture", "categoryId": 10, "file": "a.bmp"},'
  echo '{"kind": "picture", "categoryId": 10, "file": "b.bmp"}]}'
} >"$install/clips.json"
(cd "$install" && "$QUILLERY_WINE" "$QUILLERY_BUILD_DIR/tools/quillery-data.exe" build clips.json Data/data.dat)

echo "idle for $seconds s, share of one core:"
printf '%-26s %9s %12s %9s %13s\n' "" program wineserver total resident
"$QUILLERY_WINE" "$QUILLERY_BUILD_DIR/bench/idle/key_poll_bench.exe" timer bare \
  $((seconds + settle + 5)) >/dev/null &
timer_job=$!
pid=$(wait_for_process 'key_poll_bench\.exe')
sleep "$settle"
measure "10 ms timer only" "$pid"
timer_total=$last_total
timer_program=$last_program
wait "$timer_job"

(cd "$install" && exec "$QUILLERY_WINE" quillery.exe) &
pid=$(wait_for_process 'quillery\.exe')
sleep "$settle"
measure "quillery.exe, $clips clips" "$pid"

awk -v q="$last_total" -v t="$timer_total" -v qp="$last_program" -v tp="$timer_program" \
  -v rss="$last_rss" 'BEGIN {
  printf "quillery.exe / timer: %.2fx with wineserver, %.2fx in the process (target at most 1.5x)\n",
         (t > 0 ? q / t : 0), (tp > 0 ? qp / tp : 0)
  printf "resident size: %s MiB (target under 25 MiB)\n", rss }'
