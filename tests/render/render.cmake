# The plain C++ parts of drawing are built from their sources with the graph
# model's, so they run under the sanitizers too.
set(render_graph_sources
    ${PROJECT_SOURCE_DIR}/src/graph/graph_data.cpp ${PROJECT_SOURCE_DIR}/src/graph/graph_box.cpp
    ${PROJECT_SOURCE_DIR}/src/graph/graph_copy.cpp ${PROJECT_SOURCE_DIR}/src/graph/function_options.cpp)
function(render_logic_test name)
  trelvane_test(${name} SOURCES ${ARGN} ${render_graph_sources} LIBS trelvane_state LABELS sanitize)
  if(TARGET ${name})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  endif()
endfunction()

render_logic_test(colormap_test ${CMAKE_CURRENT_LIST_DIR}/colormap_test.cpp ${PROJECT_SOURCE_DIR}/src/render/colormap.cpp)
# The contour tracer and the legend's numbers.
render_logic_test(contour_test ${CMAKE_CURRENT_LIST_DIR}/contour_test.cpp ${PROJECT_SOURCE_DIR}/src/render/contour.cpp
                  ${PROJECT_SOURCE_DIR}/src/render/colormap.cpp ${PROJECT_SOURCE_DIR}/src/render/legend_ticks.cpp)
trelvane_test(legend_ticks_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/legend_ticks_test.cpp ${PROJECT_SOURCE_DIR}/src/render/legend_ticks.cpp
    LABELS sanitize)
target_include_directories(legend_ticks_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
render_logic_test(isosurface_test ${CMAKE_CURRENT_LIST_DIR}/isosurface_test.cpp
                  ${PROJECT_SOURCE_DIR}/src/render/isosurface.cpp ${PROJECT_SOURCE_DIR}/src/render/colormap.cpp)
render_logic_test(slice_plane_test ${CMAKE_CURRENT_LIST_DIR}/slice_plane_test.cpp
                  ${PROJECT_SOURCE_DIR}/src/render/slice_plane.cpp)

trelvane_test(graph_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_draw_test.cpp LIBS trelvane_render GUI)
trelvane_test(contour_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/contour_draw_test.cpp LIBS trelvane_render GUI)
trelvane_test(volume_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/volume_draw_test.cpp LIBS trelvane_render GUI)
trelvane_test(surface_normals_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/surface_normals_test.cpp ${PROJECT_SOURCE_DIR}/src/render/surface_normals.cpp
    LABELS sanitize)
target_include_directories(surface_normals_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
trelvane_test(surface_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/surface_draw_test.cpp LIBS trelvane_render GUI)
trelvane_test(legend_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/legend_draw_test.cpp LIBS trelvane_render GUI)
