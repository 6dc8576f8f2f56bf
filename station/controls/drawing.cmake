# The drawing group: the owner-drawn drop-down menu with its toolbar images, gradients and
# the gradient progress bar with its off-screen DC and DC-attribute helpers, and the
# scrolling histogram.
add_library(station_controls_drawing STATIC
    ${CMAKE_CURRENT_LIST_DIR}/CDornoStaticHistogram.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGradient.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CMemDC.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CMyFont.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CProgress.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CProgressCtrlX.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CSelect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UxMenu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UxMenuImages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UxMenuMemDC.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UxMenuPaint.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UxMenuToolBar.cpp
)
target_link_libraries(station_controls_drawing PUBLIC platform_framework platform_commctrl)
# The progress bar window class comes from the standard controls.
if(TARGET platform_controls)
    target_link_libraries(station_controls_drawing PUBLIC platform_controls)
endif()

zorvel_add_test(NAME station_controls_drawing_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/CGradient_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/CMemDC_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/CSelect_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/CProgressCtrlX_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/CDornoStaticHistogram_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/UxMenu_test.cpp
    LIBS station_controls_drawing)
target_compile_definitions(station_controls_drawing_tests PRIVATE
    DRAWING_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf"
    STATION_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources/station")

# The menu path of the owner-drawn button, which attaches a UxMenu.
if(TARGET station_controls_buttons AND TARGET platform_controls)
    target_sources(station_controls_drawing_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/tests/ButtonSTMenu_test.cpp)
    target_link_libraries(station_controls_drawing_tests PRIVATE station_controls_buttons platform_controls)
endif()
