# A volume fit of 20,000 rows beside Eigen's Levenberg-Marquardt on the same
# model, and the volume fit's result side (build/bench/surface_fit_bench).
trelvane_bench(surface_fit_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/surface_fit_bench.cpp LIBS trelvane_fitting)
