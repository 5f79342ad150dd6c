#pragma once
// The iteration options of the fitting options dialogs: the maximum number of
// iterations and the tolerance, shown as number texts and read back from them.
#include <string>
#include <string_view>

#include "fitting/solver/fit_result.h"

// The solver's method for a value of gNonLinMethod: 1 Gauss-Newton, any other
// Levenberg-Marquardt.
solver::FitMethod FitMethodOf(long method);

// Reads the texts of the two boxes by the number reading of option boxes, the
// count rounded to the nearest whole number (a half to the even neighbour).
// Returns "" with both values stored, or the message for the first value out
// of the solver's range, storing nothing.
std::string ReadIterationOptions(std::string_view maxIterationsText, std::string_view toleranceText,
                                 long& maxIterations, double& tolerance);

// The options a fit runs with; values out of range stay out of range, for the
// solver to refuse.
solver::FitOptions MakeFitOptions(long method, long maxIterations, double tolerance);
