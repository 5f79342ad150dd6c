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
    const Data unixLine = sample(evenly(30, 1.7e9, 1.7e9 + 1e4), [](double x) { return 3 * x - 5.1e9 + 5; });
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
        // Data far from 0: Unix times, and polynomials whose columns differ in their last digits.
        // Their steps reach the rounding in one or two iterations.
        {"a line at Unix times, started near", "a*x+b", unixLine, {{'a', 3.3}, {'b', -4.59e9}}, {3, -5.1e9 + 5}, 9},
        {"a line at Unix times, started at 1", "a*x+b", unixLine, {{'a', 1}, {'b', 1}}, {3, -5.1e9 + 5}, 9},
        {"a cubic at 1000", "a*x^3+b*x^2+c*x+d",
         sample(evenly(11, 1000, 1010), [](double x) { return (x - 1000) * (x - 1000) * (x - 1000); }),
         {{'a', 1}, {'b', 1}, {'c', 1}, {'d', 1}}, {1, -3000, 3e6, -1e9}, 7},
        {"a quadratic at 1E6", "a*x^2+b*x+c",
         sample(evenly(21, 1e6, 1e6 + 20), [](double x) { return (x - 1e6) * (x - 1e6) + 2 * (x - 1e6) + 3; }),
         {{'a', 1}, {'b', 1}, {'c', 1}}, {1, -2e6 + 2, 1e12 - 2e6 + 3}, 6},
        // Box's three-dimensional function (More, Garbow and Hillstrom, problem 12) from its
        // published start: a sum of squares of 0 at (1, 10, 1).
        {"Box 3-D", "exp(-x*a)-exp(-x*b)-c*(exp(-x)-exp(-10*x))", sample(evenly(10, 0.1, 1), [](double) { return 0; }),
         {{'a', 0}, {'b', 10}, {'c', 20}}, {1, 10, 1}, 10},
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
// exceeds the minimum's by no more than 1E-8 of it and the square of twice the resolution of
// doubles there (a last bit of a centre at 2460050 moves the peak's values by 4E-11). The wobbles
// lie well beyond the rounding of each model's values, so that these figures are the data's, not
// the rounding's. Data far from 0 put the parameters' last bits far above the residuals'.
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
    const reference::Model peak{[](const P& p, Real x) { return p[0] * std::exp(-((x - p[1]) / p[2]) * ((x - p[1]) / p[2])) + p[3]; },
                                [](const P& p, Real x, Real* g) {
                                    const Real u = (x - p[1]) / p[2], e = std::exp(-u * u);
                                    g[0] = e, g[1] = 2 * p[0] * e * u / p[2], g[2] = 2 * p[0] * e * u * u / p[2], g[3] = 1;
                                }};
    // A peak of 1E8 at x = 1E6, width 50, on a baseline of 1E6; a transient over Julian dates. A
    // last bit of the centre moves the peak's values far more than their rounding.
    auto peakAt = [](double height, double centre, double width, double base) {
        return [=](double x) { return height * std::exp(-((x - centre) / width) * ((x - centre) / width)) + base; };
    };
    const std::vector<solver::ParameterStart> nearPeak = {{'a', 1.00001e8}, {'b', 1e6 + 0.01}, {'c', 49.9995}, {'d', 1.00001e6}};
    const std::vector<solver::ParameterStart> nearTransient = {
        {'a', 1.00001}, {'b', 2460050.01}, {'c', 5.00005}, {'d', 10.0001}};
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
        {"peak at 1E6, noise 1E-3", "a*exp(-((x-b)/c)^2)+d", peak,
         sample(evenly(60, 999800, 1000200), peakAt(1e8, 1e6, 50, 1e6), 1e-3), nearPeak, {1e8, 1e6, 50, 1e6}},
        {"peak at 1E6, noise 1", "a*exp(-((x-b)/c)^2)+d", peak,
         sample(evenly(60, 999800, 1000200), peakAt(1e8, 1e6, 50, 1e6), 1), nearPeak, {1e8, 1e6, 50, 1e6}},
        {"transient over Julian dates", "a*exp(-((x-b)/c)^2)+d", peak,
         sample(evenly(101, 2460000, 2460100), peakAt(1, 2460050, 5, 10), 1e-9), nearTransient, {1, 2460050, 5, 10}},
    };
    for (const NearCase& c : cases) {
        const reference::Fit best = reference::fit(c.twin, c.data.x, c.data.y, c.near);
        ASSERT_TRUE(best.converged) << c.what;
        for (FitMethod method : kMethods) {
            const solver::FitResult r = fit(c.model, c.data, c.start, method);
            SCOPED_TRACE(std::string(c.what) + ", " + methodName(method) + ": " + r.message);
            ASSERT_EQ(r.status, FitStatus::Converged);
            const std::vector<Real> reached(r.parameters.begin(), r.parameters.end());
            const Real resolution = reference::resolution(c.twin, c.data.x, c.data.y, best.params);
            EXPECT_LE(reference::ssr(c.twin, c.data.x, c.data.y, reached),
                      best.ssr * (1 + 1e-8L) + 4 * resolution * resolution);
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

// Refusals that claim only what is true. A start that leaves a peak off the data is the start's
// fault, however far the data lie from 0; data that the model fits exactly at a = 0 leave b free,
// which no start mends; parameters run off to 1E17 chasing a straight line through the origin
// have found no solution.
TEST(RightFits, RefusalsClaimOnlyWhatIsTrue) {
    const std::vector<solver::ParameterStart> ones = {{'a', 1}, {'b', 1}, {'c', 1}};
    for (double centre : {5e4, 1e6}) {
        const double width = centre / 1e4;
        const Data peak = sample(evenly(41, centre - 4 * width, centre + 4 * width), [&](double x) {
            return 3 * std::exp(-((x - centre) / width) * ((x - centre) / width));
        });
        for (FitMethod method : kMethods) {
            const solver::FitResult r = fit("a*exp(-((x-b)/c)^2)", peak, ones, method);
            SCOPED_TRACE(std::to_string(centre) + ", " + methodName(method));
            EXPECT_EQ(r.status, FitStatus::NotConverged);
            EXPECT_EQ(r.message,
                      "The parameters a, b and c have no effect on the model at the starting values; please try other "
                      "starting values.");
        }
    }
    const Data zeros = sample(evenly(11, 0, 10), [](double) { return 0; });
    for (FitMethod method : kMethods) {
        const solver::FitResult r = fit("a*exp(-b*x)", zeros, {{'a', 1}, {'b', 1}}, method);
        SCOPED_TRACE(methodName(method));
        EXPECT_EQ(r.status, FitStatus::Singular);
        EXPECT_EQ(r.message,
                  "The parameters cannot all be determined from the data: at the solution the model does not change "
                  "with the parameter b.");
        EXPECT_EQ(r.parameters[0], 0);
    }
    // Bates and Watts' Puromycin data (treated), Michaelis-Menten from (1, 1).
    const Data puromycin{{0.02, 0.02, 0.06, 0.06, 0.11, 0.11, 0.22, 0.22, 0.56, 0.56, 1.10, 1.10},
                         {76, 47, 97, 107, 123, 139, 159, 152, 191, 201, 207, 200}};
    for (FitMethod method : kMethods) {
        const solver::FitResult r = fit("a*x/(b+x)", puromycin, {{'a', 1}, {'b', 1}}, method);
        SCOPED_TRACE(methodName(method) + std::string(": ") + r.message);
        if (r.converged()) {
            EXPECT_NEAR(r.parameters[0], 212.6837, 1e-4);
            EXPECT_NEAR(r.parameters[1], 0.06412123, 1e-8);
        } else {
            EXPECT_EQ(r.status, FitStatus::NotConverged);
            EXPECT_NE(r.message.find("please try other starting values"), std::string::npos);
            EXPECT_EQ(r.message.find("at the solution"), std::string::npos);
        }
    }
}

// Terms that cancel to the last bit: a worst-case bound of their rounding is astronomical, their
// rounding is none. The fit is the decay's, or refused; never converged elsewhere.
TEST(RightFits, TermsThatCancelExactlyNeverMislead) {
    const Data decay = sample(evenly(21, 0, 20), [](double x) { return 5 * std::exp(-0.3 * x); });
    for (const char* cancelling : {"(exp(30*x)-exp(30*x))", "(x^40-x^40)", "(10000000000000*x-10000000000000*x)"})
        for (FitMethod method : kMethods) {
            const solver::FitResult r = fit(std::string("a*exp(-b*x)+") + cancelling, decay, {{'a', 1}, {'b', 1}}, method);
            SCOPED_TRACE(std::string(cancelling) + ", " + methodName(method) + ": " + r.message);
            if (!r.converged()) continue;
            EXPECT_NEAR(r.parameters[0], 5, 1e-10);
            EXPECT_NEAR(r.parameters[1], 0.3, 1e-11);
        }
}

// Published problems (More, Garbow and Hillstrom) from their published starts: Jennrich and
// Sampson's, whose minimum (124.362) lies where the two columns are equal and the second
// derivatives decide; Brown and Dennis's, whose residuals stay large (85822.2), so that
// Gauss-Newton's model overshoots across its valley. Levenberg-Marquardt reaches both to 6 digits
// within the default iterations; Gauss-Newton says why it does not.
TEST(RightFits, PublishedProblemsFromTheirPublishedStarts) {
    using P = std::vector<Real>;
    Data jennrich, brown;
    for (int i = 1; i <= 10; ++i) jennrich.x.push_back(i), jennrich.y.push_back(2 + 2 * i);
    for (int i = 1; i <= 20; ++i) brown.x.push_back(i / 5.0), brown.y.push_back(0);
    // The minimum along x1 = x2, in long double.
    const reference::Model diagonal{[](const P& p, Real x) { return 2 * std::exp(x * p[0]); },
                                    [](const P& p, Real x, Real* g) { g[0] = 2 * x * std::exp(x * p[0]); }};
    const reference::Fit js = reference::fit(diagonal, jennrich.x, jennrich.y, {0.2578});
    ASSERT_TRUE(js.converged);
    const double theta = static_cast<double>(js.params[0]);
    struct Case {
        const char* what;
        const char* model;
        const Data& data;
        std::vector<solver::ParameterStart> start;
        std::vector<double> minimum;
        double ssr, lastPlace;  // as the paper gives it, and its last printed place
    };
    const Case cases[] = {
        {"Jennrich-Sampson", "exp(x*a)+exp(x*b)", jennrich, {{'a', 0.3}, {'b', 0.4}}, {theta, theta}, 124.362, 1e-3},
        // The minimiser as GSL's test suite certifies it.
        {"Brown-Dennis", "(a+x*b-exp(x))^2+(c+d*sin(x)-cos(x))^2", brown, {{'a', 25}, {'b', 5}, {'c', -5}, {'d', -1}},
         {-11.5944399036, 13.2036300526, -0.40343948879, 0.236778775793}, 85822.2, 0.1},
    };
    for (const Case& c : cases) {
        const solver::FitResult lm = fit(c.model, c.data, c.start, FitMethod::LevenbergMarquardt);
        SCOPED_TRACE(std::string(c.what) + ": " + lm.message);
        ASSERT_EQ(lm.status, FitStatus::Converged);
        EXPECT_NEAR(lm.residualSumOfSquares, c.ssr, c.lastPlace);
        for (std::size_t k = 0; k < c.minimum.size(); ++k)
            EXPECT_NEAR(lm.parameters[k], c.minimum[k], 1e-6 * std::abs(c.minimum[k])) << "parameter " << k;
        const solver::FitResult gn = fit(c.model, c.data, c.start, FitMethod::GaussNewton);
        if (gn.converged()) {
            for (std::size_t k = 0; k < c.minimum.size(); ++k)
                EXPECT_NEAR(gn.parameters[k], c.minimum[k], 1e-6 * std::abs(c.minimum[k])) << "parameter " << k;
        } else {
            EXPECT_FALSE(gn.message.empty());
        }
    }
}

}  // namespace
