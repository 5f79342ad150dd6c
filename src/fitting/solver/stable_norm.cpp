#include "fitting/solver/stable_norm.h"

#include <algorithm>
#include <cmath>

namespace solver {

Eigen::VectorXd columnLengths(const Eigen::MatrixXd& a) {
    Eigen::VectorXd lengths(a.cols());
    for (Eigen::Index k = 0; k < a.cols(); ++k) lengths(k) = stableLength(a.col(k));
    return lengths;
}

double powerOfTwoScale(const Eigen::VectorXd& v) {
    const double largest = v.size() > 0 ? v.cwiseAbs().maxCoeff() : 0.0;
    if (!(largest > 0) || !std::isfinite(largest)) return 1.0;
    int exponent = 0;
    std::frexp(largest, &exponent);  // largest = f 2^exponent with 0.5 <= f < 1
    // Kept where both the scale and its inverse are normal doubles.
    return std::ldexp(1.0, std::clamp(exponent, -1021, 1023));
}

}  // namespace solver
