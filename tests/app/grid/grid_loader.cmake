# The grid loader and its number reading: plain C++, so the sanitizer build
# compiles the sources straight into the test.
if(TRELVANE_LOGIC_ONLY)
  set(_src ${PROJECT_SOURCE_DIR}/src)
  trelvane_test(app_grid_loader_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_loader_test.cpp
                ${_src}/app/grid/grid_loader.cpp ${_src}/app/dialog_kit/grid_number.cpp ${TRELVANE_GRID_LOGIC_SOURCES}
                LIBS trelvane_state LABELS sanitize)
  target_include_directories(app_grid_loader_test PRIVATE ${_src})
else()
  trelvane_test(app_grid_loader_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_loader_test.cpp LIBS trelvane_app
                LABELS sanitize)
  trelvane_test(app_grid_commands_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_commands_test.cpp
                LIBS trelvane_app GUI)
endif()
