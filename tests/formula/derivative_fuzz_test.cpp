// Random and mutated formula texts, and malformed token lists, through every
// procedure of the token lists, the printer and the differentiator: a result
// or a refusal, never a crash, an out-of-bounds read or a malformed result.
// Run under AddressSanitizer and UndefinedBehaviorSanitizer by the sanitizer build.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "formula/compiler.h"
#include "formula/differentiate.h"
#include "formula/infix_to_polish.h"
#include "formula/polish.h"
#include "formula/polish_shape.h"
#include "formula/polish_to_infix.h"
#include "formula/text_routines.h"
#include "mutate_text.h"

using namespace formula;

namespace {

class Maker {
public:
    explicit Maker(unsigned seed) : rng_(seed) {}
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    std::string randomText() {
        static const std::vector<std::string> pieces = {
            "x", "y", "z", "a", "T", "e", "pi", "2", "0", "1,5", ",5", ".", ",", "3.25", "1e5", "+", "-", "*", "/",
            "^", "(", ")", " ", "\t", "sin", "LOG", "sqr", "exp", "sech", "asech", "acsech", "actanh", "abs", "Log",
            "MIN", "#", "$", "\xc3\xa9", std::string(1, '\0'), "99999999999999999999", "--", "foo", "_"};
        std::string s;
        for (int k = pick(20); k > 0; --k) s += pieces[static_cast<std::size_t>(pick(static_cast<int>(pieces.size())))];
        return s;
    }

    std::string validText(int depth = 0) {
        static const char* const leaves[] = {"x", "y", "z", "a", "b", "2", "0.5", "pi", "3", "0", "1,5"};
        static const char* const functions[] = {
            "exp", "sqr", "log", "sin", "cos", "tan", "ctan", "sec", "csec", "asin", "acos", "atan", "actan",
            "sinh", "cosh", "tanh", "ctanh", "sech", "csech", "asinh", "acosh", "atanh", "asech", "acsech", "actanh"};
        if (depth > 3 || pick(3) == 0) return leaves[pick(11)];
        switch (pick(5)) {
        case 0: return validText(depth + 1) + "+-*/^"[pick(5)] + validText(depth + 1);
        case 1: return std::string(functions[pick(25)]) + "(" + validText(depth + 1) + ")";
        case 2: return "-(" + validText(depth + 1) + ")";
        case 3: return "(" + validText(depth + 1) + ")^" + validText(depth + 1);
        default: return "2" + validText(depth + 1);
        }
    }

    std::string mutate(std::string s) {
        return fuzz::mutateText(std::move(s), [this](int n) { return pick(n); });
    }

    std::string variable() {
        static const char* const names[] = {"x", "y", "z", "a", "b", "e", "t", "X", "w", ""};
        return names[pick(10)];
    }

    // A list of random tokens and ranks, or a converted list with one item changed.
    clsPolish randomList(const clsPolish& valid) {
        static const std::vector<std::string> data = {
            "x", "y", "z", "a", "t", "u", "0", "-1", "0.5", "1E5", "", "+", "-", "*", "/", "^", "sin", "MIN", "Log",
            "abs", "(", ")", "#", "\xff", "-", "--1", "1.2.3", std::string(40, '9')};
        auto token = [&] { return data[static_cast<std::size_t>(pick(static_cast<int>(data.size())))]; };
        auto rank = [&] { return static_cast<long>(pick(9)) - 1; };
        clsPolish l;
        if (pick(2) == 0 || valid.ElementCount() == 0) {
            for (int k = pick(16); k > 0; --k) l.Append(pick(3) ? (pick(2) ? 5 : pick(4) + 1) : rank(), token());
            return l;
        }
        l = valid;
        const long at = pick(static_cast<int>(l.ElementCount()));
        switch (pick(4)) {
        case 0: l.Kill(at, 1); break;
        case 1: l.Push(at, rank(), token()); break;
        case 2: {
            const long r = l.GetRank(at);
            l.Kill(at, 1);
            l.Push(at, r, token());
            break;
        }
        default: {
            const std::string d(l.GetData(at));
            l.Kill(at, 1);
            l.Push(at, rank(), d);
            break;
        }
        }
        return l;
    }

private:
    std::mt19937 rng_;
};

bool compiles(const std::string& text) {
    std::string postfix;
    return compileInfix(text, postfix).position == 0;
}

// A list that passed a procedure is one well-formed formula.
void expectWellFormed(const clsPolish& l, const std::string& where) {
    PolishShape shape;
    std::string error;
    ASSERT_TRUE(analysePolish(l, shape, error)) << where << ": " << error;
}

}  // namespace

