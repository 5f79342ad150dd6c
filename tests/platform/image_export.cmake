trelvane_test(platform_image_export_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/image_export_test.cpp
              LIBS trelvane_platform GUI CLIPBOARD)
