# Least-squares solver tests. The certified reference data are read at run time from
# tests/data/nist-nls.
set(solver_nist_support ${CMAKE_CURRENT_LIST_DIR}/nist_file.cpp ${CMAKE_CURRENT_LIST_DIR}/nist_support.cpp)
trelvane_test(solver_nist_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/nist_test.cpp ${solver_nist_support}
              LIBS trelvane_solver trelvane_formula LABELS sanitize)
trelvane_test(solver_gradient_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/gradient_test.cpp
              LIBS trelvane_solver trelvane_formula LABELS sanitize)
trelvane_test(solver_least_squares_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/least_squares_test.cpp
              LIBS trelvane_solver LABELS sanitize)
trelvane_test(solver_polynomial_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/polynomial_test.cpp
              LIBS trelvane_solver LABELS sanitize)
trelvane_test(solver_polynomial_scale_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/polynomial_scale_test.cpp
              LIBS trelvane_solver LABELS sanitize)
trelvane_test(solver_scale_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/scale_test.cpp
              LIBS trelvane_solver trelvane_formula LABELS sanitize)
trelvane_test(solver_nonlinear_fit_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/nonlinear_fit_test.cpp
              LIBS trelvane_solver trelvane_formula LABELS sanitize)
trelvane_test(solver_progress_hook_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/progress_hook_test.cpp ${solver_nist_support}
              LIBS trelvane_solver trelvane_formula LABELS sanitize)
trelvane_test(solver_naive_start_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/naive_start_test.cpp
              ${CMAKE_CURRENT_LIST_DIR}/profile_reference.cpp LIBS trelvane_solver trelvane_formula LABELS sanitize)
trelvane_test(solver_convergence_tests_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/convergence_tests_test.cpp
              LIBS trelvane_solver LABELS sanitize)
trelvane_test(solver_stationary_point_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/stationary_point_test.cpp
              LIBS trelvane_solver LABELS sanitize)
trelvane_test(solver_right_fit_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/right_fit_test.cpp
              ${CMAKE_CURRENT_LIST_DIR}/long_double_reference.cpp LIBS trelvane_solver trelvane_formula LABELS sanitize)
