// The result procedures shared by the nonlinear, surface and volume fits: the
// model with the fitted values written in, the parameter lines, the report
// around them and the option boxes.
#include <gtest/gtest.h>

#include <cmath>

#include "fitting/common/fit_options.h"
#include "fitting/common/fit_report.h"
#include "fitting/common/fitted_parameters.h"
#include "state/globals.h"

namespace {

FittedParameters row(std::vector<double> v) { return FittedParameters::Row(v); }

TEST(ApplyFittedParameters, ValuesGoByLetterAndReadBackAsTheSameExpression) {
    struct Case {
        std::string model;
        long n;
        std::vector<double> values;
        std::string result;
    };
    const std::vector<Case> cases = {
        {"a+b/x", 2, {2, -0.5}, "2+(-0.5)/x"},
        {"A+B/X", 2, {2, -0.5}, "2+(-0.5)/X"},
        {"a+b/x+c", 2, {2, -0.5, 99}, "2+(-0.5)/x+0"},  // c is above n: 0, never read
        {"exp(-b/x)-a", 2, {0, 1.25}, "exp(-1.25/x)-0"},
        {"-a(x-b)", 2, {-1.5, 4}, "-(-1.5)(x-4)"},
        {"ab+exp(b)", 2, {1, 3}, "ab+exp(3)"},
        // Mended: a value never runs into a digit, nor takes the exponent form
        // ("E" is the parameter e), nor the locale's decimal comma.
        {"2a+a2", 1, {3}, "2(3)+(3)2"},
        {"a+x", 1, {0.0000001}, "0.0000001+x"},
        {"a*x", 1, {2.5}, "2.5*x"},
        {"c^x+d", 4, {1, 1, 2, 0.5}, "2^x+0.5"},
        {"sin(x)+2.5", 1, {7}, "sin(x)+2.5"},
        {"", 20, std::vector<double>(20, 1), ""},
    };
    for (const Case& c : cases) {
        std::string result = "old";
        ApplyFittedParameters(c.model, result, c.n, row(c.values));
        EXPECT_EQ(result, c.result) << c.model;
    }
    // n outside 1..20, or a missing element: the result is left as it was.
    for (long n : {0L, -1L, 21L}) {
        std::string result = "kept";
        ApplyFittedParameters("a", result, n, row(std::vector<double>(21, 1)));
        EXPECT_EQ(result, "kept") << n;
    }
    std::string result = "kept";
    EXPECT_THROW(ApplyFittedParameters("a+b+c", result, 3, row({1, 2})), std::out_of_range);
    FittedParameters column({1, 2}, {1, 1});  // the values at (k, 1) instead of (1, k)
    EXPECT_THROW(ApplyFittedParameters("a+b", result, 2, column), std::out_of_range);
    EXPECT_EQ(result, "kept");
}

TEST(ReportFittedParameters, OneLinePerParameterLetteredByPlace) {
    std::vector<std::string> lines;
    auto append = [&lines](const std::string& l) { lines.push_back(l); };
    ReportFittedParameters(3, row({2.5, -0.25, 100}), append);
    EXPECT_EQ(lines, (std::vector<std::string>{"\ta\t2.5\r\n", "\tb\t-0.25\r\n", "\tc\t100\r\n"}));

    lines.clear();
    ReportFittedParameters(2, row({0, 1e-7, 5}), append);
    EXPECT_EQ(lines, (std::vector<std::string>{"\ta\t0\r\n", "\tb\t1E-07\r\n"}));

    for (long n : {0L, -1L, 21L}) {
        lines.clear();
        ReportFittedParameters(n, row(std::vector<double>(21, 1)), append);
        EXPECT_TRUE(lines.empty()) << n;
    }
    lines.clear();
    ReportFittedParameters(20, row(std::vector<double>(20, 1)), append);
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines.back(), "\tt\t1\r\n");

    // A missing element stops the report after the lines before it.
    lines.clear();
    EXPECT_THROW(ReportFittedParameters(3, row({1, 2}), append), std::out_of_range);
    EXPECT_EQ(lines.size(), 2u);
    // Other rows of the array are not read.
    FittedParameters two({0, 1}, {1, 2});
    two.at(0, 1) = 9;
    two.at(1, 1) = 3;
    two.at(1, 2) = 4;
    lines.clear();
    ReportFittedParameters(2, two, append);
    EXPECT_EQ(lines, (std::vector<std::string>{"\ta\t3\r\n", "\tb\t4\r\n"}));
}

