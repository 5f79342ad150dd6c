# The symbolic derivatives as the oracle of the GradientEvaluator on the certified models.
trelvane_test(solver_derivative_oracle_test
              SOURCES ${CMAKE_CURRENT_LIST_DIR}/derivative_oracle_test.cpp ${CMAKE_CURRENT_LIST_DIR}/nist_file.cpp
              LIBS trelvane_solver trelvane_formula LABELS sanitize)
