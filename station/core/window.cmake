# The configuration window: its sources join the program's library.
target_sources(station_app PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/VxUI2008Dlg.cpp
)
