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

ctest --preset native

export QUILLERY_BUILD_DIR="$root/build/windows"
source scripts/wine-env.sh
source scripts/virtual-display.sh
quillery_find_wine
quillery_start_virtual_display
quillery_start_wine_session  # stopped when this script exits
ctest --preset windows

# The packages of dist/, the installer in a fresh Wine prefix of its own (about a minute).
scripts/package-test.sh
