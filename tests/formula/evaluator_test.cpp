// Evaluation of postfix texts and of compiled formulas: values, domain guards,
// failures, degree mode, and the Program's reuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "formula/cls6.h"
#include "formula/compiler.h"
#include "formula/evaluator.h"

using namespace formula;

namespace {

constexpr double kUndef = UndefinedValue;
constexpr double kFail = -999.0;  // "expect False" in the tables

// Evaluates a postfix text through Cls6; kFail when it returns False.
double evalPostfix(const std::string& postfix, bool degree = false, double x = 0) {
    Cls6 f;
    double r = kFail;
    Vars v{};
    v[kVarX] = x;
    return f.DoEvaluate(postfix, degree, r, v) ? r : kFail;
}

EvalResult evalInfix(const std::string& infix, const Vars& v, bool degree = false) {
    CompileResult err;
    const Program p = compileFormula(infix, err);
    EXPECT_EQ(err.position, 0) << infix << ": " << err.message;
    return evaluate(p, v, degree);
}

Vars varsXY(double x, double y = 0) {
    Vars v{};
    v[kVarX] = x;
    v[kVarY] = y;
    return v;
}

}  // namespace

TEST(FormulaEvaluator, PostfixTextsGuardsAndFailures) {
    struct Case {
        std::string postfix;
        double expected;  // kUndef: True with UndefinedValue; kFail: False
        bool degree = false;
        double x = 0;
    };
    const std::vector<Case> cases = {
        {"", kFail},
        {"1 2 +", 2},  // no blank after the last token: it is ignored
        {"1 2 + ", 3},
        {"1 0 / ", kUndef},
        {"1 0.0000005 / ", kUndef},
        {"1 0.000001 / ", 1e6},
        {"1 0.000002 / ", 500000},
        {"0 0 ^ ", 1},
        {"5 0.0000005 ^ ", 1},
        {"8 (-) 3 ^ ", -512},
        {"8 (-) 0.5 ^ ", kUndef},
        {"2 0.5 (-) ^ ", 1 / std::sqrt(2.0)},
        {"0 1 (-) ^ ", kFail},  // 0 to a negative power
        {"0 SQR ", kUndef},
        {"0.00000005 SQR ", kUndef},
        {"0.0000001 SQR ", std::sqrt(1e-7)},
        {"0.00001 LOG ", kUndef},
        {"0.0000101 LOG ", std::log(0.0000101)},
        {"1 LOG ", 0},
        {"1 ASIN ", 3.1416 / 2},
        {"1 (-) ASIN ", -3.1416 / 2},
        {"1 (-) ACOS ", 3.1416},
        {"1 ACOS ", 0},
        {"1.5 ASIN ", kUndef},
        {"1.5 (-) ACOS ", kUndef},
        {"1 ASEC ", kUndef},
        {"2 ASEC ", std::acos(0.5)},
        {"2 (-) ACSEC ", std::asin(-0.5)},
        {"0.5 ASEC ", kUndef},
        {"0.5 ACSEC ", kUndef},
        {"90 SIN ", std::sin(90 * 3.1416 / 180), true},
        {"90 SIN ", std::sin(90.0)},
        {"2 3 (-) * ", -6},
        {"XX 2 ^ (-) ", -9, false, 3},
        {"2,5 ", 2.5},
        {".5 ", 0.5},
        {"1.2.3 ", 1.2},  // the number at the start of the token
        {"3.1415926 ", 3.1415926},
        {"+ ", kFail},
        {"1 + ", kFail},
        {"FOO ", kFail},
        {"xx ", kFail},  // tokens are matched exactly
        {"2  3 + ", kFail},  // an empty token between two blanks
        {"2 1 0 / + ", kUndef},
        {"1 0 / FOO ", kUndef},  // the guard stops before the bad token
        {"1 2 3 ", 3},  // values below the top are ignored
        {"710 EXP ", kFail},
        {"709 EXP ", std::exp(709.0)},
        {"710 SINH ", kFail},
        {"710 SECH ", kFail},  // exp overflows on the way, though 2/inf would be 0
        {"710 TANH ", kFail},
        {"710 CTANH ", kFail},
        {"0 CTANH ", kUndef},
        {"0 CSECH ", kUndef},
        {"1 ATANH ", kUndef},
        {"1 (-) ATANH ", kUndef},
        {"1 ACTANH ", kUndef},
        {"0 ASECH ", kUndef},
        {"2 ASECH ", kUndef},
        {"0 ACSECH ", kUndef},
        {"0.5 ACOSH ", kUndef},
        {"1000000000000 (-) ASINH ", kUndef},
        {"1 0 SEC ", 1},
        {"90 SEC ", 1 / std::cos(90 * 3.1416 / 180), true},  // cos is about -3.7e-6 here: computed
        {"0 CSEC ", kUndef},
        {"0 CTAN ", kUndef},
        {"XX SIN ", kFail, false, std::numeric_limits<double>::infinity()},
        {"XX 1 + ", kFail, false, std::numeric_limits<double>::quiet_NaN()},
        {"1" + std::string(400, '0') + " ", kFail},  // beyond the Double range
        {"0." + std::string(400, '0') + "1 ", 0},
        {"1" + std::string(300, '0') + " 1" + std::string(300, '0') + " * ", kFail},
    };
    for (const Case& c : cases) {
        const double got = evalPostfix(c.postfix, c.degree, c.x);
        if (c.expected == kUndef || c.expected == kFail)
            EXPECT_EQ(got, c.expected) << "'" << c.postfix << "'";
        else
            EXPECT_NEAR(got, c.expected, 1e-12 * std::max(1.0, std::fabs(c.expected))) << "'" << c.postfix << "'";
    }
}

