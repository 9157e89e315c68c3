# Sourced by the scripts that run a test under a window manager.
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
