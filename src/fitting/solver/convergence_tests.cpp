#include "fitting/solver/convergence_tests.h"

#include <cmath>
#include <limits>

#include "fitting/solver/iteration.h"
#include "fitting/solver/stable_norm.h"

namespace solver {

namespace {

// How many times the rounding of the model's values and the data the residuals' projection
// may be and still count as none: the model's own evaluation rounds too, by a few units of
// its last place (more where it amplifies the rounding of its arguments).
constexpr double kRoundingFactor = 8;

}  // namespace

bool smallScaledStep(const Eigen::VectorXd& step, const Eigen::VectorXd& x, const Eigen::VectorXd& columnLengths,
                     double tol) {
    if (!step.allFinite() || !x.allFinite() || !columnLengths.allFinite()) return false;
    // The common scale of D divides out of the test: dividing by it (a power of two, without
    // rounding) keeps the products in range.
    const Eigen::VectorXd d = columnLengths / powerOfTwoScale(columnLengths);
    const double moved = stableLength(d.cwiseProduct(step)), size = stableLength(d.cwiseProduct(x));
    return moved <= tol * size;
}

bool stationary(double cosine, const Eigen::VectorXd& values, const Eigen::VectorXd& observed, double tol) {
    if (cosine <= std::sqrt(tol)) return true;
    if (!std::isfinite(cosine)) return false;
    // The residuals' projection, cosine |r|, against their rounding; both lengths taken without
    // overflow, and one that is not a number fails.
    const double residual = stableLength(values - observed), rounding = residualRounding(values, observed);
    if (!std::isfinite(residual) || !std::isfinite(rounding)) return false;
    return cosine * residual <= kRoundingFactor * rounding;
}

}  // namespace solver
