trelvane_test(platform_file_dlg_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/file_dlg_test.cpp LIBS trelvane_platform GUI)
trelvane_test(platform_color_swatch_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/color_swatch_test.cpp
              LIBS trelvane_platform GUI)
