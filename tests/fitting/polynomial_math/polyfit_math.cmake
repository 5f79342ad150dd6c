trelvane_test(polyfit_math_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/polyfit_math_test.cpp
  LIBS trelvane_polyfit_math
  LABELS sanitize)
