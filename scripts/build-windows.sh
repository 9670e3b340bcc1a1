#!/usr/bin/env bash
# Cross-builds the Windows program with mingw-w64 into build-windows/ and packs
# the release zip a player unpacks into the game folder:
# build-windows/brask-tools-1.13-windows.zip with brask-tools.exe and
# language.ini. With --all it also builds the Windows tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --windows
# The toolchain is chosen once, when the build folder is made.
if [ ! -f build-windows/CMakeCache.txt ]; then
    cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
fi
if [ "${1:-}" = "--all" ]; then
    cmake --build build-windows
fi
cmake --build build-windows --target release_zip
echo "Release zip: $(pwd)/build-windows/brask-tools-1.13-windows.zip"
