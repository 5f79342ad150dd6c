#pragma once
// ScaledQR: the column-pivoted QR factors of a matrix whose columns are first scaled to unit
// length, so that its rank and its solutions do not depend on the units of the unknowns.
// The Gauss-Newton step, the standard errors and the polynomial coefficients all come from it.
#include <Eigen/Core>
#include <Eigen/QR>

namespace solver {

// The rank below which a matrix counts as singular: a pivot below this fraction of the
// largest one (of the unit-scaled columns) is taken as zero.
inline constexpr double kRankThreshold = 1e-13;

class ScaledQR {
public:
    // Takes the matrix (move it in where it is not needed afterwards) and decomposes it in place.
    explicit ScaledQR(Eigen::MatrixXd a);
    // The factors refer to the matrix held here.
    ScaledQR(const ScaledQR&) = delete;
    ScaledQR& operator=(const ScaledQR&) = delete;

    Eigen::Index rank() const { return qr_.rank(); }
    bool fullRank() const { return qr_.rank() == qr_.cols(); }
    // Column k of the factors belongs to unknown permutation()(k): the pivots beyond the rank
    // are the unknowns the others span.
    const Eigen::VectorXi& permutation() const { return qr_.colsPermutation().indices(); }
    // The length of each column before scaling (taken without overflow or underflow).
    const Eigen::VectorXd& columnNorms() const { return norms_; }

    // The least-squares solution x of a x = b, in the units of a's columns; where a is
    // rank-deficient the unknowns beyond the rank are 0. When asked for, fittedNorm gets
    // |a x|, the length of the part of b that a explains, and fitted gets a x itself.
    Eigen::VectorXd solve(const Eigen::VectorXd& b, double* fittedNorm = nullptr,
                          Eigen::VectorXd* fitted = nullptr) const;

    // G = S^-1 P R^-1 with (a^T a)^-1 = G G^T: row j belongs to unknown j. Full rank only.
    Eigen::MatrixXd inverseFactor() const;
    // The length of each row of G, the square roots of the diagonal of (a^T a)^-1, taken
    // without squaring the scale of a column (which may be beyond a double's range). Full rank only.
    Eigen::VectorXd inverseFactorRowLengths() const;

private:
    Eigen::MatrixXd inverseR() const;

    Eigen::VectorXd norms_, scale_;
    Eigen::MatrixXd scaled_;
    Eigen::ColPivHouseholderQR<Eigen::Ref<Eigen::MatrixXd>> qr_;
};

}  // namespace solver
