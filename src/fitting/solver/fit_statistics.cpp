#include "fitting/solver/fit_statistics.h"

#include <cmath>
#include <limits>

#include "fitting/solver/scaled_qr.h"

namespace solver {

void fillGoodnessOfFit(FitResult& result, const Eigen::VectorXd& observed,
                       const Eigen::VectorXd& fitted, int n) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Eigen::Index m = observed.size();
    result.fittedValues.assign(fitted.data(), fitted.data() + m);
    result.residualSumOfSquares = (observed - fitted).squaredNorm();
    result.degreesOfFreedom = static_cast<int>(m) - n;
    result.residualStdDev = result.degreesOfFreedom > 0
                                ? std::sqrt(result.residualSumOfSquares / result.degreesOfFreedom)
                                : nan;
    const double sst = (observed.array() - observed.mean()).matrix().squaredNorm();
    result.rSquared = sst > 0 ? 1 - result.residualSumOfSquares / sst : nan;
}

bool inverseNormalDiagonal(const Eigen::MatrixXd& jacobian, Eigen::VectorXd& diagonal) {
    return inverseNormalDiagonal(ScaledQR(jacobian), diagonal);
}

bool inverseNormalDiagonal(const ScaledQR& qr, Eigen::VectorXd& diagonal) {
    const Eigen::VectorXd& norms = qr.columnNorms();
    diagonal = Eigen::VectorXd::Constant(norms.size(), std::numeric_limits<double>::quiet_NaN());
    if (!norms.allFinite() || (norms.array() == 0).any() || !qr.fullRank()) return false;
    diagonal = qr.inverseFactor().rowwise().squaredNorm();
    return true;
}

void fillStandardErrors(FitResult& result, const Eigen::VectorXd& diagonal) {
    result.standardErrors.resize(diagonal.size());
    for (Eigen::Index j = 0; j < diagonal.size(); ++j)
        result.standardErrors[j] = result.residualStdDev * std::sqrt(diagonal(j));
}

}  // namespace solver
