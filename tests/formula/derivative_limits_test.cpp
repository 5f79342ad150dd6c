// Hostile input to the symbolic routines: long sums, deep nesting, huge texts
// and repeated derivatives give a result or the limits' refusal, never a
// crash or an exhausted stack.
#include <gtest/gtest.h>

#include <string>

#include "derivative_support.h"
#include "formula/derivative_text.h"
#include "formula/differentiate.h"
#include "formula/infix_to_polish.h"
#include "formula/polish_shape.h"
#include "formula/polish_to_infix.h"

using namespace formula;

namespace {

std::string repeat(const std::string& s, std::size_t n) {
    std::string out;
    out.reserve(s.size() * n);
    for (std::size_t k = 0; k < n; ++k) out += s;
    return out;
}

// x op x op ... with n operands, grouped from the left (each operator after
// the operand it joins) or from the right (all operators at the end).
clsPolish chain(std::size_t n, const char* op, long rank, bool fromLeft) {
    clsPolish l;
    l.Append(kRankOperand, "x");
    for (std::size_t k = 1; k < n; ++k) {
        l.Append(kRankOperand, "x");
        if (fromLeft) l.Append(rank, op);
    }
    if (!fromLeft)
        for (std::size_t k = 1; k < n; ++k) l.Append(rank, op);
    return l;
}

// Differentiate, then print: the refusal text of the first that refuses, or "".
std::string refusalOf(const clsPolish& l) {
    std::string error;
    bool ok = false;
    const auto d = Differentiate(l, "x", error, ok);
    if (!ok) return error;
    PolishToInfix(*d, error, ok);
    return ok ? "" : error;
}

double valueAtOne(const std::string& text) {
    derivative_test::Compiled c(text);
    formula::Vars v{};
    v[kVarX] = 1;
    double r = 0;
    EXPECT_TRUE(c.at(v, r)) << text.substr(0, 60);
    return r;
}

}  // namespace

TEST(DerivativeLimits, TextsPastTheLengthAreRefused) {
    const std::string tooLong[] = {
        "x" + repeat("+x", 99999),                          // a sum of 100,000 terms
        repeat("(", 100000) + "x" + repeat(")", 100000),    // 100,000 nested brackets
        repeat("sin(", 100000) + "x" + repeat(")", 100000),  // 100,000 nested functions
        std::string(1 << 20, 'x'),                          // 1 MB of text
    };
    for (const std::string& text : tooLong) {
        const DerivativeText d = differentiateText(text, "x");
        EXPECT_FALSE(d.ok);
        EXPECT_EQ(d.errorText, formulaTooLongMessage());
        std::string error;
        bool ok = true;
        EXPECT_FALSE(InfixToPolish(text, error, ok).has_value());
        EXPECT_EQ(error, formulaTooLongMessage());
    }
}

TEST(DerivativeLimits, LongTextsWithinTheLimitsAreDifferentiated) {
    // 9,999 terms: as deep as the limit allows a sum to be.
    const DerivativeText sum = differentiateText("x" + repeat("+x", 9998), "x");
    ASSERT_TRUE(sum.ok) << sum.errorText;
    EXPECT_EQ(valueAtOne(sum.text), 9999);
    // Brackets add no depth.
    const DerivativeText brackets = differentiateText(repeat("(", 49998) + "x^2" + repeat(")", 49998), "x");
    ASSERT_TRUE(brackets.ok) << brackets.errorText;
    EXPECT_EQ(brackets.text, "1*2*x^1");
    // 1,000 nested functions: the chain rule copies each argument once.
    const DerivativeText nested = differentiateText(repeat("sin(", 1000) + "x" + repeat(")", 1000), "x");
    ASSERT_TRUE(nested.ok) << nested.errorText;
    EXPECT_GT(nested.text.size(), 1000000u);
}

