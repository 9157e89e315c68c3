#!/usr/bin/env bash
# The setup program under Wine, as an administrator deploys it and as a learner then finds it
# (run by underwine.sh, in its fresh Wine prefix, on its X display):
#  1. installed silently (/S) for the current user: every file of the zip's folder, and only
#     those with the uninstaller, under the user's own programs folder; the Start-menu shortcut
#     to velkaro.exe there; no desktop shortcut; the "Apps & features" entry under HKCU with
#     name, version, publisher, icon, size and uninstall commands; the installed velkaro.exe's
#     icon, version information and manifest as built (peresources.py). The program starts
#     from the shortcut, shows its start window and ends with 退出.
#  2. upgrades, each leaving one installation with exactly this version's files, one "Apps &
#     features" entry and one Start-menu shortcut: the same setup program run again over an
#     installation that an older version left with an extra Qt plugin in each plugin folder;
#     for all users with a desktop shortcut (/S /ALLUSERS /DESKTOP), into Program Files, HKLM
#     and the common Start menu and desktop, over the installation for the current user; for
#     the current user into another folder (/D=) over the one for all users.
#  3. uninstalled silently: no file, folder, shortcut or registry key of it is left.
#  4. installed for all users with a desktop shortcut, then uninstalled: nothing is left.
#
# Usage: tests/wineinstall.sh SETUP_EXE PROGRAM_DIR ICO VERSION SHOTS_DIR
set -euo pipefail
setup=$1 program=$2 ico=$3 version=$4 shots=$5
here=$(dirname "$0")
source "$here/winewindows.sh"

fail() {
    echo "FAIL (setup program): $*"
    import -window root "$shots/setup-failure.png" 2>/dev/null || true
    exit 1
}

key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Velkaro'
shortcut="Velkaro 2005.lnk"

# A folder of Windows' environment (%LOCALAPPDATA%, ...) as a path here.
folder() { wine64 winepath -u "$(wine64 cmd /c echo "%$1%" | tr -d '\r')" 2>/dev/null; }
# The values of the uninstall entry under ROOT (HKCU or HKLM), one "name<tab>value" a line;
# exit code 1 when the key does not exist.
entry() {
    local out
    out=$(wine64 reg query "$1\\$key" 2>/dev/null | tr -d '\r') || return 1
    printf '%s\n' "$out" | sed -n 's/^    \([A-Za-z]*\)    REG_[A-Z_]*    \(.*\)$/\1\t\2/p'
}
value() { printf '%s\n' "$1" | sed -n "s/^$2\t//p"; }
# The target, working folder and icon of a shortcut (.lnk), one a line, as Windows paths.
link() {
    /usr/bin/python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
def utf16(at):
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")
flags = struct.unpack_from("<I", data, 20)[0]
at = 76
if flags & 0x01:                                  # HasLinkTargetIDList
    at += 2 + struct.unpack_from("<H", data, at)[0]
target = ""
if flags & 0x02:                                  # HasLinkInfo: the target's local path
    size, header = struct.unpack_from("<II", data, at)
    if header >= 0x24:
        target = utf16(at + struct.unpack_from("<I", data, at + 28)[0])
    else:
        base = at + struct.unpack_from("<I", data, at + 16)[0]
        target = data[base:data.index(b"\0", base)].decode("latin-1")
    at += size
strings = []
unicode = flags & 0x80
for bit in (0x04, 0x08, 0x10, 0x20, 0x40):       # name, relative path, working dir, arguments, icon
    if flags & bit:
        count = struct.unpack_from("<H", data, at)[0]
        width = 2 if unicode else 1
        text = data[at + 2:at + 2 + count * width]
        strings.append(text.decode("utf-16-le" if unicode else "latin-1"))
        at += 2 + count * width
    else:
        strings.append("")
print(target)
print(strings[2])
print(strings[4])
PY
}

