#!/usr/bin/env bash
# The program for 64-bit Windows, cross-built on Debian 12.
#
#   scripts/windows.sh           makes build-windows/velkaro-<version>-windows-x64-setup.exe, the
#                                setup program, and build-windows/velkaro-<version>-windows-x64.zip
#   scripts/windows.sh --test    also builds the tests for Windows and runs them under Wine on a
#                                virtual X server, installs and uninstalls the setup program there,
#                                then runs the program itself from start to finish
#
# Installs what is missing with apt (scripts/deps.sh windows). Qt for Windows is built once per
# machine from Debian's own source package (the qtbase that qt6-base-dev is, with the moc, rcc and
# uic of that package) and kept under ~/.cache/velkaro/, one folder per Qt version and set of
# configure options; later runs reuse it. The first build takes half an hour to an hour and a half
# on two cores, by load; one that stops part way is resumed where it stopped by the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

# Every stop says why: ours through stop(), any other failing command through this trap.
stop() { echo "scripts/windows.sh: $*" >&2; exit 1; }
trap 'echo "scripts/windows.sh: stopped at line $LINENO, where \"$BASH_COMMAND\" failed" >&2' ERR

run_tests=0
case "${1:-}" in
    "") ;;
    --test) run_tests=1 ;;
    *) echo "usage: $0 [--test]" >&2; exit 2 ;;
esac

# Qt for Windows is built from the source of the Qt that Debian 12 installs (qt6-base-dev), whose
# moc, rcc and uic the build uses: another release has another Qt, or none of these packages.
os_release=/etc/os-release
[ -f $os_release ] || os_release=/usr/lib/os-release
os_id=$(. $os_release && echo "${ID:-}")
os_version=$(. $os_release && echo "${VERSION_ID:-}")
if [ "$os_id" != debian ] || [ "$os_version" != 12 ]; then
    os_name=$(. $os_release && echo "${NAME:-unknown} ${VERSION_ID:-}${VERSION_CODENAME:+ ($VERSION_CODENAME)}")
    echo "scripts/windows.sh builds Qt for Windows from Debian 12's qtbase source package and supports" \
         "Debian 12 (bookworm) only; this is ${os_name/Debian GNU\/Linux/Debian}." >&2
    exit 1
fi

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

# --- What the build needs --------------------------------------------------------------------

if [ $run_tests -eq 1 ]; then
    bash scripts/deps.sh windows-test || stop "could not install the packages it needs (apt's messages above say why)"
else
    bash scripts/deps.sh windows || stop "could not install the packages it needs (apt's messages above say why)"
fi

# The Debian source entries this script adds to apt's sources to fetch Qt's source, removed once
# it has the source, and on any stop (also those an earlier run left).
added_sources=()
for f in /etc/apt/sources.list.d/velkaro-deb-src.list /etc/apt/sources.list.d/velkaro-deb-src.sources; do
    [ -e "$f" ] && added_sources+=("$f")
