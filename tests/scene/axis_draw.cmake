trelvane_test(scene_axis_draw_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/axis_draw3d_test.cpp ${CMAKE_CURRENT_LIST_DIR}/axis_draw2d_test.cpp
  LIBS trelvane_scene GUI)
