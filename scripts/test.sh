#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (on a virtual display
# for the tests that start the real program).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh
cd build
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure
