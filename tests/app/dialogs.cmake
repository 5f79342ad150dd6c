# The axis, light and view dialogs, Help and About, in the real window.
trelvane_test(app_axis_dialogs_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/axis_dialogs_test.cpp LIBS trelvane_app GUI)
trelvane_test(app_light_view_dialogs_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/light_view_dialogs_test.cpp
              LIBS trelvane_app GUI)
trelvane_test(app_dialog_cancel_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/dialog_cancel_test.cpp LIBS trelvane_app GUI)
trelvane_test(app_help_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/help_test.cpp LIBS trelvane_app GUI)
