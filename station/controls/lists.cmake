# The lists group: CQuickList, the owner-data report list every page's lists are built on,
# with its cell records, colour rules, cell layout and cell painting. Included by
# station/controls/CMakeLists.txt, which links the library into station_controls.
set(_lists_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(station_controls_lists STATIC
    ${_lists_dir}/QuickListRecords.cpp
    ${_lists_dir}/QuickCellColours.cpp
    ${_lists_dir}/QuickCellLayout.cpp
    ${_lists_dir}/QuickCellPainter.cpp
    ${_lists_dir}/CQuickList.cpp
    ${_lists_dir}/CQuickListInput.cpp
    ${_lists_dir}/CQuickListTips.cpp
)
# The level bars are painted by the drawing group's CGradient.
target_link_libraries(station_controls_lists PUBLIC station_controls_drawing platform_framework platform_commctrl)

zorvel_add_test(NAME station_controls_lists_tests
    SOURCES
        ${_lists_dir}/tests/QuickCellPainter_test.cpp
        ${_lists_dir}/tests/CQuickList_test.cpp
    LIBS station_controls_lists)
target_compile_definitions(station_controls_lists_tests PRIVATE
    LISTS_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf")
