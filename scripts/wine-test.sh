#!/usr/bin/env bash
# Runs one Windows test program under Wine on a private Xvfb, for working on a single test:
#   scripts/wine-test.sh build/windows/tests/store_tests.exe --gtest_filter='Capture*'
# The Wine prefix is the one of the build folder that holds the program.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
program=$(realpath "$1")
shift
dir=$(dirname "$program")
while [[ "$dir" != / && ! -f "$dir/CMakeCache.txt" ]]; do dir=$(dirname "$dir"); done
if [[ ! -f "$dir/CMakeCache.txt" ]]; then
  echo "$program is not inside a CMake build folder" >&2
  exit 2
fi
export QUILLERY_BUILD_DIR="$dir"
source "$root/scripts/wine-env.sh"
source "$root/scripts/virtual-display.sh"
quillery_find_wine
quillery_start_virtual_display
quillery_start_wine_session
"$QUILLERY_WINE" "$program" "$@"
