#include "fitting/solver/scaled_qr.h"

#include <limits>

#include "fitting/solver/stable_norm.h"

namespace solver {

namespace {

Eigen::MatrixXd scaledColumns(Eigen::MatrixXd a, const Eigen::VectorXd& scale) {
    for (Eigen::Index k = 0; k < a.cols(); ++k) a.col(k) /= scale(k);
    return a;
}

}  // namespace

ScaledQR::ScaledQR(Eigen::MatrixXd a)
    : norms_(columnLengths(a)),
      // A zero column stays zero under any scale; it only must not divide by 0.
      scale_(norms_.cwiseMax(std::numeric_limits<double>::min())),
      scaled_(scaledColumns(std::move(a), scale_)),
      qr_(scaled_) {
    qr_.setThreshold(kRankThreshold);
}

Eigen::VectorXd ScaledQR::solve(const Eigen::VectorXd& b, double* fittedNorm, Eigen::VectorXd* fitted) const {
    const Eigen::Index r = qr_.rank();
    Eigen::VectorXd qtb = qr_.householderQ().adjoint() * b;
    if (fittedNorm) *fittedNorm = stableLength(qtb.head(r));
    Eigen::VectorXd z = Eigen::VectorXd::Zero(qr_.cols());
    z.head(r) = qr_.matrixR().topLeftCorner(r, r).triangularView<Eigen::Upper>().solve(qtb.head(r));
    if (fitted) {
        qtb.tail(qtb.size() - r).setZero();
        *fitted = qr_.householderQ() * qtb;
    }
    return (qr_.colsPermutation() * z).cwiseQuotient(scale_);
}

Eigen::MatrixXd ScaledQR::inverseR() const {
    const Eigen::Index n = qr_.cols();
    return qr_.matrixR().topRows(n).triangularView<Eigen::Upper>().solve(Eigen::MatrixXd::Identity(n, n));
}

Eigen::MatrixXd ScaledQR::inverseFactor() const {
    const Eigen::MatrixXd rinv = inverseR();
    Eigen::MatrixXd g(rinv.rows(), rinv.cols());
    const Eigen::VectorXi& perm = qr_.colsPermutation().indices();
    for (Eigen::Index k = 0; k < rinv.rows(); ++k) g.row(perm(k)) = rinv.row(k) / scale_(perm(k));
    return g;
}

Eigen::VectorXd ScaledQR::inverseFactorRowLengths() const {
    const Eigen::MatrixXd rinv = inverseR();
    Eigen::VectorXd lengths(rinv.rows());
    const Eigen::VectorXi& perm = qr_.colsPermutation().indices();
    for (Eigen::Index k = 0; k < rinv.rows(); ++k) lengths(perm(k)) = stableLength(rinv.row(k)) / scale_(perm(k));
    return lengths;
}

}  // namespace solver
