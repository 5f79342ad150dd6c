trelvane_bench(curvefit SOURCES ${CMAKE_CURRENT_LIST_DIR}/curvefit.cpp LIBS trelvane_app)
