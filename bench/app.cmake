# Need a display: run under xvfb-run. Both drive the real main window.
foreach(b frame_bench volume_frame_bench)
  trelvane_bench(${b} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${b}.cpp ${CMAKE_CURRENT_LIST_DIR}/qt_bench_main.cpp
                 LIBS trelvane_app Qt6::Test)
  if(TARGET ${b})
    target_include_directories(${b} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  endif()
endforeach()
