// The solvers against the certified nonlinear-regression reference data (every problem of
// the three levels of difficulty, two starting points each), through models typed in the
// formula language. The files are read at run time from tests/data/nist-nls.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "nist_support.h"

namespace {

using solver::FitMethod;
using solver::FitStatus;

struct Digits {
    double params = 15, rss = 15, sd = 15;
};

Digits digits(const nist::Problem& p, const solver::FitResult& r) {
    Digits d;
    for (std::size_t k = 0; k < p.certified.size(); ++k) {
        d.params = std::min(d.params, nist::lre(r.parameters[k], p.certified[k]));
        d.sd = std::min(d.sd, nist::lre(r.standardErrors[k], p.certifiedSd[k]));
    }
    d.rss = nist::lre(r.residualSumOfSquares, p.rss);
    return d;
}

std::string label(const nist::Problem& p, int startNo, FitMethod m, const solver::FitResult& r) {
    const Digits d = digits(p, r);
    char buf[512];
    std::snprintf(buf, sizeof buf, "%s start %d %s: %s after %d iterations, digits: parameters %.1f, SSR %.1f, "
                  "standard errors %.1f. %s", p.name.c_str(), startNo, m == FitMethod::GaussNewton ? "GN" : "LM",
                  solver::statusName(r.status), r.iterations, d.params, d.rss, d.sd, r.message.c_str());
    return buf;
}

class NistReference : public ::testing::Test {
protected:
    // A file the reader refuses fails every test with the reader's message (thrown from here,
    // it would only skip them).
    static void SetUpTestSuite() {
        problems_.clear();
        readError_.clear();
        try {
            for (const std::string& name : nist::problemNames())
                problems_.push_back(nist::readProblem(nist::dataDirectory() + "/" + name + ".dat"));
        } catch (const std::exception& e) {
            readError_ = e.what();
        }
    }
    void SetUp() override { ASSERT_EQ(readError_, ""); }
    static solver::FitResult run(const nist::Problem& p, int startNo, FitMethod method, double tol,
                                 int maxIterations = 1000) {
        return solver::fitNonlinear(
            nist::makeRequest(p, startNo == 1 ? p.start1 : p.start2, method, tol, maxIterations));
    }
    static std::vector<nist::Problem> problems_;
    static std::string readError_;
};

std::vector<nist::Problem> NistReference::problems_;
std::string NistReference::readError_;

// Every problem of the set is read, at the level of difficulty NIST gives it, with the counted
// degrees of freedom that its certified residual standard deviation divides by.
TEST_F(NistReference, AllFilesReadAtTheirLevels) {
    const std::map<nist::Level, std::set<std::string>> expected = {
        {nist::Level::Lower,
         {"Misra1a", "Chwirut2", "Chwirut1", "Lanczos3", "Gauss1", "Gauss2", "DanWood", "Misra1b"}},
        {nist::Level::Average,
         {"Kirby2", "Hahn1", "Nelson", "MGH17", "Lanczos1", "Lanczos2", "Gauss3", "Misra1c", "Misra1d",
          "Roszman1", "ENSO"}},
        {nist::Level::Higher, {"MGH09", "Thurber", "BoxBOD", "Rat42", "MGH10", "Eckerle4", "Rat43", "Bennett5"}},
    };
    std::map<nist::Level, std::set<std::string>> read;
    for (const nist::Problem& p : problems_) {
        read[p.level].insert(p.name);
        EXPECT_EQ(p.start1.size(), p.certified.size()) << p.name;
        EXPECT_EQ(p.start2.size(), p.certified.size()) << p.name;
        EXPECT_EQ(p.y.size(), p.x.size()) << p.name;
        EXPECT_EQ(static_cast<int>(p.x.size()), p.dof + static_cast<int>(p.certified.size())) << p.name;
        EXPECT_NEAR(p.rsd, std::sqrt(p.rss / p.dof), 1e-9 * p.rsd) << p.name;
    }
    EXPECT_EQ(read, expected);
    EXPECT_THROW(nist::readProblem(nist::dataDirectory() + "/NoSuchFile.dat"), std::runtime_error);
}

// Nelson's model is that of log[y] in two predictors: the fit sees the log of the response,
// x as the first predictor (time) and y as the second (temperature).
TEST_F(NistReference, NelsonFitsTheLogOfItsResponseInTwoPredictors) {
    const auto it = std::find_if(problems_.begin(), problems_.end(),
                                 [](const nist::Problem& p) { return p.name == "Nelson"; });
    ASSERT_NE(it, problems_.end());
    ASSERT_EQ(it->x.size(), 128u);
    ASSERT_EQ(it->x2.size(), 128u);
    EXPECT_EQ(it->x.back(), 64);
    EXPECT_EQ(it->x2.back(), 275);
    EXPECT_EQ(it->y.back(), std::log(1.20));
    const solver::NonlinearFitRequest req =
        nist::makeRequest(*it, it->start2, FitMethod::LevenbergMarquardt, 1e-7, 200);
    EXPECT_EQ(req.variables, 2);
    EXPECT_EQ(req.columns, (std::vector<std::vector<double>>{it->x, it->x2}));
    for (const nist::Problem& p : problems_) EXPECT_EQ(p.x2.empty(), p.name != "Nelson") << p.name;
}

// Lanczos1 is an exact fit: its residuals (about 1e-13) lie within a thousandth of the double
// rounding of its data and model values (about 1e-16). Solved in long double arithmetic, its
// data as doubles determine the certified SSR to 3.1 digits and the standard errors to 3.4:
// those are all the digits there are. Its parameters are checked in full.
bool residualsAtRoundingLevel(const nist::Problem& p) { return p.rss < 1e-20; }
double rssDigits(const nist::Problem& p, double wanted) { return residualsAtRoundingLevel(p) ? 2.5 : wanted; }

// What a converged fit carries: 6 digits of every parameter and of the SSR, 4 of every
// standard error (fewer only where the data determine fewer).
void expectCertifiedDigits(const nist::Problem& p, const solver::FitResult& r) {
    const Digits d = digits(p, r);
    EXPECT_GE(d.params, 6.0);
    EXPECT_GE(d.rss, rssDigits(p, 6.0));
    EXPECT_GE(d.sd, rssDigits(p, 4.0));
}

// A fit that is not converged says what went wrong: the limit, a step that cannot reduce the
// residuals (or leaves the model's domain), a parameter without effect, parameters that act only
// together, a singular Jacobian.
bool namesTheReason(const std::string& message) {
    for (const char* reason : {"did not converge within", "could not reduce", "edge of the region",
                               "no effect on the model", "only as the others do", "cannot be determined",
                               "cannot all be determined", "is singular", "derivatives of the model have no value"})
        if (message.find(reason) != std::string::npos) return true;
    return false;
}

// At a tight tolerance: converged, with the certified digits.
void expectCertifiedFromBothStarts(const nist::Problem& p, FitMethod method) {
    for (int s : {1, 2}) {
        const solver::FitResult r = solver::fitNonlinear(
            nist::makeRequest(p, s == 1 ? p.start1 : p.start2, method, 1e-12, 1000));
        SCOPED_TRACE(label(p, s, method, r));
        EXPECT_EQ(r.status, FitStatus::Converged);
        expectCertifiedDigits(p, r);
        EXPECT_NEAR(r.residualStdDev, p.rsd, p.rsd * (residualsAtRoundingLevel(p) ? 1e-2 : 1e-6));
        EXPECT_EQ(r.degreesOfFreedom, p.dof);
    }
}

TEST_F(NistReference, LevenbergMarquardtOnLowerAndAverageSetsFromBothStarts) {
    for (const nist::Problem& p : problems_) {
        if (p.level == nist::Level::Higher) continue;
        expectCertifiedFromBothStarts(p, FitMethod::LevenbergMarquardt);
    }
}

TEST_F(NistReference, LevenbergMarquardtOnHigherSetsNeverReportsAWrongAnswerAsConverged) {
    for (const nist::Problem& p : problems_) {
        if (p.level != nist::Level::Higher) continue;
        const solver::FitResult near = run(p, 2, FitMethod::LevenbergMarquardt, 1e-12);
        SCOPED_TRACE(label(p, 2, FitMethod::LevenbergMarquardt, near));
        EXPECT_EQ(near.status, FitStatus::Converged);
        EXPECT_GE(digits(p, near).params, 4.0);
        EXPECT_GE(digits(p, near).rss, 4.0);

        const solver::FitResult far = run(p, 1, FitMethod::LevenbergMarquardt, 1e-12);
        SCOPED_TRACE(label(p, 1, FitMethod::LevenbergMarquardt, far));
        if (far.status == FitStatus::Converged) {
            EXPECT_GE(digits(p, far).params, 4.0);
        } else {
            EXPECT_FALSE(far.message.empty());
        }
    }
}

TEST_F(NistReference, GaussNewtonOnLowerSetsFromBothStarts) {
    for (const nist::Problem& p : problems_) {
        if (p.level != nist::Level::Lower) continue;
        expectCertifiedFromBothStarts(p, FitMethod::GaussNewton);
    }
}

// No method, start, tolerance or iteration limit may report a wrong answer as converged: a
// converged fit carries the certified digits, whatever the tolerance; one that is not says why.
TEST_F(NistReference, NoWrongAnswerIsReportedAsConverged) {
    for (const nist::Problem& p : problems_)
        for (FitMethod m : {FitMethod::GaussNewton, FitMethod::LevenbergMarquardt})
            for (int s : {1, 2})
                for (double tol : {1e-4, 1e-5, 1e-6, 1e-7, 1e-9, 1e-12, 1e-15})
                    for (int limit : {5, 20, 200}) {
                        const solver::FitResult r = run(p, s, m, tol, limit);
                        SCOPED_TRACE(label(p, s, m, r) + " (tolerance " + std::to_string(tol) + ", limit " +
                                     std::to_string(limit) + ")");
                        ASSERT_LE(r.iterations, limit);
                        if (r.status == FitStatus::Converged) {
                            expectCertifiedDigits(p, r);
                        } else {
                            EXPECT_TRUE(namesTheReason(r.message));
                        }
                    }
}

// The defaults of the options dialog (Levenberg-Marquardt, 200 iterations, 1e-7) give the
// certified digits on every problem from both starts; Gauss-Newton gives them wherever it
// converges, and otherwise says why.
TEST_F(NistReference, DefaultOptionsGiveCertifiedDigitsFromBothStarts) {
    const solver::FitOptions defaults;
    for (const nist::Problem& p : problems_)
        for (FitMethod m : {FitMethod::GaussNewton, FitMethod::LevenbergMarquardt})
            for (int s : {1, 2}) {
                const solver::FitResult r = run(p, s, m, defaults.tolerance, defaults.maxIterations);
                SCOPED_TRACE(label(p, s, m, r));
                if (m == defaults.method) {
                    EXPECT_EQ(r.status, FitStatus::Converged);
                }
                if (r.status == FitStatus::Converged) {
                    expectCertifiedDigits(p, r);
                } else {
                    EXPECT_TRUE(namesTheReason(r.message));
                }
            }
}

// A tighter tolerance asks for no more than rounding allows: it never turns a converged fit
// into a failure.
TEST_F(NistReference, TheSmallestToleranceConvergesWhereTheDefaultDoes) {
    for (const nist::Problem& p : problems_)
        for (FitMethod m : {FitMethod::GaussNewton, FitMethod::LevenbergMarquardt})
            for (int s : {1, 2}) {
                if (!run(p, s, m, 1e-7, 1000).converged()) continue;
                const solver::FitResult r = run(p, s, m, solver::kMinTolerance, 1000);
                SCOPED_TRACE(label(p, s, m, r));
                EXPECT_EQ(r.status, FitStatus::Converged);
            }
}

// Roszman1's model divides by pi. Typed as `pi` it is the same Double as the constant written
// out in full, so the fit is the same to the last bit and carries the certified digits (the
// old eight-digit constant left the parameters with about five).
TEST_F(NistReference, PiTypedInTheModelFitsAsTheFullConstant) {
    const auto it = std::find_if(problems_.begin(), problems_.end(),
                                 [](const nist::Problem& p) { return p.name == "Roszman1"; });
    ASSERT_NE(it, problems_.end());
    const std::string full = "3.14159265358979324";
    nist::Problem typed = *it;
    const std::size_t at = typed.formula.find(full);
    ASSERT_NE(at, std::string::npos) << typed.formula;
    typed.formula.replace(at, full.size(), "pi");
    for (FitMethod m : {FitMethod::GaussNewton, FitMethod::LevenbergMarquardt})
        for (int s : {1, 2}) {
            const solver::FitResult withPi = run(typed, s, m, 1e-12), written = run(*it, s, m, 1e-12);
            SCOPED_TRACE(label(typed, s, m, withPi));
            EXPECT_EQ(withPi.status, FitStatus::Converged);
            expectCertifiedDigits(typed, withPi);
            EXPECT_GE(digits(typed, withPi).params, 8.0);
            EXPECT_EQ(withPi.parameters, written.parameters);
            EXPECT_EQ(withPi.residualSumOfSquares, written.residualSumOfSquares);
        }
}

}  // namespace
