# Polynomial fitting of the trinary cubic on 65,535 rows: the solver beside a
# plain Eigen QR solve, and the whole run without drawing
# (build/bench/polynomial_bench).
trelvane_bench(polynomial_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/polynomial_bench.cpp LIBS trelvane_fitting)
