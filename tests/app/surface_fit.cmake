# Surface and volume fitting through the real main window; the report is read
# back with the nonlinear tests' line reader.
trelvane_test(app_surface_fit_e2e_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/surface_fit_e2e_test.cpp
              LIBS trelvane_app GUI)
if(TARGET app_surface_fit_e2e_test)
  target_include_directories(app_surface_fit_e2e_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
# Every fitting road compiles its picture once.
trelvane_test(app_fit_redraw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/fit_redraw_test.cpp LIBS trelvane_app GUI)
if(TARGET app_fit_redraw_test)
  target_include_directories(app_fit_redraw_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
