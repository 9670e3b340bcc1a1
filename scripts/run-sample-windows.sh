#!/usr/bin/env bash
# Builds the Windows program, puts it and its language file into a fresh copy
# of sample-game/ (in run/windows-game) and starts it there under Wine, with
# the Chinese code page. Without a display it runs in a Wine desktop on a
# virtual display, plays a short session (the backup message, the genres
# table, one cell edited and saved, both windows closed) and saves screenshots
# in run/windows-screenshots instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/build-windows.sh
game="$root/run/windows-game"
rm -rf "$game"
mkdir -p "$root/run"
cp -r sample-game "$game"
cp build-windows/brask-tools.exe build-windows/language.ini "$game/"
cd "$game"
# A Wine prefix of its own: an instance running here does not meet the tests'.
export WINEPREFIX=${WINEPREFIX:-$root/run/wine}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Starting $game/brask-tools.exe under Wine"
    exec "$root/scripts/wine-run.sh" brask-tools.exe
fi

shots="$root/run/windows-screenshots"
rm -rf "$shots"
mkdir -p "$shots"
runtime=$(mktemp -d)
source "$root/scripts/virtual-display.sh"
start_virtual_display "$runtime"
cleanup() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

# A Wine desktop of the screen's size draws the windows' frames as Windows does.
"$root/scripts/wine-run.sh" explorer /desktop=brask,1024x768 brask-tools.exe &
program=$!

shot() {
    sleep 1
    import -window root ${2:+-crop "$2"} "$shots/$1.png"
    echo "Screenshot: $shots/$1.png"
}
# Wine's frames: the client area starts 3 pixels right of and 21 below the
# window's corner. Windows are centred on the 1024x768 screen.
main_left=$(((1024 - 447) / 2 + 3)) main_top=$(((768 - 316) / 2 + 21))
table_left=$(((1024 - 756) / 2 + 3)) table_top=$(((768 - 486) / 2 + 21))
click() { xdotool mousemove "$1" "$2" click 1; }

for _ in $(seq 150); do [ -d toolsbak ] && break; sleep 0.2; done
shot first-message
xdotool key Return
shot main-window 447x316+288+226

click $((main_left + 78)) $((main_top + 171))  # the genres table
shot table-window 756x486+134+141
# Row 3 ("策略"), column 2: the rows start below the column titles.
xdotool mousemove $((table_left + 8 + 2 + 140 + 30)) $((table_top + 8 + 22 + 3 * 17 + 8)) \
    click --repeat 2 --delay 80 1
shot cell-editor 756x486+134+141
xdotool key ctrl+a type 42
xdotool key Return
click $((table_left + 228 + 40)) $((table_top + 408 + 16))  # TableSaveButton
shot saved-message
xdotool key Return
xdotool key alt+F4  # the table window
sleep 1
xdotool key alt+F4  # the main window: the program ends
for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.2; done
echo "Row 3 of data/genres1.txt now reads: $(sed -n 5p data/genres1.txt | iconv -f GBK -t UTF-8)"
echo "Today's backup: $(ls toolsbak)"
[ -e data/nolt.ini ] && echo "data/nolt.ini is still there." || echo "data/nolt.ini is gone: the program ended."
