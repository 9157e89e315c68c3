#!/usr/bin/env bash
# Runs a command on a virtual X server of its own (1280 x 800, or VELKARO_SCREEN such as
# 640x480x24) with Openbox as its window manager, where windows get frames, placement and the
# window manager's own buttons. The server picks a display number no other server holds
# (-displayfd), so runs side by side never share one.
# Exits with 77, which CTest counts as skipped, when Xvfb or openbox is missing.
set -euo pipefail
source "$(dirname "$0")/openbox.sh"

if ! command -v Xvfb >/dev/null || ! command -v openbox >/dev/null; then
    echo "Xvfb or openbox is missing: skipped"
    exit 77
fi

session_start
start_xvfb "${VELKARO_SCREEN:-1280x800x24}" || exit 1
start_openbox || exit 1
"$@"
