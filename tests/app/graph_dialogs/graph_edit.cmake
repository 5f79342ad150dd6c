# "Edit..." and the graph property dialogs: what their OK reads is plain C++
# (also in the sanitizer build); the dialogs run in the real main window.
set(_src ${PROJECT_SOURCE_DIR}/src)
trelvane_test(app_curve_properties_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/curve_properties_test.cpp ${_src}/app/graph_dialogs/curve_properties.cpp
            ${_src}/app/dialog_kit/property_input.cpp ${_src}/graph/graph_data.cpp ${_src}/graph/graph_box.cpp
            ${_src}/graph/graph_copy.cpp ${_src}/graph/function_options.cpp
    LIBS trelvane_state trelvane_formula
    LABELS sanitize)
target_include_directories(app_curve_properties_test PRIVATE ${_src})
trelvane_test(app_graph_edit_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_edit_test.cpp LIBS trelvane_app GUI)
