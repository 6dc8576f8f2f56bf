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

# A test of the running station utility on the simulated world: the program's library with the
# library stand-in, wlansim and the program beside it, the station resources and the pinned
# test font; the simulated world's own library writes the live commands a test gives. Tests of
# the whole window also get the folder of its goldens.
function(station_add_program_test name)
    cmake_parse_arguments(T "" "LOCK" "SOURCES;LIBS;LABELS;NEEDS" ${ARGN})
    if(NOT TARGET platform_display)
        return()
    endif()
    zorvel_add_test(NAME ${name} SOURCES ${T_SOURCES} LIBS station_app platform_display wlan_sim ${T_LIBS}
        LABELS ${T_LABELS} LOCK ${T_LOCK})
    target_compile_definitions(${name} PRIVATE
        VXWLAPI_FOLDER="${CMAKE_BINARY_DIR}/bin"
        STATION_RESOURCES_DIR="${CMAKE_SOURCE_DIR}/resources/station"
        WINDOW_TEST_FONT="${CMAKE_SOURCE_DIR}/platform/gdi/tests/DejaVuSans.ttf"
        WINDOW_GOLDEN_DIR="${CMAKE_CURRENT_FUNCTION_LIST_DIR}/tests/config_window_goldens")
    foreach(needed IN ITEMS VxWLAPI wlansim Zorvel ${T_NEEDS})
        if(TARGET ${needed})
            add_dependencies(${name} ${needed})
        endif()
    endforeach()
endfunction()

station_add_program_test(station_window_tests
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
    LABELS threaded)

# The hosted network, about and statistics pages end to end: the program, the stand-in and
# wlansim.
station_add_program_test(station_hosted_network_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/hosted_network_e2e_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/statistics_e2e_test.cpp
    LABELS threaded)

# The 802.11n page and its block-acknowledgement dialogs end to end: the program, the stand-in
# and wlansim.
station_add_program_test(station_blockack_e2e_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/blockack_e2e_test.cpp
    LABELS threaded)

# The CCX and WMM pages end to end: the program, the stand-in's diagnostic runs and direct
# links, and wlansim.
station_add_program_test(station_ccx_wmm_e2e_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/ccx_wmm_e2e_test.cpp
    LABELS threaded)

# The profile page and its editor end to end: the program, the stand-in's profile store and
# wlansim.
station_add_program_test(station_profiles_e2e_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/profiles_e2e_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/profile_editor_e2e_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/wapi_certs_e2e_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/eap_profiles_e2e_test.cpp
    LABELS threaded)

# The polling of the hidden dialog: its steps under test, and end to end through wlansim.
station_add_program_test(station_watch_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/watch_e2e_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/watch_test.cpp
    LABELS threaded)

# The advanced page end to end: the program, the stand-in's advanced settings and wlansim.
station_add_program_test(station_advance_e2e_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/advance_e2e_test.cpp
    LABELS threaded)

# The WPS page end to end on the default world: push button, PIN, the adapter's button and the
# profile dialog, with the stand-in's scripted exchange and wlansim.
station_add_program_test(station_wps_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/wps_e2e_test.cpp
    LABELS threaded)

# Handing the adapter over: the tray's mode and configuration-tool commands, with the real mode
# switcher and the service and registry stand-ins.
station_add_program_test(station_mode_switch_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/mode_switch_test.cpp
    LOCK mode_switcher
    NEEDS VxSwap)

# Every security method connected end to end: from stored profiles and through the security
# editor, with their wrong secrets; its rows' wall times feed bench/security_matrix.sh.
station_add_program_test(station_security_e2e_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/security_e2e_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/security_survey_e2e_test.cpp
    LABELS threaded)
