# Installs the build under /usr into a temporary DESTDIR, as the Debian package does, and checks
# the installed tree: exactly the expected files; the program; the desktop entry and the AppStream
# metadata valid by their validators and naming the program, the icon and each other; the icons
# PNGs at their sizes; the copyright file in Debian's format.
# Usage: cmake -DBUILD_DIR=... -DDESTDIR=... -DAPP_ID=... -DICON_SIZES="16;22;..." -P installtree.cmake

cmake_minimum_required(VERSION 3.21)

foreach(var BUILD_DIR DESTDIR APP_ID ICON_SIZES)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

set(failures "")
function(fail text)
    set(failures "${failures}\n  ${text}" PARENT_SCOPE)
endfunction()

# Runs a validator on a file; it must succeed and print nothing but what matches success.
function(validate tool file success)
    find_program(program ${tool} NO_CACHE)
    if(NOT program)
        fail("${tool} is not installed (scripts/deps.sh test installs it)")
        set(failures "${failures}" PARENT_SCOPE)
        return()
    endif()
    execute_process(COMMAND ${program} ${ARGN} ${file} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    set(rest "${out}")
    if(success)
        string(REGEX REPLACE "${success}" "" rest "${rest}")
    endif()
    string(STRIP "${rest}" rest)
    if(NOT rc EQUAL 0 OR NOT rest STREQUAL "")
        fail("${tool} ${file}: exit ${rc}\n${out}")
    endif()
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

# The value of a key in the [Desktop Entry] group (untranslated).
function(desktop_value file key out)
    file(STRINGS ${file} lines REGEX "^${key}=")
    list(GET lines 0 line)
    string(REGEX REPLACE "^${key}=" "" value "${line}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${DESTDIR})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${DESTDIR} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()
set(usr ${DESTDIR}/usr)
set(desktop share/applications/${APP_ID}.desktop)
set(metainfo share/metainfo/${APP_ID}.metainfo.xml)

# Exactly these files, nothing left out and nothing extra (no tools or tests).
set(expected bin/velkaro ${desktop} ${metainfo} share/doc/velkaro/copyright)
foreach(size IN LISTS ICON_SIZES)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${usr} ${DESTDIR}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
    string(REPLACE ";" "\n    " shown "${installed}")
    fail("installed files differ from the expected ones; installed:\n    ${shown}")
endif()

# The program: an executable ELF file.
execute_process(COMMAND sh -c "test -x \"$1\"" sh ${usr}/bin/velkaro RESULT_VARIABLE notExecutable)
if(EXISTS ${usr}/bin/velkaro)
    file(READ ${usr}/bin/velkaro magic LIMIT 4 HEX)
endif()
if(notExecutable OR NOT magic STREQUAL "7f454c46")
    fail("bin/velkaro is not an executable program")
endif()

# The desktop entry: valid, starting the installed program, showing the installed icon.
if(EXISTS ${usr}/${desktop})
    validate(desktop-file-validate ${usr}/${desktop} "")
    desktop_value(${usr}/${desktop} Exec exec)
    string(REGEX REPLACE " .*" "" command "${exec}")
    if(NOT IS_ABSOLUTE "${command}")
        set(command /usr/bin/${command})
    endif()
    if(NOT EXISTS ${DESTDIR}${command})
        fail("the desktop entry's Exec=${exec} names no installed program")
    endif()
    desktop_value(${usr}/${desktop} Icon icon)
    if(NOT icon STREQUAL APP_ID)
        fail("the desktop entry's Icon=${icon} is not ${APP_ID}")
    endif()
endif()

# The AppStream metadata: valid, with the application id and the desktop entry as launchable;
# validate-tree also checks that the desktop entry it names is installed.
if(EXISTS ${usr}/${metainfo})
    # AppStream 0.16 (Debian 12) does not know the <developer> tag that AppStream 1.0 (Debian 13)
    # asks for in place of <developer_name>; it notes it as unknown, a hint and no fault.
    set(success "[^\n]*Validation was successful[^\n]*|I: [^\n]*: unknown-tag developer")
    validate(appstreamcli ${usr}/${metainfo} "${success}" validate --no-net)
    validate(appstreamcli ${DESTDIR} "${success}|${APP_ID}\\.metainfo\\.xml" validate-tree --no-net)
    file(READ ${usr}/${metainfo} xml)
    if(NOT xml MATCHES "<id>${APP_ID}</id>")
        fail("the metadata's <id> is not ${APP_ID}")
    endif()
    if(NOT xml MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
        fail("the metadata does not launch ${APP_ID}.desktop")
    endif()
endif()

# The icons: PNGs whose header gives their folder's size.
foreach(size IN LISTS ICON_SIZES)
    set(png ${usr}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
    if(NOT EXISTS ${png})
        continue()
    endif()
    file(READ ${png} head LIMIT 24 HEX)
    string(SUBSTRING "${head}" 0 16 signature)
    string(SUBSTRING "${head}" 24 8 chunk)
    string(SUBSTRING "${head}" 32 8 widthHex)
    string(SUBSTRING "${head}" 40 8 heightHex)
    math(EXPR width "0x${widthHex}")
    math(EXPR height "0x${heightHex}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT chunk STREQUAL "49484452")
        fail("${png} is not a PNG")
    elseif(NOT width EQUAL size OR NOT height EQUAL size)
        fail("${png} is ${width} x ${height}")
    endif()
endforeach()

# The copyright file, in Debian's machine-readable format.
if(EXISTS ${usr}/share/doc/velkaro/copyright)
    file(STRINGS ${usr}/share/doc/velkaro/copyright format LIMIT_COUNT 1)
    if(NOT format STREQUAL "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
        fail("share/doc/velkaro/copyright is not in Debian's machine-readable format")
    endif()
endif()

if(failures)
    message(FATAL_ERROR "The installed tree in ${DESTDIR} is wrong:${failures}")
endif()
file(REMOVE_RECURSE ${DESTDIR})
list(LENGTH expected count)
message(STATUS "Installed ${count} files under /usr; all checks passed")
