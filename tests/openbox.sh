# Sourced by the scripts that run a test under a window manager.

# Waits until an X server started with -displayfd has written its display number into the file
# given, and exports DISPLAY; shows the server's log, the second file, if it did not start.
use_display() {
    for _ in $(seq 100); do
        [ -s "$1" ] && break
        sleep 0.1
    done
    [ -s "$1" ] || { echo "The X server did not start:"; cat "$2"; return 1; }
    DISPLAY=":$(head -n 1 "$1")"
    export DISPLAY
}

# Starts Openbox on $DISPLAY and waits until it has taken over the screen; its process id goes
# into $openbox, the marker file into the folder given.
start_openbox() {
    openbox --startup "touch $1/openbox-ready" &
    openbox=$!
    for _ in $(seq 100); do
        [ -e "$1/openbox-ready" ] && return 0
        sleep 0.1
    done
    echo "Openbox did not start"
    return 1
}
