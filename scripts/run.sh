#!/usr/bin/env bash
# Builds Quillery and starts it under Wine on your X display: installs what is missing
# (scripts/install-deps.sh), builds quillery.exe (build/windows) and runs it in the build
# tree's own Wine prefix, never your ~/.wine. On an X11 desktop it then captures what you
# copy in any X11 program, since Wine mirrors the X11 clipboard. Quit with "Exit" in its
# tray menu (or the menu of a right click on its header).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

if [[ -z "${DISPLAY:-}" ]]; then
  cat >&2 <<'TEXT'
There is no X display (DISPLAY is not set), so Quillery has nowhere to show its window.
Run this script from a terminal of your desktop session, or over ssh with X forwarding
(ssh -X). Without a desktop, a virtual display will do, viewed through VNC for instance:
  Xvfb :5 -screen 0 1280x1024x24 &
  DISPLAY=:5 scripts/run.sh
TEXT
  exit 2
fi

scripts/install-deps.sh
# QUILLERY_BUILD_DIR chooses another build folder than build/windows.
export QUILLERY_BUILD_DIR="${QUILLERY_BUILD_DIR:-$root/build/windows}"
cmake --preset windows -B "$QUILLERY_BUILD_DIR" >/dev/null
cmake --build "$QUILLERY_BUILD_DIR" --target quillery

source "$root/scripts/wine-env.sh"
quillery_find_wine
quillery_prepare_wine_prefix
echo "Starting Quillery on display $DISPLAY (data and settings live in $WINEPREFIX)."
exec "$QUILLERY_WINE" "$QUILLERY_BUILD_DIR/app/quillery.exe"
