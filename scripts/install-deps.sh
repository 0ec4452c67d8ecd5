#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building and testing Quillery needs,
# skipping those already present. Safe to run again; a no-op on a prepared machine.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  mingw-w64 g++-mingw-w64-x86-64-posix
  wine64 xvfb xauth x11-utils
  x11-apps netpbm xclip
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-14-dev
  nlohmann-json3-dev libpng-dev libssl-dev
  nsis zip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
