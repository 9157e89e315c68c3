#!/usr/bin/env bash
# Runs a command in a Wayland session of its own: Weston (headless, no screen needed) with
# XWayland, WAYLAND_DISPLAY and DISPLAY set as a Wayland session sets them. Weston's log, with
# its X window manager's events, is at VELKARO_WESTON_LOG for the command to read, and is shown
# when the command fails.
# Exits with 77, which CTest counts as skipped, when Weston or XWayland is missing.
set -euo pipefail
source "$(dirname "$0")/openbox.sh"

if ! command -v weston >/dev/null || ! command -v Xwayland >/dev/null; then
    echo "weston or Xwayland is missing: skipped"
    exit 77
fi

session_start
runtime=$session_work
chmod 700 "$runtime"
log="$runtime/weston.log"
export XDG_RUNTIME_DIR="$runtime"
socket="wayland-velkaro-$$"
# The log exists before Weston starts: the background job opens it only once it runs, and the
# wait below reads it at once.
: > "$log"
session_background weston --backend=headless-backend.so --xwayland --socket="$socket" --width=1280 \
    --height=800 --idle-time=0 --logger-scopes=log,xwm-wm-x11 >"$log" 2>&1

display=""
for _ in $(seq 100); do
    display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$log")
    [ -n "$display" ] && [ -S "$runtime/$socket" ] && break
    sleep 0.1
done
if [ -z "$display" ]; then
    echo "Weston did not start with XWayland:"
    cat "$log"
    exit 1
fi
export WAYLAND_DISPLAY="$socket" DISPLAY="$display" XDG_SESSION_TYPE=wayland VELKARO_WESTON_LOG="$log"
unset QT_QPA_PLATFORM
status=0
"$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "Weston's log, its last lines:"
    grep -v '\[xwm-wm-x11\]' "$log" | tail -20
fi
exit "$status"
