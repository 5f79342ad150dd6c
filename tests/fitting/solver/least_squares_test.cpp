// The solver core over hand-written models: convergence, statistics, status and messages.
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fitting/solver/least_squares.h"

namespace {

using solver::FitMethod;
using solver::FitOptions;
using solver::FitResult;
using solver::FitStatus;

// y = f(x; p) with df/dp written out, and an optional domain: a point is undefined where
// defined(x, p) is false.
class LambdaModel : public solver::FitModel {
public:
    using Value = std::function<double(double, const Eigen::VectorXd&)>;
    using Grad = std::function<void(double, const Eigen::VectorXd&, double*)>;
    using Domain = std::function<bool(double, const Eigen::VectorXd&)>;

    LambdaModel(std::vector<double> x, int n, Value f, Grad g, Domain d = nullptr)
        : x_(std::move(x)), n_(n), f_(std::move(f)), g_(std::move(g)), d_(std::move(d)) {}

    int pointCount() const override { return static_cast<int>(x_.size()); }
    int parameterCount() const override { return n_; }
    int evaluate(const Eigen::VectorXd& p, Eigen::VectorXd& v) override {
        v.resize(pointCount());
        for (int i = 0; i < pointCount(); ++i) {
            if (d_ && !d_(x_[i], p)) {
                ++undefinedCalls;
                return i;
            }
            v(i) = f_(x_[i], p);
        }
        return -1;
    }
    int evaluateWithJacobian(const Eigen::VectorXd& p, Eigen::VectorXd& v, Eigen::MatrixXd& j) override {
        if (const int bad = evaluate(p, v); bad >= 0) return bad;
        j.resize(pointCount(), n_);
        std::vector<double> row(n_);
        for (int i = 0; i < pointCount(); ++i) {
            g_(x_[i], p, row.data());
            for (int k = 0; k < n_; ++k) j(i, k) = row[k];
        }
        return -1;
    }
    int undefinedCalls = 0;

private:
    std::vector<double> x_;
    int n_;
    Value f_;
    Grad g_;
    Domain d_;
};

std::vector<double> grid(int m, double from, double to) {
    std::vector<double> x(m);
    for (int i = 0; i < m; ++i) x[i] = from + (to - from) * i / (m - 1);
    return x;
}

// y = p0 exp(p1 x).
LambdaModel exponential(const std::vector<double>& x, LambdaModel::Domain d = nullptr) {
    return LambdaModel(
        x, 2, [](double t, const Eigen::VectorXd& p) { return p(0) * std::exp(p(1) * t); },
        [](double t, const Eigen::VectorXd& p, double* g) {
            g[0] = std::exp(p(1) * t);
            g[1] = p(0) * t * std::exp(p(1) * t);
        },
        std::move(d));
}

// y = p0 + p1 x.
LambdaModel line(const std::vector<double>& x) {
    return LambdaModel(
        x, 2, [](double t, const Eigen::VectorXd& p) { return p(0) + p(1) * t; },
        [](double t, const Eigen::VectorXd&, double* g) {
            g[0] = 1;
            g[1] = t;
        });
}

std::vector<double> observe(LambdaModel& m, std::vector<double> p) {
    Eigen::VectorXd v;
    m.evaluate(Eigen::Map<Eigen::VectorXd>(p.data(), static_cast<Eigen::Index>(p.size())), v);
    return {v.data(), v.data() + v.size()};
}

const FitMethod kMethods[] = {FitMethod::GaussNewton, FitMethod::LevenbergMarquardt};

TEST(LeastSquares, RecoversExactDataWithBothMethods) {
    const std::vector<double> x = grid(12, 0, 2);
    for (FitMethod method : kMethods) {
        LambdaModel m = exponential(x);
        const std::vector<double> y = observe(m, {2.5, -1.3});
        const FitResult r = solver::fitLeastSquares(m, y, {1, 0}, {method, 200, 1e-10});
        ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
        EXPECT_NEAR(r.parameters[0], 2.5, 1e-10);
        EXPECT_NEAR(r.parameters[1], -1.3, 1e-10);
        EXPECT_LT(r.residualSumOfSquares, 1e-20);
        EXPECT_NEAR(r.rSquared, 1.0, 1e-12);
        EXPECT_GT(r.iterations, 1);
        EXPECT_TRUE(r.message.empty());
        ASSERT_EQ(r.fittedValues.size(), y.size());
        EXPECT_NEAR(r.fittedValues[5], y[5], 1e-10);
    }
}

// A straight line has closed-form estimates and standard errors to compare with.
TEST(LeastSquares, StatisticsOfALineMatchTheClosedForm) {
    const std::vector<double> x = {1, 2, 3, 4, 5, 6, 7};
    const std::vector<double> y = {2.1, 3.9, 6.2, 7.8, 10.1, 12.2, 13.8};
    const int m = 7;
    double mx = 0, my = 0;
    for (int i = 0; i < m; ++i) mx += x[i] / m, my += y[i] / m;
    double sxx = 0, sxy = 0, syy = 0;
    for (int i = 0; i < m; ++i) {
        sxx += (x[i] - mx) * (x[i] - mx);
        sxy += (x[i] - mx) * (y[i] - my);
        syy += (y[i] - my) * (y[i] - my);
    }
    const double b = sxy / sxx, a = my - b * mx;
    double ssr = 0;
    for (int i = 0; i < m; ++i) ssr += (y[i] - a - b * x[i]) * (y[i] - a - b * x[i]);
    const double s = std::sqrt(ssr / (m - 2));
    for (FitMethod method : kMethods) {
        LambdaModel model = line(x);
        const FitResult r = solver::fitLeastSquares(model, y, {0, 0}, {method, 200, 1e-7});
        ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
        EXPECT_NEAR(r.parameters[0], a, 1e-9);
        EXPECT_NEAR(r.parameters[1], b, 1e-9);
        EXPECT_NEAR(r.residualSumOfSquares, ssr, 1e-9);
        EXPECT_NEAR(r.residualStdDev, s, 1e-9);
        EXPECT_NEAR(r.standardErrors[1], s / std::sqrt(sxx), 1e-9);
        EXPECT_NEAR(r.standardErrors[0], s * std::sqrt(1.0 / m + mx * mx / sxx), 1e-9);
        EXPECT_NEAR(r.rSquared, 1 - ssr / syy, 1e-12);
        EXPECT_EQ(r.degreesOfFreedom, 5);
    }
}

TEST(LeastSquares, BadInputGetsAStatusAndAMessage) {
    const std::vector<double> x = grid(5, 0, 1);
    LambdaModel probe = exponential(x);
    const std::vector<double> y = observe(probe, {1, 1});
    const double nan = std::nan("");
    struct Case {
        std::vector<double> y, start;
        FitOptions options;
        const char* message;
    };
    const std::vector<Case> cases = {
        {y, {1, 1}, {FitMethod::LevenbergMarquardt, 0, 1e-7}, "The maximum number of iterations must be between 1 and 100000."},
        {y, {1, 1}, {FitMethod::GaussNewton, 100001, 1e-7}, "The maximum number of iterations must be between 1 and 100000."},
        {y, {1, 1}, {FitMethod::LevenbergMarquardt, 200, 0}, "The tolerance must be between 1E-15 and 0.5."},
        {y, {1, 1}, {FitMethod::LevenbergMarquardt, 200, 1}, "The tolerance must be between 1E-15 and 0.5."},
        {y, {1, 1}, {FitMethod::LevenbergMarquardt, 200, nan}, "The tolerance must be between 1E-15 and 0.5."},
        {y, {1, 1}, {static_cast<FitMethod>(3), 200, 1e-7}, "The fitting method must be Gauss-Newton or Levenberg-Marquardt."},
        {{1, 2, nan, 4, 5}, {1, 1}, {}, "The data hold a value that is not a finite number (data point 3)."},
        {y, {1, INFINITY}, {}, "The starting value of parameter 2 is not a finite number."},
        {y, {1}, {}, "Every parameter needs one starting value."},
        {{1, 2}, {1, 1}, {}, "The data columns have different lengths."},
    };
    for (const Case& c : cases) {
        LambdaModel m = exponential(x);
        const FitResult r = solver::fitLeastSquares(m, c.y, c.start, c.options);
        EXPECT_EQ(r.status, FitStatus::BadInput);
        EXPECT_EQ(r.message, c.message);
    }
    LambdaModel one = exponential({0.5});
    const FitResult r = solver::fitLeastSquares(one, {1}, {1, 1}, {});
    EXPECT_EQ(r.status, FitStatus::BadInput);
    EXPECT_EQ(r.message, "There are fewer data points (1) than parameters (2).");
}

TEST(LeastSquares, ModelWithoutValueAtTheStartIsReported) {
    const std::vector<double> x = {1, 2, 3, 4};
    for (FitMethod method : kMethods) {
        LambdaModel m = exponential(x, [](double t, const Eigen::VectorXd& p) { return p(1) * t < 5; });
        const FitResult r = solver::fitLeastSquares(m, {1, 2, 3, 4}, {1, 2}, {method, 200, 1e-7});
        EXPECT_EQ(r.status, FitStatus::UndefinedAtStart);
        EXPECT_EQ(r.message, "The model has no value at the starting values (data point 3).");
        EXPECT_EQ(r.parameters, (std::vector<double>{1, 2}));
        EXPECT_EQ(r.iterations, 0);
    }
}

// A trial point where the model has no value is rejected like a step that does not reduce
// the sum of squares; the fit still reaches the minimum inside the domain.
TEST(LeastSquares, TrialPointsWithoutValueAreRejected) {
    const std::vector<double> x = grid(10, 0, 3);
    for (FitMethod method : kMethods) {
        auto domain = [](double, const Eigen::VectorXd& p) { return p(1) < 1.5; };
        LambdaModel truth = exponential(x);
        const std::vector<double> y = observe(truth, {1, 0.9});
        LambdaModel m = exponential(x, domain);
        const FitResult r = solver::fitLeastSquares(m, y, {0.1, 0.2}, {method, 200, 1e-10});
        ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
        EXPECT_GT(m.undefinedCalls, 0);
        EXPECT_NEAR(r.parameters[0], 1, 1e-8);
        EXPECT_NEAR(r.parameters[1], 0.9, 1e-8);

        // With the domain's edge at 1 the path from here runs into it: the fit either still
        // finds the minimum or says that it stopped at the edge.
        LambdaModel edge = exponential(x, [](double, const Eigen::VectorXd& p) { return p(1) < 1.0; });
        const FitResult e = solver::fitLeastSquares(edge, y, {0.1, 0.2}, {method, 200, 1e-10});
        if (e.status == FitStatus::Converged) {
            EXPECT_NEAR(e.parameters[1], 0.9, 1e-8);
        } else {
            EXPECT_EQ(e.status, FitStatus::NotConverged);
            EXPECT_EQ(e.message,
                      "The fit stopped at the edge of the region where the model has a value; please try other "
                      "starting values.");
        }
    }
}

TEST(LeastSquares, IterationLimitGivesNotConverged) {
    const std::vector<double> x = grid(10, 0, 3);
    for (FitMethod method : kMethods) {
        LambdaModel m = exponential(x);
        const std::vector<double> y = observe(m, {1, 0.9});
        const FitResult r = solver::fitLeastSquares(m, y, {5, -1}, {method, 1, 1e-7});
        EXPECT_EQ(r.status, FitStatus::NotConverged);
        EXPECT_EQ(r.message, "The fit did not converge within 1 iteration.");
        EXPECT_EQ(r.iterations, 1);
        EXPECT_TRUE(std::isfinite(r.residualSumOfSquares));
    }
}

TEST(LeastSquares, RedundantParametersAreSingular) {
    const std::vector<double> x = grid(6, 1, 2);
    LambdaModel product(x, 2, [](double t, const Eigen::VectorXd& p) { return p(0) * p(1) * t; },
                        [](double t, const Eigen::VectorXd& p, double* g) {
                            g[0] = p(1) * t;
                            g[1] = p(0) * t;
                        });
    const std::vector<double> y = {2, 2.4, 2.8, 3.2, 3.6, 4};
    for (FitMethod method : kMethods) {
        const FitResult r = solver::fitLeastSquares(product, y, {1, 1}, {method, 200, 1e-7});
        EXPECT_EQ(r.status, FitStatus::Singular);
        EXPECT_FALSE(r.message.empty());
        EXPECT_TRUE(std::isnan(r.standardErrors[0]));
    }
}

// An exponential rate that runs away makes its term 0 at every point: the sum of squares
// stops changing on the plateau, which is not a minimum and must not pass as one. From this
// start the first full step runs onto it; both methods find their way back to the minimum.
TEST(LeastSquares, PlateauIsNotReportedAsConverged) {
    const std::vector<double> x = {1, 2, 3, 5, 7, 10};
    const std::vector<double> y = {109, 149, 149, 191, 213, 224};
    for (FitMethod method : kMethods) {
        LambdaModel m(x, 2, [](double t, const Eigen::VectorXd& p) { return p(0) * (1 - std::exp(-p(1) * t)); },
                      [](double t, const Eigen::VectorXd& p, double* g) {
                          g[0] = 1 - std::exp(-p(1) * t);
                          g[1] = p(0) * t * std::exp(-p(1) * t);
                      });
        const FitResult r = solver::fitLeastSquares(m, y, {1, 1}, {method, 200, 1e-7});
        ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
        EXPECT_NEAR(r.parameters[0], 213.80940889, 213.8e-6);
        EXPECT_NEAR(r.parameters[1], 0.54723748542, 0.547e-6);
    }
}

// y = 2 exp(-0.7 x) with a fixed pattern of noise: a minimum with nonzero residuals.
std::vector<double> noisyDecay(const std::vector<double>& x) {
    std::vector<double> y(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) y[i] = 2 * std::exp(-0.7 * x[i]) + 0.01 * ((i * 7) % 5 - 2.0);
    return y;
}

// The tolerance bounds the work of the method, not the digits of a converged fit: from the
// loosest tolerance to the tightest, both methods end at the same minimum, to rounding.
TEST(LeastSquares, TheToleranceBoundsTheWorkNotTheDigits) {
    const std::vector<double> x = grid(15, 0, 4);
    const std::vector<double> y = noisyDecay(x);
    for (FitMethod method : kMethods) {
        LambdaModel ref = exponential(x);
        const FitResult best = solver::fitLeastSquares(ref, y, {1, 0}, {method, 1000, solver::kMinTolerance});
        ASSERT_EQ(best.status, FitStatus::Converged) << best.message;
        for (double tol : {solver::kMaxTolerance, 1e-2, 1e-4, 1e-7, 1e-10}) {
            LambdaModel m = exponential(x);
            const FitResult r = solver::fitLeastSquares(m, y, {1, 0}, {method, 1000, tol});
            SCOPED_TRACE("tolerance " + std::to_string(tol));
            ASSERT_EQ(r.status, FitStatus::Converged) << r.message;
            for (int k = 0; k < 2; ++k) {
                EXPECT_NEAR(r.parameters[k], best.parameters[k], 1e-9 * std::abs(best.parameters[k]));
                EXPECT_NEAR(r.standardErrors[k], best.standardErrors[k], 1e-6 * best.standardErrors[k]);
            }
            EXPECT_NEAR(r.residualSumOfSquares, best.residualSumOfSquares, 1e-12 * best.residualSumOfSquares);
        }
    }
}

// The steps after the method's own test count as iterations: where the limit cuts them short,
// the fit is not converged, and the limit says so.
TEST(LeastSquares, ALimitThatCutsTheFinalStepsShortIsNotConverged) {
    const std::vector<double> x = grid(15, 0, 4);
    const std::vector<double> y = noisyDecay(x);
    for (FitMethod method : kMethods) {
        LambdaModel full = exponential(x);
        const FitResult done = solver::fitLeastSquares(full, y, {1, 0}, {method, 1000, 1e-4});
        ASSERT_EQ(done.status, FitStatus::Converged) << done.message;
        for (int limit = 1; limit < done.iterations; ++limit) {
            LambdaModel m = exponential(x);
            const FitResult r = solver::fitLeastSquares(m, y, {1, 0}, {method, limit, 1e-4});
            EXPECT_EQ(r.status, FitStatus::NotConverged);
            EXPECT_EQ(r.message, "The fit did not converge within " + std::to_string(limit) +
                                     (limit == 1 ? " iteration." : " iterations."));
        }
        LambdaModel m = exponential(x);
        const FitResult r = solver::fitLeastSquares(m, y, {1, 0}, {method, done.iterations, 1e-4});
        EXPECT_EQ(r.status, FitStatus::Converged);
        EXPECT_EQ(r.parameters, done.parameters);
    }
}

TEST(LeastSquares, NothingThrowsPastTheInterfaceOrHangs) {
    const std::vector<double> x = grid(8, 0, 1);
    // A model that throws.
    LambdaModel thrower(x, 1, [](double, const Eigen::VectorXd&) -> double { throw std::runtime_error("boom"); },
                        [](double, const Eigen::VectorXd&, double*) {});
    FitResult r;
    EXPECT_NO_THROW(r = solver::fitLeastSquares(thrower, std::vector<double>(8, 1.0), {1}, {}));
    EXPECT_EQ(r.status, FitStatus::BadInput);
    EXPECT_EQ(r.message, "The fit failed: boom");
    // A model defined only at its starting point: every step is refused.
    for (FitMethod method : kMethods) {
        LambdaModel island(x, 1, [](double t, const Eigen::VectorXd& p) { return p(0) * t; },
                           [](double t, const Eigen::VectorXd&, double* g) { g[0] = t; },
                           [](double, const Eigen::VectorXd& p) { return p(0) == 1; });
        const FitResult s = solver::fitLeastSquares(island, grid(8, 0, 2), {1}, {method, 100000, 1e-7});
        EXPECT_EQ(s.status, FitStatus::NotConverged);
        EXPECT_FALSE(s.message.empty());
        EXPECT_LT(s.iterations, 10);
    }
}

}  // namespace
