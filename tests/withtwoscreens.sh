#!/usr/bin/env bash
# Runs a command on an X server of its own with two monitors side by side, the primary one on
# the right: "DUMMY0" 1024 x 768 at (0, 0) and the primary "DUMMY1" 1280 x 800 at (1024, 0), with
# Openbox as its window manager. The server is Xorg with its dummy video driver (no screen, no
# graphics card needed), whose outputs xrandr switches on and arranges as a desktop's display
# settings do; Qt sees them as two screens (Xvfb's Xinerama shows Qt only one). It does not take
# over a virtual console (-sharevts -novtswitch -keeptty), so it can run on a desktop too.
# Exits with 77, which CTest counts as skipped, when Xorg, its dummy driver, xrandr or openbox
# is missing.
set -euo pipefail
source "$(dirname "$0")/openbox.sh"

missing=()
for tool in Xorg xrandr openbox; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 || missing+=("Xorg's dummy driver")
if [ ${#missing[@]} -gt 0 ]; then
    echo "missing: ${missing[*]}: skipped"
    exit 77
fi

session_start
work=$session_work
# Xorg takes only relative paths for its configuration unless it runs as root.
cd "$work"
mkdir conf.d
cat > xorg.conf <<'CONF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 2304 800
    EndSubSection
EndSection
CONF
start_x_server "$work/xorg.out" Xorg -config xorg.conf -configdir conf.d -logfile "$work/xorg.log" -noreset \
    -nolisten tcp -sharevts -novtswitch -keeptty || exit 1

# The dummy driver has outputs DUMMY0 to DUMMY15; an output with a mode counts as connected.
xrandr --newmode left 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
xrandr --newmode right 83.50 1280 1352 1480 1680 800 803 809 831 -hsync +vsync
xrandr --addmode DUMMY0 left
xrandr --addmode DUMMY1 right
xrandr --output DUMMY0 --mode left --pos 0x0 --output DUMMY1 --mode right --pos 1024x0 --primary

start_openbox || exit 1
cd - >/dev/null
"$@"
