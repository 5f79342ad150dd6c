trelvane_bench(grid_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_bench.cpp LIBS trelvane_app)
