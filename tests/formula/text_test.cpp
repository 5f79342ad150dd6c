// Formula-text routines, number texts and parameter substitution.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "formula/compiler.h"
#include "formula/evaluator.h"
#include "formula/number_text.h"
#include "formula/substitution.h"
#include "formula/text_routines.h"

using namespace formula;

namespace {

// 2000 values spread over the decades of a Double.
std::vector<double> spreadValues(unsigned seed) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> mant(1.0, 10.0);
    std::uniform_int_distribution<int> expo(-300, 300);
    std::vector<double> v(2000);
    for (double& x : v) x = mant(rng) * std::pow(10.0, expo(rng));
    return v;
}

}  // namespace

TEST(FormulaText, InsertImplicitMultiply) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"2x", "2*x"},           {"3x2", "3*x*2"},       {"x(y+1)", "x*(y+1)"}, {"(a+1)(b)", "(a+1)*(b)"},
        {"(x)2", "(x)*2"},       {"2sin(x)", "2*sin(x)"}, {"pi(x)", "pi*(x)"},   {"sin(x)", "sin(x)"},
        {"tan(x)", "tan(x)"},    {"sqr(x)", "sqr(x)"},   {"ax2", "ax2"},        {"", ""},
        {"x", "x"},              {"(x).5", "(x)*.5"},    {"b,5", "b*,5"},       {"2X", "2*X"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(InsertImplicitMultiply(in), out) << in;
}

TEST(FormulaText, ReadNumberFieldConsumesTheText) {
    struct Case {
        std::string text;
        bool ok;
        std::string number;
        std::string rest;
    };
    const std::vector<Case> cases = {
        {"1,5", true, "1.5", ""},  {"1 000", true, "1000", ""}, {"", true, "0", ""},
        {" ", true, "0", ""},      {"  ", true, "", ""},        {"12a", false, "12", "a"},
        {"1-2E.e", true, "1-2E.e", ""}, {"-3.25", true, "-3.25", ""}, {"x", false, "", "x"},
    };
    for (Case c : cases) {
        std::string number = "junk";
        const std::string original = c.text;
        EXPECT_EQ(ReadNumberField(c.text, number), c.ok) << original;
        EXPECT_EQ(number, c.number) << original;
        EXPECT_EQ(c.text, c.rest) << original;
    }
}

TEST(FormulaText, KeepExpressionCharsAndFoldSignPairs) {
    struct Case {
        std::string text;
        std::string kept;
        std::string rest;
    };
    for (Case c : std::vector<Case>{{"1,5E-3", "1.5E-3", ""}, {"a b", "ab", ""}, {"x=1", "", "=1"}, {"", "", ""}}) {
        const std::string original = c.text;
        EXPECT_EQ(KeepExpressionChars(c.text), c.kept) << original;
        EXPECT_EQ(c.text, c.rest) << original;
    }
    const std::vector<std::pair<std::string, std::string>> folds = {
        {"x+-y", "x-y"}, {"x--y", "x+y"}, {"x---y", "x+-y"}, {"-+x", "-+x"}, {"", ""}, {"-", "-"}};
    for (const auto& [in, out] : folds) EXPECT_EQ(FoldSignPairs(in), out) << in;
}