# Checks one installation: FOLDER (here), its Windows path, the entry's root, the Start menu and
# desktop folders, and whether a desktop shortcut is wanted.
check_installed() {
    local dir=$1 windir=$2 root=$3 menu=$4 desktop=$5 want_desktop=$6
    [ -d "$dir" ] || fail "nothing installed in $windir"
    [ -f "$dir/uninstall.exe" ] || fail "no uninstaller in $windir"
    diff -r -x uninstall.exe "$program" "$dir" > /dev/null || fail "$windir does not hold the zip's files as they are"
    [ -f "$menu/$shortcut" ] || fail "no Start-menu shortcut $menu/$shortcut"
    { read -r target; read -r workdir; read -r icon; } < <(link "$menu/$shortcut")
    [ "$target" = "$windir\\velkaro.exe" ] || fail "the Start-menu shortcut leads to '$target', not $windir\\velkaro.exe"
    [ "$workdir" = "$windir" ] || fail "the Start-menu shortcut starts in '$workdir', not $windir"
    [ "$icon" = "$windir\\velkaro.exe" ] || fail "the Start-menu shortcut takes its icon from '$icon'"
    if [ "$want_desktop" = 1 ]; then
        [ -f "$desktop/$shortcut" ] || fail "no desktop shortcut although asked for"
    else
        [ ! -e "$desktop/$shortcut" ] || fail "a desktop shortcut although not asked for"
    fi
    local values
    values=$(entry "$root") || fail "no uninstall entry under $root\\$key"
    [ "$(value "$values" DisplayName)" = "Velkaro 2005" ] || fail "the entry's name: $(value "$values" DisplayName)"
    [ "$(value "$values" DisplayVersion)" = "$version" ] || fail "the entry's version: $(value "$values" DisplayVersion)"
    [ "$(value "$values" Publisher)" = "The Velkaro developers" ] || fail "the entry's publisher: $(value "$values" Publisher)"
    [ "$(value "$values" DisplayIcon)" = "$windir\\velkaro.exe,0" ] || fail "the entry's icon: $(value "$values" DisplayIcon)"
    [ "$(value "$values" InstallLocation)" = "$windir" ] || fail "the entry's folder: $(value "$values" InstallLocation)"
    [ "$(value "$values" UninstallString)" = "\"$windir\\uninstall.exe\"" ] || fail "the entry's uninstall command: $(value "$values" UninstallString)"
    [ "$(value "$values" QuietUninstallString)" = "\"$windir\\uninstall.exe\" /S" ] || fail "the entry's silent uninstall command: $(value "$values" QuietUninstallString)"
    # Its size in KiB, within 1% of what the folder's files hold.
    local size actual
    size=$(( $(value "$values" EstimatedSize) ))
    actual=$(find "$dir" -type f -printf '%s\n' | awk '{ s += $1 } END { print int(s / 1024) }')
    [ $(( (size - actual) * (size - actual) * 10000 )) -le $(( actual * actual )) ] \
        || fail "the entry gives a size of $size KiB, the folder holds $actual KiB"
    echo "Installed in $windir: the zip's $(find "$program" -type f | wc -l) files and the uninstaller, $actual KiB;" \
         "Start-menu shortcut; $([ "$want_desktop" = 1 ] && echo "desktop shortcut" || echo "no desktop shortcut");" \
         "\"Apps & features\" entry under $root ($(value "$values" DisplayName) $(value "$values" DisplayVersion), $size KiB)"
}

# Runs the uninstaller silently and checks that nothing of the installation is left.
uninstall() {
    local dir=$1 windir=$2 root=$3 menu=$4 desktop=$5
    wine64 "$dir/uninstall.exe" /S || fail "the uninstaller failed"
    # It runs on from a copy of itself in the temporary folder, so that it can delete itself:
    # wait for its last step, the registry key, up to 30 s.
    for _ in $(seq 60); do entry "$root" > /dev/null || break; sleep 0.5; done
    [ ! -e "$dir" ] || fail "the uninstaller left $windir: $(cd "$dir" && find . | head -5 | tr '\n' ' ')"
    [ ! -e "$menu/$shortcut" ] || fail "the uninstaller left the Start-menu shortcut"
    [ ! -e "$desktop/$shortcut" ] || fail "the uninstaller left the desktop shortcut"
    entry "$root" > /dev/null && fail "the uninstaller left $root\\$key"
    echo "Uninstalled from $windir: no file, shortcut or registry key left"
}

echo "Installing $(basename "$setup") ($(du -k "$setup" | cut -f1) KiB) under Wine"


# --- For the current user, by default --------------------------------------------------------------

wine64 "$setup" /S || fail "the silent installation failed with exit code $?"
local_programs=$(folder LOCALAPPDATA)/Programs
dir=$local_programs/Velkaro
windir=$(wine64 winepath -w "$dir" 2>/dev/null | tr -d '\r')
menu=$(folder APPDATA)"/Microsoft/Windows/Start Menu/Programs"
desktop=$(folder USERPROFILE)/Desktop
check_installed "$dir" "$windir" HKCU "$menu" "$desktop" 0
entry HKLM > /dev/null && fail "an installation for the current user wrote HKLM\\$key"
/usr/bin/python3 "$here/peresources.py" "$dir/velkaro.exe" "$ico" "$version" || fail "the installed velkaro.exe's resources"

