# Needs a display: run under xvfb-run.
trelvane_bench(frame_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/frame_bench.cpp LIBS trelvane_app Qt6::Test)
if(TARGET frame_bench)
  target_include_directories(frame_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
