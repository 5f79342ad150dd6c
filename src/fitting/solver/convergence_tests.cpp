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

double largestCosine(const Eigen::MatrixXd& jacobian, const Eigen::VectorXd& residuals) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // An entry that is not finite makes its sums not finite: no separate pass looks for one.
    const double rs = inverseScale(residuals);
    double rSquares = 0;
    for (Eigen::Index i = 0; i < residuals.size(); ++i) rSquares += (residuals(i) * rs) * (residuals(i) * rs);
    if (!std::isfinite(rSquares)) return nan;
    double largest = 0;
    for (Eigen::Index j = 0; j < jacobian.cols(); ++j) {
        const auto column = jacobian.col(j);
        const double cs = inverseScale(column);
        double dot = 0, squares = 0;
        for (Eigen::Index i = 0; i < column.size(); ++i) {
            const double c = column(i) * cs;
            dot += c * (residuals(i) * rs);
            squares += c * c;
        }
        if (!std::isfinite(dot) || !std::isfinite(squares)) return nan;
        if (squares > 0 && rSquares > 0) largest = std::max(largest, std::abs(dot) / std::sqrt(squares * rSquares));
    }
    return largest;
}

bool stationary(const Eigen::MatrixXd& jacobian, const Eigen::VectorXd& values, const Eigen::VectorXd& observed,
                double tol, double* cosine) {
    // Halves, so that neither the residuals nor the sizes below overflow.
    const Eigen::VectorXd half = values / 2 - observed / 2;
    const double cos = largestCosine(jacobian, half);
    if (cosine) *cosine = cos;
    if (cos <= std::sqrt(tol)) return true;
    if (!std::isfinite(cos)) return false;
    // Otherwise the residuals' projection on each column, cos |r|, against their rounding,
    // eps |(|f| + |y|)|; both lengths at the one scale of the sizes, which bound the residuals.
    const double s = std::min(inverseScale(values), inverseScale(observed)) / 2;
    double residual = 0, size = 0;
    for (Eigen::Index i = 0; i < values.size(); ++i) {
        const double r = half(i) * s, f = std::abs(values(i)) * s + std::abs(observed(i)) * s;
        residual += r * r;
        size += f * f;
    }
    const double rounding = kRoundingFactor * std::numeric_limits<double>::epsilon() * std::sqrt(size);
    return cos * std::sqrt(residual) * 2 <= rounding;
}

}  // namespace solver
