# Fails when a source file outside platform/display/x11/ includes an X11 header: the rest of
# the tree must build and be read without knowing about X. Run as a CTest test:
#   cmake -DROOT=<source tree> -P CheckX11Includes.cmake
file(GLOB_RECURSE sources RELATIVE ${ROOT}
    ${ROOT}/*.h ${ROOT}/*.hpp ${ROOT}/*.c ${ROOT}/*.cc ${ROOT}/*.cpp ${ROOT}/*.cxx)
set(offenders "")
foreach(source IN LISTS sources)
    # The desktop benchmark's own programs are X clients by nature: a bare window to compare
    # against, and a tray manager that times the programs.
    if(source MATCHES "^(build|\\.git)/" OR source MATCHES "^platform/display/x11/" OR source MATCHES "^bench/desktop/")
        continue()
    endif()
    file(STRINGS ${ROOT}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]X11/")
    if(lines)
        list(APPEND offenders "${source}: ${lines}")
    endif()
endforeach()
if(offenders)
    list(JOIN offenders "\n  " report)
    message(FATAL_ERROR "X11 headers included outside platform/display/x11/:\n  ${report}")
endif()
list(LENGTH sources count)
message(STATUS "X11 headers only under platform/display/x11/ (${count} files checked)")
