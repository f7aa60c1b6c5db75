# The guide window, printing, copying and export.
veltrix_qtest(guide_window_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/guide_window_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/output_fixture.cpp ${CMAKE_CURRENT_LIST_DIR}/output_fixture.h
        ${CMAKE_CURRENT_LIST_DIR}/view_fixtures.cpp ${CMAKE_CURRENT_LIST_DIR}/view_fixtures.h
    LIBS veltrix_view)
veltrix_qtest(map_printer_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/map_printer_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/output_fixture.cpp ${CMAKE_CURRENT_LIST_DIR}/output_fixture.h
        ${CMAKE_CURRENT_LIST_DIR}/view_fixtures.cpp ${CMAKE_CURRENT_LIST_DIR}/view_fixtures.h
    LIBS veltrix_view Qt6::PrintSupport)
# The frame's guide command, with the real main frame.
veltrix_qtest(guide_command_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/guide_command_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/output_fixture.cpp ${CMAKE_CURRENT_LIST_DIR}/output_fixture.h
        ${CMAKE_CURRENT_LIST_DIR}/view_fixtures.cpp ${CMAKE_CURRENT_LIST_DIR}/view_fixtures.h
    LIBS veltrix_shell veltrix_view)
