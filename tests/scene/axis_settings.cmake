# Pure logic: built from the sources so the sanitizer build (no Qt, no OpenGL) runs it too.
trelvane_test(scene_axis_settings_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/axis_settings_test.cpp
          ${PROJECT_SOURCE_DIR}/src/scene/axis_settings.cpp
          ${PROJECT_SOURCE_DIR}/src/scene/axis_ticks.cpp
  LIBS trelvane_state
  LABELS sanitize)
target_include_directories(scene_axis_settings_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
