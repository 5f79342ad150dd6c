// The scale of the data does not matter: data multiplied by any power of ten a double holds,
// either sign, fit to the same digits as the unscaled data, with both methods, and the
// statistics follow the scale (or stay undefined where their value is beyond a double).
// The exact least-squares solutions are computed here on a second road, in long double on
// the unscaled data: the fit to S y is S times that of y for the scaled parameters.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fitting/solver/nonlinear_fit.h"
#include "fitting/solver/stable_norm.h"
#include "compile_model.h"

namespace {

using solver::FitMethod;
using solver::FitStatus;
using Real = long double;

// The exact fit of the unscaled data: parameters (a, b), with which of them scale with the
// data, the residual sum of squares, R2 and the standard errors.
struct Exact {
    Real a = 0, b = 0;
    bool bScales = false;
    Real ssr = 0, r2 = 0, seA = 0, seB = 0;
};

// SSR, R2 and the standard errors from the residuals and the Jacobian rows (ja, jb) at the
// exact solution.
void statistics(Exact& e, const std::vector<double>& y, const std::vector<Real>& residual,
                const std::vector<Real>& ja, const std::vector<Real>& jb) {
    const std::size_t m = y.size();
    Real mean = 0, sst = 0, saa = 0, sab = 0, sbb = 0;
    for (double v : y) mean += v;
    mean /= m;
    for (std::size_t i = 0; i < m; ++i) {
        e.ssr += residual[i] * residual[i];
        sst += (y[i] - mean) * (y[i] - mean);
        saa += ja[i] * ja[i], sab += ja[i] * jb[i], sbb += jb[i] * jb[i];
    }
    e.r2 = 1 - e.ssr / sst;
    const Real s2 = e.ssr / (m - 2), det = saa * sbb - sab * sab;
    e.seA = std::sqrt(s2 * sbb / det);
    e.seB = std::sqrt(s2 * saa / det);
}

// a*x+b: the closed form.
Exact exactLine(const std::vector<double>& x, const std::vector<double>& y) {
    const std::size_t m = x.size();
    Real mx = 0, my = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < m; ++i) mx += x[i], my += y[i];
    mx /= m, my /= m;
    for (std::size_t i = 0; i < m; ++i) sxx += (x[i] - mx) * (x[i] - mx), sxy += (x[i] - mx) * (y[i] - my);
    Exact e;
    e.a = sxy / sxx;
    e.b = my - e.a * mx;
    e.bScales = true;
    std::vector<Real> res(m), ja(m), jb(m, 1);
    for (std::size_t i = 0; i < m; ++i) res[i] = y[i] - e.a * x[i] - e.b, ja[i] = x[i];
    statistics(e, y, res, ja, jb);
    return e;
}

// a*exp(b*x): for each b the best a is sum(y e^bx) / sum(e^2bx); the best b is the root of
// the derivative of the remaining sum of squares, found by bisection.
Exact exactExponential(const std::vector<double>& x, const std::vector<double>& y) {
    auto sums = [&](Real b, Real& A, Real& dA, Real& B, Real& dB) {
        A = dA = B = dB = 0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            const Real e = std::exp(b * x[i]);
            A += y[i] * e, dA += x[i] * y[i] * e, B += e * e, dB += 2 * x[i] * e * e;
        }
    };
    auto slope = [&](Real b) {  // the sign of d SSR / db
        Real A, dA, B, dB;
        sums(b, A, dA, B, dB);
        return -(2 * A * dA * B - A * A * dB);
    };
    Real lo = 0, hi = 3;
    EXPECT_LT(slope(lo), 0);
    EXPECT_GT(slope(hi), 0);
    for (int k = 0; k < 200; ++k) {
        const Real mid = (lo + hi) / 2;
        (slope(mid) < 0 ? lo : hi) = mid;
    }
    Exact e;
    e.b = (lo + hi) / 2;
    Real A, dA, B, dB;
    sums(e.b, A, dA, B, dB);
    e.a = A / B;
    std::vector<Real> res(x.size()), ja(x.size()), jb(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        ja[i] = std::exp(e.b * x[i]);
        jb[i] = e.a * x[i] * ja[i];
        res[i] = y[i] - e.a * ja[i];
    }
    statistics(e, y, res, ja, jb);
    return e;
}