TEST(FormulaText, NumberTextsArePlainDecimals) {
    const std::vector<std::pair<double, std::string>> cases = {
        {0, "0"},
        {-0.0, "0"},
        {1.5, "1.5"},
        {-2, "-2"},
        {100, "100"},
        {0.1, "0.1"},
        {0.1 + 0.2, "0.3"},
        {1e-7, "0.0000001"},
        {-0.25, "-0.25"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {123456789012345678.0, "123456789012346000"},
        {1e21, "1000000000000000000000"},
        {9.999999999999999e-5, "0.0001"},
        {std::nan(""), "NaN"},
        {-INFINITY, "-Inf"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(formatFormulaNumber(v), text) << v;

    // Every finite value reads back within 15 significant digits through the compiler.
    for (const double v : spreadValues(7)) {
        const std::string text = formatFormulaNumber(v);
        ASSERT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        CompileResult err;
        const EvalResult r = evaluate(compileFormula(text, err), Vars{}, false);
        ASSERT_EQ(err.position, 0) << text;
        EXPECT_NEAR(r.value, v, 1e-14 * v) << text;
    }
}

TEST(FormulaText, ReportNumberTextsUseTheExponentFormForVerySmallAndLargeValues) {
    const std::vector<std::pair<double, std::string>> cases = {
        {0, "0"},
        {-0.0, "0"},
        {200, "200"},
        {1e-7, "1E-07"},
        {-2.5e-5, "-2.5E-05"},
        {0.0001, "0.0001"},
        {9.999999999999999e-5, "0.0001"},
        {0.5, "0.5"},
        {-0.25, "-0.25"},
        {1.0 / 3, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {999999999999999.9, "1E+15"},
        {1.5e20, "1.5E+20"},
        {1e100, "1E+100"},
        {4.9406564584124654e-324, "4.94065645841247E-324"},
        {-1.7976931348623157e308, "-1.79769313486232E+308"},
        {std::nan(""), "NaN"},
        {INFINITY, "Inf"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(formatNumberText(v), text) << v;
    // What an option box shows reads back as the value shown.
    for (const double v : spreadValues(11))
        EXPECT_NEAR(readNumberText(formatNumberText(v)), v, 1e-14 * v) << formatNumberText(v);
}

TEST(FormulaText, OptionBoxNumbersAreReadFromTheStartOfTheText) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"200", 200},   {"", 0},          {"abc", 0},     {"12.5", 12.5},  {"1e3", 1000},  {"-5", -5},
        {"1e-9", 1e-9}, {"1E-07", 1e-7},  {"0,001", 0},   {"2 5", 25},     {" \t\n7", 7},  {"0.5x", 0.5},
        {"+.5", 0.5},   {"5.", 5},        {"1e", 1},      {"1e+", 1},      {"2E 2", 200},  {"- 3", -3},
        {".", 0},       {"-", 0},         {"1.2.3", 1.2}, {"\r5", 0},      {"1e400", HUGE_VAL},
        {"-1e400", -HUGE_VAL},            {"1e-400", 0},  {"0.00000001e-320", 0},
        {"123456789012345678901234567890", 1.2345678901234568e29},
        {std::string(400, '9'), HUGE_VAL}, {"1e99999999999999999999", HUGE_VAL},
    };
    for (const auto& [text, v] : cases) EXPECT_EQ(readNumberText(text), v) << text;
}

TEST(FormulaText, SubstituteParameters) {
    ParamValues p{};
    p[0] = 1.5;   // a
    p[1] = -2;    // b
    struct Case {
        std::string model;
        std::string result;
    };
    const std::vector<Case> cases = {
        {"a+b*x", "1.5+(-2)*x"},
        {"a + b", "1.5 + (-2)"},
        {"x+y+z+exp(x)+ab", "x+y+z+exp(x)+ab"},
        {"c", "0"},
        {"2a", "2(1.5)"},
        {"2 a", "2 (1.5)"},
        {"a2", "(1.5)2"},
        {"x a", "x (1.5)"},
        {"(x)a", "(x)(1.5)"},
        {"a(x)", "1.5(x)"},
        {"x^a", "x^1.5"},
        {"-a^2", "-1.5^2"},
        {"-b^2", "-(-2)^2"},
        {"A_", "A_"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(substituteParameters(c.model, p), c.result) << c.model;

    std::string result;
    SubstituteParameters("A*exp(-B*x)", result, 2, 3, 0.5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(result, "3*exp(-0.5*x)");
    SubstituteParameters("t", result, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -0.25);
    EXPECT_EQ(result, "(-0.25)");
}

// The substituted text compiles to the same value as the model evaluated with
// the parameters, and refuses exactly what the model refuses.
TEST(FormulaText, SubstitutedModelsReadBackAsTheSameExpression) {
    const std::vector<std::string> models = {
        "a+b*x",   "2a+b x",    "a*exp(-b*x)+c", "x^a",      "a x",        "(x)a",      "-a^2",
        "a^b",     "sin(a x)",  "a(x+1)",        "a2",       "2 a 3",      "b-a",       "x-a-b",
        "c/a",     "a*b*c*d*e*f*g*h*i*j*k*l*m*n*o*p*q*r*s*t",            "a.5",       "e^a",
    };
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> value(-3, 3);
    for (int round = 0; round < 50; ++round) {
        ParamValues p{};
        Vars vars{};
        vars[kVarX] = 0.75;
        for (int k = 0; k < kParamCount; ++k) {
            p[static_cast<std::size_t>(k)] = k % 3 == 0 ? std::nearbyint(value(rng)) : value(rng);
            vars[static_cast<std::size_t>(kVarA + k)] = p[static_cast<std::size_t>(k)];
        }
        for (const std::string& model : models) {
            CompileResult e1, e2;
            const Program original = compileFormula(model, e1);
            const std::string text = substituteParameters(model, p);
            const Program substituted = compileFormula(text, e2);
            ASSERT_EQ(e1.position == 0, e2.position == 0) << model << " -> " << text;
            if (e1.position != 0) continue;
            Vars onlyX{};
            onlyX[kVarX] = vars[kVarX];
            const EvalResult r1 = evaluate(original, vars, false);
            const EvalResult r2 = evaluate(substituted, onlyX, false);
            ASSERT_EQ(r1.status, r2.status) << model << " -> " << text;
            EXPECT_NEAR(r1.value, r2.value, 1e-12 * std::max(1.0, std::fabs(r1.value))) << model << " -> " << text;
        }
    }
}
