// The fits people start: ordinary data and the starting values they type, however poor.
// Every fit reported converged is the minimum of the sum of squares; the others end "not
// converged" with a message that says why. The minimum comes from a second road that does
// not use the solver (profile_reference.h).
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fitting/solver/nonlinear_fit.h"
#include "profile_reference.h"
#include "compile_model.h"

namespace {

using reference::Real;
using solver::FitMethod;
using solver::FitStatus;

const reference::ProfileModel kGrowth{"a*exp(b*x)", [](Real b, Real x) { return std::exp(b * x); },
                                      [](Real b, Real x) { return x * std::exp(b * x); }};
const reference::ProfileModel kDecay{"a*exp(-b*x)", [](Real b, Real x) { return std::exp(-b * x); },
                                     [](Real b, Real x) { return -x * std::exp(-b * x); }};
const reference::ProfileModel kRise{"a*(1-exp(-b*x))", [](Real b, Real x) { return 1 - std::exp(-b * x); },
                                    [](Real b, Real x) { return x * std::exp(-b * x); }};

struct DataSet {
    const char* name;
    const reference::ProfileModel* model;
    std::vector<double> x, y;
    Real bLow, bHigh;  // where the reference looks for the minimum
};

// y = height * g(trueB, x) with a wobble of `wobble` (relative), at x = 0, step, ..., last.
DataSet makeData(const char* name, const reference::ProfileModel& model, double step, double last, double height,
                 double trueB, double wobble, Real bLow, Real bHigh) {
    DataSet d{name, &model, {}, {}, bLow, bHigh};
    for (int i = 0; i * step <= last; ++i) {
        const double x = i * step;
        d.x.push_back(x);
        d.y.push_back(height * static_cast<double>(model.g(trueB, x)) * (1 + wobble * std::sin(1.7 * i + 0.3)));
    }
    return d;
}

solver::FitResult fit(const DataSet& d, double a0, double b0, FitMethod method) {
    solver::NonlinearFitRequest req;
    req.model = compileModel(d.model->formula);
    req.columns = {d.x};
    req.observed = d.y;
    req.parameters = {{'a', a0}, {'b', b0}};
    req.options.method = method;
    return solver::fitNonlinear(req);
}

// Within `digits` significant digits of the reference.
bool same(double value, Real reference, double digits) {
    return std::abs(value - reference) <= std::pow(10.0L, -digits) * std::abs(reference);
}

const char* methodName(FitMethod m) { return m == FitMethod::GaussNewton ? "Gauss-Newton" : "Levenberg-Marquardt"; }

// A fit that is not converged says why, and where the start is to blame, asks for another;
// it never blames the data.
void expectAReason(const solver::FitResult& r) {
    EXPECT_NE(r.status, FitStatus::Converged);
    const bool asks = r.message.find("please try other starting values") != std::string::npos;
    const bool limit = r.message.find("did not converge within") != std::string::npos;
    EXPECT_TRUE(asks || limit) << r.message;
    EXPECT_EQ(r.message.find("from the data"), std::string::npos) << r.message;
    EXPECT_EQ(r.message.find("too large for the model"), std::string::npos) << r.message;
}

// Growth to 110 over x = 0..400 (and faster over 0..20), decay and a rising curve, from the
// starting values people type. Before the stopping tests asked for a stationary point, 17 of
// these fits stopped "converged" far from the minimum (a = 1.6E-61 at b = 1, a = 0 at b = 0.3,
// the starting values themselves where the residuals' products overflowed).
TEST(NaiveStarts, EveryConvergedFitIsTheMinimum) {
    const std::vector<DataSet> sets = {makeData("growth", kGrowth, 10, 400, 2, 0.01, 0.01, -1, 1),
                                       makeData("fast growth", kGrowth, 0.5, 20, 2, 0.5, 0.01, -10, 10),
                                       makeData("decay", kDecay, 10, 400, 2, 0.01, 0.01, -1, 1),
                                       makeData("rise", kRise, 10, 400, 2, 0.01, 0.01, -1, 1)};
    // How many of the 72 starts each method carries to the minimum: none may be lost.
    const int kept[] = {49, 50};
    for (FitMethod method : {FitMethod::GaussNewton, FitMethod::LevenbergMarquardt}) {
        int right = 0;
        for (const DataSet& d : sets) {
            const reference::ProfileMinimum best = reference::profileMinimum(*d.model, d.x, d.y, d.bLow, d.bHigh);
            ASSERT_TRUE(best.found) << d.name;
            for (double a0 : {0.1, 1.0, 10.0})
                for (double b0 : {0.001, 0.1, 0.3, 1.0, 2.0, 5.0}) {
                    const solver::FitResult r = fit(d, a0, b0, method);
                    SCOPED_TRACE(std::string(d.name) + " from a = " + std::to_string(a0) + ", b = " +
                                 std::to_string(b0) + ", " + methodName(method) + ": " + r.message);
                    if (r.converged()) {
                        EXPECT_TRUE(same(r.parameters[0], best.a, 6)) << r.parameters[0] << " for " << best.a;
                        EXPECT_TRUE(same(r.parameters[1], best.b, 6)) << r.parameters[1] << " for " << best.b;
                        right += same(r.parameters[0], best.a, 6) && same(r.parameters[1], best.b, 6);
                    } else {
                        expectAReason(r);
                    }
                }
        }
        EXPECT_GE(right, kept[method == FitMethod::GaussNewton ? 0 : 1]) << methodName(method);
    }
}

// Where the model's values at the start are beyond the range of numbers, the fit says so and
// asks for other starting values; where only their squares are, it goes on with lengths.
TEST(NaiveStarts, StartsBeyondTheRangeOfNumbersAreNamed) {
    const DataSet growth = makeData("growth", kGrowth, 10, 400, 2, 0.01, 0.01, -1, 1);
    for (FitMethod method : {FitMethod::GaussNewton, FitMethod::LevenbergMarquardt}) {
        SCOPED_TRACE(methodName(method));
        const solver::FitResult overflow = fit(growth, 1, 2, method);
        EXPECT_EQ(overflow.status, FitStatus::NotConverged);
        EXPECT_EQ(overflow.message,
                  "The model's values at the starting values are beyond the range of numbers (data point 37, x = "
                  "360); please try other starting values.");
        EXPECT_EQ(overflow.parameters, (std::vector<double>{1, 2}));
        // e^708 is a number, 400 e^708 (its derivative by b) is not.
        const solver::FitResult derivative = fit(growth, 1, 1.77, method);
        EXPECT_EQ(derivative.status, FitStatus::NotConverged);
        EXPECT_EQ(derivative.message,
                  "The derivatives of the model are beyond the range of numbers at the starting values (data point "
                  "41, x = 400); please try other starting values.");
        // e^400 is a number, its square is not: the residuals' products overflowed where the
        // fit once stopped "converged" at its start.
        const solver::FitResult squares = fit(growth, 1, 1, method);
        EXPECT_NE(squares.status, FitStatus::Converged) << squares.parameters[0] << ", " << squares.parameters[1];
        expectAReason(squares);
    }
}

// a*x through data of every size a double holds, from starts of every size: the minimum, or a
// message where the start's values are beyond the range of numbers at the data's size.
TEST(NaiveStarts, ProportionalModelAtAnyScaleFromAnyStart) {
    for (FitMethod method : {FitMethod::GaussNewton, FitMethod::LevenbergMarquardt})
        for (int dataExponent = -300; dataExponent <= 300; dataExponent += 20)
            for (int startExponent = -300; startExponent <= 300; startExponent += 20) {
                const double size = std::pow(10.0, dataExponent);
                std::vector<double> x, y;
                Real sxy = 0, sxx = 0;
                for (int i = 1; i <= 10; ++i) {
                    x.push_back(i);
                    y.push_back(size * (i + 0.01 * std::sin(1.7 * i)));
                    sxy += static_cast<Real>(x.back()) * y.back();
                    sxx += static_cast<Real>(x.back()) * x.back();
                }
                solver::NonlinearFitRequest req;
                req.model = compileModel("a*x");
                req.columns = {x};
                req.observed = y;
                req.parameters = {{'a', std::pow(10.0, startExponent)}};
                req.options.method = method;
                const solver::FitResult r = solver::fitNonlinear(req);
                SCOPED_TRACE(std::string(methodName(method)) + ", data 1E" + std::to_string(dataExponent) +
                             ", start 1E" + std::to_string(startExponent) + ": " + r.message);
                if (startExponent - dataExponent <= 300) {
                    EXPECT_EQ(r.status, FitStatus::Converged);
                    EXPECT_TRUE(same(r.parameters[0], sxy / sxx, 9)) << r.parameters[0];
                } else {
                    EXPECT_EQ(r.status, FitStatus::NotConverged);
                    EXPECT_NE(r.message.find("beyond the range of numbers"), std::string::npos);
                }
            }
}

// Random trials: each fits from its starting values by the method its number picks (even:
// Levenberg-Marquardt, odd: Gauss-Newton) and is counted. One that does not converge must say
// why; check(r) looks at one that does.
struct TrialCount {
    int cases = 0, converged = 0;

