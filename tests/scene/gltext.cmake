trelvane_test(scene_gltext_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/gltext_test.cpp LIBS trelvane_scene GUI)
