#pragma once
// The tests that decide whether a fit stands at a minimum of the sum of squares. A fit is
// converged only where both hold: its full Gauss-Newton step is small against the
// parameters' own scale, and the residuals are (within their rounding) orthogonal to every
// column of the Jacobian. Each is taken without squaring anything that could overflow or
// underflow, and a test whose figures are not numbers fails.
#include <Eigen/Core>

namespace solver {

// Whether |D step| <= tol |D x|, with D the lengths of the Jacobian's columns: how far the step
// moves the model, against how far the parameters' whole values move it. A parameter's own
// size sets its scale, so no floor lets a tiny parameter (or one driven towards 0) pass at
// any step; a parameter whose true value is 0 is measured against the others.
bool smallScaledStep(const Eigen::VectorXd& step, const Eigen::VectorXd& x, const Eigen::VectorXd& columnLengths,
                     double tol);

// The largest cosine between the residuals and a column of the Jacobian (0 for residuals or
// a column of zeros); NaN where a figure is not finite.
double largestCosine(const Eigen::MatrixXd& jacobian, const Eigen::VectorXd& residuals);

// Whether the residuals are orthogonal to the Jacobian's columns: every cosine at most
// sqrt(tol) (the sum of squares can then fall by no more than about tol of itself along any
// parameter), or the residuals' projection on each column within the rounding of the model's
// values and the data, where no smaller cosine can be computed. cosine, when given, gets the
// largest cosine.
bool stationary(const Eigen::MatrixXd& jacobian, const Eigen::VectorXd& values, const Eigen::VectorXd& observed,
                double tol, double* cosine = nullptr);

}  // namespace solver
