trelvane_bench(graph_record_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_record_bench.cpp LIBS trelvane_graph)
