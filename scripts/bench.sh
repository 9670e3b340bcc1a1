#!/usr/bin/env bash
# Builds and runs the benchmarks, with their windows on a private virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null
work=$(mktemp -d)
chmod 700 "$work"
source scripts/virtual-display.sh
start_virtual_display "$work"
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
build/bench/startup_bench "$@"
build/bench/table_bench "$@"
