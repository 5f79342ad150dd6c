trelvane_bench(graph_model_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_model_bench.cpp LIBS trelvane_render)
