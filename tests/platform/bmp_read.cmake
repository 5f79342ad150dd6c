# The BMP layout reader and row sampler: plain C++, so the sanitizer build
# compiles the source straight into the test.
if(TRELVANE_LOGIC_ONLY)
  trelvane_test(platform_bmp_read_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp_read_test.cpp
                ${PROJECT_SOURCE_DIR}/src/platform/bmp_read.cpp LABELS sanitize)
  target_include_directories(platform_bmp_read_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
else()
  trelvane_test(platform_bmp_read_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp_read_test.cpp LIBS trelvane_platform
                LABELS sanitize)
endif()
