#!/usr/bin/env bash
# Installs the Debian packages this project needs, only those that are missing.
# Usage: scripts/deps.sh [run|test|windows|windows-test]
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libgl-dev qt6-translations-l10n
    fonts-ipafont-mincho fonts-arphic-gbsn00lp fonts-wqy-microhei fontconfig
)
case "${1:-run}" in
    # dpkg-dev and file: what `cpack -G DEB` needs to make the Debian package of a build.
    run)  packages+=(xvfb xauth dpkg-dev file) ;;
    test) packages+=(edict libbenchmark-dev libx11-dev libxdamage-dev xvfb xauth openbox
                     weston xwayland qt6-wayland
                     desktop-file-utils appstream dpkg-dev file
                     # tst_exitcode: runs the built program under gdb
                     gdb
                     # Other Song and Mincho faces beside ours: the tests see that each word
                     # line still draws with its own stand-in.
                     fonts-noto-cjk
                     # tst_twoscreens: Xorg with its dummy driver, two monitors set up with xrandr
                     xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils) ;;
    # scripts/windows.sh: Wine and what drives it for the tests, then what the cross-build needs
    # (MinGW-w64, Debian's qtbase source through dpkg-dev, moc/rcc/uic, the zip, NSIS for the
    # setup program).
    windows-test) packages+=(wine64 xvfb xauth openbox xdotool x11-utils imagemagick python3-pefile) ;&
    windows) packages+=(zip g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 qt6-base-dev-tools
                        dpkg-dev nsis) ;;
    *) echo "usage: $0 [run|test|windows|windows-test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
# Waits for apt's lock rather than fail while another install (a CI job beside this one) holds it.
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -q
# Through env: sudo resets the environment, and apt must not stop to ask questions.
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -q \
    --no-install-recommends "${missing[@]}"
