# The configuration window: its sources join the program's library. Its pages live in the
# survey, profiles and features modules below this folder.
target_sources(station_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/VxUI2008Dlg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VxUI2008DlgLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VxUI2008DlgPages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VxUI2008DlgRadio.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VxUI2008DlgExchange.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VxUI2008DlgRoutes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WpsImport.cpp
)

foreach(pages station_survey station_profiles station_features)
    if(TARGET ${pages})
        target_link_libraries(station_app PUBLIC ${pages})
    endif()
endforeach()

zorvel_add_test(NAME station_window_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/ap_detail_e2e_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/config_window_build_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/config_window_labels_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/config_window_layout_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/config_window_radio_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/config_window_routes_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/config_window_snapshot_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/link_status_e2e_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/site_survey_e2e_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/survey_connect_e2e_test.cpp
    LIBS station_app platform_display wlan_sim
    LABELS threaded)
target_compile_definitions(station_window_tests PRIVATE
    VXWLAPI_FOLDER="${CMAKE_BINARY_DIR}/bin"
    STATION_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources/station"
    WINDOW_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf"
    WINDOW_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/tests/config_window_goldens")
if(TARGET VxWLAPI)
    add_dependencies(station_window_tests VxWLAPI)
endif()
if(TARGET wlansim)
    add_dependencies(station_window_tests wlansim)
endif()

# The hosted network, about and statistics pages end to end: the program, the stand-in and
# wlansim.
if(TARGET platform_display AND TARGET wlansim)
    zorvel_add_test(NAME station_hosted_network_tests
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/hosted_network_e2e_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/tests/statistics_e2e_test.cpp
        LIBS station_app platform_display
        LABELS threaded)
    target_compile_definitions(station_hosted_network_tests PRIVATE
        VXWLAPI_FOLDER="${CMAKE_BINARY_DIR}/bin"
        STATION_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources/station"
        WINDOW_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf")
    add_dependencies(station_hosted_network_tests VxWLAPI wlansim Zorvel)
endif()

# The 802.11n page and its block-acknowledgement dialogs end to end: the program, the stand-in
# and wlansim.
if(TARGET platform_display AND TARGET wlansim)
    zorvel_add_test(NAME station_blockack_e2e_tests
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/blockack_e2e_test.cpp
        LIBS station_app platform_display
        LABELS threaded)
    target_compile_definitions(station_blockack_e2e_tests PRIVATE
        VXWLAPI_FOLDER="${CMAKE_BINARY_DIR}/bin"
        STATION_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources/station"
        WINDOW_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf")
    add_dependencies(station_blockack_e2e_tests VxWLAPI wlansim Zorvel)
endif()

# The CCX and WMM pages end to end: the program, the stand-in's diagnostic runs and direct
# links, and wlansim.
if(TARGET platform_display AND TARGET wlansim)
    zorvel_add_test(NAME station_ccx_wmm_e2e_tests
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/ccx_wmm_e2e_test.cpp
        LIBS station_app platform_display
        LABELS threaded)
    target_compile_definitions(station_ccx_wmm_e2e_tests PRIVATE
        VXWLAPI_FOLDER="${CMAKE_BINARY_DIR}/bin"
        STATION_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources/station"
        WINDOW_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf")
    add_dependencies(station_ccx_wmm_e2e_tests VxWLAPI wlansim Zorvel)
endif()

# The profile page and its editor end to end: the program, the stand-in's profile store and
# wlansim.
if(TARGET platform_display AND TARGET wlansim)
    zorvel_add_test(NAME station_profiles_e2e_tests
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/profiles_e2e_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/tests/profile_editor_e2e_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/tests/wapi_certs_e2e_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/tests/eap_profiles_e2e_test.cpp
        LIBS station_app platform_display
        LABELS threaded)
    target_compile_definitions(station_profiles_e2e_tests PRIVATE
        VXWLAPI_FOLDER="${CMAKE_BINARY_DIR}/bin"
        STATION_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources/station"
        WINDOW_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf")
    add_dependencies(station_profiles_e2e_tests VxWLAPI wlansim Zorvel)
endif()

# The polling of the hidden dialog: its steps under test, and end to end through wlansim.
if(TARGET platform_display AND TARGET wlansim)
    zorvel_add_test(NAME station_watch_tests
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/tests/watch_e2e_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/tests/watch_test.cpp
        LIBS station_app platform_display
        LABELS threaded)
    target_compile_definitions(station_watch_tests PRIVATE
        VXWLAPI_FOLDER="${CMAKE_BINARY_DIR}/bin"
        STATION_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources/station"
        WINDOW_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf")
    add_dependencies(station_watch_tests VxWLAPI wlansim Zorvel)
endif()

# The advanced page end to end: the program, the stand-in's advanced settings and wlansim.
if(TARGET platform_display AND TARGET wlansim)
    zorvel_add_test(NAME station_advance_e2e_tests
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/advance_e2e_test.cpp
        LIBS station_app platform_display
        LABELS threaded)
    target_compile_definitions(station_advance_e2e_tests PRIVATE
        VXWLAPI_FOLDER="${CMAKE_BINARY_DIR}/bin"
        STATION_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources/station"
        WINDOW_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf")
    add_dependencies(station_advance_e2e_tests VxWLAPI wlansim Zorvel)
endif()

# The WPS page end to end on the default world: push button, PIN, the adapter's button and the
# profile dialog, with the stand-in's scripted exchange and wlansim.
if(TARGET platform_display)
    zorvel_add_test(NAME station_wps_tests
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/wps_e2e_test.cpp
        LIBS station_app platform_display wlan_sim
        LABELS threaded)
    target_compile_definitions(station_wps_tests PRIVATE
        VXWLAPI_FOLDER="${CMAKE_BINARY_DIR}/bin"
        STATION_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources/station"
        WINDOW_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf")
    if(TARGET VxWLAPI)
        add_dependencies(station_wps_tests VxWLAPI)
    endif()
endif()

# Handing the adapter over: the tray's mode and configuration-tool commands, with the real mode
# switcher and the service and registry stand-ins.
if(TARGET platform_display AND TARGET VxSwap)
    zorvel_add_test(NAME station_mode_switch_tests
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/mode_switch_test.cpp
        LIBS station_app platform_display wlan_sim
        LOCK mode_switcher)
    target_compile_definitions(station_mode_switch_tests PRIVATE
        VXWLAPI_FOLDER="${CMAKE_BINARY_DIR}/bin"
        STATION_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources/station"
        WINDOW_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf")
    add_dependencies(station_mode_switch_tests VxWLAPI wlansim VxSwap Zorvel)
endif()
