// Token lists: the list class, the procedures that cut and join lists, and
// formula text to token list with its refusals.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "formula/infix_to_polish.h"
#include "formula/polish.h"
#include "polish_support.h"

using namespace formula;
using polish_test::list;
using polish_test::ranks;
using polish_test::tokens;

TEST(ClsPolish, PushKillAndEveryIndexChecked) {
    clsPolish l;
    EXPECT_EQ(l.ElementCount(), 0);
    l.Push(0, kRankOperand, "x");
    l.Push(1, kRankOperand, "y");  // at the count: appends
    l.Push(1, kRankOperand, "1");  // inside: the rest moves up
    EXPECT_EQ(tokens(l), "x 1 y");
    l.Kill(2, 1);  // the last
    EXPECT_EQ(l.ElementCount(), 2);
    l.Kill(0, 2);
    EXPECT_EQ(l.ElementCount(), 0);
    l.Push(0, kRankFunction, "sin");
    EXPECT_EQ(l.GetRank(0), kRankFunction);
    EXPECT_EQ(l.GetData(0), "sin");
    EXPECT_THROW(l.Push(2, kRankOperand, "x"), std::out_of_range);
    EXPECT_THROW(l.Push(-1, kRankOperand, "x"), std::out_of_range);
    EXPECT_THROW(l.Kill(0, 2), std::out_of_range);
    EXPECT_THROW(l.Kill(1, 1), std::out_of_range);
    EXPECT_THROW(l.GetRank(1), std::out_of_range);
    EXPECT_THROW(l.GetData(-1), std::out_of_range);
    l.Clear();
    EXPECT_EQ(l.ElementCount(), 0);
}

TEST(PolishProcedures, SliceConcatAndOperands) {
    const clsPolish abc = list("a b c * +");
    EXPECT_EQ(tokens(GetOperandPolish(abc, 4, 1)), "b c *");
    EXPECT_EQ(tokens(GetOperandPolish(abc, 4, 2)), "a");
    EXPECT_EQ(tokens(GetOperandPolish(abc, 3, 1)), "c");
    EXPECT_EQ(tokens(GetOperandPolish(list("x sin 2 ^"), 3, 2)), "x sin");
    EXPECT_EQ(tokens(GetOperandPolish(list("x sin 2 ^"), 1, 1)), "x");
    // An operand that would begin before the first item.
    EXPECT_THROW(GetOperandPolish(list("a +"), 1, 2), std::out_of_range);
    EXPECT_THROW(GetOperandPolish(list("a"), 0, 1), std::out_of_range);
    EXPECT_THROW(GetOperandPolish(abc, 5, 1), std::out_of_range);

    EXPECT_EQ(tokens(SlicePolish(abc, 1, 3)), "b c *");
    EXPECT_EQ(ranks(SlicePolish(abc, 1, 3)), "5 5 2");
    EXPECT_EQ(SlicePolish(abc, 3, 2).ElementCount(), 0);
    EXPECT_THROW(SlicePolish(abc, 0, 5), std::out_of_range);
    EXPECT_THROW(SlicePolish(abc, -1, 0), std::out_of_range);

    const clsPolish joined = ConcatPolish(list("x"), clsPolish(), abc, list("sin"));
    EXPECT_EQ(tokens(joined), "x a b c * + sin");
    EXPECT_EQ(tokens(abc), "a b c * +");  // the inputs are copied, not moved
}

TEST(PolishProcedures, ReduceStackMovesUntilALowerRankOrAnOpenBracket) {
    struct Case {
        const char* stack;
        const char* stackAfter;
        const char* output;
    };
    const Case cases[] = {
        {"+(1) *(2)", "+ *", ""},        // a higher rank waits
        {"*(2) +(1)", "+", "*"},         // the same or a higher one goes out first
        {"+(1) -(1)", "-", "+"},         // equal ranks group from the left
        {"+(1) ^(3) *(2)", "+ *", "^"},  // it stops at the lower "+"
        {"((6) )(0)", "", ""},           // a bracket pair vanishes
        {"+(1) ((6) *(2) )(0)", "+", "*"},
        {"((6) +(1)", "( +", ""},
    };
    for (const Case& c : cases) {
        clsPolish stack = list(c.stack), output;
        ReducePolishStack(stack, output);
        EXPECT_EQ(tokens(stack), c.stackAfter) << c.stack;
        EXPECT_EQ(tokens(output), c.output) << c.stack;
    }
}

