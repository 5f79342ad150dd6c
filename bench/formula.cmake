# Our formula evaluation, timed against muparser in the same run when the
# muparser package is installed (scripts/setup.sh installs it; it is needed
# by this benchmark only).
trelvane_bench(formula_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/formula_bench.cpp LIBS trelvane_formula trelvane_solver)
if(TARGET formula_bench)
  find_package(muparser QUIET)
  if(muparser_FOUND)
    target_link_libraries(formula_bench PRIVATE muparser::muparser)
    target_compile_definitions(formula_bench PRIVATE TRELVANE_HAVE_MUPARSER)
  else()
    message(STATUS "muparser not found: formula_bench runs without the reference")
  endif()
endif()
