#include "fitting/solver/fit_statistics.h"

#include <cmath>
#include <limits>

#include <Eigen/Dense>

#include "fitting/solver/iteration.h"

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
    const Eigen::Index n = jacobian.cols();
    diagonal = Eigen::VectorXd::Constant(n, std::numeric_limits<double>::quiet_NaN());
    const Eigen::VectorXd scale = jacobian.colwise().norm().transpose();
    if (!scale.allFinite() || (scale.array() == 0).any()) return false;
    Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(jacobian * scale.cwiseInverse().asDiagonal());
    qr.setThreshold(kRankThreshold);
    if (qr.rank() < n) return false;
    // (J^T J)^-1 = S^-1 P R^-1 R^-T P^T S^-1: row k of R^-1 belongs to parameter perm(k).
    const Eigen::MatrixXd rinv = qr.matrixR()
                                     .topRows(n)
                                     .triangularView<Eigen::Upper>()
                                     .solve(Eigen::MatrixXd::Identity(n, n));
    const Eigen::VectorXi& perm = qr.colsPermutation().indices();
    for (Eigen::Index k = 0; k < n; ++k) {
        const Eigen::Index j = perm(k);
        diagonal(j) = rinv.row(k).squaredNorm() / (scale(j) * scale(j));
    }
    return true;
}

void fillStandardErrors(FitResult& result, const Eigen::VectorXd& diagonal) {
    result.standardErrors.resize(diagonal.size());
    for (Eigen::Index j = 0; j < diagonal.size(); ++j)
        result.standardErrors[j] = result.residualStdDev * std::sqrt(diagonal(j));
}

}  // namespace solver