done
remove_added_sources() {
    [ ${#added_sources[@]} -gt 0 ] || return 0
    "${sudo[@]}" rm -f "${added_sources[@]}" \
        && echo "Removed the source entries it had added to apt: ${added_sources[*]}" \
        || echo "scripts/windows.sh: could not remove ${added_sources[*]}; remove them by hand" >&2
    added_sources=()
}
trap remove_added_sources EXIT

# --- Qt for Windows ----------------------------------------------------------------------------

qt_deb_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)   # 6.4.2+dfsg-10
qt_version=${qt_deb_version%%+*}
qt_version=${qt_version%%-*}
toolchain=$source_dir/scripts/mingw-w64-x86_64.cmake

# Core, Gui, Widgets and Test with Qt's own copies of zlib, libpng, FreeType, HarfBuzz and PCRE2
# (the MinGW zlib that apt may have installed is not shipped); nothing the program does not use.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_direct2d=OFF -DFEATURE_icu=OFF -DFEATURE_testlib=ON
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
    # Qt 6.4.2 still asks for these when OpenGL and Direct2D are off.
    -DFEATURE_dynamicgl=OFF -DFEATURE_directwrite3=OFF
    # Tablet input in the Windows platform plugin needs the Wintab headers, which Debian's
    # source package leaves out (src/3rdparty/wintab, for its licence).
    -DFEATURE_tabletevent=OFF
)
key=$( { echo "$qt_deb_version"; printf '%s\n' "${qt_options[@]}"; cat "$toolchain";
         x86_64-w64-mingw32-g++-posix --version | head -1; } | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/velkaro
qt_prefix=$cache/qt-$qt_version-windows-x64-$key

if [ -f "$qt_prefix/.complete" ]; then
    echo "Qt $qt_version for Windows: $qt_prefix (cached)"
else
    echo "Building Qt $qt_version for Windows into $qt_prefix (once per machine)"
    # The work folder stays when a step fails: the next run fetches the source again only if it
    # was not all fetched, configures again only if configuring did not finish, and otherwise
    # resumes the build where it stopped.
    qt_work=$qt_prefix.work
    rm -rf "$qt_prefix"
    started=$(date +%s)

    if [ ! -f "$qt_work/.configured" ] && [ ! -f "$qt_work/.fetched" ]; then
        rm -rf "$qt_work"
        mkdir -p "$qt_work"
        # Debian's source package for the installed version, from the mirror apt already uses: add
        # source entries like the binary ones if apt has none.
        if [ -z "$(apt-cache showsrc qt6-base 2>/dev/null | head -1)" ] \
           && grep -rqs '^ *\(Types:.*\)\?deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
            "${sudo[@]}" apt-get update -q || stop "apt-get update failed (its messages above)"
        fi
        if [ -z "$(apt-cache showsrc qt6-base 2>/dev/null | head -1)" ]; then
            echo "Adding the Debian source entries that match the binary ones"
            {
                for f in /etc/apt/sources.list.d/*.sources; do
                    [ -f "$f" ] && awk 'BEGIN{RS=""; ORS="\n\n"} /(^|\n)Types:[^\n]*deb( |\n|$)/ && /debian/ {
                        sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f"
                done
            } > "$qt_work/velkaro-deb-src.sources"
            if [ -f /etc/apt/sources.list ]; then
                sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list > "$qt_work/velkaro-deb-src.list"
                added_sources+=(/etc/apt/sources.list.d/velkaro-deb-src.list)
                "${sudo[@]}" cp "$qt_work/velkaro-deb-src.list" /etc/apt/sources.list.d/velkaro-deb-src.list \
                    || stop "could not add Debian's source entries to /etc/apt/sources.list.d"
            fi
            added_sources+=(/etc/apt/sources.list.d/velkaro-deb-src.sources)
            "${sudo[@]}" cp "$qt_work/velkaro-deb-src.sources" /etc/apt/sources.list.d/velkaro-deb-src.sources \
                || stop "could not add Debian's source entries to /etc/apt/sources.list.d"
            "${sudo[@]}" apt-get update -q || stop "apt-get update failed (its messages above)"
        fi
        (cd "$qt_work" && apt-get source -q "qt6-base=$qt_deb_version" > source.log 2>&1) \
            || { cat "$qt_work/source.log"; stop "could not fetch Debian's source package qt6-base $qt_deb_version (apt-get source's messages above)"; }
        touch "$qt_work/.fetched"
    fi
    remove_added_sources
    qt_source=$(find "$qt_work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')

    if [ -f "$qt_work/.configured" ]; then
        echo "Resuming the build of Qt in $qt_work where it stopped"
    else
        rm -rf "$qt_work/build"
        nice cmake -S "$qt_source" -B "$qt_work/build" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
            -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            "${qt_options[@]}" > "$qt_work/configure.log" 2>&1 \
            || { tail -50 "$qt_work/configure.log"; stop "configuring Qt failed (the end of $qt_work/configure.log above)"; }
        touch "$qt_work/.configured"
    fi
    nice cmake --build "$qt_work/build" --parallel "$(nproc)" >> "$qt_work/build.log" 2>&1 \
        || { grep -B2 -A20 -m3 'error' "$qt_work/build.log" || tail -50 "$qt_work/build.log"
             stop "building Qt failed (above, from $qt_work/build.log); run the script again to resume the build where it stopped"; }
    cmake --install "$qt_work/build" > "$qt_work/install.log" 2>&1 \
        || { tail -20 "$qt_work/install.log"; stop "installing Qt into $qt_prefix failed (the end of $qt_work/install.log above)"; }
    rm -rf "$qt_work"
    echo "$qt_deb_version" > "$qt_prefix/.complete"
    echo "Qt for Windows built in $(( ($(date +%s) - started) / 60 )) min $(( ($(date +%s) - started) % 60 )) s"
fi

# --- The program for Windows ---------------------------------------------------------------------

out=$source_dir/build-windows
cross_build=$out/build
mkdir -p "$out/host"

# bankgen makes the word banks and makeresources the program's icon during the build, so they
# are built for this machine.
if [ ! -x "$out/host/bankgen" ] || [ wordbank/bankgen.cpp -nt "$out/host/bankgen" ]; then
    c++ -std=c++20 -O2 -Wall -Wextra -Werror -o "$out/host/bankgen" wordbank/bankgen.cpp \
        || stop "could not build bankgen for this machine (the compiler's messages above)"
fi
if [ ! -x "$out/host/makeresources" ] || [ resources/makeresources.cpp -nt "$out/host/makeresources" ]; then
    # shellcheck disable=SC2046 # pkg-config's flags are separate words
    c++ -std=c++20 -O2 -Wall -Wextra -Werror -fPIC $(pkg-config --cflags Qt6Gui) \
        -o "$out/host/makeresources" resources/makeresources.cpp $(pkg-config --libs Qt6Gui) \
        || stop "could not build makeresources for this machine (the compiler's messages above)"
fi

nice cmake -S . -B "$cross_build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$qt_prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DVELKARO_HOST_BANKGEN="$out/host/bankgen" -DVELKARO_HOST_MAKERESOURCES="$out/host/makeresources" \
    -DVELKARO_QT_SOURCE_VERSION="$qt_deb_version" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$source_dir/tests/winerun.sh" > /dev/null \
    || stop "configuring the cross-build in $cross_build failed (CMake's messages above)"
if [ $run_tests -eq 1 ]; then
    nice cmake --build "$cross_build" || stop "the cross-build failed (the messages above)"
else
    nice cmake --build "$cross_build" --target velkaro setuppicture || stop "the cross-build failed (the messages above)"
fi

# The version, as project() in CMakeLists.txt gives it, read here alone and handed on.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$cross_build/CMakeCache.txt")
[ -n "$version" ] || stop "found no CMAKE_PROJECT_VERSION in $cross_build/CMakeCache.txt"
name=velkaro-$version-windows-x64

# --- The program's folder, from CMake's install rules; its manifest lists every file -----------------

stage=$out/$name
rm -rf "$stage" "$out/$name.zip"
cmake --install "$cross_build" --prefix "$stage" --strip > "$out/install.log" 2>&1 \
    || { cat "$out/install.log"; stop "installing the program's folder into $stage failed (the messages above)"; }
# The manifest's files, relative to the folder, in one order for all that follows.
files=$out/files.txt
sed "s|^$stage/||" "$cross_build/install_manifest.txt" | LC_ALL=C sort > "$files"
[ "$(wc -l < "$files")" -eq "$(find "$stage" -type f | wc -l)" ] \
    || stop "$stage holds files that install_manifest.txt does not list"

# --- The zip: unzip anywhere and run velkaro.exe -----------------------------------------------

(cd "$out" && sed "s|^|$name/|" "$files" | zip -q -9 "$name.zip" -@) || stop "could not make $out/$name.zip"
echo "Made $out/$name.zip ($(du -k "$out/$name.zip" | cut -f1) KiB; $(du -sk "$stage" | cut -f1) KiB unpacked)"

# --- The setup program: the same files, installed with a Start-menu entry and an uninstaller ------

setup=$out/$name-setup.exe
setup_work=$out/setup
rm -rf "$setup_work" "$setup"
mkdir -p "$setup_work"
# What it installs and, the other way round, what its uninstaller removes: exactly the manifest's
# files, then their folders if they are empty.
windows_path() { local path=$1; echo "${path//\//\\}"; }
while IFS= read -r file; do
    folder=$(dirname "$file")
    [ "$folder" = . ] && folder="" || folder="\\$(windows_path "$folder")"
    if [ "${folder}" != "${last_folder-none}" ]; then
        echo "SetOutPath \"\$INSTDIR$folder\""
        last_folder=$folder
    fi
    echo "File \"$stage/$file\""
done < <(awk -F/ '{ print NF - 1 "\t" $0 }' "$files" | sort -t "$(printf '\t')" -k1,1n -k2 | cut -f2-) \
    > "$setup_work/install-files.nsh"
while IFS= read -r file; do
    echo "Delete \"\$INSTDIR\\$(windows_path "$file")\""
done < "$files" > "$setup_work/uninstall-files.nsh"
# The folders, the deepest first.
while IFS= read -r file; do
    dir=$(dirname "$file")
    while [ "$dir" != . ]; do echo "$dir"; dir=$(dirname "$dir"); done
done < "$files" | LC_ALL=C sort -u -r | while IFS= read -r dir; do
    echo "RMDir \"\$INSTDIR\\$(windows_path "$dir")\""
done >> "$setup_work/uninstall-files.nsh"
# The licence page: a word in Chinese (a line a sentence: the page wraps them), then LICENSE as it is (UTF-8 with a byte-order mark and
# Windows line ends, as the page reads text).
{
    printf '\xef\xbb\xbf'
    echo "Velkaro 2005 的程序按 MIT 许可证发布，词表按 CC BY-SA 4.0 发布，全文（英文）如下。"
    echo "随附的 Qt、MinGW 运行库和字体的许可证在安装文件夹的 licences 文件夹里。"
    echo
    cat LICENSE
} | sed 's/$/\r/' > "$setup_work/licence.txt"
version4=$(echo "$version.0.0.0" | cut -d. -f1-4)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION4="$version4" \
    -DINSTALL_FILES="$setup_work/install-files.nsh" -DUNINSTALL_FILES="$setup_work/uninstall-files.nsh" \
    -DLICENSE_FILE="$setup_work/licence.txt" -DICON="$cross_build/resources/velkaro.ico" \
    -DPICTURE="$cross_build/resources/setup-picture.bmp" \
    -DOUTFILE="$setup" packaging/windows/setup.nsi > "$setup_work/makensis.log" 2>&1 \
    || { cat "$setup_work/makensis.log"; stop "makensis could not make the setup program (its messages above)"; }
echo "Made $setup ($(du -k "$setup" | cut -f1) KiB)"

[ $run_tests -eq 1 ] || exit 0
bash tests/underwine.sh "$cross_build" "$stage" "$qt_prefix" "$version" "$out/wine-shots" "$setup" \
    || stop "the tests under Wine failed (above)"
