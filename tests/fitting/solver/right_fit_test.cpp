// The fits new users try first: exact data, parameters whose best value is 0, models whose
// evaluation magnifies rounding. Each is the minimum of the sum of squares and must be
// reported as converged by both methods, from the starting values people type. Where the data
// are exact, the generating values are the minimum; where they are nearly exact, a
// Gauss-Newton in long double (long_double_reference.h), which shares nothing with the solver
// but the data, gives it. Refusals name their real cause: the model or the data where no
// starting value can help, the start where one can.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fitting/solver/nonlinear_fit.h"
#include "compile_model.h"
#include "long_double_reference.h"

namespace {

using reference::Real;
using solver::FitMethod;
using solver::FitStatus;

constexpr FitMethod kMethods[] = {FitMethod::GaussNewton, FitMethod::LevenbergMarquardt};

const char* methodName(FitMethod m) { return m == FitMethod::GaussNewton ? "Gauss-Newton" : "Levenberg-Marquardt"; }

std::vector<double> evenly(int points, double first, double last) {
    std::vector<double> x;
    for (int i = 0; i < points; ++i) x.push_back(first + (last - first) * i / (points - 1));
    return x;
}

struct Data {
    std::vector<double> x, y;
};

// y = f(x) (in double, as a user's spreadsheet holds it) plus wobble * sin(1.3 i + 0.5).
template <typename F>
Data sample(const std::vector<double>& x, F f, double wobble = 0) {
    Data d{x, {}};
    for (std::size_t i = 0; i < x.size(); ++i) d.y.push_back(f(x[i]) + wobble * std::sin(1.3 * i + 0.5));
    return d;
}

solver::FitResult fit(const std::string& model, const Data& d, const std::vector<solver::ParameterStart>& start,
                      FitMethod method) {
    solver::NonlinearFitRequest req;
    req.model = compileModel(model);
    req.columns = {d.x};
    req.observed = d.y;
    req.parameters = start;
    req.options.method = method;  // the other options as the dialog starts them
    return solver::fitNonlinear(req);
}

// Exact data: the generating values are the minimum (sum of squares 0 up to rounding). A
// generating value of 0 is matched against the size of the data: a zero offset, for one,
// comes out as the rounding of values of that size.
struct ExactCase {
    const char* what;
    const char* model;
    Data data;
    std::vector<solver::ParameterStart> start;
    std::vector<double> truth;
    double digits;  // relative agreement with a nonzero generating value
};

TEST(RightFits, ExactDataAreFittedToTheirGeneratingValues) {
    const std::vector<double> x30 = evenly(30, 0, 10);
    std::vector<double> x200;
    for (int i = 0; i < 200; ++i) x200.push_back(5.0 * i);
    const ExactCase cases[] = {
        {"a quadratic without constant", "a*x^2+b*x+c", sample(x30, [](double x) { return 2 * x * x + 3 * x; }),
         {{'a', 1}, {'b', 1}, {'c', 1}}, {2, 3, 0}, 12},
        {"a quadratic without linear term", "a*x^2+b*x+c", sample(x30, [](double x) { return 2 * x * x + 7; }),
         {{'a', 1}, {'b', 1}, {'c', 1}}, {2, 0, 7}, 12},
        {"a decay without offset", "a*exp(-b*x)+c", sample(x30, [](double x) { return 5 * std::exp(-x / 2); }),
         {{'a', 4}, {'b', 0.4}, {'c', 0.5}}, {5, 0.5, 0}, 10},
        {"a saturation without offset", "a*x/(b+x)+c", sample(x30, [](double x) { return 3 * x / (2 + x); }),
         {{'a', 1}, {'b', 1}, {'c', 1}}, {3, 2, 0}, 10},
        // Values of 1E7 formed from terms of 1E12: rounding of 1E-4 in each.
        {"a difference of large squares", "(a+x)^2-x^2",
         sample(evenly(20, 1e6, 2e6), [](double x) { return 6 * x + 9; }), {{'a', 2.5}}, {3}, 8},
        // Arguments up to 700: rounding of 1E-13 in each value of about 1.
        {"a sine of large arguments", "a*sin(b*x+c)",
         sample(x200, [](double x) { return 2 * std::sin(0.7 * x + 0.3); }),
         {{'a', 1.9}, {'b', 0.7001}, {'c', 0.31}}, {2, 0.7, 0.3}, 10},
    };
    for (const ExactCase& c : cases)
        for (FitMethod method : kMethods) {
            const solver::FitResult r = fit(c.model, c.data, c.start, method);
            SCOPED_TRACE(std::string(c.what) + ", " + methodName(method) + ": " + r.message);
            ASSERT_EQ(r.status, FitStatus::Converged);
            double size = 0;
            for (double y : c.data.y) size = std::max(size, std::abs(y));
            for (std::size_t k = 0; k < c.truth.size(); ++k) {
                if (c.truth[k] == 0)
                    EXPECT_LE(std::abs(r.parameters[k]), 1e-10 * size) << "parameter " << k;
                else
                    EXPECT_NEAR(r.parameters[k], c.truth[k], std::pow(10.0, -c.digits) * std::abs(c.truth[k]))
                        << "parameter " << k;
            }
        }
}

// Nearly exact data, against the long-double minimum: the parameters, each to 9 digits or
// within a hundredth of its standard error, whichever is looser (a parameter whose best value
// is 0 is known only to its standard error), where the sum of squares (taken in long double)
// exceeds the minimum's by no more than 1E-8 of it. The wobbles lie well beyond the rounding of
// each model's values, so that these figures are the data's, not the rounding's.
struct NearCase {
    const char* what;
    const char* model;
    reference::Model twin;
    Data data;
    std::vector<solver::ParameterStart> start;
    std::vector<Real> near;  // where the reference starts
};

TEST(RightFits, NearlyExactDataReachTheLongDoubleMinimum) {
    using P = std::vector<Real>;
    const reference::Model quadratic{[](const P& p, Real x) { return p[0] * x * x + p[1] * x + p[2]; },
                                     [](const P&, Real x, Real* g) { g[0] = x * x, g[1] = x, g[2] = 1; }};
    const reference::Model decay{[](const P& p, Real x) { return p[0] * std::exp(-p[1] * x) + p[2]; },
                                 [](const P& p, Real x, Real* g) {
                                     g[0] = std::exp(-p[1] * x), g[1] = -p[0] * x * std::exp(-p[1] * x), g[2] = 1;
                                 }};
    // Written without the cancellation, so that the reference has the digits the double lacks.
    const reference::Model squares{[](const P& p, Real x) { return p[0] * p[0] + 2 * p[0] * x; },
                                   [](const P& p, Real x, Real* g) { g[0] = 2 * (p[0] + x); }};
    const reference::Model sine{[](const P& p, Real x) { return p[0] * std::sin(p[1] * x + p[2]); },
                                [](const P& p, Real x, Real* g) {
                                    g[0] = std::sin(p[1] * x + p[2]);
                                    g[1] = p[0] * x * std::cos(p[1] * x + p[2]);
                                    g[2] = p[0] * std::cos(p[1] * x + p[2]);
                                }};
    const reference::Model line{[](const P& p, Real x) { return p[0] + p[1] * x; },
                                [](const P&, Real x, Real* g) { g[0] = 1, g[1] = x; }};
    const std::vector<double> x30 = evenly(30, 0, 10);
    std::vector<double> x200, x11;
    for (int i = 0; i < 200; ++i) x200.push_back(5.0 * i);
    for (int i = 0; i <= 10; ++i) x11.push_back(-5e-11 + 1e-11 * i);
    const NearCase cases[] = {
        {"quadratic", "a*x^2+b*x+c", quadratic, sample(x30, [](double x) { return 2 * x * x + 3 * x; }, 1e-8),
         {{'a', 1}, {'b', 1}, {'c', 1}}, {2, 3, 0}},
        {"decay", "a*exp(-b*x)+c", decay, sample(x30, [](double x) { return 5 * std::exp(-x / 2); }, 1e-8),
         {{'a', 4}, {'b', 0.4}, {'c', 0.5}}, {5, 0.5, 0}},
        {"difference of large squares", "(a+x)^2-x^2", squares,
         sample(evenly(20, 1e6, 2e6), [](double x) { return 6 * x + 9; }, 100), {{'a', 2.5}}, {3}},
        {"sine of large arguments", "a*sin(b*x+c)", sine,
         sample(x200, [](double x) { return 2 * std::sin(0.7 * x + 0.3); }, 1e-9),
         {{'a', 1.9}, {'b', 0.7001}, {'c', 0.31}}, {2, 0.7, 0.3}},
        // A line whose slope's column is 1E-11 long: no effect beside the intercept's, by the
        // parameters' sizes, but a column of its own.
        {"line over a tiny span", "a+b*x", line, sample(x11, [](double x) { return 3 + 0.1 * std::cos(x * 1e11); }),
         {{'a', 1}, {'b', 1}}, {3, 0}},
    };
    for (const NearCase& c : cases) {
        const reference::Fit best = reference::fit(c.twin, c.data.x, c.data.y, c.near);
        ASSERT_TRUE(best.converged) << c.what;
        for (FitMethod method : kMethods) {
            const solver::FitResult r = fit(c.model, c.data, c.start, method);
            SCOPED_TRACE(std::string(c.what) + ", " + methodName(method) + ": " + r.message);
            ASSERT_EQ(r.status, FitStatus::Converged);
            const std::vector<Real> reached(r.parameters.begin(), r.parameters.end());
            EXPECT_LE(reference::ssr(c.twin, c.data.x, c.data.y, reached), best.ssr * (1 + 1e-8L));
            for (std::size_t k = 0; k < best.params.size(); ++k) {
                const double want = static_cast<double>(best.params[k]);
                const double slack = std::max(1e-9 * std::abs(want), 1e-2 * static_cast<double>(best.standardErrors[k]));
                EXPECT_NEAR(r.parameters[k], want, slack) << "parameter " << k;
            }
        }
    }
}

// Refusals that name their cause. Where no starting value can help (a parameter the model does
// not change with at these data, two that act only together), the parameter is named as
// undetermined and no other start is asked for; Levenberg-Marquardt still fits the others.
// Where the start is at fault (two columns made equal by equal starting values), Gauss-Newton
// asks for other starting values or the other method, and does not blame the data.
TEST(RightFits, RefusalsNameTheirCause) {
    const Data line = sample(evenly(10, 0, 9), [](double x) { return 2 * x; }, 0.01);
    const Data atZero = sample(std::vector<double>(10, 0.0), [](double) { return 2; }, 0.01);
    const char* const unusedB =
        "The parameter b cannot be determined: with these data the model does not change with it, whatever the "
        "parameters' values.";
    struct Case {
        const char* what;
        const char* model;
        Data data;
        double bestA;  // the least-squares a of the others, or NaN
        const char* message;
    };
    Real sxy = 0, sxx = 0, sy = 0;
    for (std::size_t i = 0; i < line.x.size(); ++i) sxy += Real(line.x[i]) * line.y[i], sxx += Real(line.x[i]) * line.x[i];
    for (double y : atZero.y) sy += y;
    const Case cases[] = {
        {"a parameter the model does not use", "a*x+0*b", line, static_cast<double>(sxy / sxx), unusedB},
        {"a rate at data whose x are all 0", "a*exp(b*x)", atZero, static_cast<double>(sy / 10), unusedB},
        {"a product of two parameters", "a*b*x", line, NAN,
         "The parameters cannot all be determined: with these data the parameter b changes the model only as the "
         "others do, whatever the parameters' values."},
    };
    for (const Case& c : cases)
        for (FitMethod method : kMethods) {
            const solver::FitResult r = fit(c.model, c.data, {{'a', 1}, {'b', 1}}, method);
            SCOPED_TRACE(std::string(c.what) + ", " + methodName(method));
            EXPECT_EQ(r.status, FitStatus::Singular);
            EXPECT_EQ(r.message, c.message);
            if (method == FitMethod::LevenbergMarquardt && !std::isnan(c.bestA)) {
                EXPECT_NEAR(r.parameters[0], c.bestA, 1e-9 * std::abs(c.bestA));
            }
        }

    // Equal starting values make the two exponentials' columns equal: the start is at fault.
    const Data twoExp = sample(evenly(40, 0, 9.75),
                               [](double x) { return 3 * std::exp(-1.5 * x) + 2 * std::exp(-0.2 * x); });
    const std::vector<solver::ParameterStart> equal = {{'a', 1}, {'b', 1}, {'c', 1}, {'d', 1}};
    const solver::FitResult gn = fit("a*exp(-b*x)+c*exp(-d*x)", twoExp, equal, FitMethod::GaussNewton);
    EXPECT_EQ(gn.status, FitStatus::NotConverged);
    EXPECT_EQ(gn.message,
              "The Jacobian is singular at the starting values: there the parameters c and d change the model only "
              "as the others do; please try other starting values, or Levenberg-Marquardt.");
    const solver::FitResult lm = fit("a*exp(-b*x)+c*exp(-d*x)", twoExp, equal, FitMethod::LevenbergMarquardt);
    ASSERT_EQ(lm.status, FitStatus::Converged) << lm.message;
    // The two terms in either order.
    const bool slowFirst = lm.parameters[1] < lm.parameters[3];
    EXPECT_NEAR(lm.parameters[slowFirst ? 0 : 2], 2, 1e-9);
    EXPECT_NEAR(lm.parameters[slowFirst ? 1 : 3], 0.2, 1e-9);
    EXPECT_NEAR(lm.parameters[slowFirst ? 2 : 0], 3, 1e-9);
    EXPECT_NEAR(lm.parameters[slowFirst ? 3 : 1], 1.5, 1e-9);
}

}  // namespace
