#!/usr/bin/env bash
# Configures and builds both trees: build/native (the rules under sanitizers)
# and build/win (the Windows program, simulator, installer helper and tests).
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-all}
jobs=$(nproc)

if [ "$what" = all ] || [ "$what" = native ]; then
    cxx=g++; cc=gcc
    if command -v clang++ >/dev/null; then cxx=clang++; cc=clang; fi
    cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug \
          -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_C_COMPILER="$cc" >/dev/null
    cmake --build build/native -j "$jobs"
fi
if [ "$what" = all ] || [ "$what" = win ]; then
    cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
    cmake --build build/win -j "$jobs"
fi
