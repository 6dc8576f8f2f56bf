# The dialogs group: the resizable base dialog, the message box, the multi-column combo box,
# the filtering edit with its linked slider and pop-up hint, and, once the button group is
# there, the tab host and the identity re-prompt (they hold shaded buttons). Included by
# station/controls/CMakeLists.txt after the other groups, which links it into station_controls.
set(_dialogs_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(station_controls_dialogs STATIC
    ${_dialogs_dir}/CResizeDlg.cpp
    ${_dialogs_dir}/CMessageBoxDlg.cpp
    ${_dialogs_dir}/CComboBoxSuper.cpp
    ${_dialogs_dir}/CSmartEdit.cpp
    ${_dialogs_dir}/CLinkSlider.cpp
    ${_dialogs_dir}/CInfoWnd.cpp
    ${_dialogs_dir}/PageFrame.cpp
    ${_dialogs_dir}/SelCardDlg.cpp
)
target_link_libraries(station_controls_dialogs PUBLIC platform_framework station_core)

set(_dialogs_tests
    ${_dialogs_dir}/tests/CResizeDlg_test.cpp
    ${_dialogs_dir}/tests/CMessageBoxDlg_test.cpp
    ${_dialogs_dir}/tests/CComboBoxSuper_test.cpp
    ${_dialogs_dir}/tests/CSmartEdit_test.cpp
    ${_dialogs_dir}/tests/CInfoWnd_test.cpp
)
if(TARGET station_controls_buttons)
    target_sources(station_controls_dialogs PRIVATE
        ${_dialogs_dir}/CTabDialog.cpp
        ${_dialogs_dir}/CInvalidIDPW.cpp
    )
    target_link_libraries(station_controls_dialogs PUBLIC station_controls_buttons)
    list(APPEND _dialogs_tests
        ${_dialogs_dir}/tests/CTabDialog_test.cpp
        ${_dialogs_dir}/tests/CInvalidIDPW_test.cpp
    )
endif()

# The tests make real controls and load the station utility's own templates, so they need its
# resource file.
set(_dialogs_resources ${CMAKE_SOURCE_DIR}/resources/station/Zorvel.res)
if(TARGET platform_controls AND EXISTS ${_dialogs_resources})
    zorvel_add_test(NAME station_controls_dialogs_tests
        SOURCES ${_dialogs_tests}
        LIBS station_controls_dialogs platform_controls)
    target_compile_definitions(station_controls_dialogs_tests PRIVATE
        DIALOGS_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf"
        DIALOGS_RESOURCES="${_dialogs_resources}")
endif()
