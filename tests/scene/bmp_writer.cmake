trelvane_test(scene_bmp_writer_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp_writer_test.cpp LIBS trelvane_scene GUI)
