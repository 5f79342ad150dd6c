// Polynomial least squares for the nine models: exact recovery, ill-conditioned abscissae,
// statistics, rank deficiency and bad input.
#include <cfloat>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fitting/solver/polynomial_fit.h"

namespace {

using solver::FitStatus;
using solver::PolynomialFitRequest;

double termValue(const solver::PolynomialTerm& t, double x, double y, double z) {
    return std::pow(x, t.px) * std::pow(y, t.py) * std::pow(z, t.pz);
}

// Data of model `model` with coefficients b at points drawn from [lo, hi]^vars.
PolynomialFitRequest exactData(int model, const std::vector<double>& b, int m, double lo, double hi,
                               unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(lo, hi);
    const int vars = solver::polynomialVariables(model);
    PolynomialFitRequest req;
    req.model = model;
    req.columns.assign(vars, std::vector<double>(m));
    req.observed.assign(m, 0.0);
    const auto& terms = solver::polynomialTerms(model);
    for (int i = 0; i < m; ++i) {
        double p[3] = {0, 0, 0};
        for (int v = 0; v < vars; ++v) p[v] = req.columns[v][i] = u(rng);
        for (std::size_t k = 0; k < terms.size(); ++k) req.observed[i] += b[k] * termValue(terms[k], p[0], p[1], p[2]);
    }
    return req;
}

TEST(PolynomialFit, TermTablesFollowTheNineModels) {
    const int counts[] = {2, 3, 4, 3, 6, 10, 4, 10, 19};
    for (int model = 1; model <= 9; ++model) {
        EXPECT_EQ(static_cast<int>(solver::polynomialTerms(model).size()), counts[model - 1]);
        EXPECT_EQ(solver::polynomialVariables(model), (model - 1) / 3 + 1);
    }
    // "Binary Cubic Model": ... + b6*x*y^2 + b7*x^2*y + b8*x^3 + b9*y^3.
    const auto& six = solver::polynomialTerms(6);
    EXPECT_EQ(six[6].px, 1);
    EXPECT_EQ(six[6].py, 2);
    EXPECT_EQ(six[7].px, 2);
    EXPECT_EQ(six[7].py, 1);
    // "Trinary Cubic Model" has no x*y*z term; b13 is y^2*z.
    for (const auto& t : solver::polynomialTerms(9)) EXPECT_FALSE(t.px && t.py && t.pz);
    EXPECT_EQ(solver::polynomialTerms(9)[13].py, 2);
    EXPECT_EQ(solver::polynomialTerms(9)[13].pz, 1);
    EXPECT_TRUE(solver::polynomialTerms(0).empty());
    EXPECT_TRUE(solver::polynomialTerms(10).empty());
}

TEST(PolynomialFit, RecoversExactCoefficientsOfEveryModel) {
    for (int model = 1; model <= 9; ++model) {
        const std::size_t p = solver::polynomialTerms(model).size();
        std::vector<double> b(p);
        for (std::size_t k = 0; k < p; ++k) b[k] = (k % 2 ? -1.0 : 1.0) * (0.5 + 0.37 * static_cast<double>(k));
        const PolynomialFitRequest req = exactData(model, b, 60, -3, 4, 7u + model);
        const solver::FitResult r = solver::fitPolynomial(req);
        SCOPED_TRACE(model);
        ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
        ASSERT_EQ(r.parameters.size(), p);
        for (std::size_t k = 0; k < p; ++k) EXPECT_NEAR(r.parameters[k], b[k], 1e-10 * std::abs(b[k])) << "b" << k;
        EXPECT_NEAR(r.rSquared, 1.0, 1e-12);
        EXPECT_EQ(r.iterations, 0);
        EXPECT_EQ(r.degreesOfFreedom, 60 - static_cast<int>(p));
        EXPECT_NEAR(r.fittedValues[3], req.observed[3], 1e-9 * std::abs(req.observed[3]));
    }
}

// Abscissae around 1e6 make x^3 about 1e18: the normal equations would lose everything,
// the centred and scaled QR keeps 8 digits of every coefficient.
TEST(PolynomialFit, IllConditionedAbscissaeKeepEightDigits) {
    struct Case {
        int model;
        std::vector<double> centred;  // coefficients of the model in x - 1e6 (and y - 2e6)
    };
    // b from the coefficients c of the same polynomial in t = x - x0: exact by construction.
    const double x0 = 1e6;
    {
        // Unary cubic: c0 + c1 t + c2 t^2 + c3 t^3.
        const double c0 = 3, c1 = -2, c2 = 0.5, c3 = 0.25;
        const std::vector<double> b = {c0 - c1 * x0 + c2 * x0 * x0 - c3 * x0 * x0 * x0,
                                       c1 - 2 * c2 * x0 + 3 * c3 * x0 * x0, c2 - 3 * c3 * x0, c3};
        PolynomialFitRequest req;
        req.model = 3;
        req.columns = {{}};
        for (int i = 0; i <= 40; ++i) {
            const double t = -20 + i;
            req.columns[0].push_back(x0 + t);
            req.observed.push_back(c0 + c1 * t + c2 * t * t + c3 * t * t * t);
        }
        const solver::FitResult r = solver::fitPolynomial(req);
        ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
        for (int k = 0; k < 4; ++k) EXPECT_NEAR(r.parameters[k], b[k], 1e-8 * std::abs(b[k])) << "b" << k;
        for (std::size_t i = 0; i < req.observed.size(); ++i)
            EXPECT_NEAR(r.fittedValues[i], req.observed[i], 1e-6);
    }
    {
        // Binary quadratic in x around 1e6 and y around 2e6.
        const double y0 = 2e6;
        const double c[6] = {1, 2, -1, 0.5, 0.25, -0.75};  // 1, t, s, t s, t^2, s^2
        const std::vector<double> b = {
            c[0] - c[1] * x0 - c[2] * y0 + c[3] * x0 * y0 + c[4] * x0 * x0 + c[5] * y0 * y0,
            c[1] - c[3] * y0 - 2 * c[4] * x0,
            c[2] - c[3] * x0 - 2 * c[5] * y0,
            c[3], c[4], c[5]};
        PolynomialFitRequest req;
        req.model = 5;
        req.columns = {{}, {}};
        for (int i = 0; i < 7; ++i)
            for (int j = 0; j < 7; ++j) {
                const double t = -3 + i, s = -3 + j;
                req.columns[0].push_back(x0 + t);
                req.columns[1].push_back(y0 + s);
                req.observed.push_back(c[0] + c[1] * t + c[2] * s + c[3] * t * s + c[4] * t * t + c[5] * s * s);
            }
        const solver::FitResult r = solver::fitPolynomial(req);
        ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
        for (int k = 0; k < 6; ++k) EXPECT_NEAR(r.parameters[k], b[k], 1e-8 * std::abs(b[k])) << "b" << k;
    }
}

TEST(PolynomialFit, StandardErrorsOfTheLineMatchTheClosedForm) {
    PolynomialFitRequest req;
    req.model = 1;
    req.columns = {{1, 2, 3, 4, 5, 6, 7}};
    req.observed = {2.1, 3.9, 6.2, 7.8, 10.1, 12.2, 13.8};
    const solver::FitResult r = solver::fitPolynomial(req);
    ASSERT_EQ(r.status, FitStatus::Converged);
    const double mx = 4, sxx = 28;
    double ssr = 0;
    for (int i = 0; i < 7; ++i) {
        const double e = req.observed[i] - r.parameters[0] - r.parameters[1] * req.columns[0][i];
        ssr += e * e;
    }
    const double s = std::sqrt(ssr / 5);
    EXPECT_NEAR(r.residualSumOfSquares, ssr, 1e-12);
    EXPECT_NEAR(r.standardErrors[1], s / std::sqrt(sxx), 1e-12);
    EXPECT_NEAR(r.standardErrors[0], s * std::sqrt(1.0 / 7 + mx * mx / sxx), 1e-12);
}

TEST(PolynomialFit, TooFewDistinctValuesAreSingular) {
    PolynomialFitRequest req;
    req.model = 2;
    req.columns = {{1, 1, 2, 2, 2}};
    req.observed = {1, 1.1, 2, 2.1, 1.9};
    const solver::FitResult r = solver::fitPolynomial(req);
    EXPECT_EQ(r.status, FitStatus::Singular);
    EXPECT_FALSE(r.message.empty());
    EXPECT_TRUE(std::isnan(r.standardErrors[2]));
    // The basic solution still passes through the two group means.
    EXPECT_NEAR(r.fittedValues[0], 1.05, 1e-12);
    EXPECT_NEAR(r.fittedValues[2], 2.0, 1e-12);
}

// The least-squares line against the same closed form in long double, whose range holds the
// squares of every Double: over random scales of x and y from 1e-300 to 1e300, each fit gives
// the reference to 10 digits, or is refused exactly where a coefficient or standard error is
// beyond the range of Doubles.
TEST(PolynomialFit, LinesOfAnyScaleMatchALongDoubleReferenceOrAreRefused) {
    std::mt19937 rng(29);
    std::uniform_real_distribution<double> exponent(-300, 300), unit(-1, 1);
    int fitted = 0, refused = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const double xs = std::pow(10.0, exponent(rng)) * (trial % 2 ? -1 : 1), ys = std::pow(10.0, exponent(rng));
        PolynomialFitRequest req;
        req.model = 1;
        req.columns = {{}};
        for (int k = 0; k < 8; ++k) {
            req.columns[0].push_back(xs * (k + 0.5 * unit(rng)));
            req.observed.push_back(ys * unit(rng));
        }
        long double mx = 0, my = 0, sxx = 0, sxy = 0, ssr = 0;
        for (int k = 0; k < 8; ++k) mx += req.columns[0][k] / 8.0L, my += req.observed[k] / 8.0L;
        for (int k = 0; k < 8; ++k) {
            const long double dx = req.columns[0][k] - mx;
            sxx += dx * dx;
            sxy += dx * (req.observed[k] - my);
        }
        const long double b = sxy / sxx, a = my - b * mx;
        for (int k = 0; k < 8; ++k) {
            const long double e = req.observed[k] - a - b * req.columns[0][k];
            ssr += e * e;
        }
        const long double s = std::sqrt(ssr / 6), seB = s / std::sqrt(sxx), seA = s * std::sqrt(1.0L / 8 + mx * mx / sxx);
        const long double figures[4] = {a, b, seA, seB};
        bool representable = true;
        for (long double f : figures) representable = representable && std::fabs(f) >= DBL_MIN && std::fabs(f) <= DBL_MAX;

        const solver::FitResult r = solver::fitPolynomial(req);
        SCOPED_TRACE("x scale " + std::to_string(xs) + ", y scale " + std::to_string(ys));
        if (!representable) {
            ++refused;
            EXPECT_EQ(r.status, FitStatus::BadInput);
            EXPECT_NE(r.message.find("too large for the model's powers"), std::string::npos) << r.message;
            continue;
        }
        ++fitted;
        ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
        const long double got[4] = {r.parameters[0], r.parameters[1], r.standardErrors[0], r.standardErrors[1]};
        const long double within[4] = {1e-10L * (std::fabs(my) + std::fabs(b * mx)), 1e-10L * std::fabs(b),
                                       1e-9L * seA, 1e-9L * seB};
        for (int k = 0; k < 4; ++k) EXPECT_LE(std::fabs(got[k] - figures[k]), within[k]) << "figure " << k;
        EXPECT_NEAR(r.rSquared, static_cast<double>(1 - ssr / (ssr + b * b * sxx)), 1e-10);
    }
    EXPECT_GT(fitted, 100);
    EXPECT_GT(refused, 50);
}

