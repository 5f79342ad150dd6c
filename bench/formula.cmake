trelvane_bench(formula_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/formula_bench.cpp LIBS trelvane_formula)