TEST(FormulaEvaluator, FormulaValues) {
    const double x = 0.5;
    const double hpi = 2 * std::atan(1.0);
    struct Case {
        const char* infix;
        double expected;
        bool degree = false;
    };
    const std::vector<Case> cases = {
        // operators, precedence, associativity, signs
        {"2+3*4", 14},
        {"2*3^2", 18},
        {"-2^2", -4},
        {"2^3^2", 64},
        {"(2+3)*4", 20},
        {"10-4-3", 3},
        {"64/4/2", 8},
        {"-2*3", -6},
        {"2*-3", -6},
        {"2^-1", 0.5},
        {"+x", x},
        {"-(x+1)", -1.5},
        {"x*y", 1.0},  // y = 2
        // implied multiplication
        {"2x", 1},
        {"2(x+1)", 3},
        {"(x)(y)", 1},
        {"x y", 1},
        {"2sin(x)", 2 * std::sin(x)},
        {"2pi", 2 * std::numbers::pi},
        {"sin(x)^2", std::sin(x) * std::sin(x)},
        {"1,5*x", 0.75},
        // every function
        {"sin(x)", std::sin(x)},
        {"cos(x)", std::cos(x)},
        {"log(x)", std::log(x)},
        {"exp(x)", std::exp(x)},
        {"abs(-x)", x},
        {"atan(x)", std::atan(x)},
        {"int(-x)", -1},
        {"int(2.7)", 2},
        {"sqr(x)", std::sqrt(x)},
        {"tan(x)", std::tan(x)},
        {"sec(x)", 1 / std::cos(x)},
        {"csec(x)", 1 / std::sin(x)},
        {"ctan(x)", 1 / std::tan(x)},
        {"asin(x)", std::asin(x)},
        {"acos(x)", std::acos(x)},
        {"asec(y)", std::acos(0.5)},
        {"acsec(y)", std::asin(0.5)},
        {"actan(x)", hpi - std::atan(x)},
        {"sinh(x)", std::sinh(x)},
        {"cosh(x)", std::cosh(x)},
        {"tanh(x)", std::tanh(x)},
        {"ctanh(x)", 1 / std::tanh(x)},
        {"sech(x)", 1 / std::cosh(x)},
        {"csech(x)", 1 / std::sinh(x)},
        {"asinh(x)", std::asinh(x)},
        {"asinh(-y)", std::asinh(-2.0)},
        {"acosh(y)", std::acosh(2.0)},
        {"atanh(x)", std::atanh(x)},
        {"asech(x)", std::acosh(1 / x)},
        {"acsech(x)", std::asinh(1 / x)},
        {"acsech(-x)", std::asinh(-1 / x)},
        {"actanh(y)", std::atanh(0.5)},
        // degrees: the argument of the trigonometric functions and of ATAN
        {"sin(30)", std::sin(30 * 3.1416 / 180), true},
        {"cos(60)", std::cos(60 * 3.1416 / 180), true},
        {"tan(45)", std::tan(45 * 3.1416 / 180), true},
        {"sec(60)", 1 / std::cos(60 * 3.1416 / 180), true},
        {"csec(30)", 1 / std::sin(30 * 3.1416 / 180), true},
        {"ctan(45)", 1 / std::tan(45 * 3.1416 / 180), true},
        {"atan(45)", std::atan(45 * 3.1416 / 180), true},
        {"asin(x)", std::asin(x), true},  // not converted
        {"sinh(x)", std::sinh(x), true},
        {"sin(30)", std::sin(30.0)},
    };
    for (const Case& c : cases) {
        const EvalResult r = evalInfix(c.infix, varsXY(x, 2), c.degree);
        ASSERT_EQ(r.status, EvalStatus::Ok) << c.infix;
        EXPECT_NEAR(r.value, c.expected, 1e-12 * std::max(1.0, std::fabs(c.expected))) << c.infix;
    }
}

