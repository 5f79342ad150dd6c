#include "fitting/common/fit_options.h"

#include <algorithm>
#include <cmath>

#include "fitting/solver/least_squares.h"
#include "formula/number_text.h"

solver::FitMethod FitMethodOf(long method) {
    return method == 1 ? solver::FitMethod::GaussNewton : solver::FitMethod::LevenbergMarquardt;
}

solver::FitOptions MakeFitOptions(long method, long maxIterations, double tolerance) {
    // A count beyond int stands for itself as one just past the limit.
    const long count = std::clamp(maxIterations, 0L, static_cast<long>(solver::kMaxIterations) + 1);
    return {FitMethodOf(method), static_cast<int>(count), tolerance};
}

std::string ReadIterationOptions(std::string_view maxIterationsText, std::string_view toleranceText,
                                 long& maxIterations, double& tolerance) {
    // Rounded before the range test, so 0.5 is 0 and refused, 1.5 is 2.
    const double count = std::nearbyint(formula::readNumberText(maxIterationsText));
    const bool countInRange = count >= solver::kMinIterations && count <= solver::kMaxIterations;
    const double tol = formula::readNumberText(toleranceText);
    const long whole = countInRange ? static_cast<long>(count) : 0;
    const std::string message = solver::checkOptions(MakeFitOptions(2, whole, tol));
    if (!message.empty()) return message;
    maxIterations = whole;
    tolerance = tol;
    return {};
}
