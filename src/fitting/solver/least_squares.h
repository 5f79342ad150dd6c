#pragma once
// The nonlinear least-squares entry point: checks the input, runs Gauss-Newton or
// Levenberg-Marquardt and computes the statistics at the result.
#include <vector>

#include "fitting/solver/fit_model.h"
#include "fitting/solver/fit_result.h"

namespace solver {

inline constexpr int kMaxParameters = 20;

// Fits model to observed (one value per data point of the model) from the starting values
// start (one per parameter of the model). Minimises the unweighted sum of squared residuals.
// Never throws: every failure comes back as a status with a message.
FitResult fitLeastSquares(FitModel& model, const std::vector<double>& observed,
                          const std::vector<double>& start, const FitOptions& options);

// The message for an option outside its range, or an empty text when both are usable.
std::string checkOptions(const FitOptions& options);

}  // namespace solver
