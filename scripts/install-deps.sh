#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 (as root). Quick when
# everything is already there.
set -euo pipefail

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix wine wine32:i386 wine64 xvfb imagemagick xdotool x11-utils
          googletest libgtest-dev libbenchmark-dev cmake ninja-build clang libclang-rt-14-dev
          nsis fonts-wine fp-utils-3.2.2 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 python3)

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
