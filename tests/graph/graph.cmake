# The graph model is plain C++: its tests build the model's sources directly,
# so they also run in the sanitizer build, which has no OpenGL library.
set(GRAPH_MODEL_SOURCES
    ${PROJECT_SOURCE_DIR}/src/graph/graph_data.cpp
    ${PROJECT_SOURCE_DIR}/src/graph/graph_box.cpp
    ${PROJECT_SOURCE_DIR}/src/graph/graph_copy.cpp
    ${PROJECT_SOURCE_DIR}/src/graph/function_options.cpp)
trelvane_test(graph_model_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/graph_model_test.cpp ${CMAKE_CURRENT_LIST_DIR}/graph_box_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/graph_copy_test.cpp ${GRAPH_MODEL_SOURCES}
    LIBS trelvane_state
    LABELS sanitize)
target_include_directories(graph_model_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
trelvane_test(slice_descriptor_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/slice_descriptor_test.cpp ${PROJECT_SOURCE_DIR}/src/graph/slice_descriptor.cpp
            ${PROJECT_SOURCE_DIR}/src/graph/graph_data.cpp
    LIBS trelvane_state trelvane_formula
    LABELS sanitize)
target_include_directories(slice_descriptor_test PRIVATE ${PROJECT_SOURCE_DIR}/src)
