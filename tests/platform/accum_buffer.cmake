trelvane_test(platform_accum_buffer_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/accum_buffer_test.cpp
              LIBS trelvane_platform GUI)
