#pragma once
// Lengths of vectors whose squares a double may not hold: data of 1e200 have squares beyond
// the largest double, and data of 1e-200 squares below the smallest. The plain sum of squares
// is used where its result shows that no square can have overflowed or been lost to underflow;
// otherwise the length is taken again with scaling (Eigen's stableNorm, as LAPACK's dnrm2).
#include <Eigen/Core>

namespace solver {

// Where the plain length is trusted: its square is far from both ends of the double's range.
inline constexpr double kPlainLengthLow = 1e-140;
inline constexpr double kPlainLengthHigh = 1e140;

template <typename Derived>
double stableLength(const Eigen::MatrixBase<Derived>& v) {
    const double plain = v.norm();
    if (plain >= kPlainLengthLow && plain <= kPlainLengthHigh) return plain;
    const typename Derived::PlainObject p = v;
    if (!p.allFinite()) return plain;  // an infinite or undefined entry stays what it is
    return p.stableNorm();
}

// The length of each column of a.
Eigen::VectorXd columnLengths(const Eigen::MatrixXd& a);

// The power of two at or above the largest |v_i| (1 when v is 0): dividing by it brings v
// into [-1, 1] without rounding.
double powerOfTwoScale(const Eigen::VectorXd& v);

}  // namespace solver
