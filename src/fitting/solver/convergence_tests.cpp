#include "fitting/solver/convergence_tests.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "fitting/solver/stable_norm.h"

namespace solver {

namespace {

// How many times the rounding of the model's values and the data the residuals' projection
// on a column may be and still count as none: the model's own evaluation rounds too, by a
// few units of its last place (more where it amplifies the rounding of its arguments).
constexpr double kRoundingFactor = 8;

// 1 / the power of two at or above the largest |v_i|: v times it lies within [-1, 1] with its
// largest entry at least 1/2, so that its length and dot products neither overflow nor
// underflow. Multiplying by a power of two does not round.
template <typename Derived>
double inverseScale(const Eigen::MatrixBase<Derived>& v) {
    return 1 / powerOfTwoScale(v);
}

}  // namespace

bool smallScaledStep(const Eigen::VectorXd& step, const Eigen::VectorXd& x, const Eigen::VectorXd& columnLengths,
                     double tol) {
    if (!step.allFinite() || !x.allFinite() || !columnLengths.allFinite()) return false;
    // The common scale of D divides out of the test: dividing by it keeps the products in range.
    const Eigen::VectorXd d = columnLengths * inverseScale(columnLengths);
    const double moved = stableLength(d.cwiseProduct(step)), size = stableLength(d.cwiseProduct(x));
    return moved <= tol * size;
}

bool stationary(double cosine, const Eigen::VectorXd& values, const Eigen::VectorXd& observed, double tol) {
    if (cosine <= std::sqrt(tol)) return true;
    if (!std::isfinite(cosine)) return false;
    // The residuals' projection, cosine |r|, against their rounding, eps |(|f| + |y|)|: both
    // lengths at the one scale of the sizes, which bound the residuals, and of halves, so that
    // nothing overflows.
    const double s = std::min(inverseScale(values), inverseScale(observed)) / 2;
    double residual = 0, size = 0;
    for (Eigen::Index i = 0; i < values.size(); ++i) {
        const double r = values(i) * s - observed(i) * s, f = std::abs(values(i)) * s + std::abs(observed(i)) * s;
        residual += r * r;
        size += f * f;
    }
    if (!std::isfinite(residual) || !std::isfinite(size)) return false;
    const double rounding = kRoundingFactor * std::numeric_limits<double>::epsilon() * std::sqrt(size);
    return cosine * std::sqrt(residual) <= rounding;
}

}  // namespace solver
