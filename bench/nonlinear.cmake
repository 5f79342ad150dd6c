# The OK run of nonlinear curve fitting on 10,000 points beside the fit alone
# (build/bench/nonlinear_fit_bench).
trelvane_bench(nonlinear_fit_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/nonlinear_fit_bench.cpp LIBS trelvane_fitting)