TEST(NonlinearReport, HeadAndTailAroundTheParameterLines) {
    EXPECT_EQ(NonlinearReportHead("Nonlinear Curve Fitting", {"Time"}, "Count", 'y', "a*(1-exp(-b*x))"),
              "Nonlinear Curve Fitting\r\nIndependent:Time\r\nDependent:  Count\r\n\tModel:\ty=a*(1-exp(-b*x))\r\n");
    EXPECT_EQ(NonlinearReportHead("Surface Fitting", {"u", "w"}, "h", 'z', "a*x+\r\nb*y"),
              "Surface Fitting\r\nIndependent:u\r\nIndependent:w\r\nDependent:  h\r\n\tModel:\tz=a*x+  b*y\r\n");

    solver::FitResult fit;
    fit.rSquared = 0.5;
    fit.residualSumOfSquares = 2e-20;
    fit.residualStdDev = std::nan("");
    fit.iterations = 7;
    EXPECT_EQ(NonlinearReportTail('y', "2+(-0.5)/x", {0.25, std::nan("")}, fit, solver::FitMethod::GaussNewton),
              "\tFitted:\ty=2+(-0.5)/x\r\n"
              "\tse(a)=\t0.25\r\n"
              "\tse(b)=\tundefined\r\n"
              "\tR2=\t0.5\r\n"
              "\tSSR=\t2E-20\r\n"
              "\ts=\tundefined\r\n"
              "\tIterations:\t7 (Gauss-Newton)\r\n"
              "\r\n");
    fit.rSquared = INFINITY;
    EXPECT_NE(NonlinearReportTail('v', "1", {}, fit, solver::FitMethod::LevenbergMarquardt)
                  .find("\tR2=\tundefined\r\n"),
              std::string::npos);
}

TEST(IterationOptions, ReadByTheOptionBoxRuleAndRefusedOutOfRange) {
    struct Case {
        std::string count, tolerance;
        std::string message;
        long maxIterations;
        double tol;
    };
    const std::string badCount = "The maximum number of iterations must be between 1 and 100000.";
    const std::string badTol = "The tolerance must be between 1E-15 and 0.5.";
    const std::vector<Case> cases = {
        {"200", "1E-07", "", 200, 1e-7},
        {"12.5", "1e-9", "", 12, 1e-9},
        {"13.5", "0.5", "", 14, 0.5},
        {"1e3", "1E-15", "", 1000, 1e-15},
        {"2 5", " 1e-12", "", 25, 1e-12},
        {"1.5", "0.1x", "", 2, 0.1},
        {"100000", "1e-7", "", 100000, 1e-7},
        {"0", "1e-7", badCount, 0, 0},
        {"0.5", "1e-7", badCount, 0, 0},
        {"-5", "1e-7", badCount, 0, 0},
        {"abc", "1e-7", badCount, 0, 0},
        {"", "1e-7", badCount, 0, 0},
        {"100001", "1e-7", badCount, 0, 0},
        {"4294967297", "1e-7", badCount, 0, 0},
        {"1e400", "1e-7", badCount, 0, 0},
        {"200", "0,001", badTol, 0, 0},
        {"200", "0", badTol, 0, 0},
        {"200", "0.6", badTol, 0, 0},
        {"200", "-1e-7", badTol, 0, 0},
        {"200", "1e-16", badTol, 0, 0},
        {"200", "1e999", badTol, 0, 0},
    };
    for (const Case& c : cases) {
        long count = -7;
        double tol = -7;
        EXPECT_EQ(ReadIterationOptions(c.count, c.tolerance, count, tol), c.message) << c.count << " " << c.tolerance;
        EXPECT_EQ(count, c.message.empty() ? c.maxIterations : -7) << c.count;
        EXPECT_EQ(tol, c.message.empty() ? c.tol : -7) << c.tolerance;
    }
    EXPECT_EQ(FitMethodOf(1), solver::FitMethod::GaussNewton);
    EXPECT_EQ(FitMethodOf(2), solver::FitMethod::LevenbergMarquardt);
    EXPECT_EQ(FitMethodOf(0), solver::FitMethod::LevenbergMarquardt);
    EXPECT_EQ(MakeFitOptions(1, 5000000000L, 1e-7).maxIterations, 100001);
}

}  // namespace

namespace {

// The last check before a nonlinear fit is reported: a figure beyond the range of numbers
// refuses it by name; undefined figures (NaN where the data do not determine them) pass.
TEST(NonlinearReport, FiguresBeyondTheRangeOfNumbersRefuseTheFit) {
    solver::FitResult good;
    good.parameters = {1, 2};
    good.fittedValues = {1, 2, 3};
    good.standardErrors = {NAN, 0.5};
    good.residualStdDev = NAN;
    good.rSquared = NAN;
    EXPECT_EQ(OutOfRangeFitMessage(good, "ab"), "");
    const std::string tail = " is beyond the range of numbers (1.79769313486232E+308); the values are too large for "
                             "the model.";
    struct Case {
        void (*spoil)(solver::FitResult&);
        std::string figure;
    };
    const std::vector<Case> cases = {
        {[](solver::FitResult& f) { f.parameters[1] = INFINITY; }, "the fitted parameter b"},
        {[](solver::FitResult& f) { f.parameters[0] = NAN; }, "the fitted parameter a"},
        {[](solver::FitResult& f) { f.fittedValues[2] = -INFINITY; }, "the fitted model at data point 3"},
        {[](solver::FitResult& f) { f.residualSumOfSquares = INFINITY; }, "the residual sum of squares"},
        {[](solver::FitResult& f) { f.residualStdDev = INFINITY; }, "s, the residual standard deviation"},
        {[](solver::FitResult& f) { f.standardErrors[0] = INFINITY; }, "the standard error of a"},
    };
    for (const Case& c : cases) {
        solver::FitResult bad = good;
        c.spoil(bad);
        EXPECT_EQ(OutOfRangeFitMessage(bad, "ab"), "The fit cannot be reported: " + c.figure + tail);
    }
}

}  // namespace
