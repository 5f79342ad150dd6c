# The grid's cell store, its *.cel files and tab-separated text: plain C++, so
# the sanitizer build compiles the sources straight into the test.
set(_grid_logic_sources
    ${PROJECT_SOURCE_DIR}/src/platform/sparse_grid.cpp ${PROJECT_SOURCE_DIR}/src/platform/cel_format.cpp
    ${PROJECT_SOURCE_DIR}/src/platform/tsv.cpp ${PROJECT_SOURCE_DIR}/src/platform/atomic_file.cpp)
if(TRELVANE_LOGIC_ONLY)
  trelvane_test(platform_sparse_grid_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/sparse_grid_test.cpp
                ${CMAKE_CURRENT_LIST_DIR}/cel_file_test.cpp ${_grid_logic_sources} LABELS sanitize)
  target_include_directories(platform_sparse_grid_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
else()
  trelvane_test(platform_sparse_grid_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/sparse_grid_test.cpp
                ${CMAKE_CURRENT_LIST_DIR}/cel_file_test.cpp LIBS trelvane_platform LABELS sanitize)
endif()
