#!/usr/bin/env bash
# The Windows build under Wine, on a virtual X server of its own (scripts/windows.sh --test):
#  1. the setup program, installed and uninstalled silently (wineinstall.sh), while the Wine
#     prefix is fresh;
#  2. the cross-built CTest suite, each test a Windows program on Qt's windows platform;
#  3. the program from the zip's folder, driven from outside as a learner drives it, with
#     xdotool on the X display where Wine draws its windows: the start window shows, 进入 brings
#     the main window, the settings, search and strip windows open and close, 返回 leads back and
#     退出 ends the process with exit code 0. A picture of each of the five windows is kept.
# Wine sees no font of this Linux machine, only its own and those the program brings, as a
# Windows without Chinese or Japanese fonts would be.
#
# Wine's windows, the titles xdotool finds them by and the texts the tests read are in UTF-8 in
# every caller's locale, and the Wine prefix's own folders (Desktop, ...) link to nothing of the
# caller's home.
#
# Usage: tests/underwine.sh BUILD_DIR PROGRAM_DIR QT_PREFIX VERSION [SHOTS_DIR [SETUP_EXE]]
set -euo pipefail
build=$(realpath "$1") program=$(realpath "$2") qt=$(realpath "$3") version=$4
shots=$(realpath -m "${5:-$build/wine-shots}")
setup=${6:+$(realpath "$6")}
mkdir -p "$shots"
export LC_ALL=C.UTF-8
unset LANGUAGE

source "$(dirname "$0")/openbox.sh"
session_start
work=$session_work
# Openbox frames and activates Wine's windows as a desktop does; without a window manager Wine
# takes seconds over each activation, which the window tests wait for.
start_xvfb 1280x800x24 || exit 1
start_openbox || exit 1

export PATH=/usr/lib/wine:$PATH # Debian's wine64 package: wine64 and wineserver live there
printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig></fontconfig>\n' > "$work/fonts.conf"
export FONTCONFIG_FILE=$work/fonts.conf
export HOME=$work/home
mkdir -p "$HOME"
# No Mono or Gecko to install, and no Linux menu entries for the Start-menu shortcuts.
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
session_stop_first "wineserver -k" # this prefix's Wine server and every program it still runs
# Where the tests find Qt's DLLs and MinGW's runtime (the program has its own beside it).
WINEPATH="Z:$qt/bin"
for dir in /usr/lib/gcc/x86_64-w64-mingw32/*-posix /usr/x86_64-w64-mingw32/lib; do WINEPATH="$WINEPATH;Z:$dir"; done
export WINEPATH
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

echo "Starting Wine ($(wine64 --version)) on $DISPLAY"
wine64 wineboot --init > "$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; exit 1; }
wineserver -w
# One Wine server for all that follows, instead of one started (seconds each) for every program.
wineserver -p > /dev/null 2>&1 # its output would hold this script's pipe open

if [ -n "$setup" ]; then
    bash "$(dirname "$0")/wineinstall.sh" "$setup" "$program" "$build/resources/velkaro.ico" "$version" "$shots"
fi

# The tests find Qt's Chinese texts where the program finds them: in translations/ beside them.
printf '[Paths]\nPrefix = Z:%s\nTranslations = Z:%s/translations\n' "$qt" "$program" > "$build/qt.conf"
# The tests find the fonts the program brings where the program finds them: beside them.
ln -sfn "$program/fonts" "$build/fonts" # Qt puts a Windows build's programs in its top folder
ctest --test-dir "$build" --output-on-failure

# --- The program itself, from outside ------------------------------------------------------------

echo "Running $program/velkaro.exe from outside"
caption="Tessarine 2005 （ Corvanel系列 2 ）"
# Without WINEPATH: the program finds its DLLs in its own folder or not at all.
(cd "$program" && exec env -u WINEPATH wine64 velkaro.exe) > "$work/program.log" 2>&1 &
running=$!

fail() {
    echo "FAIL: $*"
    import -window root "$shots/failure.png" 2>/dev/null || true
    kill "$running" 2>/dev/null || true
    cat "$work/program.log"
    exit 1
}

source "$(dirname "$0")/winewindows.sh"
shot() { sleep 0.5; import -window root "$shots/$1.png"; }

start=$(window_of "$caption" 681x217) || fail "the start window did not show"
shot start
click "$start" 637 123 # 进   入
main=$(window_of "$caption" 776x304) || fail "进入 did not bring the main window"
gone "$caption" 681x217 || fail "the start window stayed"
sleep 0.5
import -window "$main" -crop 760x220+8+8 "$work/word1.png"
click "$main" 639 255 # 下  →
sleep 0.5
import -window "$main" -crop 760x220+8+8 "$work/word2.png"
# The word lines show the next word: their pixels changed.
[ "$(compare -metric AE "$work/word1.png" "$work/word2.png" null: 2>&1 || true)" != 0 ] \
    || fail "下 → left the word lines as they were"
shot main

click "$main" 695 281 # 设置
settings=$(window_of "浏览设置" 279x97) || fail "the settings window did not open"
shot settings
# As on Windows an owned window stays above its owner: a click on the main window leaves the
# settings window above it, and the settings window still takes clicks.
click "$main" 40 20 # the word panel's corner
above "$settings" "$main" || fail "a click on the main window brought it above the settings window"
# Qt's colour dialog, in Chinese: Qt found its catalogue where the zip's qt.conf says.
click "$settings" 72 76 # 设置浏览字体颜色
colours=$(window_titled "选择颜色") || fail "the colour dialog did not open, or not in Chinese"
shot colours
click "$main" 40 20
above "$colours" "$main" && above "$colours" "$settings" \
    || fail "a click on the main window brought it or the settings window above the colour dialog"
close_window "$colours"
for _ in $(seq 150); do xdotool search --onlyvisible --name '^选择颜色$' > /dev/null 2>&1 || break; sleep 0.1; done
xdotool search --onlyvisible --name '^选择颜色$' > /dev/null 2>&1 && fail "the colour dialog stayed open"
click "$settings" 208 76 # 一切设置好了
gone "浏览设置" 279x97 || fail "the settings window stayed open"

click "$main" 695 256 # 查询
search=$(window_of "在当前词库中查找单词" 801x257) || fail "the search window did not open"
shot search
close_window "$search"
main=$(window_of "$caption" 776x304) || fail "closing the search window did not bring the main window back"

click "$main" 742 256 # 小窗
strip=$(window_of "Tessarine 2005" 910x28) || fail "the strip did not open"
position=$(xdotool getwindowgeometry "$strip" | sed -n 's/ *Position: \([0-9]*,[0-9]*\).*/\1/p')
[ "${position#*,}" = 0 ] || fail "the strip opened at $position, not at the top of the screen"
shot strip
close_window "$strip"
main=$(window_of "$caption" 776x304) || fail "closing the strip did not bring the main window back"

click "$main" 742 281 # 返回
start=$(window_of "$caption" 681x217) || fail "返回 did not bring the start window back"
click "$start" 637 197 # 退   出
for _ in $(seq 150); do kill -0 "$running" 2>/dev/null || break; sleep 0.1; done
kill -0 "$running" 2>/dev/null && fail "退出 did not end the program"
status=0
wait "$running" || status=$?
[ "$status" = 0 ] || fail "the program ended with exit code $status"
echo "The program ran from start to finish under Wine and ended with exit code 0; pictures in $shots"
