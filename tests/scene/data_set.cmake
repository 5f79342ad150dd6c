# Pure logic: built from the sources so the sanitizer build runs it too.
trelvane_test(scene_data_set_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/data_set_test.cpp ${PROJECT_SOURCE_DIR}/src/scene/data_set.cpp
  LIBS trelvane_state
  LABELS sanitize)
target_include_directories(scene_data_set_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
