trelvane_bench(scene_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/scene_bench.cpp LIBS trelvane_document)
