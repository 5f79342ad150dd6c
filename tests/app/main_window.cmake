trelvane_test(app_layout_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/layout_test.cpp LIBS trelvane_app)
trelvane_test(app_startup_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp LIBS trelvane_app GUI)
trelvane_test(app_document_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/document_test.cpp LIBS trelvane_app GUI)
trelvane_test(app_view_control_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/view_control_test.cpp LIBS trelvane_app GUI)
