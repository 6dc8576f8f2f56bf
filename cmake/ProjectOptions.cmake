# Compiler flags shared by every target, and the helpers that module CMakeLists use.

option(ZORVEL_WERROR "Treat warnings as errors" OFF)
set(ZORVEL_SANITIZE "" CACHE STRING "Sanitizers: empty, 'address;undefined' or 'thread'")

add_compile_options(-Wall -Wextra)
if(ZORVEL_WERROR)
    add_compile_options(-Werror)
endif()
# GCC 12's optimiser reports overlaps and out-of-bounds copies inside the standard library's
# string and vector code that cannot happen (e.g. for `s = "/"`, `folder + "/run"` or inserting
# a std::array into a vector); optimised GCC builds leave those checks out rather than bend
# correct code around them.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    foreach(_check restrict array-bounds stringop-overread stringop-overflow)
        add_compile_options($<$<NOT:$<CONFIG:Debug>>:-Wno-${_check}>)
    endforeach()
endif()

# A release build is what a user starts, where every page of the programs and libraries counts
# in their resident memory (the installed files sit in the page cache, so a process maps
# nearly all of each): -O2 (in the preset) in place of -O3 and leaving out the functions
# nothing calls make the programs a fifth and the library stand-ins a third smaller, and their
# start takes less CPU time, not more.
add_compile_options($<$<CONFIG:Release>:-ffunction-sections>)
# Everything is built position-independent; without this, the compiler treats each exported
# function as replaceable at run time and neither inlines it nor calls it directly, even from
# its own file (the window table's look-ups, the shading's random numbers). Nothing here
# replaces a function of the project's own libraries at run time.
add_compile_options(-fno-semantic-interposition)
add_link_options($<$<CONFIG:Release>:LINKER:--gc-sections>)

if(ZORVEL_SANITIZE)
    list(JOIN ZORVEL_SANITIZE "," _zorvel_san)
    add_compile_options(-fsanitize=${_zorvel_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${_zorvel_san})
endif()

# The fuzz build (clang, ZORVEL_FUZZ=ON, wlan/fuzz/run.sh) compiles every library with the
# fuzzer's coverage, so libFuzzer sees the parsers' branches and not only the harness's.
option(ZORVEL_FUZZ "Build the libFuzzer targets of the outside-data parsers (clang only)" OFF)
set(ZORVEL_FUZZING OFF)
if(ZORVEL_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(ZORVEL_FUZZING ON)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# zorvel_add_fuzz(NAME name SOURCES a.cpp LIBS lib1 ...)
# A libFuzzer target, built in the fuzz build only, into <build>/fuzz/; its seed corpus is the
# folder fuzz/corpus/<name> beside its CMakeLists.txt (corpus/<name> in a fuzz/ folder). The target `fuzz_targets` builds them all.
function(zorvel_add_fuzz)
    cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
    if(NOT ZORVEL_FUZZING)
        return()
    endif()
    add_executable(${F_NAME} ${F_SOURCES})
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    if(NOT TARGET fuzz_targets)
        add_custom_target(fuzz_targets)
    endif()
    add_dependencies(fuzz_targets ${F_NAME})
    set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${F_NAME})
    if(CMAKE_CURRENT_SOURCE_DIR MATCHES "/fuzz$")
        set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${F_NAME})
    endif()
    set_property(GLOBAL APPEND PROPERTY ZORVEL_FUZZ_LIST "${F_NAME} ${seeds}")
endfunction()

# The list run.sh reads: one "<target> <seed folder>" per line.
function(_zorvel_fuzz_list)
    get_property(targets GLOBAL PROPERTY ZORVEL_FUZZ_LIST)
    list(JOIN targets "\n" text)
    file(WRITE ${CMAKE_BINARY_DIR}/fuzz/targets.txt "${text}\n")
endfunction()
if(ZORVEL_FUZZING)
    cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _zorvel_fuzz_list)
endif()

# zorvel_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS threaded] [LOCK resource])
# Tests sharing a LOCK never run at the same time (they look at the user's running processes).
# One GoogleTest binary per module, registered with CTest test by test. Tests labelled
# "threaded" also run under ThreadSanitizer; the target `threaded_tests` builds only those
# binaries (and what they need), so the ThreadSanitizer build skips the rest of the tree.
function(zorvel_add_test)
    cmake_parse_arguments(T "" "NAME;LOCK" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    # GoogleTest's header and the standard headers every test uses are parsed once per binary,
    # not once per test file: most of a test file's compile time went there.
    target_precompile_headers(${T_NAME} PRIVATE <gtest/gtest.h> <string> <vector> <memory>
        <functional> <filesystem>)
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    # An empty value would swallow the next property's name, so only given ones are listed.
    set(properties ENVIRONMENT "ZORVEL_TEST=1")
    if(T_LABELS)
        list(APPEND properties LABELS "${T_LABELS}")
    endif()
    if(T_LOCK)
        list(APPEND properties RESOURCE_LOCK "${T_LOCK}")
    endif()
    gtest_discover_tests(${T_NAME}
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
        PROPERTIES ${properties}
        DISCOVERY_TIMEOUT 60)
    if("threaded" IN_LIST T_LABELS)
        set_property(GLOBAL APPEND PROPERTY ZORVEL_THREADED_TESTS ${T_NAME})
    endif()
endfunction()

function(_zorvel_threaded_tests_target)
    get_property(tests GLOBAL PROPERTY ZORVEL_THREADED_TESTS)
    add_custom_target(threaded_tests)
    if(tests)
        add_dependencies(threaded_tests ${tests})
    endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _zorvel_threaded_tests_target)
