#!/usr/bin/env bash
# The one test command: installs what is missing, builds the native and the Windows
# configurations and runs every test, the Windows ones under Wine on a private Xvfb.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

scripts/install-deps.sh
scripts/format-check.sh

cmake --preset windows >/dev/null
cmake --build --preset windows
# The packages of dist/ are made before the Wine tests start, as making them reconfigures
# the Windows build; the installer is then tested in a fresh Wine prefix and display of its
# own.
scripts/package.sh

# The Wine tests run one at a time (they share the clipboard and the display) and mostly
# wait, so the native build and tests and the packages' test run beside them, each with
# its own log, shown when it ends. The native work runs at a lower priority, so that the
# Windows programs under test keep the processor when they want it.
logs=$(mktemp -d)
QUILLERY_PACKAGES_MADE=1 scripts/package-test.sh >"$logs/package.log" 2>&1 &
package_pid=$!
(
  cmake --preset native >/dev/null
  nice -n 10 cmake --build --preset native
  nice -n 10 ctest --preset native
) >"$logs/native.log" 2>&1 &
native_pid=$!

export QUILLERY_BUILD_DIR="$root/build/windows"
source scripts/wine-env.sh
source scripts/virtual-display.sh
quillery_find_wine
quillery_start_virtual_display
quillery_prepare_wine_prefix
# Half of the end-to-end program's shards run beside the other Wine tests, in a copy of the
# prefix and on a display of their own: each lane has its own clipboard and desktop, and
# the programs under test mostly wait.
second_lane='quillery_e2e_tests_[13]$'
QUILLERY_WINEPREFIX="$QUILLERY_BUILD_DIR/wineprefix-second-lane"
rm -rf "$QUILLERY_WINEPREFIX"
cp -a "$WINEPREFIX" "$QUILLERY_WINEPREFIX"
(
  export QUILLERY_WINEPREFIX
  quillery_find_wine
  quillery_start_virtual_display
  quillery_start_wine_session
  ctest --preset windows -R "$second_lane"
) >"$logs/second-lane.log" 2>&1 &
second_lane_pid=$!
quillery_start_wine_session  # stopped when this script exits
wine_status=0
ctest --preset windows -E "$second_lane" || wine_status=$?
wait "$second_lane_pid" || wine_status=1
echo "== Wine tests beside these (in a prefix of their own)"
cat "$logs/second-lane.log"

native_status=0
wait "$native_pid" || native_status=$?
echo "== native build and tests"
cat "$logs/native.log"
package_status=0
wait "$package_pid" || package_status=$?
echo "== package test"
cat "$logs/package.log"
rm -rf "$logs"

if ((native_status != 0 || wine_status != 0 || package_status != 0)); then
  echo "failed: native tests $native_status, Wine tests $wine_status, package test $package_status" >&2
  exit 1
fi
