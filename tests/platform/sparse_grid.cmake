# The grid's cell store, its *.cel files, tab-separated text and the atomic
# file writer: plain C++, so
# the sanitizer build compiles the sources straight into the tests. The fuzz
# test reads random and mutated files and numbers.
if(TRELVANE_LOGIC_ONLY)
  trelvane_test(platform_sparse_grid_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/sparse_grid_test.cpp
                ${CMAKE_CURRENT_LIST_DIR}/cel_file_test.cpp ${CMAKE_CURRENT_LIST_DIR}/atomic_file_test.cpp
                ${TRELVANE_GRID_LOGIC_SOURCES} LABELS sanitize)
  target_include_directories(platform_sparse_grid_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
  trelvane_test(platform_grid_fuzz_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_fuzz_test.cpp
                ${TRELVANE_GRID_LOGIC_SOURCES} ${PROJECT_SOURCE_DIR}/src/app/dialog_kit/grid_number.cpp LABELS sanitize)
  target_include_directories(platform_grid_fuzz_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
else()
  trelvane_test(platform_sparse_grid_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/sparse_grid_test.cpp
                ${CMAKE_CURRENT_LIST_DIR}/cel_file_test.cpp ${CMAKE_CURRENT_LIST_DIR}/atomic_file_test.cpp
                LIBS trelvane_platform LABELS sanitize)
  trelvane_test(platform_grid_fuzz_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_fuzz_test.cpp LIBS trelvane_app
                LABELS sanitize)
endif()
