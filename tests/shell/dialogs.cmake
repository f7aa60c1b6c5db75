veltrix_qtest(dialogs_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/dialogs_test.cpp
    LIBS veltrix_shell)
