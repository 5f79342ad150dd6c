// The ten models: fits against values worked out independently (exact rational
// normal equations on the transformed data), data checks, texts and report lines.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fitting/curve_math/curve_fit_math.h"
#include "fitting/curve_math/curve_models.h"
#include "fitting/curve_math/curve_report.h"
#include "fitting/curve_math/number_text.h"

namespace {

CurveModelFit fitModel(int model, const std::vector<double>& x, const std::vector<double>& y) {
    std::vector<double> xt, yt;
    return FitCurveModel(model, x, y, xt, yt);
}

TEST(CurveModels, EachModelMatchesIndependentValues) {
    struct Case {
        int model;
        std::vector<double> x, y;
        double a, b, R2;   // rounded to ten decimals
        const char* text;  // the model text built from them
    };
    const std::vector<Case> cases = {
        {1, {1, 2, 3, 4, 5, 6}, {2.1, 3.9, 6.2, 7.8, 10.1, 12.2}, -0.02, 2.02, 0.9982106661, "-0.02+2.02*X"},
        {2, {0.5, 1, 2, 4, 5}, {9.1, 5.2, 3.4, 2.4, 2.3}, 1.4842293907, 3.7921146953, 0.9996405501,
         "1.4842293907+3.7921146953/X"},
        {3, {1, 2, 3, 4, 5}, {0.5, 0.8, 1.0, 1.1, 1.2}, 0.5304120268, 1.4629331861, 0.9991283832,
         "1/(0.5304120268+1.4629331861/X)"},
        {4, {1, 2, 4, 8, 16}, {1.1, 2.9, 5.2, 6.8, 9.1}, 1.04, 2.8709631314, 0.9973053289,
         "1.04+2.8709631314*log(X)"},
        {5, {0, 1, 2, 3, 4}, {1.0, 2.8, 7.1, 20.5, 54.0}, 0.0060699144, 0.9968773562, 0.9997071994,
         "exp(0.0060699144+0.9968773562*X)"},
        {6, {1, 2, 3, 4, 5}, {2.0, 5.9, 11.8, 16.1, 24.8}, 0.7033022445, 1.5476477378, 0.997565133,
         "exp(0.7033022445+1.5476477378*log(X))"},
        {7, {1, 2, 3, 4, 5}, {0.4, 1.6, 2.5, 3.1, 3.4}, 1.8002269988, -2.7047972942, 0.9992681495,
         "exp(1.8002269988+(-2.7047972942)*(1/X))"},
        {8, {0, 1, 4, 9, 16}, {1.0, 2.9, 5.1, 7.2, 8.8}, 1.02, 1.99, 0.9975062972, "1.02+1.99*sqr(X)"},
        {9, {0, 1, 2, 3, 4}, {1.0, 4.2, 8.8, 16.1, 24.9}, 1.0150539443, 0.9943070336, 0.9996534227,
         "(1.0150539443+0.9943070336*X)^2"},
        {10, {0, 1, 4, 9, 16}, {1.0, 9.2, 24.8, 49.5, 80.3}, 1.0170466935, 1.9924526916, 0.9999068109,
         "(1.0170466935+1.9924526916*sqr(X))^2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        const CurveModelFit f = fitModel(c.model, c.x, c.y);
        ASSERT_EQ(f.checkMessage, nullptr);
        EXPECT_EQ(f.status, RegressionStatus::Ok);
        EXPECT_DOUBLE_EQ(f.a, c.a);
        EXPECT_DOUBLE_EQ(f.b, c.b);
        EXPECT_DOUBLE_EQ(f.R2, c.R2);
        EXPECT_EQ(f.modelText, c.text);
        EXPECT_TRUE(f.plottable());
    }
}

TEST(CurveModels, DataChecksStopAtTheFirstFailingPoint) {
    const char* xZero = "At lease one of independent variable values is equal to 0.";
    const char* yZero = "At lease one of dependent variable values is equal to 0.";
    const char* xNotPos = "At lease one of independent variable values is <= 0.";
    const char* yNotPos = "At lease one of dependent variable values is <= 0.";
    const char* xyNotPos = "At lease one of variable values is <= 0.";
    const char* xNeg = "At lease one of independent variable values is < 0.";
    const char* yNeg = "At lease one of dependent variable values is < 0.";
    const char* xyNeg = "At lease one of variable values is < 0.";
    struct Case {
        int model;
        std::vector<double> x, y;
        const char* message;  // nullptr: the data pass
    };
    const std::vector<Case> cases = {
        {1, {0, -1, 2}, {-3, 0, 1}, nullptr},
        {2, {1, 0, 2}, {1, 2, 3}, xZero},
        {2, {1, -1, 2}, {0, -2, 3}, nullptr},
        {3, {1, 0, 2}, {1, 2, 3}, xZero},
        {3, {1, 2, 3}, {1, 0, 3}, yZero},
        {4, {1, 0, 2}, {1, 2, 3}, xNotPos},
        {4, {1, -2, 2}, {1, 2, 3}, xNotPos},
        {5, {1, 2, 3}, {1, 0, 3}, yNotPos},
        {5, {-1, 0, 3}, {1, 2, 3}, nullptr},
        {6, {1, 0, 3}, {1, 2, 3}, xyNotPos},
        {6, {1, 2, 3}, {1, 2, -3}, xyNotPos},
        // S checks y before x on each point, point by point.
        {7, {0, 2, 3}, {0, 2, 3}, yNotPos},
        {7, {0, 2, 3}, {1, 0, 3}, xZero},
        {8, {0, 1, 2}, {-1, 2, 3}, nullptr},
        {8, {1, -1, 2}, {1, 2, 3}, xNeg},
        {9, {-1, 1, 2}, {0, 2, 3}, nullptr},
        {9, {1, 2, 3}, {1, -2, 3}, yNeg},
        {10, {0, 1, 2}, {0, 2, 3}, nullptr},
        {10, {1, -1, 2}, {1, 2, 3}, xyNeg},
        {10, {1, 1, 2}, {1, 2, -3}, xyNeg},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model);
        const CurveModelFit f = fitModel(c.model, c.x, c.y);
        if (c.message) {
            ASSERT_NE(f.checkMessage, nullptr);
            EXPECT_STREQ(f.checkMessage, c.message);
            EXPECT_TRUE(f.reportLines.empty());
            EXPECT_FALSE(f.plottable());
        } else {
            EXPECT_EQ(f.checkMessage, nullptr);
        }
    }
}

TEST(CurveModels, DegenerateFitsAreReportedInWords) {
    const std::string xLine = "\tLinear Model:         \tnot fitted: the independent variable values are all equal.\r\n";
    const CurveModelFit xConst = fitModel(1, {2, 2, 2}, {1, 2, 3});
    EXPECT_EQ(xConst.status, RegressionStatus::XConstant);
    EXPECT_EQ(xConst.reportLines, xLine);
    EXPECT_FALSE(xConst.plottable());

    // All y equal: the line is exact and drawn; only R2 has no value.
    const CurveModelFit yConst = fitModel(5, {1, 2, 3}, {4, 4, 4});
    EXPECT_EQ(yConst.status, RegressionStatus::YConstant);
    EXPECT_EQ(yConst.modelText, "exp(1.3862943611+0*X)");
    EXPECT_EQ(yConst.reportLines,
              "\tExponential Model:    \ty=exp(1.3862943611+0*X)\r\n"
              "\t                      R2=\tundefined (the dependent variable values are all equal)\r\n");
    EXPECT_TRUE(yConst.plottable());

    // 1/x of a subnormal x overflows.
    const CurveModelFit overflow = fitModel(2, {1, 4.9e-324, 3}, {1, 2, 3});
    EXPECT_EQ(overflow.status, RegressionStatus::NotFinite);
    EXPECT_NE(overflow.reportLines.find("not fitted"), std::string::npos);
    EXPECT_FALSE(overflow.plottable());
}

TEST(CurveModels, TablesAndTexts) {
    EXPECT_STREQ(curveModel(1).caption, "Linear");
    EXPECT_STREQ(curveModel(7).graphTitle, "S Model");
    EXPECT_EQ(curveModel(3).colour, 0x808000);
    EXPECT_EQ(curveModel(10).colour, 0x0000FF);
    for (int m = 1; m <= kCurveModelCount; ++m) EXPECT_EQ(std::string(curveModel(m).reportLabel).size(), 22u);
    EXPECT_THROW(curveModel(0), std::out_of_range);
    EXPECT_THROW(curveModel(11), std::out_of_range);

    EXPECT_EQ(CurveModelText(1, 5, -2), "5+(-2)*X");
    EXPECT_EQ(CurveModelText(5, 5, -2), "exp(5+(-2)*X)");
    EXPECT_EQ(CurveModelText(1, 1, 0.5), "1+0.5*X");
    EXPECT_EQ(CurveModelText(3, -1.5, 0), "1/(-1.5+0/X)");
}

TEST(CurveModels, NumbersInModelTextsArePlainDecimals) {
    EXPECT_EQ(CurveModelText(1, 1e-10, 1e20), "0.0000000001+100000000000000000000*X");
    EXPECT_EQ(CurveModelText(9, -0.0, -1.5e-6), "(0+(-0.0000015)*X)^2");
    EXPECT_EQ(CurveModelText(2, 1234567.1234567891, 0.1 + 0.2), "1234567.12345679+0.3/X");

    EXPECT_EQ(RoundTo10Decimals(0.99821066610749), 0.9982106661);
    EXPECT_EQ(RoundTo10Decimals(-0.00000000001), 0.0);
    EXPECT_FALSE(std::signbit(RoundTo10Decimals(-0.00000000001)));
    EXPECT_EQ(RoundTo10Decimals(1e300), 1e300);
}

TEST(CurveReport, LinesAreExact) {
    EXPECT_EQ(CurveReportHeader("Var1", "Var2"), "Curve Fitting\r\nIndependent:Var1\r\nDependent:  Var2\r\n");
    EXPECT_EQ(CurveReportModelLines("Linear Model:         ", "1+0.5*X", 0.25),
              "\tLinear Model:         \ty=1+0.5*X\r\n\t                      R2=\t0.25\r\n");
    EXPECT_EQ(kCurveReportEnd, "\r\n");
}

TEST(CurveAbscissae, HundredStepsOfARangeOverHundred) {
    const auto X = CurveAbscissae(std::vector<double>{2, 1, 3});
    EXPECT_DOUBLE_EQ(X[0], 1);
    EXPECT_DOUBLE_EQ(X[1], 1.02);
    EXPECT_DOUBLE_EQ(X[99], 2.98);
    // Values beyond any fixed sentinel still give their own range.
    const auto big = CurveAbscissae(std::vector<double>{3e12, 2e12});
    EXPECT_DOUBLE_EQ(big[0], 2e12);
    EXPECT_DOUBLE_EQ(big[50], 2.5e12);
}

}  // namespace
