#include "fitting/solver/fit_statistics.h"

#include <cmath>
#include <limits>

#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/stable_norm.h"

namespace solver {

void fillGoodnessOfFit(FitResult& result, const Eigen::VectorXd& observed,
                       const Eigen::VectorXd& fitted, int n) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Eigen::Index m = observed.size();
    result.fittedValues.assign(fitted.data(), fitted.data() + m);
    const double residual = stableLength(observed - fitted);
    result.residualSumOfSquares = residual * residual;
    result.degreesOfFreedom = static_cast<int>(m) - n;
    result.residualStdDev = result.degreesOfFreedom > 0 ? residual / std::sqrt(result.degreesOfFreedom) : nan;
    // The mean of data near the largest double is taken at their scale, where the sum holds.
    const double scale = powerOfTwoScale(observed);
    const double mean = m > 0 ? (observed / scale).mean() * scale : 0.0;
    const double spread = stableLength((observed.array() - mean).matrix());
    const double unexplained = residual / spread;
    result.rSquared = spread > 0 ? 1 - unexplained * unexplained : nan;
}

bool inverseNormalRoots(const Eigen::MatrixXd& jacobian, Eigen::VectorXd& roots) {
    return inverseNormalRoots(ScaledQR(jacobian), roots);
}

bool inverseNormalRoots(const ScaledQR& qr, Eigen::VectorXd& roots) {
    const Eigen::VectorXd& norms = qr.columnNorms();
    roots = Eigen::VectorXd::Constant(norms.size(), std::numeric_limits<double>::quiet_NaN());
    if (!norms.allFinite() || (norms.array() == 0).any() || !qr.fullRank()) return false;
    roots = qr.inverseFactorRowLengths();
    return true;
}

void fillStandardErrors(FitResult& result, const Eigen::VectorXd& roots) {
    result.standardErrors.assign(roots.data(), roots.data() + roots.size());
    for (double& se : result.standardErrors) se *= result.residualStdDev;
}

}  // namespace solver
