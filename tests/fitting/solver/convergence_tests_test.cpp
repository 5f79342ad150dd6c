// The stopping tests at the ends of the range of doubles, where their products and squares
// overflow or underflow, against long double; and figures that are not numbers never pass.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "fitting/solver/convergence_tests.h"
#include "fitting/solver/fit_model.h"
#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/stable_norm.h"

namespace {

using Real = long double;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A model that only bounds its rounding: `bound` at every point, or none where it is empty.
// It counts the bounds asked for.
class RoundingOnly : public solver::FitModel {
public:
    explicit RoundingOnly(Eigen::VectorXd bound = {}) : bound_(std::move(bound)) {}
    int pointCount() const override { return static_cast<int>(bound_.size()); }
    int parameterCount() const override { return 1; }
    int evaluate(const Eigen::VectorXd&, Eigen::VectorXd&) override { return 0; }
    int evaluateWithJacobian(const Eigen::VectorXd&, Eigen::VectorXd&, Eigen::MatrixXd&) override { return 0; }
    bool valueRounding(const Eigen::VectorXd&, Eigen::VectorXd& bound) override {
        ++asked;
        bound = bound_;
        return bound_.size() > 0;
    }
    int asked = 0;

private:
    Eigen::VectorXd bound_;
};

// Whether the point is stationary, with the model's rounding taken from `model`.
bool stationaryAt(double cosine, const Eigen::VectorXd& values, const Eigen::VectorXd& observed, double tol,
                  solver::FitModel& model) {
    solver::ResidualRounding rounding;
    const Eigen::VectorXd params = Eigen::VectorXd::Zero(1);
    return solver::stationary(cosine, solver::stableLength(values - observed), tol, rounding,
                              solver::FitPoint{model, params, values, observed});
}

bool stationaryAt(double cosine, const Eigen::VectorXd& values, const Eigen::VectorXd& observed, double tol) {
    RoundingOnly none;
    return stationaryAt(cosine, values, observed, tol, none);
}

// Entries of random sign whose exponents spread around a random centre over the whole range.
Eigen::VectorXd wideVector(std::mt19937_64& random, Eigen::Index size, double centre, double width) {
    std::uniform_real_distribution<double> unit(-1, 1);
    Eigen::VectorXd v(size);
    for (double& e : v)
        e = (unit(random) < 0 ? -1 : 1) * std::pow(10.0, std::clamp(centre + width * unit(random), -300.0, 300.0));
    return v;
}

// The cosine between r and the span of a and b: sqrt(r' P r) / |r|, P the projection, from
// the 2 x 2 normal equations in long double (whose range holds the squares of any double).
Real spanCosineInLongDouble(const Eigen::VectorXd& a, const Eigen::VectorXd& b, const Eigen::VectorXd& r) {
    Real aa = 0, ab = 0, bb = 0, ar = 0, br = 0, rr = 0;
    for (Eigen::Index i = 0; i < r.size(); ++i) {
        const Real x = a(i), y = b(i), z = r(i);
        aa += x * x, ab += x * y, bb += y * y, ar += x * z, br += y * z, rr += z * z;
    }
    const Real det = aa * bb - ab * ab;
    const Real projected = (bb * ar * ar - 2 * ab * ar * br + aa * br * br) / det;
    return std::sqrt(projected / rr);
}

// The cosine the methods test, |Q1' r| / |r| from the unit-scaled QR factors, is right over
// the whole range of doubles.
TEST(ConvergenceTests, TheCosineWithTheColumnsAgreesWithLongDoubleOverTheWholeRange) {
    std::mt19937_64 random(34);
    std::uniform_real_distribution<double> centre(-290, 290), width(0, 30);
    for (int trial = 0; trial < 3000; ++trial) {
        const Eigen::Index m = 3 + trial % 30;
        Eigen::MatrixXd jac(m, 2);
        jac.col(0) = wideVector(random, m, centre(random), width(random) / 10);
        jac.col(1) = wideVector(random, m, centre(random), width(random) / 10);
        const Eigen::VectorXd res = wideVector(random, m, centre(random), width(random));
        double change = 0;
        solver::ScaledQR(jac).solve(res, &change);
        const double cosine = change / solver::stableLength(res);
        const Real expected = spanCosineInLongDouble(jac.col(0), jac.col(1), res);
        EXPECT_NEAR(cosine, static_cast<double>(expected), 1e-12 + 1e-10 * expected) << "trial " << trial;
    }
}

TEST(ConvergenceTests, FiguresThatAreNotNumbersNeverPass) {
    const Eigen::Vector3d fine(1, 2, 3), withNaN(1, kNaN, 3), withInf(1, HUGE_VAL, 3);
    for (double cosine : {kNaN, HUGE_VAL}) EXPECT_FALSE(stationaryAt(cosine, fine, fine, 0.5));
    EXPECT_FALSE(stationaryAt(0.9, withNaN, fine, 0.5));
    EXPECT_FALSE(stationaryAt(0.9, withInf, fine, 0.5));
    EXPECT_FALSE(stationaryAt(0.9, fine, withInf, 0.5));
    // A model's bound that is not a number is no bound.
    RoundingOnly nanBound(Eigen::Vector3d(1, kNaN, 1));
    EXPECT_FALSE(stationaryAt(0.9, fine + Eigen::Vector3d(0.1, 0, 0), fine, 1e-9, nanBound));
    const Eigen::VectorXd x = Eigen::VectorXd::Ones(1);
    EXPECT_FALSE(solver::smallScaledStep(Eigen::VectorXd::Constant(1, kNaN), x, x, 0.5));
    EXPECT_FALSE(solver::smallScaledStep(Eigen::VectorXd::Zero(1), x, Eigen::VectorXd::Constant(1, kNaN), 0.5));
    EXPECT_FALSE(solver::smallScaledStep(Eigen::VectorXd::Zero(1), Eigen::VectorXd::Constant(1, HUGE_VAL), x, 0.5));
}

struct StepCase {
    const char* what;
    Eigen::Vector2d step, x, lengths;
    bool small;
};

TEST(ConvergenceTests, TheStepIsMeasuredByHowFarItMovesTheModel) {
    const double tol = 1e-7;
    const StepCase cases[] = {
        // A parameter driven towards 0 by a poor start (a e^(bx) at a = 1.5e-61, b = 1, x to
        // 400): a step of its whole size is not small, however tiny that size (a floor of
        // tol^2 once let it pass).
        {"amplitude near 0", {-1.5e-61, 1e-9}, {1.5e-61, 1}, {5.2e173, 3.1e115}, false},
        {"amplitude near 0, tiny step", {-1.5e-69, 1e-12}, {1.5e-61, 1}, {5.2e173, 3.1e115}, true},
        // Data of 1e-100 fitted from a parameter of their size.
        {"tiny parameter", {2.4e-63, 0}, {2.4e-63, 1}, {10, 0}, false},
        // A parameter whose true value is 0 is measured against the others.
        {"zero parameter", {1e-9, 1e-9}, {0, 3}, {1, 1}, true},
        // Products beyond the range of doubles.
        {"huge columns and parameters", {0.5e293, 0}, {1e300, 0}, {1e300, 1e300}, true},
        {"huge columns, step too long", {2e293, 0}, {1e300, 0}, {1e300, 1e300}, false},
        {"tiny columns and parameters", {0.5e-307, 0}, {1e-300, 0}, {1e-300, 1e-310}, true},
        {"tiny columns, step too long", {2e-307, 0}, {1e-300, 0}, {1e-300, 1e-310}, false},
        {"nothing to measure against", {0, 1e-300}, {0, 0}, {1, 1}, false},
    };
    for (const StepCase& c : cases)
        EXPECT_EQ(solver::smallScaledStep(c.step, c.x, c.lengths, tol), c.small) << c.what;
}

TEST(ConvergenceTests, StationaryWithinTheToleranceOrTheRounding) {
    // y = 2x + 1 at five points; the residuals of the exact line are rounding.
    Eigen::MatrixXd jac(5, 2);
    jac << 1, 1, 2, 1, 3, 1, 4, 1, 5, 1;
    const Eigen::VectorXd observed = jac * Eigen::Vector2d(2, 1);
    Eigen::VectorXd rounding(5);
    rounding << 1, -1, 1, 1, -1;
    rounding *= std::numeric_limits<double>::epsilon() * 4;
    const Eigen::VectorXd wobble = (Eigen::VectorXd(5) << 0.01, -0.02, 0, 0.02, -0.01).finished();
    auto test = [&](const Eigen::VectorXd& values, const Eigen::VectorXd& data, double tol) {
        double change = 0;
        const Eigen::VectorXd res = values - data;
        solver::ScaledQR(jac).solve(res, &change);
        return stationaryAt(change / solver::stableLength(res), values, data, tol);
    };
    for (double scale : {1e-300, 1e-150, 1.0, 1e150, 1e300}) {
        SCOPED_TRACE(scale);
        // Rounding only: stationary at any tolerance, though its cosine is large.
        EXPECT_TRUE(test(scale * (observed + rounding), scale * observed, 1e-15));
        // A wobble orthogonal to both columns: the minimum.
        EXPECT_TRUE(test(scale * (observed + wobble), scale * observed, 1e-15));
        // The line moved by 1 %: far from it.
        EXPECT_FALSE(test(scale * observed * 1.01, scale * observed, 1e-7));
        // Moved by 1e-7 against a wobble of 1e-2: a cosine of about 5e-5, within 1e-7 but not 1e-9.
        const Eigen::VectorXd near = scale * (observed * (1 + 1e-7) + wobble);
        EXPECT_TRUE(test(near, scale * observed, 1e-7));
        EXPECT_FALSE(test(near, scale * observed, 1e-9));
    }
}

// Where the model's evaluation rounds more than the last bit of its values (differences of
// large terms), residuals of that rounding are stationary however large their cosine; beyond
// it they are not. The bound is asked for only where the lengths come near it.
TEST(ConvergenceTests, TheModelsOwnRoundingCountsAsRounding) {
    Eigen::MatrixXd jac(5, 1);
    jac << 1, 2, 3, 4, 5;
    const Eigen::VectorXd observed = jac.col(0) * 6e6;
    const Eigen::VectorXd sign = (Eigen::VectorXd(5) << 1, -1, 1, 1, -1).finished();
    const Eigen::VectorXd bound = Eigen::VectorXd::Constant(5, 1e-3);  // rounding of terms of 1E12
    auto test = [&](const Eigen::VectorXd& values, solver::FitModel& model) {
        double change = 0;
        const Eigen::VectorXd res = values - observed;
        solver::ScaledQR(jac).solve(res, &change);
        return stationaryAt(change / solver::stableLength(res), values, observed, 1e-9, model);
    };
    RoundingOnly roundsMore(bound), roundsLastBit;
    const Eigen::VectorXd noise = observed + 0.9e-3 * sign;
    EXPECT_TRUE(test(noise, roundsMore));
    EXPECT_FALSE(test(noise, roundsLastBit));
    // Moved by 1e-7 beside that noise: a projection 100 times its rounding.
    EXPECT_FALSE(test(noise * (1 + 1e-7), roundsMore));

    // Far beyond the last computed bound, the estimate decides: no evaluation.
    RoundingOnly counted(bound);
    solver::ResidualRounding rounding;
    const Eigen::VectorXd params = Eigen::VectorXd::Zero(1);
    const solver::FitPoint point{counted, params, noise, observed};
    EXPECT_TRUE(rounding.covers(1e-3, point));
    EXPECT_EQ(counted.asked, 1);
    EXPECT_FALSE(rounding.covers(1e3, point));
    EXPECT_EQ(counted.asked, 1);
}

}  // namespace
