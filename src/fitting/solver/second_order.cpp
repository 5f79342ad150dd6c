#include "fitting/solver/second_order.h"

#include <algorithm>
#include <cmath>

#include <Eigen/Eigenvalues>

namespace solver {

void SecondOrderTerm::update(const Eigen::VectorXd& s, const Eigen::MatrixXd& j0, const Eigen::VectorXd& r0,
                             const Eigen::MatrixXd& j1, const Eigen::VectorXd& r1) {
    const Eigen::Index n = s.size();
    if (s_.rows() != n) s_ = Eigen::MatrixXd::Zero(n, n);
    const Eigen::VectorXd y = j1.transpose() * r1 - j0.transpose() * r0;  // the gradient's change
    Eigen::VectorXd wanted(n);  // what S should do to s: (j1 - j0)^T r1, column by column
    for (Eigen::Index k = 0; k < n; ++k) wanted(k) = (j1.col(k) - j0.col(k)).dot(r1);
    const double ys = y.dot(s);
    if (!(ys > 0) || !std::isfinite(ys) || !wanted.allFinite()) return;
    Eigen::VectorXd ss = s_ * s;
    const double sss = s.dot(ss);
    if (sss != 0) {
        const double size = std::min(1.0, std::abs(s.dot(wanted)) / std::abs(sss));
        s_ *= size;
        ss *= size;
    }
    const Eigen::VectorXd w = wanted - ss;
    s_ += (w * y.transpose() + y * w.transpose()) / ys - (w.dot(s) / ys) / ys * (y * y.transpose());
    if (!s_.allFinite()) {
        s_.setZero();
        rows_.resize(0, n);
        rowsKnown_ = true;
        return;
    }
    rowsKnown_ = false;
}

const Eigen::MatrixXd& SecondOrderTerm::rows() {
    if (rowsKnown_) return rows_;
    rowsKnown_ = true;
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> eig(0.5 * (s_ + s_.transpose()));
    rows_ = eig.eigenvalues().cwiseMax(0.0).cwiseSqrt().asDiagonal() * eig.eigenvectors().transpose();
    if ((rows_.array() == 0).all()) rows_.resize(0, s_.rows());
    return rows_;
}

}  // namespace solver
