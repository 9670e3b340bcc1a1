#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The tests that start
# the real program bring up a virtual display of their own.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh
cd build
ctest --output-on-failure
