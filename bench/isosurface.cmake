trelvane_bench(isosurface_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/isosurface_bench.cpp LIBS trelvane_render)
