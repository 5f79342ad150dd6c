// Token list to formula text: the brackets the ranks call for, the cases that
// would read back as another formula, malformed lists, and the round trip
// text -> list -> text -> compiled formula.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "formula/compiler.h"
#include "formula/evaluator.h"
#include "formula/infix_to_polish.h"
#include "formula/polish_to_infix.h"
#include "formula/text_routines.h"
#include "polish_support.h"

using namespace formula;
using polish_test::list;

namespace {

std::string print(const clsPolish& l) {
    std::string error;
    bool ok = false;
    const std::string text = PolishToInfix(l, error, ok);
    EXPECT_TRUE(ok) << polish_test::tokens(l) << ": " << error;
    return text;
}

// Text -> token list -> printed, folded text.
std::string roundTrip(const std::string& text) {
    std::string error;
    bool ok = false;
    const auto l = InfixToPolish(text, error, ok);
    EXPECT_TRUE(ok) << text << ": " << error;
    return ok ? FoldSignPairs(print(*l)) : std::string();
}

Program compiled(const std::string& text) {
    CompileResult err;
    Program p = compileFormula(text, err);
    EXPECT_EQ(err.position, 0) << text << ": " << err.message;
    return p;
}

// Both formulas have the same value, or both none, at the point.
void expectSameValue(const Program& a, const Program& b, const Vars& v, const std::string& what) {
    const EvalResult ra = evaluate(a, v, false), rb = evaluate(b, v, false);
    ASSERT_EQ(ra.status, rb.status) << what;
    if (ra.status == EvalStatus::Ok) {
        ASSERT_NEAR(ra.value, rb.value, 1e-12 * std::max(1.0, std::fabs(ra.value))) << what;
    }
}

}  // namespace

TEST(PolishToInfix, BracketsByRank) {
    struct Case {
        const char* tokens;
        const char* text;
    };
    const Case cases[] = {
        {"x 1 +", "x+1"},
        {"2 x 1 + *", "2*(x+1)"},
        {"x 1 + 2 *", "(x+1)*2"},
        {"a b c - -", "a-(b-c)"},
        {"a b - c -", "a-b-c"},
        {"a b c ^ ^", "a^(b^c)"},
        {"a b ^ c ^", "a^b^c"},
        {"x sin 2 ^", "sin(x)^2"},
        {"x MIN", "-(x)"},
        {"2 x MIN *", "2*-(x)"},
        {"x", "x"},
        {"1 0.5 * x -0.5 ^ *", "1*0.5*x^-0.5"},
        {"1 MIN x sin * 1 MIN x sin * +", "-(1)*sin(x)+-(1)*sin(x)"},
        // The unary minus's "-" prints as the subtraction it is.
        {"a 0(5) x(5) -(2) -", "a-(0-x)"},
        {"a 0(5) x(5) -(2) y * -", "a-(0-x)*y"},
        {"2 0(5) x(5) -(2) *", "2*(0-x)"},
        {"0(5) x(5) 2 ^ -(2)", "0-x^2"},
        {"0(5) x(5) -(2) 2 ^", "(0-x)^2"},
        // A base that begins with a sign or ends in a signed exponent.
        {"x MIN 2 ^", "(-(x))^2"},
        {"-0.5 2 ^", "(-0.5)^2"},
        {"x -0.5 ^ 0 ^", "(x^-0.5)^0"},
        {"x y MIN ^ 2 ^", "(x^-(y))^2"},
        {"x 0.5 ^ 2 ^", "x^0.5^2"},
        {"2 -0.5 ^ x *", "2^-0.5*x"},
    };
    for (const Case& c : cases) EXPECT_EQ(print(list(c.tokens)), c.text) << c.tokens;
}

TEST(PolishToInfix, RefusesEmptyAndMalformedLists) {
    const char* const bad[] = {"", "x y", "+", "x +", "sin", "x sin cos y", "x )(0)", "x ((6) sin", "x y +(7)",
                               "x y +(-1)"};
    for (const char* tokens : bad) {
        std::string error;
        bool ok = true;
        const std::string text = PolishToInfix(list(tokens), error, ok);
        EXPECT_FALSE(ok) << tokens;
        EXPECT_EQ(text, "") << tokens;
        EXPECT_EQ(error, "Expression is illegal.") << tokens;
    }
}

TEST(PolishRoundTrip, SignsAndPowersReadBackAsWritten) {
    const char* const formulas[] = {"a-(-x)", "2*-x", "-x^2", "(-x)^2", "2^-x", "sin(x)^2", "a-(-x)*y",
                                    "a^-x^2", "(a^-x)^2", "-sin(x)^2", "x/-y/a", "a-(-(-x))", "2^-(x+1)*a"};
    const Vars v = [] {
        Vars p{};
        p[kVarX] = 1.3;
        p[kVarY] = -0.7;
        p[kVarA] = 2.1;
        return p;
    }();
    for (const char* f : formulas) {
        const std::string printed = roundTrip(f);
        expectSameValue(compiled(f), compiled(printed), v, std::string(f) + " -> " + printed);
    }
}

TEST(PolishRoundTrip, RandomFormulasOfTheGrammar) {
    std::mt19937 rng(20240517);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    static const char* const functions[] = {
        "exp", "sqr", "log", "sin", "cos", "tan", "ctan", "sec", "csec", "asin", "acos", "atan", "actan",
        "sinh", "cosh", "tanh", "ctanh", "sech", "csech", "asinh", "acosh", "atanh", "asech", "acsech", "actanh"};
    static const char* const leaves[] = {"x", "y", "a", "b", "2", "0.5", "pi", "3", "1,25", "0"};
    // A unary minus only where the compiler takes one too (not after "+" or "-").
    std::function<std::string(int, bool)> make = [&](int depth, bool signOk) -> std::string {
        const std::string sign = signOk && pick(4) == 0 ? "-" : "";
        if (depth > 4 || pick(3) == 0) return sign + leaves[pick(10)];
        switch (pick(4)) {
        case 0: {
            const char op = "+-*/^"[pick(5)];
            return sign + make(depth + 1, signOk && sign.empty()) + op + make(depth + 1, op != '+' && op != '-');
        }
        case 1: return sign + functions[pick(25)] + "(" + make(depth + 1, true) + ")";
        default: return sign + "(" + make(depth + 1, true) + ")";
        }
    };
    int compared = 0;
    for (int k = 0; k < 3000; ++k) {
        const std::string f = make(0, true);
        const std::string printed = roundTrip(f);
        const Program direct = compiled(f), again = compiled(printed);
        for (int point = 0; point < 3; ++point) {
            Vars v{};
            for (double& d : v) d = std::uniform_real_distribution<double>(-2, 2)(rng);
            expectSameValue(direct, again, v, f + " -> " + printed);
            compared += evaluate(direct, v, false).status == EvalStatus::Ok;
        }
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(compared, 2000);
}
