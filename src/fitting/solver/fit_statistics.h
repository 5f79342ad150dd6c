#pragma once
// Goodness-of-fit figures and asymptotic standard errors of a least-squares fit.
#include <Eigen/Core>

#include "fitting/solver/fit_result.h"

namespace solver {

// Fills fittedValues, residualSumOfSquares, degreesOfFreedom, residualStdDev and rSquared
// of result from the observed and fitted values; n is the number of parameters.
void fillGoodnessOfFit(FitResult& result, const Eigen::VectorXd& observed,
                       const Eigen::VectorXd& fitted, int n);

class ScaledQR;

// The diagonal of (J^T J)^-1 from a column-pivoted QR of J with unit-scaled columns, or from
// those factors. Returns false (and NaNs) when J is rank-deficient.
bool inverseNormalDiagonal(const Eigen::MatrixXd& jacobian, Eigen::VectorXd& diagonal);
bool inverseNormalDiagonal(const ScaledQR& factors, Eigen::VectorXd& diagonal);

// standardErrors = residualStdDev * sqrt(diagonal); NaN where that is undetermined.
void fillStandardErrors(FitResult& result, const Eigen::VectorXd& diagonal);

}  // namespace solver
