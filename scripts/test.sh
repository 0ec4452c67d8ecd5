#!/usr/bin/env bash
# The one test command: installs what is missing, builds the native and the Windows
# configurations and runs every test, the Windows ones under Wine on a private Xvfb.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

scripts/install-deps.sh
scripts/format-check.sh

cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset windows >/dev/null
cmake --build --preset windows

# The Wine tests run one at a time (they share the clipboard and the display) and mostly
# wait, so the native tests and the packages' test run beside them, each with its own log,
# shown when it ends.
logs=$(mktemp -d)
ctest --preset native >"$logs/native.log" 2>&1 &
native_pid=$!
# The packages of dist/ (made first, as they reconfigure the Windows build), then the
# installer in a fresh Wine prefix and display of its own.
scripts/package.sh
QUILLERY_PACKAGES_MADE=1 scripts/package-test.sh >"$logs/package.log" 2>&1 &
package_pid=$!

export QUILLERY_BUILD_DIR="$root/build/windows"
source scripts/wine-env.sh
source scripts/virtual-display.sh
quillery_find_wine
quillery_start_virtual_display
quillery_start_wine_session  # stopped when this script exits
wine_status=0
ctest --preset windows || wine_status=$?

native_status=0
wait "$native_pid" || native_status=$?
echo "== native tests"
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
