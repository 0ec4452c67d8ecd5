#!/usr/bin/env bash
# Builds the Release program and writes the two ways to ship it into dist/:
#   dist/quillery-<version>-setup.exe     the installer (NSIS, per user, no administrator)
#   dist/quillery-<version>-portable.zip  quillery.exe, an empty Data folder and a read-me
# The version is kVersionText of app/shell/product_info.h. Installs what is missing first
# (scripts/install-deps.sh). QUILLERY_BUILD_DIR chooses another build folder than
# build/windows.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

scripts/install-deps.sh
build="${QUILLERY_BUILD_DIR:-$root/build/windows}"
cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" --target quillery

product="$build/installer/product.nsh"
version=$(sed -n 's/^!define PRODUCT_VERSION "\(.*\)"$/\1/p' "$product")
if [[ -z "$version" ]]; then
  echo "no PRODUCT_VERSION in $product" >&2
  exit 1
fi
mkdir -p dist
setup="dist/quillery-$version-setup.exe"
portable="dist/quillery-$version-portable.zip"

program="$build/app/quillery.exe"

makensis -V2 -NOCD \
  "-DPRODUCT_NSH=$product" "-DPROGRAM=$program" "-DICON=$root/resources/main_icon.ico" \
  "-DOUT_FILE=$root/$setup" installer/quillery.nsi

# The zip holds one folder, so that unpacking it anywhere gives a portable installation.
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
mkdir -p "$staging/Quillery/Data"
cp "$program" "$staging/Quillery/quillery.exe"
# The read-me is for Notepad: CRLF line ends.
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' installer/portable-readme.txt \
  >"$staging/Quillery/README.txt"
rm -f "$portable"
(cd "$staging" && zip -q -X -r "$root/$portable" Quillery)

echo "wrote $setup and $portable"
