# The map's editing tools, driven with the mouse, the keyboard and their dialogs.
veltrix_qtest(map_tools_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/map_tools_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/view_fixtures.cpp ${CMAKE_CURRENT_LIST_DIR}/view_fixtures.h
    LIBS veltrix_view)
