#include "fitting/solver/fit_statistics.h"

#include <cmath>
#include <limits>

#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/stable_norm.h"

namespace solver {

double fillGoodnessOfFit(FitResult& result, const Eigen::VectorXd& observed,
                         const Eigen::VectorXd& fitted, int n, double scale) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Eigen::Index m = observed.size();
    result.fittedValues.resize(static_cast<std::size_t>(m));
    Eigen::Map<Eigen::VectorXd>(result.fittedValues.data(), m) = fitted * scale;
    const double length = stableLength(observed - fitted);
    // Exact (scale is a power of two), or beyond a double's range exactly where the true length is.
    const double residual = length * scale;
    result.residualSumOfSquares = residual * residual;
    result.degreesOfFreedom = static_cast<int>(m) - n;
    const double s = result.degreesOfFreedom > 0 ? length / std::sqrt(result.degreesOfFreedom) : nan;
    result.residualStdDev = s * scale;
    // The mean of data near the largest double is taken at their scale, where the sum holds.
    const double meanScale = powerOfTwoScale(observed);
    const double mean = m > 0 ? (observed / meanScale).mean() * meanScale : 0.0;
    const double spread = stableLength((observed.array() - mean).matrix());
    const double unexplained = length / spread;
    result.rSquared = spread > 0 ? 1 - unexplained * unexplained : nan;
    return s;
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
