#!/usr/bin/env bash
# Installs what is missing, builds, puts the program and its language file into
# a fresh copy of sample-game/ (in run/game) and starts it there. Without a
# display it runs on a virtual one and saves screenshots of the first message
# box, of the main window and of the genres table's window instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh
scripts/build.sh

game="$root/run/game"
rm -rf "$game"
mkdir -p "$root/run"
cp -r sample-game "$game"
cp build/brask-tools build/language.ini "$game/"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Starting $game/brask-tools"
    exec "$game/brask-tools"
fi

shots="$root/run/screenshots"
mkdir -p "$shots"
runtime=$(mktemp -d)
chmod 700 "$runtime"
source scripts/virtual-display.sh
start_virtual_display "$runtime"
export XDG_RUNTIME_DIR=$runtime
cleanup() {
    [ -n "${program:-}" ] && kill "$program" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

"$game/brask-tools" &
program=$!

# The first start of the day shows the backup message before the main window.
window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }
# wait_window PATTERN: the window whose title matches, once it shows, or nothing.
wait_window() {
    local id=""
    for _ in $(seq 100); do
        id=$(window "$1")
        [ -n "$id" ] && break
        sleep 0.1
    done
    echo "$id"
}
for _ in $(seq 100); do
    box=$(window '^(HELP|HELP:|Info:)$')
    main=$(window 'Version:1\.13')
    [ -n "$box$main" ] && break
    sleep 0.1
done
if [ -n "$box" ]; then
    sleep 0.5
    import -window "$box" "$shots/first-message.png"
    echo "First message box: $shots/first-message.png"
    xdotool windowfocus --sync "$box" key Return
    main=$(wait_window 'Version:1\.13')
fi
if [ -z "$main" ]; then
    echo "The main window did not appear." >&2
    exit 1
fi
sleep 0.5
import -window "$main" "$shots/main-window.png"
echo "Main window: $shots/main-window.png"

# The genres table: its button lies at (78, 171) in the main window.
xdotool mousemove --window "$main" 78 171 click 1
table=$(wait_window '类型评分表')
if [ -n "$table" ]; then
    sleep 0.5
    import -window "$table" "$shots/table-window.png"
    echo "Table window: $shots/table-window.png"
else
    echo "The table window did not appear." >&2
fi
import -window root "$shots/screen.png"
echo "Whole screen: $shots/screen.png"
echo "Game folder afterwards: $game (the program is stopped now; its working profile"
echo "data/nolt.ini stays there until the next start replaces it)"
