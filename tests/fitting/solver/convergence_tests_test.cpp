// The stopping tests at the ends of the range of doubles, where their products and squares
// overflow or underflow, against long double; and figures that are not numbers never pass.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "fitting/solver/convergence_tests.h"
#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/stable_norm.h"

namespace {

using Real = long double;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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

}  // namespace