// Powers of huge or tiny values: fitted where the coefficients fit in a Double (exact by
// construction), refused with the term and the column named where they do not.
TEST(PolynomialFit, PowersBeyondTheRangeOfDoublesAreRefusedOthersFitted) {
    struct Case {
        const char* what;
        int model;
        double x1, x2;                 // each variable's unit: variable v at point k is unit * k
        std::vector<double> exact;     // b; empty when refused
        std::string message;
    };
    const std::vector<Case> cases = {
        {"unary cubic of x around 1e200", 3, 1e200, 0, {},
         "The fit cannot be written in numbers: the values of Time (x) are too large for the model's powers (the "
         "coefficient b3 of x^3 would be about 1E-600, below the smallest number, 2.2E-308)."},
        {"unary cubic of x around 1e100", 3, 1e100, 0, {0, 0, 0, 1e-300}, ""},
        {"unary quadratic of x around 1e-160", 2, 1e-160, 0, {},
         "The fit cannot be written in numbers: the values of Time (x) are too large for the model's powers (the "
         "coefficient b2 of x^2 would be about 1E+320, above the largest number, 1.8E+308)."},
        {"binary linear of 1e250 and 1e-250", 4, 1e250, 1e-250, {0, 1e-250, 1e250}, ""},
        {"binary quadratic of x around 1e200", 5, 1e200, 1, {},
         "The fit cannot be written in numbers: the values of Time (x) are too large for the model's powers (the "
         "coefficient b4 of x^2 would be about 1E-400, below the smallest number, 2.2E-308)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PolynomialFitRequest req;
        req.model = c.model;
        const int vars = solver::polynomialVariables(c.model);
        req.columns.assign(vars, {});
        req.names = {"Time", "Depth", "Value"};
        // y = k^power in units of x: the cubic's b3 is 1 / unit^3.
        const int power = c.model <= 3 ? c.model : c.model - 3;
        for (int i = 1; i <= 6; ++i)
            for (int j = 1; j <= (vars == 2 ? 4 : 1); ++j) {
                req.columns[0].push_back(c.x1 * i);
                if (vars == 2) req.columns[1].push_back(c.x2 * j * (j % 2 ? 1 : i));
                req.observed.push_back(std::pow(i, power) + (vars == 2 ? j * (j % 2 ? 1 : i) : 0));
            }
        if (c.model == 4) {
            for (std::size_t k = 0; k < req.observed.size(); ++k) req.observed[k] = req.columns[0][k] / c.x1 + req.columns[1][k] / c.x2;
        }
        const solver::FitResult r = solver::fitPolynomial(req);
        if (c.exact.empty()) {
            EXPECT_EQ(r.status, FitStatus::BadInput);
            EXPECT_EQ(r.message, c.message);
            continue;
        }
        ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
        // Each term at its largest is within 1e-12 of the largest observed value.
        const auto& terms = solver::polynomialTerms(c.model);
        for (std::size_t k = 0; k < terms.size(); ++k) {
            const double reach = std::pow(6 * c.x1, terms[k].px) * std::pow(24 * std::abs(c.x2), terms[k].py);
            EXPECT_NEAR(r.parameters[k] * reach, c.exact[k] * reach, 1e-11 * 216) << "b" << k;
            EXPECT_TRUE(std::isfinite(r.standardErrors[k]));
        }
    }
}

// Rank deficiency names its real cause and the columns.
TEST(PolynomialFit, DependentTermsNameTheirCause) {
    struct Case {
        int model;
        std::vector<std::vector<double>> columns;
        std::string reason;
    };
    const std::string lead = "The coefficients cannot all be determined: ";
    const std::vector<double> y = {1, 2, 4, 3, 5, 7, 6};
    const std::vector<Case> cases = {
        {2, {{1, 1, 2, 2, 2, 1, 2}},
         "column A (x) holds only 2 distinct values, and the model's powers of x up to x^2 need at least 3."},
        {4, {{1, 2, 3, 4, 5, 6, 7}, {5, 5, 5, 5, 5, 5, 5}},
         "column B (y) holds only 1 distinct value, and the model's powers of y up to y need at least 2."},
        {4, {{1, 2, 3, 4, 5, 6, 7}, {2, 4, 6, 8, 10, 12, 14}},
         "columns A (x) and B (y) are collinear (on these data one is a straight-line function of the other), so "
         "the model's terms are linearly dependent."},
        {7, {{1, 2, 3, 4, 5, 6, 7}, {3, 1, 4, 1, 5, 9, 2}, {4, 3, 7, 5, 10, 15, 9}},
         "columns A (x), B (y) and C (z) are linearly dependent (on these data each is a linear function of the other "
         "two), so the model's terms are linearly dependent."},
        {5, {{1, 2, 3, 4, 5, 6, 7}, {1, 4, 9, 16, 25, 36, 49}},
         "the model's terms are linearly dependent on these data (the points of columns A (x) and B (y) lie on a "
         "curve of the model's degree, such as one column being the square of another)."},
    };
    for (const Case& c : cases) {
        PolynomialFitRequest req;
        req.model = c.model;
        req.columns = c.columns;
        req.observed = y;
        req.names = {"A", "B", "C", "D"};
        const solver::FitResult r = solver::fitPolynomial(req);
        EXPECT_EQ(r.status, FitStatus::Singular);
        EXPECT_EQ(r.message, lead + c.reason);
    }
}

TEST(PolynomialFit, BadInputGetsAStatusAndAMessage) {
    struct Case {
        PolynomialFitRequest req;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{0, {{1, 2, 3}}, {1, 2, 3}}, "Please choose one of the nine polynomial models."},
        {{10, {{1, 2, 3}}, {1, 2, 3}}, "Please choose one of the nine polynomial models."},
        {{4, {{1, 2, 3}}, {1, 2, 3}}, "Please select variables first."},
        {{1, {{1, 2, 3}}, {1, 2}}, "The data columns have different lengths."},
        {{3, {{1, 2, 3}}, {1, 2, 3}}, "There are fewer data points (3) than coefficients (4)."},
        {{1, {{1, NAN, 3}}, {1, 2, 3}}, "The data hold a value that is not a finite number (data point 2)."},
        {{1, {{1, 2, 3}}, {1, 2, INFINITY}}, "The data hold a value that is not a finite number (data point 3)."},
    };
    for (const Case& c : cases) {
        const solver::FitResult r = solver::fitPolynomial(c.req);
        EXPECT_EQ(r.status, FitStatus::BadInput);
        EXPECT_EQ(r.message, c.message);
    }
}

}  // namespace
