# The test-support library of the tests that run under a private Xvfb, here and in the
# top-level end-to-end tests: the Xvfb server, a test tray manager, and the desktop as a test
# of a whole program sees it (its header names no X11 type). Included by the display module's
# CMakeLists.txt, where the X11 package target is visible.
add_library(platform_display_x11_test_support STATIC
    ${CMAKE_CURRENT_LIST_DIR}/XvfbServer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TestTrayManager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TestDesktop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TestWindowManager.cpp
)
target_include_directories(platform_display_x11_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(platform_display_x11_test_support PUBLIC PkgConfig::X11_DEPS GTest::gtest PRIVATE ${CMAKE_DL_LIBS})
