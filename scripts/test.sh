#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the Linux build's,
# then the Windows build's under Wine on a virtual display of their own. The
# tests that start the real Linux program bring up a display of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh --windows
scripts/build.sh
linux=0
(cd build && ctest --output-on-failure) || linux=$?

scripts/build-windows.sh --all
runtime=$(mktemp -d)
source scripts/virtual-display.sh
start_virtual_display "$runtime"
cleanup() {
    WINEPREFIX="$root/build-windows/wine" wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT
windows=0
(cd build-windows && ctest --output-on-failure) || windows=$?

echo "Linux tests: $([ $linux -eq 0 ] && echo passed || echo FAILED)." \
     "Windows tests under Wine: $([ $windows -eq 0 ] && echo passed || echo FAILED)."
[ $linux -eq 0 ] && [ $windows -eq 0 ]
