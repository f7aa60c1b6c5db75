veltrix_qtest(info_popup_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/info_popup_test.cpp
    LIBS veltrix_view)
