# The symbolic derivatives of the certified reference models, beside
# GiNaC (when installed) doing the same, and the largest formulas the limits
# accept (build/bench/derivative_bench).
trelvane_bench(derivative_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/derivative_bench.cpp
               ${PROJECT_SOURCE_DIR}/tests/fitting/solver/nist_file.cpp
               LIBS trelvane_formula)
if(TARGET derivative_bench)
  target_include_directories(derivative_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/fitting/solver)
  find_library(GINAC_LIBRARY ginac)
  find_library(CLN_LIBRARY cln)
  find_path(GINAC_INCLUDE_DIR ginac/ginac.h)
  if(GINAC_LIBRARY AND CLN_LIBRARY AND GINAC_INCLUDE_DIR)
    target_compile_definitions(derivative_bench PRIVATE TRELVANE_HAVE_GINAC)
    target_include_directories(derivative_bench SYSTEM PRIVATE ${GINAC_INCLUDE_DIR})
    target_link_libraries(derivative_bench PRIVATE ${GINAC_LIBRARY} ${CLN_LIBRARY})
  endif()
endif()
