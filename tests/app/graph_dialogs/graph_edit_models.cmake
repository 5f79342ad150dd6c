# The surface and 4-D property dialogs: their logic is plain C++ (the sanitizer
# build compiles the sources straight into the test); "Edit..." runs them in
# the real main window.
set(_src ${PROJECT_SOURCE_DIR}/src)
trelvane_test(app_graph_edit_models_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_edit_models_test.cpp
              ${_src}/app/graph_dialogs/surface_edit_model.cpp ${_src}/app/graph_dialogs/volume_edit_model.cpp ${_src}/app/dialog_kit/dialog_input.cpp
              ${_src}/app/dialog_kit/property_input.cpp ${_src}/app/dialog_kit/grid_number.cpp ${_src}/graph/slice_descriptor.cpp
              ${_src}/graph/graph_data.cpp ${_src}/graph/graph_copy.cpp ${_src}/graph/function_options.cpp
              ${_src}/scene/data_set.cpp
              LIBS trelvane_state trelvane_formula LABELS sanitize)
target_include_directories(app_graph_edit_models_test PRIVATE ${_src})
trelvane_test(app_surface_volume_edit_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/surface_volume_edit_test.cpp
              LIBS trelvane_app GUI)