TEST(FormulaEvaluator, EveryParameterHasItsOwnSlot) {
    Vars v{};
    for (int k = 0; k < kVarCount; ++k) v[k] = 10.0 * k + 1;
    const std::string letters = "XYZABCDEFGHIJKLMNOPQRST";
    for (int k = 0; k < kVarCount; ++k) {
        const EvalResult lower = evalInfix(std::string(1, static_cast<char>(letters[k] - 'A' + 'a')), v);
        const EvalResult upper = evalInfix(std::string(1, letters[k]), v);
        EXPECT_EQ(lower.value, 10.0 * k + 1) << letters[k];
        EXPECT_EQ(upper.value, 10.0 * k + 1) << letters[k];
    }
    // Through the twenty-six-argument form of Cls6, J spelled sngj.
    Cls6 f;
    double r = 0;
    ASSERT_TRUE(f.DoEvaluate("XX YY ZZ AA JJ TT + + + + + ", false, r, 1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0,
                             0, 0, 0, 0, 0, 0, 6));
    EXPECT_EQ(r, 21);
}

TEST(FormulaEvaluator, MessagesShownTurnMessageGuardsIntoFailures) {
    Cls6 f;
    EXPECT_FALSE(f.ShowEvalMessages);
    double r = 7;
    const Vars v{};
    EXPECT_TRUE(f.DoEvaluate("1 0 / ", false, r, v));
    EXPECT_EQ(r, kUndef);
    f.ShowEvalMessages = true;
    r = 7;
    EXPECT_FALSE(f.DoEvaluate("1 0 / ", false, r, v));
    EXPECT_EQ(r, 7);  // unchanged
    EXPECT_EQ(f.LastEvalMessage(), "Devision by zero.");
    EXPECT_FALSE(f.DoEvaluate("8 (-) 0.5 ^ ", false, r, v));
    EXPECT_EQ(f.LastEvalMessage(), "A^B, B must be a integer if A is negative.");
    EXPECT_FALSE(f.DoEvaluate("0 LOG ", false, r, v));
    EXPECT_EQ(f.LastEvalMessage(), "The parameter of function LOG must be larger than 0.");
    EXPECT_FALSE(f.DoEvaluate("0 SQR ", false, r, v));
    EXPECT_EQ(f.LastEvalMessage(), "The parameter of function SQR must be larger than or equal to 0.");
    EXPECT_FALSE(f.DoEvaluate("2 ASIN ", false, r, v));
    EXPECT_EQ(f.LastEvalMessage(), "The expression is illegal.");
    // The guards without a reason text still answer UndefinedValue.
    EXPECT_TRUE(f.DoEvaluate("0 CTANH ", false, r, v));
    EXPECT_EQ(r, kUndef);
    EXPECT_FALSE(f.DoEvaluate("FOO ", false, r, v));
    EXPECT_EQ(f.LastEvalMessage(), "Bad token in Evaluate: FOO");
}

TEST(FormulaEvaluator, NearTheAsinBandTheValueStaysContinuous) {
    for (double x : {1 - 1e-8, -1 + 1e-8, 1 + 1e-8, -1 - 1e-8}) {
        const EvalResult s = evalInfix("asin(x)", varsXY(x));
        const EvalResult c = evalInfix("acos(x)", varsXY(x));
        ASSERT_EQ(s.status, EvalStatus::Ok) << x;
        ASSERT_EQ(c.status, EvalStatus::Ok) << x;
        EXPECT_NEAR(s.value, std::asin(std::clamp(x, -1.0, 1.0)), 1e-3);
        EXPECT_NEAR(c.value, std::acos(std::clamp(x, -1.0, 1.0)), 1e-3);
    }
}

TEST(FormulaEvaluator, RndIsSinglePrecisionInUnitInterval) {
    seedRandom(12345);
    const Program p = buildProgram("XX RND ");
    std::vector<double> first;
    for (int k = 0; k < 1000; ++k) {
        const EvalResult r = evaluate(p, varsXY(k), false);
        ASSERT_EQ(r.status, EvalStatus::Ok);
        EXPECT_GE(r.value, 0.0);
        EXPECT_LT(r.value, 1.0);
        EXPECT_EQ(r.value, static_cast<double>(static_cast<float>(r.value)));
        first.push_back(r.value);
    }
    seedRandom(12345);
    EXPECT_EQ(evaluate(p, varsXY(0), false).value, first[0]);
    EXPECT_NE(first[0], first[1]);
}

TEST(FormulaEvaluator, DeepStacksAndTheKeptProgram) {
    // More values than the evaluator's local stack holds.
    std::string deep;
    for (int k = 0; k < 1000; ++k) deep += "1 ";
    for (int k = 0; k < 999; ++k) deep += "+ ";
    EXPECT_EQ(evalPostfix(deep), 1000);
    const Program p = buildProgram(deep);
    EXPECT_EQ(p.maxDepth, 1000u);

    // One Cls6 evaluating several texts in turn gives each its own value,
    // more texts than it keeps Programs for included.
    Cls6 f;
    double r = 0;
    const Vars v = varsXY(3);
    for (int k = 0; k < 3; ++k) {
        for (int m = 1; m <= 6; ++m) {
            ASSERT_TRUE(f.DoEvaluate("XX " + std::to_string(m) + " * ", false, r, v));
            EXPECT_EQ(r, 3 * m);
        }
    }
}