TEST(DerivativeLimits, DeepFormulasAreRefused) {
    const std::string tooDeep = formulaTooDeepMessage();
    EXPECT_EQ(differentiateText("x" + repeat("+x", 10000), "x").errorText, tooDeep);
    EXPECT_EQ(differentiateText(repeat("-(", 30000) + "x" + repeat(")", 30000), "x").errorText, tooDeep);
    EXPECT_EQ(differentiateText(repeat("sin(", 12000) + "x" + repeat(")", 12000), "x").errorText, tooDeep);
    // Lists built directly, 100,000 operands deep either way.
    EXPECT_EQ(refusalOf(chain(100000, "+", kRankAdd, true)), tooDeep);
    EXPECT_EQ(refusalOf(chain(100000, "^", kRankPow, false)), tooDeep);
    clsPolish functions;
    functions.Append(kRankOperand, "x");
    for (int k = 0; k < 100000; ++k) functions.Append(kRankFunction, "MIN");
    EXPECT_EQ(refusalOf(functions), tooDeep);
    std::string error;
    bool ok = true;
    EXPECT_EQ(PolishToInfix(functions, error, ok), "");
    EXPECT_EQ(error, tooDeep);
}

TEST(DerivativeLimits, LargeListsAndResultsAreRefused) {
    // A list of more tokens than any list may hold.
    clsPolish huge = chain(kMaxPolishTokens / 2 + 1, "+", kRankAdd, true);
    huge.Append(kRankFunction, "sin");
    std::string error;
    bool ok = true;
    EXPECT_FALSE(Differentiate(huge, "x", error, ok).has_value());
    EXPECT_EQ(error, formulaTooLargeMessage());
    // A derivative that would pass the limit is refused before it is built:
    // a product of 5,000 factors copies every left part.
    EXPECT_EQ(refusalOf(chain(5000, "*", kRankMul, true)),
              "The derivative is too large: more than " + std::to_string(kMaxPolishTokens) + " tokens.");
    // A text that would print past its limit.
    clsPolish wide;
    wide.Append(kRankOperand, std::string(kMaxPrintedLength / 2, 'x'));
    wide.Append(kRankOperand, "x");
    wide.Append(kRankOperand, "x");
    wide.Append(kRankMul, "*");
    wide.Append(kRankAdd, "+");
    wide.Append(kRankOperand, std::string(kMaxPrintedLength / 2, 'y'));
    wide.Append(kRankAdd, "+");
    EXPECT_EQ(PolishToInfix(wide, error, ok), "");
    EXPECT_EQ(error, printedTooLongMessage());
}

// Derivatives of derivatives grow with every order, until the limit refuses one.
TEST(DerivativeLimits, RepeatedDerivativesEndInAResultOrTheLimit) {
    const std::string f = "a*exp(-b*x)*sin(c*x)^x/(1+x^2)";
    const DerivativeText third = differentiateText(f, "x", 3);
    ASSERT_TRUE(third.ok) << third.errorText;
    const DerivativeText second = differentiateText(f, "x", 2);
    ASSERT_TRUE(second.ok);
    derivative_test::Compiled c2(second.text), c3(third.text);
    formula::Vars v{};
    v[kVarX] = 0.8;
    v[kVarA] = 1.5;
    v[kVarA + 1] = 0.4;
    v[kVarA + 2] = 1.1;
    double numeric = 0, exact = 0;
    ASSERT_TRUE(c2.slope(v, kVarX, numeric));
    ASSERT_TRUE(c3.at(v, exact));
    EXPECT_NEAR(exact, numeric, 1e-5 * std::max(1.0, std::fabs(numeric)));

    bool refused = false;
    for (int order = 4; order <= 8 && !refused; ++order) {
        const DerivativeText d = differentiateText(f, "x", order);
        refused = !d.ok;
        if (refused) {
            EXPECT_EQ(d.errorText.rfind("The derivative is too large", 0), 0u) << d.errorText;
        }
    }
    EXPECT_TRUE(refused);
}
