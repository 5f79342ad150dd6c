trelvane_test(formula_polish_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/polish_test.cpp
              LIBS trelvane_formula LABELS sanitize)
trelvane_test(formula_polish_print_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/polish_print_test.cpp
              LIBS trelvane_formula LABELS sanitize)
