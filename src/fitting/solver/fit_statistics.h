#pragma once
// Goodness-of-fit figures and asymptotic standard errors of a least-squares fit.
#include <Eigen/Core>

#include "fitting/solver/fit_result.h"

namespace solver {

// Fills fittedValues, residualSumOfSquares, degreesOfFreedom, residualStdDev and rSquared
// of result from the observed and fitted values; n is the number of parameters. observed and
// fitted may be the data divided by scale, a power of two; the figures are then given at the
// data's own scale. The lengths are taken without squaring the data, and the residuals' length
// is scaled before it is squared, so that s and R2 hold at any scale and the sum of squares is
// infinite only where its value is beyond a double. Returns s at the divided scale, for
// figures that carry further factors (standard errors) to be formed before the scale is applied.
double fillGoodnessOfFit(FitResult& result, const Eigen::VectorXd& observed,
                         const Eigen::VectorXd& fitted, int n, double scale = 1.0);

class ScaledQR;

// The square roots of the diagonal of (J^T J)^-1 from a column-pivoted QR of J with
// unit-scaled columns, or from those factors (the roots, because the diagonal itself is
// beyond a double's range where J is). Returns false (and NaNs) when J is rank-deficient.
bool inverseNormalRoots(const Eigen::MatrixXd& jacobian, Eigen::VectorXd& roots);
bool inverseNormalRoots(const ScaledQR& factors, Eigen::VectorXd& roots);

// standardErrors = residualStdDev * roots; NaN where that is undetermined.
void fillStandardErrors(FitResult& result, const Eigen::VectorXd& roots);

}  // namespace solver
