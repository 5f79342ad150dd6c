// The per-iteration progress hook: it only watches (the same fit with and
// without it, bit for bit), it sees every iteration once in order, and its
// answer "stop" ends the fit at that iteration as cancelled.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fitting/solver/nonlinear_fit.h"
#include "nist_support.h"

namespace {

using solver::FitMethod;
using solver::FitResult;
using solver::FitStatus;

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void expectSameBits(const std::vector<double>& a, const std::vector<double>& b, const std::string& what) {
    ASSERT_EQ(a.size(), b.size()) << what;
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_TRUE(sameBits(a[i], b[i])) << what << "[" << i << "]";
}

struct Case {
    std::string problem;
    FitMethod method;
    double tolerance;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> r = {
        {"Misra1a", FitMethod::LevenbergMarquardt, 1e-7}, {"Misra1a", FitMethod::GaussNewton, 1e-15},
        {"Thurber", FitMethod::LevenbergMarquardt, 1e-10}, {"MGH09", FitMethod::LevenbergMarquardt, 1e-7},
        {"Lanczos3", FitMethod::GaussNewton, 1e-7},        {"Eckerle4", FitMethod::LevenbergMarquardt, 1e-15},
    };
    return r;
}

solver::NonlinearFitRequest request(const Case& run) {
    const nist::Problem p = nist::readProblem(nist::dataDirectory() + "/" + run.problem + ".dat");
    return nist::makeRequest(p, p.start1, run.method, run.tolerance, 1000);
}

}  // namespace

TEST(ProgressHook, WatchesEveryIterationInOrderAndChangesNoBitOfTheFit) {
    for (const Case& run : cases()) {
        SCOPED_TRACE(run.problem + " method " + std::to_string(static_cast<int>(run.method)));
        solver::NonlinearFitRequest req = request(run);
        const FitResult plain = solver::fitNonlinear(req);

        std::vector<int> seen;
        std::vector<double> ssr;
        req.options.progress = [&](int iteration, double s) {
            seen.push_back(iteration);
            ssr.push_back(s);
            return true;
        };
        const FitResult watched = solver::fitNonlinear(req);

        EXPECT_EQ(watched.status, plain.status);
        EXPECT_EQ(watched.message, plain.message);
        EXPECT_EQ(watched.iterations, plain.iterations);
        expectSameBits(watched.parameters, plain.parameters, "parameters");
        expectSameBits(watched.standardErrors, plain.standardErrors, "standard errors");
        expectSameBits(watched.fittedValues, plain.fittedValues, "fitted values");
        expectSameBits({watched.residualSumOfSquares, watched.residualStdDev, watched.rSquared},
                       {plain.residualSumOfSquares, plain.residualStdDev, plain.rSquared}, "statistics");

        ASSERT_FALSE(seen.empty());
        for (std::size_t k = 0; k < seen.size(); ++k) EXPECT_EQ(seen[k], static_cast<int>(k) + 1);
        EXPECT_EQ(seen.back(), plain.iterations);
        // The sum of squares it reports never rises: each iteration starts from an accepted point.
        for (std::size_t k = 1; k < ssr.size(); ++k) EXPECT_LE(ssr[k], ssr[k - 1] * (1 + 1e-12)) << k;
        EXPECT_NEAR(ssr.back(), plain.residualSumOfSquares, 1e-6 * plain.residualSumOfSquares + 1e-300);
    }
}

TEST(ProgressHook, StopAtAnyIterationCancelsTheFitThere) {
    for (const Case& run : cases()) {
        solver::NonlinearFitRequest req = request(run);
        const int total = solver::fitNonlinear(req).iterations;
        // The first iteration, one in the middle, and the last (within the refinement).
        for (int stopAt : {1, (total + 1) / 2, total}) {
            SCOPED_TRACE(run.problem + " stopped at " + std::to_string(stopAt) + " of " + std::to_string(total));
            int calls = 0, last = 0;
            req.options.progress = [&](int iteration, double) {
                ++calls;
                last = iteration;
                return iteration < stopAt;
            };
            const FitResult r = solver::fitNonlinear(req);
            EXPECT_EQ(r.status, FitStatus::Cancelled);
            EXPECT_EQ(r.message, "The fit was cancelled.");
            EXPECT_FALSE(r.converged());
            EXPECT_EQ(calls, stopAt);
            EXPECT_EQ(last, stopAt);
            EXPECT_STREQ(solver::statusName(r.status), "cancelled");
        }
    }
}
