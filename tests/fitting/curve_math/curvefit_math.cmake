trelvane_test(curvefit_math_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/linear_regression_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/curve_models_test.cpp
  LIBS trelvane_curvefit_math
  LABELS sanitize)
