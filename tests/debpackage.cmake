# Makes the Debian package with CPack into a temporary folder and checks it: dependencies from
# the program's shared libraries (dpkg-shlibdeps) plus the fonts and Qt's translations, every
# file under /usr, the program and the copyright file in it.
# Usage: cmake -DBUILD_DIR=... -DWORK_DIR=... -P debpackage.cmake

cmake_minimum_required(VERSION 3.21)

file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs ${WORK_DIR}/*.deb)
list(LENGTH debs count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack -G DEB made no package (exit ${rc}):\n${out}")
endif()

set(failures "")
execute_process(COMMAND dpkg-deb --field ${debs} Depends OUTPUT_VARIABLE depends OUTPUT_STRIP_TRAILING_WHITESPACE)
foreach(package fonts-ipafont-mincho fonts-arphic-gbsn00lp fonts-wqy-microhei qt6-translations-l10n
        libqt6widgets6 libc6)
    if(NOT depends MATCHES "(^|, )${package}( |,|$)")
        string(APPEND failures "\n  Depends lacks ${package}: ${depends}")
    endif()
endforeach()

execute_process(COMMAND dpkg-deb --contents ${debs} OUTPUT_VARIABLE listing)
string(REGEX MATCHALL "\\./[^\n]*" paths "${listing}")
foreach(path IN LISTS paths)
    if(NOT path MATCHES "^\\./usr/")
        string(APPEND failures "\n  outside /usr: ${path}")
    endif()
endforeach()
foreach(path ./usr/bin/velkaro ./usr/share/doc/velkaro/copyright)
    if(NOT path IN_LIST paths)
        string(APPEND failures "\n  missing ${path}")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "The package ${debs} is wrong:${failures}")
endif()
file(SIZE ${debs} size)
file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "${debs}: ${size} bytes\n  Depends: ${depends}")