    template <typename Check>
    void run(int trial, const DataSet& d, double a0, double b0, Check check) {
        const FitMethod method = trial % 2 ? FitMethod::GaussNewton : FitMethod::LevenbergMarquardt;
        const solver::FitResult r = fit(d, a0, b0, method);
        ++cases;
        SCOPED_TRACE(std::string(d.model->formula) + " trial " + std::to_string(trial) + ", " + methodName(method) +
                     ": " + r.message);
        if (!r.converged()) {
            expectAReason(r);
            return;
        }
        ++converged;
        check(r);
    }
    // A test means something only where most cases reach a minimum.
    void expectMostConverged(int atLeast) const {
        EXPECT_GT(cases, atLeast);
        EXPECT_GT(converged, cases / 2);
    }
};

// Random curves, noise and starts: whatever a fit reports as converged is the minimum.
TEST(NaiveStarts, RandomDataAndStartsNeverConvergeElsewhere) {
    const reference::ProfileModel* models[] = {&kGrowth, &kDecay, &kRise};
    std::mt19937_64 random(20261211);
    auto uniform = [&random](double lo, double hi) {
        return lo + (hi - lo) * static_cast<double>(random() >> 11) * 0x1p-53;
    };
    TrialCount count;
    for (int trial = 0; trial < 1500; ++trial) {
        const reference::ProfileModel& model = *models[trial % 3];
        // Curves that change by a factor e^0.5 .. e^8 over the data, of any size.
        const int points = 8 + static_cast<int>(uniform(0, 40));
        const double last = std::pow(10.0, uniform(-2, 3)), trueB = uniform(0.5, 8) / last;
        const double height = std::pow(10.0, uniform(-30, 30)) * (uniform(0, 1) < 0.2 ? -1 : 1);
        const DataSet d = makeData("random", model, last / (points - 1), last * (1 + 1e-9), height, trueB,
                                   std::pow(10.0, uniform(-6, -0.7)), -40 / last, 40 / last);
        const reference::ProfileMinimum best = reference::profileMinimum(model, d.x, d.y, d.bLow, d.bHigh, 500);
        if (!best.found) continue;
        const double a0 = height * std::pow(10.0, uniform(-3, 3)), b0 = trueB * std::pow(10.0, uniform(-2, 1.5));
        count.run(trial, d, a0, b0, [&](const solver::FitResult& r) {
            EXPECT_TRUE(same(r.parameters[0], best.a, 6)) << r.parameters[0] << " for " << best.a;
            EXPECT_TRUE(same(r.parameters[1], best.b, 6)) << r.parameters[1] << " for " << best.b;
        });
    }
    count.expectMostConverged(1000);
}

// A model whose evaluation magnifies rounding: a ((b + x)^2 - x^2) at x up to 1E7, its values
// formed from terms up to a million times larger. Stationary within the tolerance or that
// rounding is what the fits may claim, and no more: the sum of squares at a converged fit
// (taken in long double) exceeds the minimum's by no more than the tolerance's share of it
// (the square of the cosine it allows) and the square of the rounding of the residuals.
TEST(NaiveStarts, MagnifiedRoundingNeverConvergesAboveTheMinimum) {
    const reference::ProfileModel squares{"a*((b+x)^2-x^2)", [](Real b, Real x) { return b * b + 2 * b * x; },
                                          [](Real b, Real x) { return 2 * b + 2 * x; }};
    std::mt19937_64 random(20261212);
    auto uniform = [&random](double lo, double hi) {
        return lo + (hi - lo) * static_cast<double>(random() >> 11) * 0x1p-53;
    };
    TrialCount count;
    for (int trial = 0; trial < 600; ++trial) {
        const int points = 8 + static_cast<int>(uniform(0, 30));
        const double first = std::pow(10.0, uniform(2, 7)), trueB = uniform(0.5, 5) * (uniform(0, 1) < 0.5 ? -1 : 1);
        const double height = std::pow(10.0, uniform(-10, 10)) * (uniform(0, 1) < 0.5 ? -1 : 1);
        const double wobble = std::pow(10.0, uniform(-13, -3));
        DataSet d{"squares", &squares, {}, {}, -20 * std::abs(trueB), 20 * std::abs(trueB)};
        for (int i = 0; i < points; ++i) {
            d.x.push_back(first * (1 + 0.1 * i));
            d.y.push_back(height * static_cast<double>(squares.g(trueB, d.x.back())) *
                          (1 + wobble * std::sin(1.7 * i + 0.3)));
        }
        const reference::ProfileMinimum best = reference::profileMinimum(squares, d.x, d.y, d.bLow, d.bHigh, 2000);
        if (!best.found) continue;
        const double a0 = height * std::pow(10.0, uniform(-1, 1)), b0 = trueB * std::pow(10.0, uniform(-0.5, 0.5));
        count.run(trial, d, a0, b0, [&](const solver::FitResult& r) {
            // The residuals' rounding: the last bits of the terms a (b + x)^2 and a x^2 and the datum.
            Real ssr = 0, rounding = 0;
            const Real a = r.parameters[0], b = r.parameters[1];
            for (std::size_t i = 0; i < d.x.size(); ++i) {
                const Real x = d.x[i], res = a * squares.g(b, x) - d.y[i];
                const Real bits = std::numeric_limits<double>::epsilon() *
                                  (std::abs(a * (b + x) * (b + x)) + std::abs(a * x * x) + std::abs(Real(d.y[i])));
                ssr += res * res;
                rounding += bits * bits;
            }
            const Real tolerance = solver::FitOptions().tolerance;
            EXPECT_LE(ssr, best.ssr * (1 + tolerance) + 100 * rounding)
                << "a = " << r.parameters[0] << " for " << best.a << ", b = " << r.parameters[1] << " for " << best.b;
        });
    }
    count.expectMostConverged(500);
}

}  // namespace
