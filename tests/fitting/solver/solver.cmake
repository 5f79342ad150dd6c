# Least-squares solver tests. The reference data are read at run time from shared/ beside
# the repository.
set(solver_nist_support ${CMAKE_CURRENT_LIST_DIR}/nist_file.cpp ${CMAKE_CURRENT_LIST_DIR}/nist_support.cpp)
trelvane_test(solver_nist_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/nist_test.cpp ${solver_nist_support}
              LIBS trelvane_solver trelvane_formula LABELS sanitize)
