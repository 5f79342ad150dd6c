# Colour maps are plain C++ and run under the sanitizers too.
trelvane_test(colormap_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/colormap_test.cpp ${PROJECT_SOURCE_DIR}/src/render/colormap.cpp
            ${PROJECT_SOURCE_DIR}/src/graph/graph_data.cpp ${PROJECT_SOURCE_DIR}/src/graph/graph_box.cpp
            ${PROJECT_SOURCE_DIR}/src/graph/graph_copy.cpp ${PROJECT_SOURCE_DIR}/src/graph/function_options.cpp
    LIBS trelvane_state
    LABELS sanitize)
target_include_directories(colormap_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
trelvane_test(graph_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_draw_test.cpp LIBS trelvane_render GUI)
