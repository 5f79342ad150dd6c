// The formula language's PI is pi to the precision of a Double on every road:
// the compiled program, the token lists of the symbolic routines, and the texts
// printed from them.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

#include "formula/compiler.h"
#include "formula/derivative_text.h"
#include "formula/evaluator.h"
#include "formula/infix_to_polish.h"
#include "formula/number_text.h"
#include "formula/polish_to_infix.h"

using namespace formula;

namespace {

double valueOf(const std::string& text, double x = 0) {
    CompileResult error;
    const Program p = compileFormula(text, error);
    EXPECT_EQ(error.position, 0) << text << ": " << error.message;
    Vars v{};
    v[kVarX] = x;
    const EvalResult r = evaluate(p, v, false);
    EXPECT_EQ(r.status, EvalStatus::Ok) << text;
    return r.value;
}

}  // namespace

TEST(FormulaPi, CompiledInAnyCaseIsTheDoubleNearestPi) {
    EXPECT_EQ(kPi, std::numbers::pi);
    double read = 0;
    std::from_chars(kPiToken, kPiToken + std::char_traits<char>::length(kPiToken), read);
    EXPECT_EQ(read, std::numbers::pi);
    EXPECT_EQ(read, 2 * std::asin(1.0));
    for (const char* typed : {"pi", "PI", "Pi", "pI", " pi ", "(pi)"}) EXPECT_EQ(valueOf(typed), std::numbers::pi) << typed;
    EXPECT_EQ(valueOf("2pi"), 2 * std::numbers::pi);
    EXPECT_EQ(valueOf("pi*x", 0.25), std::numbers::pi * 0.25);
    EXPECT_EQ(valueOf("atan(1)*4"), valueOf("pi"));
    // The eighth digit the old constant 3.1415926 got wrong.
    EXPECT_NEAR(valueOf("sin(pi)"), 0.0, 2e-16);
    EXPECT_EQ(valueOf("cos(pi)"), -1.0);
}

TEST(FormulaPi, TokenListsAndTheirTextsHoldItExactly) {
    std::string error;
    bool ok = false;
    const auto list = InfixToPolish("PI", error, ok);
    ASSERT_TRUE(ok) << error;
    ASSERT_EQ(list->ElementCount(), 1);
    double held = 0;
    const std::string_view token = list->GetData(0);
    std::from_chars(token.data(), token.data() + token.size(), held);
    EXPECT_EQ(held, std::numbers::pi);

    // A printed list compiles back to the formula it holds, pi to its last bit;
    // the program's number text shows it to 15 digits.
    EXPECT_EQ(PolishToInfix(*list, error, ok), kPiToken);
    EXPECT_EQ(formatNumberText(kPi), "3.14159265358979");

    const DerivativeText d = differentiateText("sin(pi*x)", "x");
    ASSERT_TRUE(d.ok) << d.errorText;
    EXPECT_NE(d.text.find(kPiToken), std::string::npos) << d.text;
    for (double x : {0.1, 0.37, 1.9})
        EXPECT_NEAR(valueOf(d.text, x), std::numbers::pi * std::cos(std::numbers::pi * x), 1e-13) << d.text;
}
