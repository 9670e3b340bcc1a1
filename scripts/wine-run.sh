#!/usr/bin/env bash
# Runs a Windows program under Wine, as CTest does for each test of the
# Windows build: in the build's own Wine prefix, with the Chinese code page
# (936) unless LC_ALL says otherwise, on a virtual display when there is none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build-windows/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LC_ALL=${LC_ALL:-zh_CN.UTF-8}
if [ -n "${DISPLAY:-}" ]; then
    exec wine "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" wine "$@"
