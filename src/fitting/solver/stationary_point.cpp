#include "fitting/solver/stationary_point.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <Eigen/QR>
#include <Eigen/SVD>

#include "fitting/solver/stable_norm.h"

namespace solver {

namespace {

constexpr double kEps = std::numeric_limits<double>::epsilon();

// Halvings of the step the noise probe tries before it gives up: enough to bring a step whose
// curvature is a million times its linear change down to where the prediction holds.
constexpr int kMaxProbes = 30;

// The last bit of |v| (the least positive double at 0).
double lastBit(double v) {
    const double a = std::abs(v);
    return std::nextafter(a, std::numeric_limits<double>::infinity()) - a;
}

}  // namespace

double resolution(const Linearisation& at) {
    Eigen::VectorXd perPoint = kEps * (at.values.cwiseAbs() + at.observed.cwiseAbs());
    for (Eigen::Index j = 0; j < at.params.size(); ++j)
        perPoint += (0.5 * lastBit(at.params(j))) * at.jacobian.col(j).cwiseAbs();
    return stableLength(perPoint);
}

NoiseProbe probeNoise(FitModel& model, const Linearisation& at) {
    NoiseProbe out;
    const Eigen::VectorXd res = at.values - at.observed;
    Eigen::VectorXd trial;
    double previous = std::numeric_limits<double>::quiet_NaN(), beforePrevious = previous;
    int flat = 0;  // halvings in a row that did not halve the deviation
    for (int k = 0; k < kMaxProbes; ++k) {
        const Eigen::VectorXd probe = at.params + std::ldexp(1.0, -k) * at.step;
        if (!probe.allFinite()) continue;
        // The step as the parameters took it: below their last bits it is no step.
        const Eigen::VectorXd moved = probe - at.params;
        if ((moved.array() == 0).all()) break;
        if (model.evaluate(probe, trial) >= 0) {
            previous = std::numeric_limits<double>::quiet_NaN();
            flat = 0;
            continue;
        }
        const Eigen::VectorXd predicted = at.jacobian * moved;
        trial -= at.observed;
        out.lowered = std::max(out.lowered, at.length - stableLength(trial));
        trial -= res;
        trial -= predicted;
        const double deviation = stableLength(trial), linearChange = stableLength(predicted);
        if (!std::isfinite(deviation) || !std::isfinite(linearChange)) {
            previous = std::numeric_limits<double>::quiet_NaN();
            flat = 0;
            continue;
        }
        if (linearChange > 0 && deviation <= 0.25 * linearChange) {
            out.linear = true;
            out.noise = deviation;
            return out;
        }
        // Curvature's share of the deviation falls by four with each halving; noise stays. Two
        // halvings in a row that leave it above half tell noise from a bend that happens to
        // flatten once.
        flat = deviation >= 0.5 * previous ? flat + 1 : 0;
        if (flat >= 2) {
            out.noise = std::max({deviation, previous, beforePrevious});
            return out;
        }
        beforePrevious = previous;
        previous = deviation;
    }
    // Still shrinking where the step ran out: what is left is at most the last deviation. With
    // no evaluation to measure, there is no evidence of noise at all.
    out.noise = std::isnan(previous) ? std::numeric_limits<double>::infinity() : previous;
    return out;
}

double StationaryTest::worstRounding() {
    if (worst_ < 0) {
        worst_ = std::numeric_limits<double>::infinity();
        Eigen::VectorXd bound;
        if (model_.valueRounding(at_.params, bound) && bound.size() == at_.values.size()) {
            const double length = stableLength(bound);
            if (std::isfinite(length)) worst_ = length;
        }
    }
    return worst_;
}

const NoiseProbe& StationaryTest::probe() {
    if (!probed_) probe_ = probeNoise(model_, at_), probed_ = true;
    return probe_;
}

double StationaryTest::noise() { return std::min(probe().noise, worstRounding()); }

bool StationaryTest::byTolerance() const {
    return at_.length == 0 || (std::isfinite(at_.change) && at_.change <= std::sqrt(tol_) * at_.length);
}

double StationaryTest::resolutionLength() {
    if (resolution_ < 0) resolution_ = resolution(at_);
    return resolution_;
}

bool StationaryTest::byResolution() {
    return std::isfinite(at_.change) && at_.change <= kRoundingFactor * resolutionLength();
}

bool StationaryTest::curvedMinimum(double tol) {
    return at_.params.size() > 1 && orthogonalToEveryColumn(tol) && risesAlongTheWeakestDirection();
}

bool StationaryTest::exactFit() {
    if (at_.length == 0) return true;
    if (!std::isfinite(at_.length)) return false;
    // Where the noise could not be measured, the resolution alone.
    const double measured = noise();
    return at_.length <= kRoundingFactor * (resolutionLength() + (std::isfinite(measured) ? measured : 0.0));
}

bool StationaryTest::orthogonalToEveryColumn(double tol) {
    if (byTolerance() || byResolution()) return true;
    if (!std::isfinite(at_.length) || !at_.jacobian.allFinite()) return false;
    const Eigen::VectorXd r = (at_.values - at_.observed) / at_.length;
    const double cosine = std::sqrt(tol), resolved = kRoundingFactor * resolutionLength() / at_.length;
    for (Eigen::Index j = 0; j < at_.jacobian.cols(); ++j) {
        const double length = stableLength(at_.jacobian.col(j));
        if (length == 0) continue;
        if (!(std::abs((at_.jacobian.col(j) / length).dot(r)) <= std::max(cosine, resolved))) return false;
    }
    return true;
}

bool StationaryTest::risesAlongTheWeakestDirection() {
    const Eigen::Index n = at_.params.size();
    if (!at_.jacobian.allFinite() || !at_.params.allFinite() || !(at_.length > 0)) return false;
    // The Jacobian with its columns scaled to unit length, so that "weakest" does not depend on
    // the parameters' units; directions are taken back to the parameters' own units.
    const Eigen::VectorXd scale = columnLengths(at_.jacobian).cwiseMax(std::numeric_limits<double>::min());
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(at_.jacobian * scale.cwiseInverse().asDiagonal(),
                                                Eigen::ComputeThinU | Eigen::ComputeThinV);
    const Eigen::VectorXd& sigma = svd.singularValues();
    if (!(sigma(n - 2) > 0)) return false;  // more than one direction without effect
    Eigen::VectorXd weakest = svd.matrixV().col(n - 1).cwiseQuotient(scale);
    // A step of 1 along it moves every parameter by at most its own size (or, at 0, the largest).
    const double largest = at_.params.cwiseAbs().maxCoeff();
    double reach = 0;
    for (Eigen::Index j = 0; j < n; ++j)
        reach = std::max(reach, std::abs(weakest(j)) / std::max(std::abs(at_.params(j)), 1e-8 * largest));
    if (!(reach > 0) || !std::isfinite(reach)) return false;
    weakest /= reach;
    // Back to the floor: the Gauss-Newton step in the other directions, with the Jacobian
    // there, min |J V_s z + r|.
    const Eigen::MatrixXd others = scale.cwiseInverse().asDiagonal() * svd.matrixV().leftCols(n - 1);
    // Changes within the rounding of the residuals, as measured at the point, tell nothing.
    const double margin = kRoundingFactor * (resolutionLength() + noise());
    if (!std::isfinite(margin)) return false;
    Eigen::VectorXd values;
    Eigen::MatrixXd jacobian;
    // A rise both ways at a step of h puts a minimum within h of the point: no further than the
    // digits a converged fit promises.
    for (double size : {1e-8, 1e-7, 1e-6}) {
        int rose = 0;
        for (double sign : {1.0, -1.0}) {
            Eigen::VectorXd q = at_.params + (sign * size) * weakest;
            if (!q.allFinite() || model_.evaluateWithJacobian(q, values, jacobian) >= 0 || !jacobian.allFinite())
                return false;
            q -= others * (jacobian * others).colPivHouseholderQr().solve(values - at_.observed);
            if (!q.allFinite() || model_.evaluate(q, values) >= 0) return false;
            const double length = stableLength(values - at_.observed);
            if (!std::isfinite(length) || length < at_.length - margin) return false;  // the valley goes down
            rose += length > at_.length + margin;
        }
        if (rose == 2) return true;
    }
    return false;  // flat along it as far as looked: a plateau, not a minimum
}

bool StationaryTest::withinRounding(double rounding, double confirmed) const {
    return at_.change <= confirmed ||
           (at_.change / at_.length) * at_.change <= 2 * rounding + (rounding / at_.length) * rounding;
}

Verdict StationaryTest::verdict() {
    if (judged_) return verdict_;
    judged_ = true;
    verdict_ = Verdict::NotStationary;
    if (!std::isfinite(at_.change) || !std::isfinite(at_.length)) return verdict_;
    if (byTolerance()) return verdict_ = Verdict::Tolerance;
    if (byResolution()) return verdict_ = Verdict::Resolution;
    // The worst case of the model's rounding, where it gives one: a projection beyond what it
    // could cover below is real without a measurement.
    if (at_.change > kReductionFactor * (resolutionLength() + worstRounding())) return verdict_;
    const NoiseProbe& measured = probe();
    if (!std::isfinite(measured.noise)) return verdict_;
    const double rounding = resolutionLength() + noise();
    // Within the noise of the residuals, and no step along the projection lowered them beyond it.
    if (!measured.linear && at_.change <= kRoundingFactor * rounding && measured.lowered <= 2 * rounding)
        return verdict_ = Verdict::Rounding;
    // Or within the worst case, as far as the noise measured confirms it (the probe sees the noise
    // of the points its steps re-round, which can be a fraction of all); or the reduction the full
    // step promises within the rounding of the sum of squares that the noise makes.
    if (withinRounding(rounding, kReductionFactor * (resolutionLength() +
                                                     std::min(worstRounding(), kConfirmedBound * measured.noise))))
        verdict_ = Verdict::Rounding;
    return verdict_;
}

}  // namespace solver