// Accepted texts print and differentiate to texts the compiler takes.
TEST(DerivativeFuzz, RandomAndMutatedTexts) {
    Maker make(20240701);
    int accepted = 0;
    for (int k = 0; k < 60000; ++k) {
        std::string text;
        switch (k % 3) {
        case 0: text = make.randomText(); break;
        case 1: text = make.validText(); break;
        default: text = make.mutate(make.validText()); break;
        }
        if (k % 2) text = InsertImplicitMultiply(text);
        std::string error;
        bool ok = false;
        const auto l = InfixToPolish(text, error, ok);
        ASSERT_EQ(ok, l.has_value()) << text;
        if (!ok) {
            ASSERT_FALSE(error.empty()) << text;
            continue;
        }
        ++accepted;
        expectWellFormed(*l, text);
        const std::string printed = PolishToInfix(*l, error, ok);
        ASSERT_TRUE(ok) << text << ": " << error;
        ASSERT_TRUE(compiles(FoldSignPairs(printed))) << text << " -> " << printed;
        const std::string variable = make.variable();
        const auto d = Differentiate(*l, variable, error, ok);
        ASSERT_EQ(ok, d.has_value()) << text;
        if (!ok) {
            ASSERT_FALSE(error.empty()) << text;
            continue;
        }
        expectWellFormed(*d, text);
        const std::string derivative = PolishToInfix(*d, error, ok);
        ASSERT_TRUE(ok) << text << ": " << error;
        ASSERT_TRUE(compiles(FoldSignPairs(derivative))) << text << " by " << variable << " -> " << derivative;
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(accepted, 15000);
}

// Malformed lists through every procedure: a result, a refusal or a range
// error, and results that are well formed.
TEST(DerivativeFuzz, MalformedListsThroughEveryProcedure) {
    Maker make(20240702);
    std::string error;
    bool ok = false;
    for (int k = 0; k < 25000; ++k) {
        const auto valid = InfixToPolish(make.validText(), error, ok);
        const clsPolish l = make.randomList(valid ? *valid : clsPolish());
        const long n = l.ElementCount();

        const std::string printed = PolishToInfix(l, error, ok);
        if (!ok) {
            ASSERT_TRUE(printed.empty() && !error.empty());
        }
        const auto d = Differentiate(l, make.variable(), error, ok);
        ASSERT_EQ(ok, d.has_value());
        if (ok) {
            expectWellFormed(*d, "derivative");
            PolishToInfix(*d, error, ok);
            ASSERT_TRUE(ok) << error;
        }

        try {
            const clsPolish operand = GetOperandPolish(l, make.pick(static_cast<int>(n) + 4) - 2, make.pick(3));
            ASSERT_LE(operand.ElementCount(), n);
        } catch (const std::out_of_range&) {
        }
        try {
            const long from = make.pick(static_cast<int>(n) + 4) - 2;
            const clsPolish slice = SlicePolish(l, from, make.pick(static_cast<int>(n) + 4) - 2);
            ASSERT_LE(slice.ElementCount(), n);
        } catch (const std::out_of_range&) {
        }
        ASSERT_EQ(ConcatPolish(l, l, clsPolish()).ElementCount(), 2 * n);
        try {
            clsPolish edited = l;
            edited.Push(make.pick(static_cast<int>(n) + 4) - 2, 5, "x");
            edited.Kill(make.pick(static_cast<int>(n) + 4) - 2, make.pick(4) - 1);
        } catch (const std::out_of_range&) {
        }

        clsPolish stack = l, output;
        ReducePolishStack(stack, output);
        const long lost = n - stack.ElementCount() - output.ElementCount();  // a bracket pair, or nothing
        ASSERT_TRUE(lost == 0 || lost == 2);
        if (HasFatalFailure()) return;
    }
}
