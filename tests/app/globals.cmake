trelvane_test(app_globals_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/globals_test.cpp LIBS trelvane_core)
