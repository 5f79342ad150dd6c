# What the axis, light and view dialogs read from their boxes: plain C++, so
# the sanitizer build compiles the sources straight into the test.
set(_src ${PROJECT_SOURCE_DIR}/src)
trelvane_test(app_dialog_input_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/dialog_input_test.cpp
              ${_src}/app/dialog_kit/dialog_input.cpp ${_src}/app/dialog_kit/grid_number.cpp LIBS trelvane_formula LABELS sanitize)
target_include_directories(app_dialog_input_test PRIVATE ${_src})
