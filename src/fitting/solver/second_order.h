#pragma once
// SecondOrderTerm: the part of the Hessian of the sum of squares that the Jacobian leaves out,
// S = sum_i r_i Hess(f_i), kept by a sized secant update (Dennis, Gay and Welsch, as in NL2SOL).
// Where the residuals stay large at the minimum and the model is curved, Gauss-Newton's J^T J
// misses S: its steps overshoot across a valley (a zigzag that takes hundreds of iterations),
// or diverge. A step that takes S in follows the valley instead. It enters the least-squares
// problem as rows below the Jacobian whose squares add up to its positive part, so that the
// steps keep their QR factors; a negative part would only lengthen steps, which the trust region
// then has to cut.
#include <Eigen/Core>

namespace solver {

class SecondOrderTerm {
public:
    // After an accepted step s from the point with Jacobian j0 and residuals r0 to the point with
    // j1 and r1: the secant condition S s = (j1 - j0)^T r1, S first sized down by how much of
    // itself the step confirms. Skipped where the gradient did not grow along the step.
    void update(const Eigen::VectorXd& s, const Eigen::MatrixXd& j0, const Eigen::VectorXd& r0,
                const Eigen::MatrixXd& j1, const Eigen::VectorXd& r1);
    // Rows R with R^T R the positive part of S; none while that part is 0.
    const Eigen::MatrixXd& rows();
    // v^T S+ v, which the rows add to the model's predicted sum of squares for a step v.
    double quadratic(const Eigen::VectorXd& v) {
        const Eigen::MatrixXd& r = rows();
        return r.rows() > 0 ? (r * v).squaredNorm() : 0.0;
    }

private:
    Eigen::MatrixXd s_, rows_;
    // The rows are taken from S when asked for: most steps, where Gauss-Newton's model
    // predicts well, never need them.
    bool rowsKnown_ = true;
};

}  // namespace solver
