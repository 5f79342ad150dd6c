trelvane_test(scene_camera_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/camera_test.cpp LIBS trelvane_document GUI)
trelvane_test(scene_light_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/light_test.cpp LIBS trelvane_scene GUI)
