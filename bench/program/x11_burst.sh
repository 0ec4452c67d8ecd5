#!/usr/bin/env bash
# Copies from X11, the way Quillery's Linux use meets them: COUNT texts put on the X11
# clipboard with xclip INTERVAL_MS apart while quillery.exe runs under Wine with room for
# all of them, then closes it (WM_CLOSE, as taskkill sends it) and counts, in the data file,
# the texts captured, those stored more than once and whether they are in copy order.
#   bench/program/x11_burst.sh [BUILD_DIR] [COUNT] [INTERVAL_MS]     (build/windows, 200, 5)
# Target: at least 190 of 200 kept at 5 ms, none twice, in order.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export QUILLERY_BUILD_DIR=$(realpath "${1:-$root/build/windows}")
count=${2:-200}
interval=${3:-5}
command -v xclip >/dev/null || { echo "x11_burst.sh needs xclip (apt-get install xclip)" >&2; exit 2; }

cmake --build "$QUILLERY_BUILD_DIR" --target quillery quillery-data >/dev/null
source "$root/scripts/wine-env.sh"
source "$root/scripts/virtual-display.sh"
quillery_find_wine
quillery_start_virtual_display
quillery_start_wine_session

install=$(mktemp -d "$QUILLERY_BUILD_DIR/x11-burst.XXXXXX")
trap 'quillery_stop_virtual_display; rm -rf "$install"' EXIT
mkdir "$install/Data"
cp "$QUILLERY_BUILD_DIR/app/quillery.exe" "$install/"
today=$(($(date -u -d "$(date +%F)" +%s) / 86400 + 25569))  # days since 30 December 1899
printf '[Main]\r\nFirstLaunch=0\r\nLastUpdatesCheck=%d\r\nClipboardCapacity=%d\r\n' "$today" \
  $((count + 12)) >"$install/quillery.ini"

(cd "$install" && exec "$QUILLERY_WINE" quillery.exe) &
program=$!
sleep 8  # started, data loaded, in the viewer chain

start=$(date +%s%N)
for i in $(seq 1 "$count"); do
  due=$((start + (i - 1) * interval * 1000000))
  now=$(date +%s%N)
  if ((due > now)); then sleep "$(awk -v n=$((due - now)) 'BEGIN { printf "%.6f", n / 1e9 }')"; fi
  printf 'x11 text %d' "$i" | xclip -selection clipboard
done
took=$((($(date +%s%N) - start) / 1000000))
sleep 2  # the last copies on their way
(cd "$install" && "$QUILLERY_WINE" taskkill /im quillery.exe >/dev/null 2>&1) || true
for _ in $(seq 1 150); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && { echo "quillery.exe did not close" >&2; exit 1; }

(cd "$install" && "$QUILLERY_WINE" "$QUILLERY_BUILD_DIR/tools/quillery-data.exe" dump Data/data.dat) \
  >"$install/dump.json"
python3 - "$install/dump.json" "$count" "$interval" "$took" <<'PY'
import json, sys
dump = json.load(open(sys.argv[1]))
count, interval, took = int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
texts = [i.get("text", "") for i in dump["items"] if i.get("categoryId") == 10]
copied = [t for t in reversed(texts) if t.startswith("x11 text ")]  # copy order
numbers = [int(t.split()[-1]) for t in copied]
kept = len(set(numbers))
twice = len(numbers) - kept
in_order = all(a < b for a, b in zip(numbers, numbers[1:]))
print(f"{interval} ms apart ({took} ms for {count} copies): {kept} of {count} kept, "
      f"{twice} stored twice, {'in order' if in_order else 'OUT OF ORDER'}")
PY
