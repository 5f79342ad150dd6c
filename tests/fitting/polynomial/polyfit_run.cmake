trelvane_test(polyfit_run_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/add_polynomial_graphs_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/polynomial_fit_run_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/polynomial_dialog_test.cpp
  LIBS trelvane_fitting
  GUI)
