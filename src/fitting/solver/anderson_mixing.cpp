#include "fitting/solver/anderson_mixing.h"

#include <Eigen/QR>

namespace solver {

void AndersonMixing::add(const Eigen::VectorXd& x, const Eigen::VectorXd& step) {
    before_.push_front({x, step});
    if (static_cast<int>(before_.size()) > kDepth) before_.pop_back();
}

Eigen::VectorXd AndersonMixing::mixedPoint(const Eigen::VectorXd& x, const Eigen::VectorXd& step,
                                           const Eigen::MatrixXd& jac) const {
    const Eigen::Index n = x.size(), k = static_cast<Eigen::Index>(before_.size());
    Eigen::MatrixXd dF(n, k), dXF(n, k);
    for (Eigen::Index i = 0; i < k; ++i) {
        dF.col(i) = step - before_[i].step;
        dXF.col(i) = x - before_[i].x + dF.col(i);
    }
    // Differences that the Jacobian cannot tell apart add nothing.
    Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(jac * dF);
    qr.setThreshold(1e-10);
    return x + step - dXF * qr.solve(jac * step);
}

}  // namespace solver
