trelvane_test(box_point_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/box_point_test.cpp LABELS sanitize)
target_include_directories(box_point_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
trelvane_test(marker_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/marker_draw_test.cpp LIBS trelvane_scene GUI)
