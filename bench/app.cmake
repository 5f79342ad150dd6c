# Needs a display: run under xvfb-run.
trelvane_bench(frame_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/frame_bench.cpp LIBS trelvane_app Qt6::Test)
