trelvane_test(formula_compiler_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/compiler_test.cpp
              LIBS trelvane_formula LABELS sanitize)
trelvane_test(formula_evaluator_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/evaluator_test.cpp
              LIBS trelvane_formula LABELS sanitize)
trelvane_test(formula_text_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_test.cpp
              LIBS trelvane_formula LABELS sanitize)
trelvane_test(formula_fuzz_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_test.cpp
              LIBS trelvane_formula LABELS sanitize)
trelvane_test(formula_allocation_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/allocation_test.cpp
              LIBS trelvane_formula LABELS sanitize)
trelvane_test(formula_pi_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/pi_test.cpp
              LIBS trelvane_formula LABELS sanitize)
trelvane_test(formula_rounding_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/rounding_test.cpp
              LIBS trelvane_formula LABELS sanitize)
