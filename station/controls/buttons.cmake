# The button group: the owner-drawn button with its icons and tool tip, the shaded button with
# its palette images, the separator line and the self-sorting arrays. Included by
# station/controls/CMakeLists.txt, which links the library into station_controls.
set(_buttons_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(station_controls_buttons STATIC
    ${_buttons_dir}/ButtonST.cpp
    ${_buttons_dir}/ButtonSTMenu.cpp
    ${_buttons_dir}/ButtonSTPaint.cpp
    ${_buttons_dir}/ButtonIcons.cpp
    ${_buttons_dir}/ButtonToolTip.cpp
    ${_buttons_dir}/CeXDib.cpp
    ${_buttons_dir}/ShadePatterns.cpp
    ${_buttons_dir}/ShadeButtonST.cpp
    ${_buttons_dir}/Separator.cpp
    ${_buttons_dir}/SortArrays.cpp
)
target_link_libraries(station_controls_buttons PUBLIC platform_framework station_controls_drawing)

# The tests create real button and static windows, so they need the standard controls.
if(TARGET platform_controls)
    zorvel_add_test(NAME station_controls_buttons_tests
        SOURCES
            ${_buttons_dir}/tests/ButtonST_test.cpp
            ${_buttons_dir}/tests/ButtonIcons_test.cpp
            ${_buttons_dir}/tests/CeXDib_test.cpp
            ${_buttons_dir}/tests/ShadeButtonST_test.cpp
            ${_buttons_dir}/tests/Separator_test.cpp
            ${_buttons_dir}/tests/SortArrays_test.cpp
        LIBS station_controls_buttons platform_controls)
    target_compile_definitions(station_controls_buttons_tests PRIVATE
        BUTTONS_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf"
        BUTTONS_GOLDEN_DIR="${_buttons_dir}/tests/goldens"
        BUTTONS_ICON_DIR="${CMAKE_SOURCE_DIR}/resources/station/icons")
endif()
