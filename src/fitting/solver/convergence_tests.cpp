#include "fitting/solver/convergence_tests.h"

#include <cmath>

#include "fitting/solver/stable_norm.h"

namespace solver {

bool smallScaledStep(const Eigen::VectorXd& step, const Eigen::VectorXd& x, const Eigen::VectorXd& columnLengths,
                     double tol) {
    if (!step.allFinite() || !x.allFinite() || !columnLengths.allFinite()) return false;
    // The common scale of D divides out of the test: dividing by it (a power of two, without
    // rounding) keeps the products in range.
    const Eigen::VectorXd d = columnLengths / powerOfTwoScale(columnLengths);
    const double moved = stableLength(d.cwiseProduct(step)), size = stableLength(d.cwiseProduct(x));
    return moved <= tol * size;
}

}  // namespace solver
