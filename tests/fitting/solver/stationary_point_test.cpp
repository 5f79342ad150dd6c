// The verdict that a point is stationary: by the tolerance, by the resolution of the numbers, or
// by the noise that rounding puts into the residuals, measured at the point itself. A worst-case
// bound of the rounding never makes a point stationary that a step would improve; real noise
// makes a point stationary however large the cosine.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/stable_norm.h"
#include "fitting/solver/stationary_point.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// y = a x + b at x = 1..m, with a deterministic noise of size `noise` that changes with every
// bit of the parameters (as rounding does), and a worst-case bound of its rounding of `bound`
// (none where negative). Counts its evaluations.
class NoisyLine : public solver::FitModel {
public:
    NoisyLine(int m, double noise, double bound) : m_(m), noise_(noise), bound_(bound) {}
    int pointCount() const override { return m_; }
    int parameterCount() const override { return 2; }
    int evaluate(const Eigen::VectorXd& p, Eigen::VectorXd& values) override {
        ++evaluations;
        values.resize(m_);
        for (int i = 0; i < m_; ++i) values(i) = p(0) * (i + 1) + p(1) + noise_ * jitter(p, i);
        return -1;
    }
    int evaluateWithJacobian(const Eigen::VectorXd& p, Eigen::VectorXd& values, Eigen::MatrixXd& jac) override {
        evaluate(p, values);
        jac.resize(m_, 2);
        for (int i = 0; i < m_; ++i) jac(i, 0) = i + 1, jac(i, 1) = 1;
        return -1;
    }
    bool valueRounding(const Eigen::VectorXd&, Eigen::VectorXd& bound) override {
        if (bound_ < 0) return false;
        bound = Eigen::VectorXd::Constant(m_, bound_);
        return true;
    }
    int evaluations = 0;

private:
    // In [-1, 1], from the bits of the parameters and the point.
    static double jitter(const Eigen::VectorXd& p, int i) {
        std::uint64_t h = 0x9E3779B97F4A7C15ull * static_cast<std::uint64_t>(i + 1);
        for (Eigen::Index k = 0; k < p.size(); ++k) {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &p(k), sizeof bits);
            h = (h ^ bits) * 0xBF58476D1CE4E5B9ull;
            h ^= h >> 31;
        }
        return static_cast<double>(h >> 11) * 0x1p-52 - 1;
    }
    int m_;
    double noise_, bound_;
};

// The verdict at p for data y, with the Gauss-Newton step from the model's own Jacobian.
solver::Verdict judge(solver::FitModel& model, const Eigen::VectorXd& p, const Eigen::VectorXd& y, double tol) {
    Eigen::VectorXd values;
    Eigen::MatrixXd jac;
    model.evaluateWithJacobian(p, values, jac);
    double change = 0;
    const Eigen::VectorXd step = -solver::ScaledQR(jac).solve(values - y, &change);
    const solver::Linearisation at{p, values, y, jac, step, change, solver::stableLength(values - y)};
    return solver::StationaryTest(model, at, tol).verdict();
}

using solver::Verdict;

// Exact data of a line: the fitted values differ from the data only by rounding. Where the
// rounding is real noise the point is stationary however large the cosine; where only a bound
// claims it (a bound of 1 on values that round to their last bit), it is not, and where the
// projection is beyond the noise it is not either.
TEST(StationaryPoint, RealNoiseCountsAndABoundAloneDoesNot) {
    const Eigen::Vector2d best(2, 1);
    for (double scale : {1e-200, 1e-3, 1.0, 1e5, 1e200}) {
        SCOPED_TRACE(scale);
        const double noise = 1e-6 * scale;
        NoisyLine noisy(12, noise, 10 * noise), quiet(12, 0, scale);
        Eigen::VectorXd y(12);
        for (int i = 0; i < 12; ++i) y(i) = scale * (2 * (i + 1) + 1);
        const Eigen::VectorXd p = scale * best;
        // At the minimum, the residuals are the noise: stationary at any tolerance.
        EXPECT_EQ(judge(noisy, p, y, 1e-15), Verdict::Rounding);
        // Moved by 100 times the noise: the projection is real.
        const Eigen::VectorXd off = p + Eigen::Vector2d(0, 100 * noise);
        EXPECT_EQ(judge(noisy, off, y, 1e-15), Verdict::NotStationary);
        // No noise, a loose bound: moved by a millionth, the point is not stationary; at the
        // minimum it is (exactly, or by the resolution of the numbers).
        EXPECT_EQ(judge(quiet, off, y, 1e-15), Verdict::NotStationary);
        EXPECT_NE(judge(quiet, p, y, 1e-15), Verdict::NotStationary);
    }
}

// The cosine test: a wobble orthogonal to the columns is the minimum; the line moved within the
// tolerance's share is stationary at that tolerance, not at a tighter one. Neither asks for an
// evaluation.
TEST(StationaryPoint, TheToleranceDecidesWithoutEvaluations) {
    NoisyLine model(5, 0, -1);
    Eigen::VectorXd y(5);
    y << 3.01, 4.98, 7, 9.02, 10.99;  // 2x + 1 and a wobble orthogonal to x and 1
    EXPECT_EQ(judge(model, Eigen::Vector2d(2, 1), y, 1e-15), Verdict::Tolerance);
    const Eigen::Vector2d near(2 * (1 + 1e-7), 1);
    EXPECT_EQ(judge(model, near, y, 1e-7), Verdict::Tolerance);
    EXPECT_EQ(model.evaluations, 2);  // the judged points themselves
    EXPECT_EQ(judge(model, near, y, 1e-12), Verdict::NotStationary);
}

TEST(StationaryPoint, FiguresThatAreNotNumbersNeverPass) {
    NoisyLine model(3, 0, 1);
    const Eigen::Vector3d values(1, 2, 3), y(1, 2, 3.5);
    const Eigen::MatrixXd jac = Eigen::MatrixXd::Ones(3, 2);
    const Eigen::Vector2d p(1, 1), step(0, 0);
    for (double change : {kNaN, HUGE_VAL}) {
        const solver::Linearisation at{p, values, y, jac, step, change, 0.5};
        EXPECT_EQ(solver::StationaryTest(model, at, 0.5).verdict(), Verdict::NotStationary);
    }
    const solver::Linearisation infinite{p, values, y, jac, step, 0.1, HUGE_VAL};
    EXPECT_EQ(solver::StationaryTest(model, infinite, 0.5).verdict(), Verdict::NotStationary);
}

}  // namespace
