trelvane_test(platform_grid_control_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_control_test.cpp
              LIBS trelvane_platform GUI CLIPBOARD)
trelvane_test(platform_common_dialog_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/common_dialog_test.cpp
              LIBS trelvane_platform GUI)