TEST(InfixToPolish, ConvertsToPostfixWithRanks) {
    struct Case {
        const char* text;
        const char* tokens;
        const char* ranks;  // "" when not checked
    };
    const Case cases[] = {
        {"x+1", "x 1 +", "5 5 1"},
        {"2*x+3", "2 x * 3 +", ""},
        {"2+3*4", "2 3 4 * +", ""},
        {"(2+3)*4", "2 3 + 4 *", ""},
        {"a-b-c", "a b - c -", ""},
        {"a^b^c", "a b ^ c ^", ""},
        {"sin(x)^2", "x sin 2 ^", "5 4 5 3"},
        {"2^sin(x)", "2 x sin ^", ""},
        {"SIN X^2", "x sin 2 ^", ""},  // a function binds tighter than "^", as in the compiler
        {"e*x", "e x *", ""},
        {"pi", "3.141592653589793", "5"},
        {"T+Z", "t z +", ""},
        {"asech(x)+acsech(y)", "x asech y acsech +", "5 4 5 4 1"},
        // Unary minus: "0" before the operand and its powers, "-" of rank 2 after them.
        {"2*-x", "2 0 x - *", "5 5 5 2 2"},
        {"2^-x", "2 0 x - ^", "5 5 5 2 3"},
        {"-x^2", "0 x 2 ^ -", "5 5 5 3 2"},
        {"-x*y", "0 x - y *", "5 5 2 5 2"},
        {"2^-x^3", "2 0 x 3 ^ - ^", ""},
        {"-(x+1)^2*3", "0 x 1 + 2 ^ - 3 *", ""},
        {"a*b^-c", "a b 0 c - ^ *", ""},
        {"a-(-x)", "a 0 x - -", "5 5 5 2 1"},
        // Numbers in the general form without exponents; "," reads as ".".
        {"1,5*x", "1.5 x *", ""},
        {",5*x", "0.5 x *", ""},
        {"x^,5", "x 0.5 ^", ""},
        {"0.000000125", "0.000000125", ""},
        {"123456789012345678", "123456789012346000", ""},
        {"2.50", "2.5", ""},
        // Blanks and control characters between tokens are skipped.
        {"x+ y", "x y +", ""},
        {" 2 *\tx ", "2 x *", ""},
        {"sin ( x )", "x sin", ""},
    };
    for (const Case& c : cases) {
        std::string error = "old";
        bool ok = false;
        const auto l = InfixToPolish(c.text, error, ok);
        ASSERT_TRUE(ok) << c.text << ": " << error;
        ASSERT_TRUE(l.has_value()) << c.text;
        EXPECT_EQ(error, "") << c.text;
        EXPECT_EQ(tokens(*l), c.tokens) << c.text;
        if (*c.ranks) {
            EXPECT_EQ(ranks(*l), c.ranks) << c.text;
        }
    }
}

TEST(InfixToPolish, RefusesWithTheReason) {
    struct Case {
        std::string text;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"(x", "Closing parenthesis without matching open parenthesis"},
        {"x)+(y", "Closing parenthesis without matching open parenthesis"},  // once left a list with brackets
        {"x)(y", "Illegal symbol   3"},
        {"x+", "Expression is illegal."},
        {"", "Expression is illegal."},
        {"  ", "Expression is illegal."},
        {"-", "Expression is illegal."},
        {"*x", "Lack of parameter at  1"},
        {"x+(*y)", "Lack of parameter at  4"},
        {"+x", "Lack of parameter at  1"},
        {"x--y", "Double minus signs exist."},
        {"x- -y", "Double minus signs exist."},
        {"abs(x)", "Can not find derivative of ABS"},
        {"int(x)+1", "Can not find derivative of INT"},
        {"Rnd(x)", "Can not find derivative of RND"},
        {"asec(x)", "Can not find derivative of ASEC"},
        {"acsec(x)", "Can not find derivative of ACSEC"},
        {"foo+1", "Can not find derivative of FOO"},
        {"x+$", "Can not find derivative of $"},
        // What follows a number or a name is the next token, and it must be an operator.
        {"2x", "Illegal symbol   2"},
        {"2 x", "Illegal symbol   3"},
        {"2E5", "Illegal symbol   2"},
        {"1.2.3", "Illegal symbol   4"},
        {"x2", "Illegal symbol   2"},
        {"x#y", "Illegal symbol   2"},
        {"(x)(y)", "Illegal symbol   4"},
        {".", "Illegal symbol   1"},
        {"x*,", "Illegal symbol   3"},
        {"1" + std::string(400, '0'), "Number out of range at  1"},
    };
    for (const Case& c : cases) {
        std::string error;
        bool ok = true;
        const auto l = InfixToPolish(c.text, error, ok);
        EXPECT_FALSE(ok) << c.text;
        EXPECT_FALSE(l.has_value()) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}
