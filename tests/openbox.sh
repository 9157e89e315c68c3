# Sourced by the scripts that run something on a display of their own (withwindowmanager.sh,
# withtwoscreens.sh, underwine.sh, underweston.sh): the one way they start an X server and
# Openbox, and the one clean-up that ends what they started.
#
#   session_start               makes a work folder ($session_work) and sets an EXIT trap that
#                               ends every process started through these functions, the last
#                               first, then removes the folder
#   session_stop_first CMD      a command the clean-up runs before it ends the processes
#                               (underwine.sh: wineserver -k)
#   session_background CMD...   starts CMD in the background for the clean-up to end; its
#                               process id is in $session_pid
#   start_x_server LOG CMD...   starts the X server CMD (Xvfb, Xorg) with -displayfd, so that it
#                               picks a display no other server holds; waits until it has, and
#                               exports DISPLAY; shows LOG, its output, if it did not start
#   start_xvfb [SCREEN]         Xvfb with one screen (1280x800x24)
#   start_openbox               Openbox on $DISPLAY, waiting until it manages the screen
#
# Every step of the clean-up runs whatever the others return: a window manager that ends with a
# signal's exit code must not keep the X server running or the work folder on disk.

session_work=
session_pids=()
session_first=()

session_start() {
    session_work=$(mktemp -d)
    trap session_stop EXIT
}

session_stop() {
    local step i
    for step in ${session_first[@]+"${session_first[@]}"}; do
        eval "$step" > /dev/null 2>&1 || true
    done
    for (( i = ${#session_pids[@]} - 1; i >= 0; i-- )); do
        kill "${session_pids[i]}" 2>/dev/null || true
        wait "${session_pids[i]}" 2>/dev/null || true
    done
    if [ -n "$session_work" ]; then
        rm -rf "$session_work" || true
    fi
}

session_stop_first() {
    session_first+=("$1")
}

session_background() {
    "$@" &
    session_pid=$!
    session_pids+=("$session_pid")
}

start_x_server() {
    local log=$1
    shift
    rm -f "$session_work/display"
    "$@" -displayfd 3 3>"$session_work/display" >"$log" 2>&1 </dev/null &
    session_pids+=("$!")
    local server=$!
    for _ in $(seq 100); do
        [ -s "$session_work/display" ] && break
        kill -0 "$server" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$session_work/display" ]; then
        echo "The X server ($1) did not start:"
        cat "$log"
        return 1
    fi
    DISPLAY=":$(head -n 1 "$session_work/display")"
    export DISPLAY
}

start_xvfb() {
    start_x_server "$session_work/xvfb.log" Xvfb -nolisten tcp -screen 0 "${1:-1280x800x24}"
}

start_openbox() {
    local ready=$session_work/openbox-ready
    openbox --startup "touch $ready" > "$session_work/openbox.log" 2>&1 &
    session_pids+=("$!")
    local wm=$!
    for _ in $(seq 100); do
        [ -e "$ready" ] && return 0
        kill -0 "$wm" 2>/dev/null || break
        sleep 0.1
    done
    echo "Openbox did not start:"
    cat "$session_work/openbox.log"
    return 1
}
