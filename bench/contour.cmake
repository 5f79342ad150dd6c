trelvane_bench(contour_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/contour_bench.cpp LIBS trelvane_render)
