#pragma once
// The tests that decide whether a fit stands at a stationary point of the sum of squares. A
// fit is converged only where both hold: its full Gauss-Newton step is small against the
// parameters' own scale (or the sum of squares no longer falls), and the residuals are
// (within their rounding) orthogonal to the Jacobian's columns. Each is taken without
// squaring anything that could overflow or underflow, and a test whose figures are not
// numbers fails.
#include <Eigen/Core>

#include "fitting/solver/residual_rounding.h"

namespace solver {

// Whether |D step| <= tol |D x|, with D the lengths of the Jacobian's columns: how far the step
// moves the model, against how far the parameters' whole values move it. A parameter's own
// size sets its scale, so no floor lets a tiny parameter (or one driven towards 0) pass at
// any step; a parameter whose true value is 0 is measured against the others.
bool smallScaledStep(const Eigen::VectorXd& step, const Eigen::VectorXd& x, const Eigen::VectorXd& columnLengths,
                     double tol);

// Whether the residuals are orthogonal to the Jacobian: the cosine between them and the
// Jacobian's column space, |Q1^T r| / |r| from its QR factors (at least the cosine with any
// one column, and the square root of the relative reduction the full Gauss-Newton step
// promises), is at most sqrt(tol); or the residuals' projection on that space, cosine |r|, is
// within their rounding at the point (the model's own, and the last bits of the values and
// the data), where no smaller one can be computed. A cosine that is not a number fails.
bool stationary(double cosine, double residualLength, double tol, ResidualRounding& rounding,
                const FitPoint& point);

}  // namespace solver
