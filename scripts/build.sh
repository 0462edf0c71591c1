#!/usr/bin/env bash
# Configures and builds the trees: build/native (the rules under sanitizers),
# build/win (the i686 Windows program, simulator, installer helper, installer
# and tests: the deliverable) and, on machines whose kernel runs no 32-bit
# code, build/win64 (the same sources for x86_64, to run under 64-bit Wine).
# Usage: scripts/build.sh [all|native|win|wine]   (wine: the tree Wine runs here)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

what=${1:-all}
jobs=$(nproc)
case $what in
    all|native|win|wine) ;;
    *) echo "build.sh: unknown tree '$what' (all, native, win or wine)" >&2; exit 2 ;;
esac

# A tree made for another processor, or with an earlier toolchain file, is
# configured afresh.
configure_windows() {   # tree processor
    if [ ! -f "$1/build.ninja" ] || ! grep -qs "^LUMISAT_WINDOWS_ARCH:[A-Z]*=$2\$" "$1/CMakeCache.txt"; then
        cmake --fresh -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake -DLUMISAT_WINDOWS_ARCH="$2" >/dev/null
    fi
}

if [ "$what" = all ] || [ "$what" = native ]; then
    cxx=g++; cc=gcc
    if command -v clang++ >/dev/null; then cxx=clang++; cc=clang; fi
    [ -f build/native/build.ninja ] || cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug \
          -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_C_COMPILER="$cc" >/dev/null
    cmake --build build/native -j "$jobs"
fi
if [ "$what" = all ] || [ "$what" = win ]; then
    configure_windows build/win i686
    cmake --build build/win -j "$jobs"
fi
if [ "$what" = all ] || [ "$what" = wine ]; then
    if [ "$WINE_TREE" = build/win64 ]; then
        configure_windows build/win64 x86_64
        cmake --build build/win64 -j "$jobs"
    elif [ "$what" = wine ]; then
        configure_windows build/win i686
        cmake --build build/win -j "$jobs"
    fi
fi
