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
    -DCMAKE_CROSSCOMPILING_EMULATOR="$source_dir/tests/winerun.sh" > /dev/null \
    || stop "configuring the cross-build in $cross_build failed (CMake's messages above)"
if [ $run_tests -eq 1 ]; then
    nice cmake --build "$cross_build" || stop "the cross-build failed (the messages above)"
else
    nice cmake --build "$cross_build" --target velkaro || stop "the cross-build failed (the messages above)"
fi

# --- The zip: unzip anywhere and run velkaro.exe -----------------------------------------------

version=$(sed -n 's/^project(Velkaro VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=velkaro-$version-windows-x64
stage=$out/$name
rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations" "$stage/fonts" "$stage/licences"

cp "$cross_build/velkaro.exe" "$stage/" # Qt puts a Windows build's programs in its top folder
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$stage/platforms/"
# The style of Windows' own controls (visual styles, as the windows were drawn with).
cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"

# The DLLs these load, and the DLLs those load: Qt's and MinGW's runtime; the rest are Windows'.
dll_dirs=("$qt_prefix/bin" /usr/lib/gcc/x86_64-w64-mingw32/*-posix /usr/x86_64-w64-mingw32/lib)
pending=("$stage/velkaro.exe" "$stage/platforms/qwindows.dll" "$stage/styles/qwindowsvistastyle.dll")
while [ ${#pending[@]} -gt 0 ]; do
    file=${pending[0]}
    pending=("${pending[@]:1}")
    for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
        [ -e "$stage/$dll" ] && continue
        for dir in "${dll_dirs[@]}"; do
            if [ -f "$dir/$dll" ]; then
                cp "$dir/$dll" "$stage/"
                pending+=("$stage/$dll")
                break
            fi
        done
    done
done
find "$stage" -name '*.dll' -o -name '*.exe' | xargs x86_64-w64-mingw32-strip --strip-unneeded

# Qt finds its plugins beside the program and its Chinese texts in translations/.
printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' > "$stage/qt.conf"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$stage/translations/"

# The free faces that the program names after Windows' own, for a Windows without them: IPAMincho
# for the Japanese lines, AR PL SungtiL GB for the meaning, WenQuanYi Micro Hei for the controls.
cp /usr/share/fonts/opentype/ipafont-mincho/ipam.ttf /usr/share/fonts/truetype/arphic-gbsn00lp/gbsn00lp.ttf \
   /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$stage/fonts/"

# Our licence and the word lists' credit; the licences of everything else in the zip, as the
# Debian packages it comes from give them.
cp LICENSE "$stage/LICENSE.txt"
for package in qt6-base-dev qt6-translations-l10n gcc-mingw-w64-base mingw-w64-common \
               fonts-ipafont-mincho fonts-arphic-gbsn00lp fonts-wqy-microhei; do
    cp -L "/usr/share/doc/$package/copyright" "$stage/licences/$package.txt"
done
zcat /usr/share/doc/fonts-arphic-gbsn00lp/license/english/ARPHICPL.TXT.gz > "$stage/licences/fonts-arphic-gbsn00lp-licence.txt"
cat > "$stage/licences/README.txt" <<TEXT
What this folder holds, and for what in the zip:

  qt6-base-dev.txt           Qt $qt_version (the Qt6*.dll files, platforms/, styles/), built from
                             Debian's source package qt6-base $qt_deb_version; LGPL-3.0 or GPL
  qt6-translations-l10n.txt  translations/qtbase_zh_CN.qm
  gcc-mingw-w64-base.txt     libstdc++-6.dll, libgcc_s_seh-1.dll (GCC runtime library exception)
  mingw-w64-common.txt       libwinpthread-1.dll
  fonts-ipafont-mincho.txt   fonts/ipam.ttf, IPAMincho (IPA Font License 1.0)
  fonts-arphic-gbsn00lp.txt  fonts/gbsn00lp.ttf, AR PL SungtiL GB (Arphic Public License,
                             in full in fonts-arphic-gbsn00lp-licence.txt)
  fonts-wqy-microhei.txt     fonts/wqy-microhei.ttc, WenQuanYi Micro Hei (Apache 2.0 or GPL-3 with
                             the font exception)

The program itself and its word lists: LICENSE.txt, beside velkaro.exe.
TEXT
(cd "$out" && zip -q -r -9 "$name.zip" "$name") || stop "could not make $out/$name.zip"
echo "Made $out/$name.zip ($(du -k "$out/$name.zip" | cut -f1) KiB; $(du -sk "$stage" | cut -f1) KiB unpacked)"

# --- The setup program: the same files, installed with a Start-menu entry and an uninstaller ------

setup=$out/$name-setup.exe
setup_work=$out/setup
rm -rf "$setup_work" "$setup"
mkdir -p "$setup_work"
# What it installs and, the other way round, what its uninstaller removes: exactly these files,
# then their folders if they are empty.
(
    cd "$stage"
    find . -type d | sort | while IFS= read -r dir; do
        folder=${dir#.}
        echo "SetOutPath \"\$INSTDIR${folder//\//\\}\""
        find "$dir" -maxdepth 1 -type f | sort | while IFS= read -r file; do echo "File \"$stage/${file#./}\""; done
    done > "$setup_work/install-files.nsh"
    find . -type f | sort | while IFS= read -r file; do
        file=${file#.}
        echo "Delete \"\$INSTDIR${file//\//\\}\""
    done > "$setup_work/uninstall-files.nsh"
    find . -mindepth 1 -type d | sort -r | while IFS= read -r dir; do
        dir=${dir#.}
        echo "RMDir \"\$INSTDIR${dir//\//\\}\""
    done >> "$setup_work/uninstall-files.nsh"
)
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
    -DOUTFILE="$setup" packaging/windows/setup.nsi > "$setup_work/makensis.log" 2>&1 \
    || { cat "$setup_work/makensis.log"; stop "makensis could not make the setup program (its messages above)"; }
echo "Made $setup ($(du -k "$setup" | cut -f1) KiB)"

[ $run_tests -eq 1 ] || exit 0
bash tests/underwine.sh "$cross_build" "$stage" "$qt_prefix" "$out/wine-shots" "$setup" \
    || stop "the tests under Wine failed (above)"
