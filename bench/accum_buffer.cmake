# Needs a display: run under xvfb-run.
trelvane_bench(accum_buffer_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/accum_buffer_bench.cpp
               LIBS trelvane_scene)
