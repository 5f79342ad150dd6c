// The stopping tests at the ends of the range of doubles, where their products and squares
// overflow or underflow, against long double; and figures that are not numbers never pass.
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "fitting/solver/convergence_tests.h"

namespace {

using Real = long double;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Entries of random sign whose exponents spread around a random centre over the whole range.
Eigen::VectorXd wideVector(std::mt19937_64& random, Eigen::Index size, double centre, double width) {
    std::uniform_real_distribution<double> unit(-1, 1);
    Eigen::VectorXd v(size);
    for (double& e : v) e = (unit(random) < 0 ? -1 : 1) * std::pow(10.0, std::clamp(centre + width * unit(random), -300.0, 300.0));
    return v;
}

Real cosineInLongDouble(const Eigen::VectorXd& a, const Eigen::VectorXd& b) {
    Real dot = 0, aa = 0, bb = 0;
    for (Eigen::Index i = 0; i < a.size(); ++i) {
        dot += static_cast<Real>(a(i)) * b(i);
        aa += static_cast<Real>(a(i)) * a(i);
        bb += static_cast<Real>(b(i)) * b(i);
    }
    return std::abs(dot) / std::sqrt(aa) / std::sqrt(bb);
}

TEST(ConvergenceTests, LargestCosineAgreesWithLongDoubleOverTheWholeRange) {
    std::mt19937_64 random(34);
    std::uniform_real_distribution<double> centre(-290, 290), width(0, 40);
    for (int trial = 0; trial < 3000; ++trial) {
        const Eigen::Index m = 2 + trial % 30;
        Eigen::MatrixXd jac(m, 2);
        jac.col(0) = wideVector(random, m, centre(random), width(random));
        jac.col(1) = wideVector(random, m, centre(random), width(random));
        const Eigen::VectorXd res = wideVector(random, m, centre(random), width(random));
        const Real expected = std::max(cosineInLongDouble(jac.col(0), res), cosineInLongDouble(jac.col(1), res));
        EXPECT_NEAR(solver::largestCosine(jac, res), static_cast<double>(expected), 1e-13 + 1e-12 * expected)
            << "trial " << trial;
    }
}

TEST(ConvergenceTests, FiguresThatAreNotNumbersNeverPass) {
    const Eigen::MatrixXd jac = Eigen::MatrixXd::Ones(3, 1);
    const Eigen::Vector3d fine(1, 2, 3), withNaN(1, kNaN, 3), withInf(1, HUGE_VAL, 3);
    EXPECT_TRUE(std::isnan(solver::largestCosine(jac, withNaN)));
    EXPECT_TRUE(std::isnan(solver::largestCosine(jac, withInf)));
    EXPECT_TRUE(std::isnan(solver::largestCosine(Eigen::MatrixXd::Constant(3, 1, kNaN), fine)));
    EXPECT_FALSE(solver::stationary(jac, withNaN, fine, 0.5));
    EXPECT_FALSE(solver::stationary(jac, withInf, fine, 0.5));
    EXPECT_FALSE(solver::stationary(Eigen::MatrixXd::Constant(3, 1, HUGE_VAL), fine, fine + fine, 0.5));
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
        // A parameter driven towards 0 by a poor start: a step of its whole size is not small,
        // however tiny that size (a floor of tol^2 once let it pass).
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
    for (double scale : {1e-300, 1e-150, 1.0, 1e150, 1e300}) {
        SCOPED_TRACE(scale);
        // Rounding only: stationary at any tolerance, though its cosine is large.
        EXPECT_TRUE(solver::stationary(jac, scale * (observed + rounding), scale * observed, 1e-15));
        // A wobble orthogonal to both columns: the minimum.
        EXPECT_TRUE(solver::stationary(jac, scale * (observed + wobble), scale * observed, 1e-15));
        // The line moved by 1 %: far from it.
        EXPECT_FALSE(solver::stationary(jac, scale * observed * 1.01, scale * observed, 1e-7));
        // Moved by 1e-7 against a wobble of 1e-2: a cosine of about 5e-5, within 1e-7 but not 1e-9.
        const Eigen::VectorXd near = scale * (observed * (1 + 1e-7) + wobble);
        EXPECT_TRUE(solver::stationary(jac, near, scale * observed, 1e-7));
        EXPECT_FALSE(solver::stationary(jac, near, scale * observed, 1e-9));
    }
}

}  // namespace
