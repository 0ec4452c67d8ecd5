#!/usr/bin/env bash
# Takes docs/screenshot.png, the README's picture: quillery.exe with a few texts, a
# picture, notes and a user category, its list unfolded, on a private Xvfb under Wine.
#   scripts/screenshot.sh [BUILD_DIR]      (BUILD_DIR: build/windows)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export QUILLERY_BUILD_DIR=$(realpath "${1:-$root/build/windows}")
"$root/scripts/install-deps.sh"
cmake --build "$QUILLERY_BUILD_DIR" --target quillery quillery-data quillery_screenshot_stage \
  >/dev/null
source "$root/scripts/wine-env.sh"
source "$root/scripts/virtual-display.sh"
quillery_find_wine
quillery_start_virtual_display
quillery_start_wine_session

# A portable installation (a Data folder beside the exe) that starts without questions.
install=$(mktemp -d "$QUILLERY_BUILD_DIR/screenshot.XXXXXX")
trap 'quillery_stop_virtual_display; rm -rf "$install"' EXIT
mkdir "$install/Data"
cp "$QUILLERY_BUILD_DIR/app/quillery.exe" "$install/"
today=$(($(date -u -d "$(date +%F)" +%s) / 86400 + 25569))  # days since 30 December 1899
printf '[Main]\r\nFirstLaunch=0\r\nLastUpdatesCheck=%d\r\n' "$today" >"$install/quillery.ini"

pgmramp -diagonal 96 60 | pgmtoppm 'rgb:20/50/a0-rgb:f0/c0/40' | ppmtobmp -bpp 24 \
  >"$install/sunset.bmp" 2>/dev/null
cat >"$install/clips.json" <<'JSON'
{"lastCategoryId": 1002,
 "items": [
  {"kind": "picture", "categoryId": 10, "file": "sunset.bmp"},
  {"kind": "text", "categoryId": 10, "text": "https://example.org/quarterly-report.pdf"},
  {"kind": "text", "categoryId": 10, "text": "git log --oneline --graph --all"},
  {"kind": "text", "categoryId": 10, "text": "Dear Ann, thank you for the quick reply."},
  {"kind": "text", "categoryId": 11, "text": "Account: 4711-0815-42"},
  {"kind": "text", "categoryId": 11, "text": "Kind regards,\nAnn Example"},
  {"kind": "text", "categoryId": 1001, "text": "Pancakes: 2 eggs, 250 ml milk, 125 g flour"},
  {"kind": "text", "categoryId": 1002, "text": "Lemon cake: bake 50 minutes at 175 °C"}
 ],
 "categories": [
  {"id": 1001, "parentId": 0, "iconIndex": 5, "name": "Recipes"},
  {"id": 1002, "parentId": 1001, "iconIndex": 9, "name": "Cakes"}
 ]}
JSON
(cd "$install" && "$QUILLERY_WINE" "$QUILLERY_BUILD_DIR/tools/quillery-data.exe" build clips.json \
  Data/data.dat)

# The stage program starts Quillery, opens and pins the list, says where the window is
# and waits for the picture to be taken.
# The newest clip comes from the clipboard, so that the header shows its caption.
(cd "$install" && exec "$QUILLERY_WINE" "$QUILLERY_BUILD_DIR/tests/e2e/quillery_screenshot_stage.exe" \
  "Meeting moved to Thursday, 10:30 in room 4.12") &
stage=$!
for _ in $(seq 1 600); do
  [[ -s "$install/window.txt" ]] && break
  kill -0 "$stage" 2>/dev/null || break
  sleep 0.1
done
if [[ ! -s "$install/window.txt" ]]; then
  echo "the program's window never came up" >&2
  exit 1
fi
read -r left top width height < <(tr -d '\r' <"$install/window.txt")
xwd -root -silent -display "$DISPLAY" | xwdtopnm 2>/dev/null |
  pnmcut -left "$left" -top "$top" -width "$width" -height "$height" |
  pnmtopng >"$install/screenshot.png"
touch "$install/shot-taken"
mkdir -p "$root/docs"
mv "$install/screenshot.png" "$root/docs/screenshot.png"
wait "$stage" || echo "the program did not close cleanly" >&2
echo "wrote docs/screenshot.png (${width} x ${height})"
