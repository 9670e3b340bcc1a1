#!/usr/bin/env bash
# Starts the real program in temporary game folders on a virtual display and checks
# what a player sees of its early exits (a second instance, two instances
# started at the same moment, a missing settings file) and of publishing.
# Usage: program_process_test.sh PROGRAM LANGUAGE_FILE
# A PROGRAM ending in .exe is the Windows program: it runs under Wine, each of
# its windows an X window of its own.
set -uo pipefail
program=$1
language=$2
work=$(mktemp -d)
failures=0
pids=()
name=$(basename "$program")
runner=()
if [[ $name == *.exe ]]; then
    root=$(cd "$(dirname "$0")/.." && pwd)
    runner=("$root/scripts/wine-run.sh")
    export WINEPREFIX=${WINEPREFIX:-$root/build-windows/wine}
fi

cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    [ ${#runner[@]} -gt 0 ] && wineserver -k 2>/dev/null
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/../scripts/virtual-display.sh"
start_virtual_display "$work"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then
        echo "ok: $1"
    else
        echo "FAILED: $1"
        failures=$((failures + 1))
    fi
}

# A game folder with the program, its language file and today's backup made,
# so that a start shows no message of its own.
make_game() {
    local game="$work/$1"
    mkdir -p "$game/data" "$game/toolsbak/$(date +%Y年%-m月%-d日)"
    cp "$program" "$game/$name"
    cp "$language" "$game/language.ini"
    printf 'startMoney;1\r\n' >"$game/data/ini.txt"
    touch "$game/toolsbak/$(date +%Y年%-m月%-d日)/ini.txt"
    echo "$game"
}

windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }

wait_for_window() {  # wait_for_window TITLE_PATTERN -> window id
    local id
    for _ in $(seq 150); do
        id=$(windows "$1" | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

window_appears() { wait_for_window "$1" >/dev/null; }

# answer_message CAPTION DESCRIPTION: checks that a message box with that
# caption appears, then presses its OK button.
answer_message() {
    local box
    box=$(wait_for_window "^$1\$")
    check "$2" test -n "$box"
    [ -z "$box" ] && return
    if [ ${#runner[@]} -gt 0 ]; then
        # With no window manager Wine takes the keyboard focus from a click.
        xdotool mousemove --window "$box" 5 5 click 1
        sleep 0.2
        xdotool key Return
    else
        xdotool windowfocus --sync "$box" key Return
    fi
}

file_sums() { (cd "$1" && find . -type f | sort | xargs md5sum); }

wait_exit() {  # wait_exit PID -> exit code, or 124 when it does not end
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || { wait "$1"; return $?; }
        sleep 0.1
    done
    return 124
}


# A second instance says so under "Info:", ends with 0 and touches nothing.
game=$(make_game second)
(cd / && exec "${runner[@]}" "$game/$name") &
first=$!
pids+=("$first")
check "the first instance shows its main window" window_appears 'Version:1\.13'
before=$(file_sums "$game")
(cd "$game/data" && exec "${runner[@]}" "$game/$name") &
second=$!
pids+=("$second")
answer_message "Info:" "the second instance shows a message captioned Info:"
wait_exit "$second"
check "the second instance ends with exit code 0" test $? -eq 0
after=$(file_sums "$game")
check "the second instance touched no file" test "$before" = "$after"
check "the first instance goes on" kill -0 "$first"
check "the first instance still has its working profile" test -f "$game/data/nolt.ini"
kill "$first"

# Two instances started at the same moment: exactly one runs.
game=$(make_game together)
"${runner[@]}" "$game/$name" &
a=$!
"${runner[@]}" "$game/$name" &
b=$!
pids+=("$a" "$b")
answer_message "Info:" "one of two simultaneous instances is refused"
for _ in $(seq 50); do
    alive=0
    kill -0 "$a" 2>/dev/null && alive=$((alive + 1))
    kill -0 "$b" 2>/dev/null && alive=$((alive + 1))
    [ "$alive" -eq 1 ] && break
    sleep 0.1
done
check "exactly one of two simultaneous instances runs" test "$alive" -eq 1
check "exactly one main window is shown" test "$(windows 'Version:1\.13' | wc -l)" -eq 1
kill "$a" "$b" 2>/dev/null

# A missing settings file: "HELP", exit code 0, no working profile, no backup.
game=$(make_game missing)
rm "$game/data/ini.txt" "$game/toolsbak" -r
"${runner[@]}" "$game/$name" &
missing=$!
pids+=("$missing")
answer_message "HELP" "a missing settings file shows a message captioned HELP"
wait_exit "$missing"
check "a missing settings file ends the program with exit code 0" test $? -eq 0
check "a missing settings file leaves no working profile" test ! -e "$game/data/nolt.ini"
check "a missing settings file makes no backup" test ! -e "$game/toolsbak"

# After the settings file is back, the next start goes on normally.
printf 'startMoney;1\r\n' >"$game/data/ini.txt"
"${runner[@]}" "$game/$name" &
again=$!
pids+=("$again")
answer_message "HELP:" "the next start makes the day's backup"
check "the next start shows the main window" window_appears 'Version:1\.13'
kill "$again"

# Publishing starts the desktop's file browser on Brask Plus and does not wait
# for it. On Linux this stand-in browser notes its argument and then blocks
# until released; on Windows it is the system's explorer, whose window is
# named after the folder.
game=$(make_game publish)
mkdir "$work/bin"
mkfifo "$work/release"
printf '#!/bin/sh\nprintf "%%s" "$1" >"%s/browser-argument"\nread -r line <"%s/release"\n' \
    "$work" "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
PATH="$work/bin:$PATH" "${runner[@]}" "$game/$name" &
publisher=$!
pids+=("$publisher")
main=$(wait_for_window 'Version:1\.13')
xdotool mousemove --window "$main" 300 216 click 1  # PublishButton
answer_message "HELP" "publishing says so under HELP"
if [ ${#runner[@]} -eq 0 ]; then
    for _ in $(seq 50); do [ -s "$work/browser-argument" ] && break; sleep 0.1; done
    check "the file browser is started on Brask Plus" \
        test "$(cat "$work/browser-argument" 2>/dev/null)" = "$game/Brask Plus/"
else
    check "the file browser is started on Brask Plus" window_appears '^Brask Plus$'
fi
check "the settings file is published" cmp -s "$game/data/ini.txt" "$game/Brask Plus/ini.txt"
xdotool mousemove --window "$main" 379 92 click 1  # AboutButton, while the browser still runs
answer_message "About" "the program goes on while the browser runs"
[ ${#runner[@]} -eq 0 ] && echo >"$work/release"
kill "$publisher"

echo "$failures failed"
[ "$failures" -eq 0 ]
