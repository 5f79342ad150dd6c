# Nonlinear curve fitting through the real main window; the certified
# reference data are read with the solver tests' reader.
trelvane_test(app_nonlin_fit_e2e_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/nonlin_fit_e2e_test.cpp
              ${PROJECT_SOURCE_DIR}/tests/fitting/solver/nist_file.cpp LIBS trelvane_app GUI CLIPBOARD)
if(TARGET app_nonlin_fit_e2e_test)
  target_include_directories(app_nonlin_fit_e2e_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
# A quit during a nonlinear fit, through the real main window.
trelvane_test(app_fit_quit_e2e_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/fit_quit_e2e_test.cpp
              ${PROJECT_SOURCE_DIR}/tests/fitting/solver/nist_file.cpp LIBS trelvane_app GUI)
if(TARGET app_fit_quit_e2e_test)
  target_include_directories(app_fit_quit_e2e_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
