// The statistics of a polynomial fit at any scale of the data: the residual sum of squares,
// s, R2 and the standard errors against a second road in long double (whose range holds the
// squares of every double), Inf only where the sum of squares is beyond a double, and never
// NaN for an exact fit.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fitting/solver/polynomial_fit.h"

namespace {

using solver::FitStatus;
using solver::PolynomialFitRequest;
using Real = long double;

// The least-squares polynomial of the given degree by the normal equations on x centred and
// scaled into [-1, 1], turned back into coefficients of the powers of x.
struct Reference {
    std::vector<Real> b, se;
    Real ssr = 0, s = 0, r2 = 0;
};

Reference reference(int degree, const std::vector<double>& x, const std::vector<double>& y) {
    const int p = degree + 1, m = static_cast<int>(x.size());
    Real mx = 0, my = 0, spread = 0;
    for (int i = 0; i < m; ++i) mx += x[i] / static_cast<Real>(m), my += y[i] / static_cast<Real>(m);
    for (double v : x) spread = std::max(spread, std::fabs(v - mx));
    std::vector<std::vector<Real>> powers(m, std::vector<Real>(p, 1));
    for (int i = 0; i < m; ++i)
        for (int j = 1; j < p; ++j) powers[i][j] = powers[i][j - 1] * ((x[i] - mx) / spread);
    // [N | I | T^T y] reduced to [I | N^-1 | c] by Gauss-Jordan elimination (N is positive definite).
    std::vector<std::vector<Real>> g(p, std::vector<Real>(2 * p + 1, 0));
    for (int j = 0; j < p; ++j) {
        for (int k = 0; k < p; ++k)
            for (int i = 0; i < m; ++i) g[j][k] += powers[i][j] * powers[i][k];
        g[j][p + j] = 1;
        for (int i = 0; i < m; ++i) g[j][2 * p] += powers[i][j] * y[i];
    }
    for (int j = 0; j < p; ++j) {
        const Real pivot = g[j][j];
        for (Real& e : g[j]) e /= pivot;
        for (int r = 0; r < p; ++r)
            if (r != j)
                for (int k = 2 * p; k >= 0; --k) g[r][k] -= g[r][j] * g[j][k];
    }
    Reference ref;
    Real sst = 0;
    for (int i = 0; i < m; ++i) {
        Real e = y[i];
        for (int j = 0; j < p; ++j) e -= g[j][2 * p] * powers[i][j];
        ref.ssr += e * e;
        sst += (y[i] - my) * (y[i] - my);
    }
    ref.s = std::sqrt(ref.ssr / (m - p));
    ref.r2 = 1 - ref.ssr / sst;
    // b = M c with M(k, j) the coefficient of x^k in ((x - mx) / spread)^j.
    std::vector<std::vector<Real>> t(p, std::vector<Real>(p, 0));
    for (int j = 0; j < p; ++j) {
        Real binomial = 1;
        for (int k = j; k >= 0; --k) {
            t[k][j] = binomial * std::pow(-mx, j - k) / std::pow(spread, j);
            binomial = binomial * k / (j - k + 1);
        }
    }
    ref.b.assign(p, 0);
    ref.se.assign(p, 0);
    for (int k = 0; k < p; ++k) {
        Real variance = 0;
        for (int j = 0; j < p; ++j) {
            ref.b[k] += t[k][j] * g[j][2 * p];
            for (int l = 0; l < p; ++l) variance += t[k][j] * g[j][p + l] * t[k][l];
        }
        ref.se[k] = ref.s * std::sqrt(variance);
    }
    return ref;
}

bool inRange(Real v) { return std::fabs(v) >= DBL_MIN && std::fabs(v) <= DBL_MAX; }

// A figure within a double's range to tol of the reference; beyond it Inf (above) or at most
// the smallest normal double (below), never NaN.
::testing::AssertionResult matches(const char* what, double actual, Real expected, double tol) {
    if (inRange(expected) ? std::fabs(actual - expected) <= tol * std::fabs(expected)
        : std::fabs(expected) > DBL_MAX ? actual == HUGE_VAL
                                         : actual >= 0 && actual <= DBL_MIN)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << " is " << actual << ", the reference "
                                         << static_cast<double>(expected);
}

std::string scaleText(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", v);
    return text;
}

// Ten points x = xs t_k, t_k = k + jitter, and y = ys (shape(t_k) + noise n_k), fitted with the line
// (model 1) or the quadratic (model 2) and checked against the reference where every
// coefficient and standard error is within a double's range (elsewhere the existing refusal).
void expectReference(int model, double xs, double ys, double (*shape)(double), double noise) {
    const double jitter[10] = {0.1, -0.2, 0.05, 0.3, -0.15, 0.25, -0.05, 0.2, -0.3, 0.12};
    const double n[10] = {0.3, -0.7, 0.55, -0.1, 0.9, -0.45, -0.25, 0.6, -0.8, 0.15};
    PolynomialFitRequest req;
    req.model = model;
    req.columns = {{}};
    for (int k = 0; k < 10; ++k) {
        const double x = k + 1 + jitter[k];
        req.columns[0].push_back(xs * x);
        req.observed.push_back(ys * (shape(x) + noise * n[k]));
    }
    const Reference ref = reference(model, req.columns[0], req.observed);
    SCOPED_TRACE("model " + std::to_string(model) + ", x scale " + scaleText(xs) + ", y scale " + scaleText(ys) +
                 ", noise " + scaleText(noise));
    bool representable = true;
    for (std::size_t k = 0; k < ref.b.size(); ++k) representable = representable && inRange(ref.b[k]) && inRange(ref.se[k]);
    const solver::FitResult r = solver::fitPolynomial(req);
    if (!representable) {
        EXPECT_EQ(r.status, FitStatus::BadInput);
        EXPECT_NE(r.message.find("too large for the model's powers"), std::string::npos) << r.message;
        return;
    }
    ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
    EXPECT_TRUE(matches("SSR", r.residualSumOfSquares, ref.ssr, 1e-10));
    EXPECT_TRUE(matches("s", r.residualStdDev, ref.s, 1e-10));
    EXPECT_NEAR(r.rSquared, static_cast<double>(ref.r2), 1e-10);
    for (std::size_t k = 0; k < ref.b.size(); ++k) {
        EXPECT_TRUE(matches(("b" + std::to_string(k)).c_str(), r.parameters[k], ref.b[k], 1e-10));
        EXPECT_TRUE(matches(("se(b" + std::to_string(k) + ")").c_str(), r.standardErrors[k], ref.se[k], 1e-9));
    }
}

double line(double x) { return 3 - 0.5 * x; }
double parabola(double x) { return 2 + 0.7 * x - 0.3 * x * x; }

const double kYScales[] = {1e-300, 1e-250, 1e-200, 1e-156, 1e-100, 1e-50, 1,     1e50,
                           1e100,  1e144,  1e150,  1e156,  1e160,  1e200, 1e250, 1e300};
const double kXScales[] = {1e-40, 1, 1e40};

TEST(PolynomialFitScale, NoisyLinesAndQuadraticsMatchALongDoubleReferenceAtAnyScale) {
    for (double ys : kYScales)
        for (double xs : kXScales) {
            expectReference(1, xs, ys, line, 1e-2);
            expectReference(1, -xs, -ys, line, 1e-3);
            expectReference(2, xs, ys, parabola, 1e-2);
        }
}

// Data near 1E+156 whose residuals are about 1E+144: the true sum of squares, about
// 1.6E+288, is within a double though the square of the data's scale is not. The residuals are
// 1E-13 of the largest value, so rounding at its size leaves two or three digits of them.
TEST(PolynomialFitScale, SumOfSquaresNearTheTopOfTheRangeIsFinite) {
    PolynomialFitRequest req;
    req.model = 1;
    req.columns = {{}};
    const double n[8] = {0.3, -0.7, 0.55, -0.1, 0.9, -0.45, -0.25, 0.6};
    for (int k = 0; k < 8; ++k) {
        req.columns[0].push_back(k + 1);
        req.observed.push_back(1e156 * (k + 1) + 8.5e143 * n[k]);
    }
    const Reference ref = reference(1, req.columns[0], req.observed);
    ASSERT_NEAR(static_cast<double>(ref.ssr / 1e288), 1.6, 0.05);
    const solver::FitResult r = solver::fitPolynomial(req);
    ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
    EXPECT_TRUE(matches("SSR", r.residualSumOfSquares, ref.ssr, 1e-2));
    EXPECT_TRUE(matches("s", r.residualStdDev, ref.s, 1e-2));
}

// An exact line: the sum of squares is 0 or of the size of the rounding of values up to yMax
// (Inf only where that size is beyond a double), R2 is 1 within rounding, nothing is NaN.
void expectExactLine(const PolynomialFitRequest& req, Real b0, Real b1, Real yMax) {
    const solver::FitResult r = solver::fitPolynomial(req);
    ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
    EXPECT_TRUE(matches("b0", r.parameters[0], b0, 1e-13));
    EXPECT_TRUE(matches("b1", r.parameters[1], b1, 1e-13));
    // Every residual within a few units in the last place of the largest value.
    const Real rounding = 64 * DBL_EPSILON * yMax;
    const Real bound = static_cast<Real>(req.observed.size()) * rounding * rounding;
    const Real ssr = r.residualSumOfSquares;
    EXPECT_TRUE(ssr <= bound || (bound > DBL_MAX && std::isinf(ssr))) << "SSR " << r.residualSumOfSquares;
    EXPECT_LE(r.residualStdDev, std::sqrt(bound / r.degreesOfFreedom));
    EXPECT_NEAR(r.rSquared, 1.0, 1e-12);
    for (double se : r.standardErrors) EXPECT_FALSE(std::isnan(se));
}

// Lines exact in binary, y = 2^i (1 + k) at x = 2^j k, and 4E+180 (x - 3) at x = -3 .. 0,
// whose residuals are exactly 0 at the scale the fit works in (once NaN, 0 times Inf).
TEST(PolynomialFitScale, ExactLinesHaveNoResidualsAtAnyScale) {
    for (int i : {-996, -700, -600, -300, -100, 0, 100, 300, 511, 512, 600, 700, 996})
        for (int j : {-20, 0, 20}) {
            SCOPED_TRACE("y scale 2^" + std::to_string(i) + ", x scale 2^" + std::to_string(j));
            PolynomialFitRequest req;
            req.model = 1;
            req.columns = {{}};
            for (int k = 0; k < 8; ++k) {
                req.columns[0].push_back(std::ldexp(k, j));
                req.observed.push_back(std::ldexp(1 + k, i));
            }
            expectExactLine(req, std::ldexp(1.0L, i), std::ldexp(1.0L, i - j), std::ldexp(8.0L, i));
        }
    SCOPED_TRACE("4E+180 (x - 3)");
    const PolynomialFitRequest near4e180 = {1, {{-3, -2, -1, 0}}, {4e180 * -6, 4e180 * -5, 4e180 * -4, 4e180 * -3}};
    expectExactLine(near4e180, 4e180L * -3, 4e180L, 4e180L * 6);
}

}  // namespace
