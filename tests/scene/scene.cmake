trelvane_test(scene_scene_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/scene_test.cpp LIBS trelvane_core GUI)
trelvane_test(scene_camera_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/camera_test.cpp LIBS trelvane_core GUI)
trelvane_test(scene_light_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/light_test.cpp LIBS trelvane_core GUI)
