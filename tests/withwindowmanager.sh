#!/usr/bin/env bash
# Runs a command on a virtual X server (1280 x 800, or VELKARO_SCREEN such as 640x480x24)
# with Openbox as its window manager, where windows get frames, placement and the window
# manager's own buttons.
# Exits with 77, which CTest counts as skipped, when xvfb-run or openbox is missing.
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
    if ! command -v xvfb-run >/dev/null || ! command -v openbox >/dev/null; then
        echo "xvfb-run or openbox is missing: skipped"
        exit 77
    fi
    exec xvfb-run -a -s "-screen 0 ${VELKARO_SCREEN:-1280x800x24}" "$0" --inside "$@"
fi
shift

ready=$(mktemp -u)
openbox --startup "touch $ready" &
openbox=$!
trap 'kill $openbox 2>/dev/null; rm -f "$ready"' EXIT
for _ in $(seq 100); do
    [ -e "$ready" ] && break
    sleep 0.1
done
[ -e "$ready" ] || { echo "Openbox did not start"; exit 1; }
"$@"
