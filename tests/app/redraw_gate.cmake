# The redraw gate that batches the picture's redraws: plain C++, also in the
# sanitizer build.
trelvane_test(app_redraw_gate_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/redraw_gate_test.cpp LABELS sanitize)
target_include_directories(app_redraw_gate_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
