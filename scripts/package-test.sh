#!/usr/bin/env bash
# Tests the packages: runs scripts/package.sh, checks the portable zip's contents, then
# runs tests/package (quillery_package_tests.exe) in a fresh Wine prefix of its own, which
# installs the setup program silently, uses the installed program, installs over it while
# it runs and uninstalls it (keeping the user's data, then, installed again, deleting it).
# The last step of scripts/test.sh; about a minute, most of it for the new prefix.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# scripts/test.sh has made the packages before it runs this beside the Wine tests.
if [[ -z "${QUILLERY_PACKAGES_MADE:-}" ]]; then scripts/package.sh; fi
build="${QUILLERY_BUILD_DIR:-$root/build/windows}"
version=$(sed -n 's/^!define PRODUCT_VERSION "\(.*\)"$/\1/p' "$build/installer/product.nsh")
setup="$root/dist/quillery-$version-setup.exe"
portable="$root/dist/quillery-$version-portable.zip"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "package test: $*" >&2
  exit 1
}

# The zip: one folder with the program, an empty Data folder and the read-me.
expected=$'Quillery/\nQuillery/Data/\nQuillery/README.txt\nQuillery/quillery.exe'
listed=$(zipinfo -1 "$portable" | LC_ALL=C sort)
[[ "$listed" == "$expected" ]] || fail "the zip holds"$'\n'"$listed"$'\n'"instead of"$'\n'"$expected"
unzip -p "$portable" Quillery/quillery.exe | cmp -s - "$build/app/quillery.exe" ||
  fail "the zip's quillery.exe is not the one built"
unzip -p "$portable" Quillery/README.txt | grep -q "^Quillery $version, portable"$'\r'"\$" ||
  fail "the read-me does not name version $version"
# The portable copy starts without encryption (no settings file at all) and says how to
# choose a password.
unzip -p "$portable" Quillery/README.txt | grep -q 'Encrypt my clips with a password' ||
  fail "the read-me does not mention the password option"
echo "package test: $portable holds quillery.exe, an empty Data folder and README.txt"

cmake --build "$build" --target quillery_package_tests

export QUILLERY_BUILD_DIR="$build"
source scripts/wine-env.sh
source scripts/virtual-display.sh
quillery_find_wine
# A prefix of its own, as on a machine that never had the program.
export WINEPREFIX="$scratch/wineprefix"
quillery_start_virtual_display
trap 'quillery_stop_virtual_display; rm -rf "$scratch"' EXIT
quillery_start_wine_session

QUILLERY_SETUP=$("$QUILLERY_WINE" winepath -w "$setup" 2>/dev/null | tr -d '\r')
export QUILLERY_SETUP
"$QUILLERY_WINE" "$build/tests/package/quillery_package_tests.exe"
