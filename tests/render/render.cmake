# Colour maps are plain C++ and run under the sanitizers too.
trelvane_test(colormap_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/colormap_test.cpp ${PROJECT_SOURCE_DIR}/src/render/colormap.cpp
            ${PROJECT_SOURCE_DIR}/src/graph/graph_data.cpp ${PROJECT_SOURCE_DIR}/src/graph/graph_box.cpp
            ${PROJECT_SOURCE_DIR}/src/graph/graph_copy.cpp ${PROJECT_SOURCE_DIR}/src/graph/function_options.cpp
    LIBS trelvane_state
    LABELS sanitize)
target_include_directories(colormap_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
trelvane_test(graph_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_draw_test.cpp LIBS trelvane_render GUI)
# The contour tracer and the legend's numbers are plain C++.
trelvane_test(contour_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/contour_test.cpp ${PROJECT_SOURCE_DIR}/src/render/contour.cpp
            ${PROJECT_SOURCE_DIR}/src/render/colormap.cpp ${PROJECT_SOURCE_DIR}/src/render/legend_ticks.cpp
            ${PROJECT_SOURCE_DIR}/src/graph/graph_data.cpp ${PROJECT_SOURCE_DIR}/src/graph/graph_box.cpp
            ${PROJECT_SOURCE_DIR}/src/graph/graph_copy.cpp ${PROJECT_SOURCE_DIR}/src/graph/function_options.cpp
    LIBS trelvane_state
    LABELS sanitize)
target_include_directories(contour_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
trelvane_test(legend_ticks_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/legend_ticks_test.cpp ${PROJECT_SOURCE_DIR}/src/render/legend_ticks.cpp
    LABELS sanitize)
target_include_directories(legend_ticks_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
trelvane_test(contour_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/contour_draw_test.cpp LIBS trelvane_render GUI)
