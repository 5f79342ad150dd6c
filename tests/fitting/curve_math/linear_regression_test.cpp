// The least-squares line: known lines, precision with offsets, degenerate data.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "fitting/curve_math/linear_regression.h"

namespace {

struct Line {
    double a = -1, b = -1, R2 = -1;
    RegressionStatus status{};
};

Line fit(const std::vector<double>& x, const std::vector<double>& y) {
    Line l;
    l.status = LinearRegression(x, y, l.a, l.b, l.R2);
    return l;
}

TEST(LinearRegression, KnownLines) {
    struct Case {
        std::vector<double> x, y;
        double a, b, R2;
    };
    const std::vector<Case> cases = {
        {{1, 2, 3}, {2, 4, 6}, 0, 2, 1},
        {{1, 2, 3}, {1, 3, 2}, 1, 0.5, 0.25},
        {{0, 1, 2}, {5, 3, 1}, 5, -2, 1},
        // No linear trend: b = 0, a = mean of y, R2 = 0.
        {{1, 2, 3}, {1, 2, 1}, 4.0 / 3, 0, 0},
        // Worked out by hand from the normal equations.
        {{1, 2, 3, 4, 5, 6}, {2.1, 3.9, 6.2, 7.8, 10.1, 12.2}, -0.019999999999999664, 2.02, 0.9982106661074999},
    };
    for (const Case& c : cases) {
        const Line l = fit(c.x, c.y);
        EXPECT_EQ(l.status, RegressionStatus::Ok);
        EXPECT_NEAR(l.a, c.a, 1e-12);
        EXPECT_NEAR(l.b, c.b, 1e-12);
        EXPECT_NEAR(l.R2, c.R2, 1e-12);
    }
}

TEST(LinearRegression, CentredSumsKeepPrecisionUnderLargeOffsets) {
    // Sums of raw squares would lose every digit of the spread at 1e8.
    const std::vector<double> x = {1, 2, 3, 4, 5}, y = {1.2, 1.9, 3.2, 3.8, 5.1};
    std::vector<double> xs, ys;
    for (double v : x) xs.push_back(v + 1e8);
    for (double v : y) ys.push_back(v + 1e8);
    const Line plain = fit(x, y), shifted = fit(xs, ys);
    ASSERT_EQ(shifted.status, RegressionStatus::Ok);
    EXPECT_NEAR(shifted.b, plain.b, 1e-6);
    EXPECT_NEAR(shifted.R2, plain.R2, 1e-6);
    EXPECT_NEAR(shifted.a - 1e8 + 1e8 * shifted.b, plain.a, 1e-3);
}

TEST(LinearRegression, DegenerateDataGiveAStatusAndFiniteNumbers) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        std::vector<double> x, y;
        RegressionStatus status;
        double a, b;
    };
    const std::vector<Case> cases = {
        {{2, 2, 2}, {1, 5, 3}, RegressionStatus::XConstant, 3, 0},
        {{2, 2, 2}, {4, 4, 4}, RegressionStatus::XConstant, 4, 0},
        {{1, 2, 3}, {7, 7, 7}, RegressionStatus::YConstant, 7, 0},
        // The mean of three 0.1 is not 0.1 in Doubles; still constant.
        {{1, 2, 3}, {0.1, 0.1, 0.1}, RegressionStatus::YConstant, 0.1, 0},
        {{}, {}, RegressionStatus::NoPoints, 0, 0},
        {{1, 2, 3}, {1, 2}, RegressionStatus::NoPoints, 0, 0},
        {{1, nan, 3}, {1, 2, 3}, RegressionStatus::NotFinite, 0, 0},
        // A slope of 1e608 is beyond a Double.
        {{1e-300, 2e-300, 3e-300}, {-1e308, 0, 1e308}, RegressionStatus::NotFinite, 0, 0},
    };
    for (const Case& c : cases) {
        const Line l = fit(c.x, c.y);
        EXPECT_EQ(l.status, c.status);
        EXPECT_TRUE(std::isfinite(l.a) && std::isfinite(l.b) && std::isfinite(l.R2));
        EXPECT_DOUBLE_EQ(l.a, c.a);
        EXPECT_DOUBLE_EQ(l.b, c.b);
    }
}

// Against the same sums in long double, whose range holds the squares of every Double: over
// random scales of x and y from 1e-300 to 1e300, a and b agree to 12 digits, or the status
// says they are beyond a Double.
TEST(LinearRegression, AnyScaleMatchesALongDoubleReference) {
    std::mt19937 rng(29);
    std::uniform_real_distribution<double> exponent(-300, 300), unit(-1, 1);
    int ok = 0, out = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const double xs = std::pow(10.0, exponent(rng)), ys = std::pow(10.0, exponent(rng)) * (trial % 2 ? -1 : 1);
        std::vector<double> x, y;
        for (int k = 0; k < 7; ++k) x.push_back(xs * (k + 0.5 * unit(rng))), y.push_back(ys * unit(rng));
        long double mx = 0, my = 0, sxx = 0, sxy = 0;
        for (int k = 0; k < 7; ++k) mx += x[k] / 7.0L, my += y[k] / 7.0L;
        for (int k = 0; k < 7; ++k) sxx += (x[k] - mx) * (x[k] - mx), sxy += (x[k] - mx) * (y[k] - my);
        const long double b = sxy / sxx, a = my - b * mx;
        const Line l = fit(x, y);
        if (std::fabs(b) > DBL_MAX || std::fabs(a) > DBL_MAX) {
            ++out;
            EXPECT_EQ(l.status, RegressionStatus::NotFinite);
            continue;
        }
        ++ok;
        ASSERT_EQ(l.status, RegressionStatus::Ok) << xs << " " << ys;
        // A slope below the normal range is left as it comes (the run rounds it to 0 anyway).
        if (std::fabs(b) < DBL_MIN) EXPECT_LT(std::fabs(l.b), DBL_MIN);
        else EXPECT_LE(std::fabs(l.b - b), 1e-12L * std::fabs(b));
        EXPECT_LE(std::fabs(l.a - a), 1e-12L * (std::fabs(my) + std::fabs(b * mx)));
    }
    EXPECT_GT(ok, 100);
    EXPECT_GT(out, 20);
    // Squares beyond a Double once gave no line at all: the flat line, b within rounding of 0.
    const Line big = fit({1, 2, 3}, {1e308, -1e308, 1e308});
    EXPECT_EQ(big.status, RegressionStatus::Ok);
    EXPECT_NEAR(big.a / (1e308 / 3), 1, 1e-15);
    EXPECT_LE(std::abs(big.b) * 3, 1e-15 * 1e308);
}

}  // namespace
