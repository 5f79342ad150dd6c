#pragma once
// Runs the solver on a certified reference problem through its typed model.
#include <vector>

#include "fitting/solver/nonlinear_fit.h"
#include "nist_file.h"

namespace nist {

solver::NonlinearFitRequest makeRequest(const Problem& p, const std::vector<double>& start,
                                        solver::FitMethod method, double tolerance, int maxIterations);

}  // namespace nist