// |actual - expected| within tol of |expected|.
::testing::AssertionResult close(double actual, Real expected, double tol) {
    if (std::abs(actual - expected) <= tol * std::abs(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " differs from " << static_cast<double>(expected)
                                         << " by more than " << tol << " of it";
}

struct Problem {
    const char* model;
    std::vector<double> x, y;
    Exact exact;
    // The start for scale S: a, and b (times S where b scales).
    double startA, startB;
    bool startScales;
};

struct Run {
    FitMethod method;
    double tolerance, maxError;  // the largest relative error of a parameter
};
const Run kRuns[] = {{FitMethod::GaussNewton, solver::FitOptions{}.tolerance, 1e-8},
                     {FitMethod::LevenbergMarquardt, solver::FitOptions{}.tolerance, 1e-8},
                     {FitMethod::GaussNewton, 1e-10, 1e-10},
                     {FitMethod::LevenbergMarquardt, 1e-10, 1e-10}};

TEST(SolverScale, AnyScaleFitsToTheExactSolution) {
    std::vector<Problem> problems;
    {
        // The line from a = 1, b = 0 whatever the scale.
        Problem p{"a*x+b", {1, 2, 3, 4, 5}, {1, 2, 3.1, 3.9, 5}, {}, 1, 0, false};
        p.exact = exactLine(p.x, p.y);
        problems.push_back(p);
    }
    {
        // The growth curve from a of the data's size.
        Problem p{"a*exp(b*x)", {0.5, 1, 1.5, 2, 2.5, 3}, {1.6, 2.7, 4.5, 7.4, 12.2, 20.1}, {}, 1, 0.5, true};
        p.exact = exactExponential(p.x, p.y);
        problems.push_back(p);
    }
    const int exponents[] = {-150, -100, -50, -12, 0, 12, 50, 100, 150, 160, 200, 250, 300};
    for (const Problem& p : problems) {
        for (int e : exponents) {
            for (double sign : {1.0, -1.0}) {
                const double scale = sign * std::pow(10.0, e);
                // The default options (which promise about nine digits), and a tolerance
                // that asks for ten.
                for (auto [method, tolerance, maxError] : kRuns) {
                    SCOPED_TRACE(std::string(p.model) + " scale " + (sign < 0 ? "-1e" : "1e") + std::to_string(e) +
                                 (method == FitMethod::GaussNewton ? " Gauss-Newton" : " Levenberg-Marquardt") +
                                 " tolerance " + std::to_string(tolerance));
                    solver::NonlinearFitRequest req;
                    req.model = compileModel(p.model);
                    req.columns = {p.x};
                    for (double v : p.y) req.observed.push_back(v * scale);
                    req.parameters = {{'a', p.startA * (p.startScales ? scale : 1.0)}, {'b', p.startB}};
                    req.options.method = method;
                    req.options.tolerance = tolerance;
                    const solver::FitResult r = solver::fitNonlinear(req);
                    EXPECT_EQ(r.status, FitStatus::Converged) << r.message;
                    if (r.status != FitStatus::Converged) continue;
                    const Real s = scale;
                    EXPECT_TRUE(close(r.parameters[0], p.exact.a * s, maxError));
                    EXPECT_TRUE(close(r.parameters[1], p.exact.b * (p.exact.bScales ? s : 1), maxError));

                    // The figures of the report: R2 does not depend on the scale; s and the
                    // standard errors follow it; SSR, its square, where a double holds it.
                    EXPECT_TRUE(close(r.rSquared, p.exact.r2, 1e-10));
                    EXPECT_TRUE(close(r.residualStdDev, std::sqrt(p.exact.ssr / (p.x.size() - 2)) * std::abs(s), 1e-8));
                    EXPECT_TRUE(close(r.standardErrors[0], p.exact.seA * std::abs(s), 1e-6));
                    EXPECT_TRUE(close(r.standardErrors[1], p.exact.seB * (p.exact.bScales ? std::abs(s) : 1), 1e-6));
                    const Real ssr = p.exact.ssr * s * s;
                    if (ssr < DBL_MAX)
                        EXPECT_TRUE(close(r.residualSumOfSquares, ssr, 1e-8));
                    else
                        EXPECT_EQ(r.residualSumOfSquares, HUGE_VAL);
                    ASSERT_EQ(r.fittedValues.size(), p.y.size());
                    for (double v : r.fittedValues) EXPECT_TRUE(std::isfinite(v));
                }
            }
        }
    }
}

// The lengths the solver takes, against long double (whose range holds the squares of any
// double) over vectors whose entries span the whole range, from nearly all tiny to all huge.
TEST(SolverScale, StableLengthAgreesWithLongDoubleOverTheWholeRange) {
    std::mt19937 random(29);
    std::uniform_real_distribution<double> exponent(-300, 300), spread(0, 300);
    std::uniform_int_distribution<int> size(1, 40);
    for (int trial = 0; trial < 5000; ++trial) {
        const double centre = exponent(random), width = spread(random);
        Eigen::VectorXd v(size(random));
        Real sum = 0;
        for (double& e : v) {
            e = std::pow(10.0, std::clamp(centre + width * (exponent(random) / 300), -300.0, 300.0));
            if (random() % 2) e = -e;
            sum += static_cast<Real>(e) * e;
        }
        EXPECT_TRUE(close(solver::stableLength(v), std::sqrt(sum), 1e-14)) << "trial " << trial;
    }
    EXPECT_EQ(solver::stableLength(Eigen::VectorXd::Zero(3)), 0);
    EXPECT_EQ(solver::stableLength(Eigen::Vector2d(1e300, HUGE_VAL)), HUGE_VAL);
}

}  // namespace
