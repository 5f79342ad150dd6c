# The graph's text records and expression routines: plain C++, also in the
# sanitizer build.
trelvane_test(graph_record_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_record_test.cpp ${PROJECT_SOURCE_DIR}/src/graph/graph_record.cpp
            ${PROJECT_SOURCE_DIR}/src/graph/graph_data.cpp ${PROJECT_SOURCE_DIR}/src/graph/function_options.cpp
    LIBS trelvane_state trelvane_formula
    LABELS sanitize)
target_include_directories(graph_record_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
