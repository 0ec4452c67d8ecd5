#!/usr/bin/env bash
# Builds Quillery and starts it under Wine. The program's main window is not built yet:
# today this only builds the libraries and says so.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
echo "Quillery's main window is not built yet, so there is nothing to start."
echo "The core libraries and their tests are built; run scripts/test.sh to test them."
