// Polynomial least squares for the nine models: exact recovery, ill-conditioned abscissae,
// statistics, rank deficiency and bad input.
#include <cmath>
#include <random>
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
