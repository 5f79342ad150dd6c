#pragma once
// The test of a small step: a fit is converged only where its full Gauss-Newton step is small
// against the parameters' own scale (or the sum of squares no longer falls), and the point is
// stationary (stationary_point.h). Taken without squaring anything that could overflow or
// underflow; figures that are not numbers fail it.
#include <Eigen/Core>

namespace solver {

// Whether |D step| <= tol |D x|, with D the lengths of the Jacobian's columns: how far the step
// moves the model, against how far the parameters' whole values move it. A parameter's own
// size sets its scale, so no floor lets a tiny parameter (or one driven towards 0) pass at
// any step; a parameter whose true value is 0 is measured against the others.
bool smallScaledStep(const Eigen::VectorXd& step, const Eigen::VectorXd& x, const Eigen::VectorXd& columnLengths,
                     double tol);

}  // namespace solver
