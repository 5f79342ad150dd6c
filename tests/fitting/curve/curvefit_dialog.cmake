trelvane_test(curvefit_run_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/curve_fit_run_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/curve_fit_dialog_test.cpp
  LIBS trelvane_fitting
  GUI)
