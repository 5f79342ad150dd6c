trelvane_test(formula_polish_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/polish_test.cpp
              LIBS trelvane_formula LABELS sanitize)
trelvane_test(formula_polish_print_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/polish_print_test.cpp
              LIBS trelvane_formula LABELS sanitize)
trelvane_test(formula_derivative_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/derivative_test.cpp
              LIBS trelvane_formula LABELS sanitize)
trelvane_test(formula_derivative_limits_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/derivative_limits_test.cpp
              LIBS trelvane_formula LABELS sanitize)
trelvane_test(formula_derivative_fuzz_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/derivative_fuzz_test.cpp
              LIBS trelvane_formula LABELS sanitize)
