# Sourced: start_virtual_display FOLDER starts a private Xvfb on a display number
# the server picks itself, exports DISPLAY and sets xvfb to the server's pid.
# -noreset keeps the server up between clients, so a start right after another
# program ended never meets a server in the middle of its reset.
start_virtual_display() {
    local file="$1/display"
    exec 3> >(cat >"$file")
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$file" ] && break; sleep 0.05; done
    export DISPLAY=:$(head -1 "$file")
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}
