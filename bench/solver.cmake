# The certified reference fits, timed with our solver and with Eigen's
# Levenberg-Marquardt on the same models (build/bench/solver_bench).
trelvane_bench(solver_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/solver_bench.cpp
               ${PROJECT_SOURCE_DIR}/tests/fitting/solver/nist_file.cpp
               ${PROJECT_SOURCE_DIR}/tests/fitting/solver/nist_support.cpp
               LIBS trelvane_solver trelvane_formula)
target_include_directories(solver_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/fitting/solver)
