// Infix formula text to postfix text: tokens, precedence, and every syntax
// message with its position.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formula/cls13.h"
#include "formula/cls6.h"

using namespace formula;

namespace {

std::string postfixOf(const std::string& infix) {
    std::string buffer;
    const CompileResult r = compileInfix(infix, buffer);
    EXPECT_EQ(r.position, 0) << infix << ": " << r.message;
    return buffer;
}

}  // namespace

TEST(FormulaCompiler, PostfixTokens) {
    struct Case {
        const char* infix;
        const char* postfix;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"   ", ""},
        {"2x", "2 XX * "},
        {"x y", "XX YY * "},
        {"(x)(y)", "XX YY * "},
        {"2(x+1)", "2 XX 1 + * "},
        {"sin(x)+cos(x)", "XX SIN XX COS + "},
        {"asech(x)+1", "XX ASECH 1 + "},
        {"a * b ^ -c", "AA BB CC (-) ^ * "},
        {"1,5 * x", "1,5 XX * "},
        {"+x", "XX "},
        {"sin x", "XX SIN "},
        {"a^b^c", "AA BB ^ CC ^ "},
        {"-x^2", "XX 2 ^ (-) "},
        {"-2*3", "2 (-) 3 * "},
        {"2*-3", "2 3 (-) * "},
        {"2^-x", "2 XX (-) ^ "},
        {"SIN(X)^2", "XX SIN 2 ^ "},
        {"2sin(x)", "2 XX SIN * "},
        {"pi*r", "3.141592653589793 RR * "},
        {"Pi", "3.141592653589793 "},
        {"a+b*c-d/e", "AA BB CC * + DD EE / - "},
        {"(a+b)*c", "AA BB + CC * "},
        {"x\t+\n1", "XX 1 + "},
        {".5+5.", ".5 5. + "},
        {"a(b)c", "AA BB * CC * "},
        {"exp(-b*x)", "BB (-) XX * EXP "},
        {"sin sin x", "XX SIN SIN "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(postfixOf(c.infix), c.postfix) << c.infix;
    }
}

TEST(FormulaCompiler, SyntaxErrorsWithPositions) {
    struct Case {
        const char* infix;
        long position;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"foo+1", 1, "Undefined symbol : 'foo'"},
        {"x + Foo_Bar", 5, "Undefined symbol : 'Foo_Bar'"},
        {"t_", 1, "Undefined symbol : 't_'"},
        {"(x", 2, "Closing parenthesis expected"},
        {"((x)", 4, "Closing parenthesis expected"},
        {"x)", 1, "Closing parenthesis without matching open parenthesis"},
        {"(a+b))", 5, "Closing parenthesis without matching open parenthesis"},
        {"()", 1, "Operand expected"},
        {"x+", 2, "Operand expected"},
        {"a+b*", 4, "Operand expected"},
        {"sin", 3, "Operand expected"},
        {"++x", 1, "Operand expected"},
        {"-+x", 1, "Operand expected"},
        {"2 + -3", 3, "Operand expected"},
        {"2 - -3", 3, "Operand expected"},
        {"2*/3", 2, "Operand expected"},
        {"*x", 1, "Operand expected"},
        {"sin 2", 4, "Open parenthesis expected"},
        {"x2", 1, "Operator expected"},
        {"2e5", 1, "Operator expected"},
        {"(x)2", 3, "Operator expected"},
        {"1.2.3", 1, "Operand contains multiple decimal points"},
        {"x+1,2.3", 2, "Operand contains multiple decimal points"},
        {".", 1, "Invalid operand"},
        {"x+,", 2, "Invalid operand"},
        {"x = 1", 1, "Unexpected character encountered"},
        {"a+b$", 2, "Unexpected character encountered"},
        {"\xc3\xa9", 1, "Unexpected character encountered"},
    };
    for (const Case& c : cases) {
        std::string buffer;
        const CompileResult r = compileInfix(c.infix, buffer);
        EXPECT_EQ(r.position, c.position) << c.infix;
        EXPECT_EQ(r.message, c.message) << c.infix;
    }
}

TEST(FormulaCompiler, Cls6ShowsTheMessageAndKeepsThePartialText) {
    std::vector<std::string> shown;
    setSyntaxMessageSink([&](const std::string& text) { shown.push_back(text); });
    Cls6 f;
    std::string buffer = "";
    EXPECT_EQ(f.InfixToPostfix("x+foo", buffer), 3);
    EXPECT_EQ(buffer, "XX ");
    EXPECT_EQ(f.LastSyntaxMessage(), "Undefined symbol : 'foo'");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Character 3:  Undefined symbol : 'foo'");

    buffer.clear();
    EXPECT_EQ(f.InfixToPostfix("a+b", buffer), 0);
    EXPECT_EQ(buffer, "AA BB + ");
    EXPECT_EQ(shown.size(), 1u);
    setSyntaxMessageSink(nullptr);
}

TEST(FormulaCompiler, PrecedenceAndNameCharacters) {
    EXPECT_EQ(Cls6::TokenPrecedence("+"), 1);
    EXPECT_EQ(Cls6::TokenPrecedence("-"), 1);
    EXPECT_EQ(Cls6::TokenPrecedence("/"), 2);
    EXPECT_EQ(Cls6::TokenPrecedence("(-)"), 3);
    EXPECT_EQ(Cls6::TokenPrecedence("^"), 4);
    for (const char* name : kFunctionNames) EXPECT_EQ(Cls6::TokenPrecedence(name), 5) << name;
    EXPECT_EQ(Cls6::TokenPrecedence("sin"), 0);  // exact comparison
    EXPECT_EQ(Cls6::TokenPrecedence("("), 0);
    EXPECT_TRUE(Cls6::IsNameChar("_x"));
    EXPECT_TRUE(Cls6::IsNameChar("q9"));
    EXPECT_FALSE(Cls6::IsNameChar("9q"));
    EXPECT_FALSE(Cls6::IsNameChar(""));
    EXPECT_TRUE(Cls6::IsNameCharOrDigit("9q"));
}

TEST(FormulaStack, PushPopPeekAndEmptyErrors) {
    Cls13 s;
    EXPECT_EQ(s.StackSize(), 0);
    EXPECT_EQ(s.Capacity(), 0);
    for (int k = 0; k < 11; ++k) s.Push(static_cast<double>(k));
    EXPECT_EQ(s.Capacity(), 20);
    s.Push(std::string("("));
    EXPECT_EQ(std::get<std::string>(s.GetPopValue()), "(");
    EXPECT_EQ(std::get<std::string>(s.Pop()), "(");
    EXPECT_EQ(std::get<double>(s.Pop()), 10.0);
    while (s.StackSize() > 0) s.Pop();
    EXPECT_EQ(s.Capacity(), 20);  // never shrinks
    try {
        s.Pop();
        FAIL();
    } catch (const FormulaError& e) {
        EXPECT_EQ(e.Number(), kAppErrorBase + 1011);
        EXPECT_STREQ(e.what(), "Pop method invoked on empty stack");
    }
    try {
        s.GetPopValue();
        FAIL();
    } catch (const FormulaError& e) {
        EXPECT_EQ(e.Number(), kAppErrorBase + 1012);
        EXPECT_STREQ(e.what(), "GetPopValue method invoked on empty stack");
    }
}
