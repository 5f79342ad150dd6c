trelvane_test(scene_texture_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/texture_test.cpp LIBS trelvane_scene GUI)
trelvane_test(scene_dib_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/dib_test.cpp LIBS trelvane_scene)
trelvane_test(scene_bmp_sample_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp_sample_test.cpp LIBS trelvane_scene)
