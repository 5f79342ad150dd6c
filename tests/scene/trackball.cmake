# Pure logic: built from the sources so the sanitizer build (no Qt, no OpenGL) runs it too.
trelvane_test(scene_trackball_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/trackball_test.cpp
          ${PROJECT_SOURCE_DIR}/src/scene/trackball.cpp
  LIBS trelvane_state
  LABELS sanitize)
target_include_directories(scene_trackball_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