# The program, started from the shortcut as the Start menu starts it.
caption="Tessarine 2005 （ Corvanel系列 2 ）"
env -u WINEPATH wine64 start /wait "$(wine64 winepath -w "$menu/$shortcut" | tr -d '\r')" > /dev/null 2>&1 &
running=$!
start=$(window_of "$caption" 681x217) || fail "the program did not show its start window when started from the shortcut"
sleep 0.5
import -window root "$shots/installed-start.png"
click "$start" 637 197 # 退   出
for _ in $(seq 150); do kill -0 "$running" 2>/dev/null || break; sleep 0.1; done
kill -0 "$running" 2>/dev/null && fail "退出 did not end the installed program"
wait "$running" || fail "the installed program ended with exit code $?"
echo "The installed program started from the Start-menu shortcut, showed its start window and ended with 退出"

# --- Upgrades -------------------------------------------------------------------------------------

user_dir=$dir user_windir=$windir user_menu=$menu user_desktop=$desktop
all_dir=$(folder ProgramW6432)/Velkaro
all_windir=$(wine64 winepath -w "$all_dir" 2>/dev/null | tr -d '\r')
all_menu=$(folder ProgramData)"/Microsoft/Windows/Start Menu/Programs"
all_desktop=$(folder PUBLIC)/Desktop
# Exactly one installation: one uninstall entry, under ROOT, and one Start-menu shortcut, in MENU;
# nothing left in the other places.
only_one() {
    local root=$1 menu=$2 other_root other_menu other_desktop other_dir
    if [ "$root" = HKCU ]; then
        other_root=HKLM other_menu=$all_menu other_desktop=$all_desktop other_dir=$all_dir
    else
        other_root=HKCU other_menu=$user_menu other_desktop=$user_desktop other_dir=$user_dir
    fi
    entry "$other_root" > /dev/null && fail "an uninstall entry is left under $other_root besides the one under $root"
    [ ! -e "$other_menu/$shortcut" ] || fail "a second Start-menu shortcut is left in $other_menu"
    [ ! -e "$other_desktop/$shortcut" ] || fail "a desktop shortcut is left in $other_desktop"
    [ "$(find "$menu" -name "$shortcut" | wc -l)" = 1 ] || fail "not one Start-menu shortcut in $menu"
    [ ! -e "$other_dir" ] || fail "the earlier installation's folder is left: $(cd "$other_dir" && find . | head -5 | tr '\n' ' ')"
}

# The same setup program again, over an installation that an older version left: its version in
# the entry, and a Qt plugin in each plugin folder that this version does not ship.
wine64 reg add "HKCU\\$key" /v DisplayVersion /d 0.9 /f > /dev/null 2>&1 || fail "could not mark the installation as older"
cp "$dir/styles/qwindowsvistastyle.dll" "$dir/styles/qwindowsoldstyle.dll"
cp "$dir/platforms/qwindows.dll" "$dir/platforms/qminimal.dll"
wine64 "$setup" /S || fail "installing over the earlier installation failed with exit code $?"
check_installed "$dir" "$windir" HKCU "$menu" "$desktop" 0
only_one HKCU "$menu"
echo "Installed again over an older installation: its extra plugins are gone"

# For all users, over the installation for the current user.
wine64 "$setup" /S /ALLUSERS /DESKTOP || fail "installing for all users over the one for the current user failed with exit code $?"
check_installed "$all_dir" "$all_windir" HKLM "$all_menu" "$all_desktop" 1
only_one HKLM "$all_menu"
echo "Installed for all users over the installation for the current user: that one is gone"

# For the current user into another folder, over the installation for all users.
other_windir='C:\Apps\Velkaro'
other_dir=$(wine64 winepath -u "$other_windir" 2>/dev/null | tr -d '\r' | sed 's|/*$||')
wine64 "$setup" /S "/D=$other_windir" || fail "installing into $other_windir over the one for all users failed with exit code $?"
check_installed "$other_dir" "$other_windir" HKCU "$user_menu" "$user_desktop" 0
only_one HKCU "$user_menu"
echo "Installed for the current user in $other_windir over the installation for all users: that one is gone"

uninstall "$other_dir" "$other_windir" HKCU "$user_menu" "$user_desktop"

# --- For all users, with a desktop shortcut, and uninstalled ----------------------------------------

wine64 "$setup" /S /ALLUSERS /DESKTOP || fail "the silent installation for all users failed with exit code $?"
check_installed "$all_dir" "$all_windir" HKLM "$all_menu" "$all_desktop" 1
entry HKCU > /dev/null && fail "an installation for all users wrote HKCU\\$key"
uninstall "$all_dir" "$all_windir" HKLM "$all_menu" "$all_desktop"
