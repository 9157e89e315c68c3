#!/usr/bin/env bash
# Installs the Debian 12 packages this project needs, only those that are missing.
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
                     desktop-file-utils appstream dpkg-dev file) ;;
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
"${sudo[@]}" apt-get update -q
# Through env: sudo resets the environment, and apt must not stop to ask questions.
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
