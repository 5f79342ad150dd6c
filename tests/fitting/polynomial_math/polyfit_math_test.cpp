// The polynomial models' texts with fitted values written in, the sampling of
// the fitted polynomial for its graphs, and the report's layout.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "fitting/polynomial_math/polynomial_grid.h"
#include "fitting/polynomial_math/polynomial_models.h"
#include "fitting/polynomial_math/polynomial_report.h"
#include "formula/cls6.h"

namespace {

// Coefficients of every sign and size, so brackets and digits are exercised.
std::vector<double> mixedCoefficients(std::size_t p) {
    const double pool[] = {1.5, -2, 0.25, -1e-12, 3e7, -0.125, 7, -0.5, 1e-3, -42.75};
    std::vector<double> b(p);
    for (std::size_t k = 0; k < p; ++k) b[k] = pool[k % 10] * (k >= 10 ? -1 : 1);
    return b;
}

TEST(PolynomialModels, FittedTextsCompileToTheSamePolynomial) {
    EXPECT_EQ(FittedPolynomialText(1, {1.5, -2}), "1.5+(-2)*x");
    EXPECT_EQ(FittedPolynomialText(2, {0, 1e-12, -0.5}), "0+0.000000000001*x+(-0.5)*x^2");
    formula::Cls6 compiler;
    for (int model = 1; model <= kPolynomialModels; ++model) {
        const auto& terms = solver::polynomialTerms(model);
        const std::vector<double> b = mixedCoefficients(terms.size());
        const std::string text = FittedPolynomialText(model, b);
        SCOPED_TRACE(text);
        EXPECT_EQ(text.find('b'), std::string::npos);
        std::string postfix;
        ASSERT_EQ(compiler.InfixToPostfix(text, postfix), 0);
        for (const auto& [x, y, z] : {std::array{0.5, -1.5, 2.0}, std::array{-3.0, 0.25, -1.0}}) {
            formula::Vars vars{};
            vars[formula::kVarX] = x;
            vars[formula::kVarY] = y;
            vars[formula::kVarZ] = z;
            double value = 0;
            ASSERT_TRUE(compiler.DoEvaluate(postfix, false, value, vars));
            const double expected = EvaluatePolynomial(terms, b, x, y, z);
            EXPECT_NEAR(value, expected, 1e-12 * (1 + std::abs(expected)));
        }
    }
    EXPECT_THROW(FittedPolynomialText(3, {1, 2, 3}), std::out_of_range);
    EXPECT_THROW(polynomialModel(10), std::out_of_range);
}

TEST(PolynomialGrid, NodesSpanTheRangesInTheirAxisOrder) {
    EXPECT_EQ(EvenNodes({-1, 1}, 5), (std::vector<double>{-1, -0.5, 0, 0.5, 1}));
    EXPECT_EQ(EvenNodes({2, 3}, 1), std::vector<double>{2});
    EXPECT_EQ(EvenNodes({0.1, 0.7}, 100).back(), 0.7);
    EXPECT_TRUE(EvenNodes({0, 1}, 0).empty());

    const auto& linear2 = solver::polynomialTerms(4);  // z = b0 + b1 x + b2 y
    const std::vector<double> b = {1, 10, 100};
    const PolynomialCurve curve = SampleCurve(solver::polynomialTerms(1), b, {0, 9.9}, 100);
    ASSERT_EQ(curve.x.size(), 100u);
    EXPECT_DOUBLE_EQ(curve.x[1], 0.1);
    EXPECT_DOUBLE_EQ(curve.y[99], 1 + 10 * 9.9);
    // A tiny coefficient of a power beyond the range of Doubles still gives its finite value.
    const std::vector<double> cubic = {0, 0, 0, 1e-300};
    EXPECT_NEAR(EvaluatePolynomial(solver::polynomialTerms(3), cubic, 6e102) / 216e6, 1, 1e-14);

    // Surface: X along j holds y, Z along i holds x, Y the model.
    const PolynomialSurface s = SampleSurface(linear2, b, {0, 2}, {-1, 1}, 3);
    ASSERT_EQ(s.X.size(), 9u);
    EXPECT_EQ(s.Z[s.at(2, 0)], 2);
    EXPECT_EQ(s.X[s.at(2, 0)], -1);
    EXPECT_EQ(s.X[s.at(0, 1)], 0);
    EXPECT_EQ(s.Y[s.at(2, 0)], 1 + 20 - 100);
    EXPECT_EQ(s.value.min, 1 - 100);
    EXPECT_EQ(s.value.max, 1 + 20 + 100);

    // Volume: i along x, j along y, k along z.
    const PolynomialVolume v = SampleVolume(solver::polynomialTerms(7), std::vector<double>{0, 1, 10, 100}, {0, 1},
                                      {0, 2}, {0, 4}, 3);
    ASSERT_EQ(v.v.size(), 27u);
    EXPECT_EQ(v.v[v.at(1, 0, 0)], 0.5);
    EXPECT_EQ(v.v[v.at(0, 1, 0)], 10);
    EXPECT_EQ(v.v[v.at(0, 0, 1)], 200);
    EXPECT_EQ(v.z[v.at(0, 0, 2)], 4);
    EXPECT_EQ(v.value.max, 1 + 20 + 400);
}

TEST(PolynomialReport, LayoutNumbersAndUndefinedFigures) {
    solver::FitResult fit;
    fit.parameters = {1.5, -1e-12, 2};
    fit.standardErrors = {0.25, NAN, 3e-15};
    fit.rSquared = 0.999;
    EXPECT_EQ(PolynomialReport(2, {"Time"}, "Speed", fit, 12),
              "Polynomial Fitting\r\n"
              "Unary Quadratic Model: y=b0+b1*x+b2*x^2\r\n"
              "Independent:Time\r\n"
              "Dependent:  Speed\r\n"
              "\tb0=\t1.5\tse=\t0.25\r\n"
              "\tb1=\t-1E-12\tse=\tundefined\r\n"
              "\tb2=\t2\tse=\t3E-15\r\n"
              "\tR2=\t0.999\r\n"
              "\tData points:\t12\r\n");
    fit.rSquared = NAN;
    const std::string two = PolynomialReport(4, {"a", "b"}, "c", fit, 3);
    EXPECT_NE(two.find("Independent:a\r\nIndependent:b\r\nDependent:  c\r\n"), std::string::npos);
    EXPECT_NE(two.find("\tR2=\tundefined\r\n"), std::string::npos);

    // Every figure in the number text, however large or small: the slope of a line through
    // x about 1e200 was once written with 203 characters.
    fit.parameters = {-1.23456789012345e-199, 4.2e250, 0.5};
    fit.standardErrors = {3e-200, 1e300, 0};
    fit.rSquared = 0.00001;
    const std::string tiny = PolynomialReport(2, {"x"}, "y", fit, 6);
    EXPECT_NE(tiny.find("\tb0=\t-1.23456789012345E-199\tse=\t3E-200\r\n"
                        "\tb1=\t4.2E+250\tse=\t1E+300\r\n"
                        "\tb2=\t0.5\tse=\t0\r\n"
                        "\tR2=\t1E-05\r\n"),
              std::string::npos)
        << tiny;
}

}  // namespace
