# Part of `cmake --install` of the Windows build (packaging/windows/CMakeLists.txt sets the
# VELKARO_* variables): installs the Qt plugins into their folders, then every DLL that the
# program and the plugins load, and the DLLs those load, beside the program, stripped.
#
# file(GET_RUNTIME_DEPENDENCIES) reads the PE files' imports with MinGW's objdump. For PE files it
# turns every DLL name into lower case, as Windows compares them, and then looks for that name in
# the folders given; on Linux, whose file names keep their case, it would not find Qt6Core.dll as
# qt6core.dll. So it looks in a folder of links under lower-case names to the DLLs of Qt's and
# MinGW's folders, and each link found is installed as the file it leads to, under its own name.
#
# A DLL found in none of those folders must be one of Windows' own: any other stops the install.

set(windows_dlls
    advapi32 authz comdlg32 d3d9 d3d11 d3d12 dwmapi dwrite dxgi gdi32 imm32 kernel32 mpr msvcrt
    netapi32 ole32 oleaut32 setupapi shell32 shcore shlwapi user32 userenv uxtheme version
    winmm ws2_32 wtsapi32)
list(TRANSFORM windows_dlls APPEND "\\.dll$")
list(TRANSFORM windows_dlls PREPEND "^")

set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${VELKARO_OBJDUMP}")

# The plugins, each into its folder.
set(modules "")
set(installed "")
foreach(entry IN LISTS VELKARO_PLUGINS)
    string(REGEX MATCH "^([^=]*)=(.*)$" _ "${entry}")
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${CMAKE_MATCH_1}" TYPE SHARED_LIBRARY FILES "${CMAKE_MATCH_2}")
    get_filename_component(name "${CMAKE_MATCH_2}" NAME)
    list(APPEND installed "${CMAKE_INSTALL_PREFIX}/${CMAKE_MATCH_1}/${name}")
    list(APPEND modules "${CMAKE_MATCH_2}")
endforeach()

# The links under lower-case names; the first folder that has a DLL gives it.
file(REMOVE_RECURSE "${VELKARO_DLL_NAMES_DIR}")
file(MAKE_DIRECTORY "${VELKARO_DLL_NAMES_DIR}")
foreach(dir IN LISTS VELKARO_DLL_DIRS)
    file(GLOB dlls "${dir}/*.dll")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" lower)
        if(NOT EXISTS "${VELKARO_DLL_NAMES_DIR}/${lower}")
            file(CREATE_LINK "${dll}" "${VELKARO_DLL_NAMES_DIR}/${lower}" SYMBOLIC)
        endif()
    endforeach()
endforeach()

file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${VELKARO_PROGRAM}"
    MODULES ${modules}
    DIRECTORIES "${VELKARO_DLL_NAMES_DIR}"
    RESOLVED_DEPENDENCIES_VAR found
    UNRESOLVED_DEPENDENCIES_VAR unresolved
    CONFLICTING_DEPENDENCIES_PREFIX conflicting
    PRE_EXCLUDE_REGEXES "^api-ms-win-" "^ext-ms-win-")
if(conflicting_FILENAMES)
    message(FATAL_ERROR "DLLs found in more than one folder: ${conflicting_FILENAMES}")
endif()
set(unknown "")
foreach(name IN LISTS unresolved)
    set(known FALSE)
    foreach(pattern IN LISTS windows_dlls)
        if(name MATCHES "${pattern}")
            set(known TRUE)
        endif()
    endforeach()
    if(NOT known)
        list(APPEND unknown "${name}")
    endif()
endforeach()
if(unknown)
    message(FATAL_ERROR "The program needs DLLs that are neither Qt's, MinGW's nor Windows' own: ${unknown}"
                        " (looked for in ${VELKARO_DLL_DIRS})")
endif()

foreach(link IN LISTS found)
    file(REAL_PATH "${link}" dll)
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}" TYPE SHARED_LIBRARY FILES "${dll}")
    get_filename_component(name "${dll}" NAME)
    list(APPEND installed "${CMAKE_INSTALL_PREFIX}/${name}")
endforeach()

foreach(file IN LISTS installed)
    execute_process(COMMAND "${VELKARO_STRIP}" --strip-unneeded "${file}" RESULT_VARIABLE stripped)
    if(NOT stripped EQUAL 0)
        message(FATAL_ERROR "Could not strip ${file}")
    endif()
endforeach()
