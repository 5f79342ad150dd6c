#include "fitting/solver/residual_rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "fitting/solver/stable_norm.h"

namespace solver {

namespace {

constexpr double kEps = std::numeric_limits<double>::epsilon();

// How far beyond the estimate a length must lie to be refused without computing the bound:
// the bound changes with the point, but not by this much between nearby points.
constexpr double kEstimateMargin = 64;

}  // namespace

double lastBits(const Eigen::VectorXd& values, const Eigen::VectorXd& observed) {
    return kEps * stableLength(values.cwiseAbs() + observed.cwiseAbs());
}

double ResidualRounding::estimate(const Eigen::VectorXd& values, const Eigen::VectorXd& observed) const {
    return std::max(ratio_, 1.0) * lastBits(values, observed);
}

double ResidualRounding::at(const FitPoint& p) {
    const double bits = lastBits(p.values, p.observed);
    Eigen::VectorXd bound;
    // A model that cannot bound its rounding is taken at its last bits.
    ratio_ = std::max(ratio_, 1.0);
    if (!p.model.valueRounding(p.params, bound) || bound.size() != p.values.size() || !bound.allFinite())
        return bits;
    const double rounding = stableLength(bound + kEps * (p.values.cwiseAbs() + p.observed.cwiseAbs()));
    if (!std::isfinite(rounding)) return bits;
    if (bits > 0) ratio_ = rounding / bits;
    return rounding;
}

bool ResidualRounding::covers(double length, const FitPoint& p, double factor) {
    if (!std::isfinite(length)) return false;
    const double bits = lastBits(p.values, p.observed);
    if (!std::isfinite(bits)) return false;
    if (length <= factor * bits) return true;
    if (ratio_ > 0 && length > kEstimateMargin * factor * ratio_ * bits) return false;
    return length <= factor * at(p);
}

}  // namespace solver
