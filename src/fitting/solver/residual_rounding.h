#pragma once
// ResidualRounding: how much of the residuals f(p) - y is rounding. Each value carries the
// rounding its evaluation commits (FitModel::valueRounding: far more than its last bit where
// it is the small difference of large terms or the sine of a large argument) and the last
// bits of the value and the datum. A length of the residuals' kind (their projection on the
// Jacobian's columns, the change a step makes to the fitted values) within that rounding
// cannot be told from none.
//
// The model's bound costs an evaluation. It is computed where a decision rests on it; in
// between it is estimated from the last one computed, in proportion to the last bits of the
// values at hand.
#include <Eigen/Core>

#include "fitting/solver/fit_model.h"

namespace solver {

// A point of a fit: the parameters, the model's values there, and the data.
struct FitPoint {
    FitModel& model;
    const Eigen::VectorXd& params;
    const Eigen::VectorXd& values;
    const Eigen::VectorXd& observed;
};

// How many times the rounding a length may be and still count as rounding: the bounds are
// taken one point at a time, and the factorisations that form the lengths round as well.
inline constexpr double kRoundingFactor = 8;

// The last bits of the values and the data, as one length: eps |(|f| + |y|)|.
double lastBits(const Eigen::VectorXd& values, const Eigen::VectorXd& observed);

class ResidualRounding {
public:
    // The estimate at a point with these values: the last bits alone until a bound is known.
    double estimate(const Eigen::VectorXd& values, const Eigen::VectorXd& observed) const;
    // The rounding at the point, as one length, computed; remembered for the estimates.
    double at(const FitPoint& point);
    // Whether length is within factor times the rounding at the point. The last bits alone
    // or, where the length is far beyond the estimate, the estimate decide without an evaluation.
    bool covers(double length, const FitPoint& point, double factor = kRoundingFactor);

private:
    double ratio_ = 0;  // the last rounding computed over the last bits there; 0 before any
};

}  // namespace solver
