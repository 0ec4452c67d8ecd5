#!/usr/bin/env bash
# CTest's emulator for the Windows build: runs one program under Wine in the prefix of the
# build tree. scripts/test.sh provides the display and the prepared prefix.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [[ -z "${QUILLERY_BUILD_DIR:-}" ]]; then
  QUILLERY_BUILD_DIR=$(cd "$here/../build/windows" && pwd)
fi
source "$here/wine-env.sh"
quillery_find_wine
exec "$QUILLERY_WINE" "$@"
