// Random and mutated formula texts: compiling and evaluating never crashes,
// hangs or reads outside the stack, results keep their invariants, and the
// Program gives what a plain token-by-token reading of the postfix text gives.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "formula/cls6.h"
#include "formula/compiler.h"
#include "formula/evaluator.h"
#include "formula/guards.h"
#include "mutate_text.h"

using namespace formula;

namespace {

// The postfix text read token by token, as the evaluator is described, with
// no Program in between. Shares only guards.h with the code under test.
EvalResult referenceEvaluate(const std::string& text, const Vars& vars, bool degree) {
    std::vector<double> st;
    auto fail = [] { return EvalResult{EvalStatus::Failed, 0.0, ""}; };
    std::size_t start = 0;
    for (std::size_t blank; (blank = text.find(' ', start)) != std::string::npos; start = blank + 1) {
        const std::string tok = text.substr(start, blank - start);
        if (!tok.empty() && (std::isdigit(static_cast<unsigned char>(tok[0])) || tok[0] == '.' || tok[0] == ',')) {
            std::string t = tok;
            for (char& c : t) c = c == ',' ? '.' : c;
            const std::size_t second = t.find('.', t.find('.') + 1);  // the number ends at a second point
            t = "0" + t.substr(0, second);
            const std::size_t end = t.find_first_not_of("0123456789.");
            st.push_back(std::strtod(t.substr(0, end).c_str(), nullptr));
            if (!std::isfinite(st.back())) return fail();
            continue;
        }
        if (tok.size() == 2 && tok[0] == tok[1] && tok[0] >= 'A' && varIndex(tok[0]) >= 0) {
            st.push_back(vars[static_cast<std::size_t>(varIndex(tok[0]))]);
            if (!std::isfinite(st.back())) return fail();
            continue;
        }
        Op op = functionByName(tok);
        if (tok == "(-)") op = Op::Neg;
        const std::string binaries = "+-*/^";
        if (tok.size() == 1 && binaries.find(tok[0]) != std::string::npos)
            op = static_cast<Op>(static_cast<int>(Op::Add) + static_cast<int>(binaries.find(tok[0])));
        if (op == Op::Fail) return fail();
        double r = 0;
        if (isBinary(op)) {
            if (st.size() < 2) return fail();
            const double b = st.back();
            st.pop_back();
            const double a = st.back();
            if (binaryGuard(op, a, b) != Guard::Ok) return EvalResult{EvalStatus::Undefined, UndefinedValue, ""};
            r = binaryValue(op, a, b);
        } else {
            if (st.empty()) return fail();
            double x = st.back();
            if (op == Op::Rnd) {
                r = 0.5;  // compared separately: the generator's state differs
            } else {
                if (degree && takesDegrees(op)) x = degToRad(x);
                const Guard g = unaryGuard(op, x);
                if (g == Guard::Fail) return fail();
                if (g != Guard::Ok) return EvalResult{EvalStatus::Undefined, UndefinedValue, ""};
                bool ok = true;
                r = unaryValue(op, x, ok);
                if (!ok) return fail();
            }
        }
        if (!std::isfinite(r)) return fail();
        st.back() = r;
    }
    if (st.empty()) return fail();
    return EvalResult{EvalStatus::Ok, st.back(), ""};
}

class TextMaker {
public:
    explicit TextMaker(unsigned seed) : rng_(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    double number() { return std::uniform_real_distribution<double>(-4, 4)(rng_); }

    std::string randomFormula() {
        static const std::vector<std::string> pieces = {
            "x", "y", "z", "a", "B", "t", "pi", "2", "0", "1,5", ".", ",", "3.25", "0.000001", "1e5", "+", "-",
            "*", "/", "^", "(", ")", " ", "\t", "sin", "LOG", "sqr", "exp", "asech", "acsech", "actanh", "rnd",
            "ctanh", "asin", "acos", "asec", "int", "atan", "foo", "_", "$", "=", "\xc3\xa9", std::string(1, '\0'),
            "99999999999999999999", "(-)", "XX", "AA"};
        std::string s;
        const int n = pick(24);
        for (int k = 0; k < n; ++k) s += pieces[static_cast<std::size_t>(pick(static_cast<int>(pieces.size())))];
        return s;
    }

    std::string validFormula(int depth = 0) {
        static const char* const leaves[] = {"x", "y", "a", "b", "c", "2", "0.5", "pi", "3", "0"};
        if (depth > 3 || pick(3) == 0) return leaves[pick(10)];
        switch (pick(5)) {
        case 0: return validFormula(depth + 1) + "+-*/^"[pick(5)] + validFormula(depth + 1);
        case 1: return std::string(kFunctionNames[pick(kFunctionCount)]) + "(" + validFormula(depth + 1) + ")";
        case 2: return "-" + validFormula(depth + 1);
        case 3: return "(" + validFormula(depth + 1) + ")" + validFormula(depth + 1);
        default: return "2" + validFormula(depth + 1);
        }
    }

    std::string mutate(std::string s) {
        return fuzz::mutateText(std::move(s), [this](int n) { return pick(n); });
    }

    Vars vars() {
        Vars v{};
        for (double& d : v) d = number();
        if (pick(50) == 0) v[static_cast<std::size_t>(pick(kVarCount))] = pick(2) ? 1e308 : 0;
        if (pick(20) == 0) {
            const double notFinite[] = {HUGE_VAL, -HUGE_VAL, std::nan("")};
            v[static_cast<std::size_t>(pick(3))] = notFinite[pick(3)];
        }
        return v;
    }

private:
    std::mt19937 rng_;
};

void checkResult(const EvalResult& r, const std::string& where) {
    if (r.status == EvalStatus::Ok) {
        ASSERT_TRUE(std::isfinite(r.value)) << where;
    }
    if (r.status == EvalStatus::Undefined) {
        ASSERT_EQ(r.value, UndefinedValue) << where;
    }
}

}  // namespace

TEST(FormulaFuzz, RandomAndMutatedTextsNeverBreakTheEngine) {
    TextMaker make(20261210);
    constexpr int kIterations = 300000;
    int compiled = 0;
    for (int k = 0; k < kIterations; ++k) {
        std::string text;
        switch (k % 3) {
        case 0: text = make.randomFormula(); break;
        case 1: text = make.validFormula(); break;
        default: text = make.mutate(make.validFormula()); break;
        }
        std::string postfix;
        const CompileResult c = compileInfix(text, postfix);
        if (c.position != 0) {
            ASSERT_GE(c.position, 1) << text;
            ASSERT_LE(c.position, std::max<long>(1, static_cast<long>(text.size()))) << text;
            ASSERT_FALSE(c.message.empty()) << text;
            // The text itself, read as postfix, is refused or evaluated safely.
            checkResult(evaluate(buildProgram(text), make.vars(), true), text);
            continue;
        }
        ++compiled;
        const Program p = buildProgram(postfix);
        const Vars v = make.vars();
        const bool degree = k % 2 == 0;
        const EvalResult r = evaluate(p, v, degree, k % 5 == 0);
        checkResult(r, text);
        if (postfix.find("RND") == std::string::npos) {
            const EvalResult ref = referenceEvaluate(postfix, v, degree);
            const EvalResult plain = evaluate(p, v, degree);
            ASSERT_EQ(plain.status, ref.status) << text << " -> " << postfix;
            if (plain.status == EvalStatus::Ok) {
                ASSERT_EQ(plain.value, ref.value) << text << " -> " << postfix;
            }
        }
        // A mutated postfix text is refused or evaluated safely.
        checkResult(evaluate(buildProgram(make.mutate(postfix)), v, degree), postfix);
    }
    EXPECT_GT(compiled, kIterations / 4);
}

TEST(FormulaFuzz, HugeTextsAreHandled) {
    const std::size_t n = 200000;
    std::string postfix;
    struct Case {
        std::string infix;
        long position;  // 0: compiles
    };
    const std::vector<Case> cases = {
        {std::string(n, '('), static_cast<long>(n)},
        {std::string(n, '(') + "x" + std::string(n, ')'), 0},
        {std::string(n, '-') + "x", 1},
        {std::string(n, '7'), 0},
        {std::string(n, '.'), 1},
        {[&] {
             std::string s;
             for (std::size_t k = 0; k < n / 8; ++k) s += "sin(";
             return s + "x" + std::string(n / 8, ')');
         }(),
         0},
        {[&] {
             std::string s = "x";
             for (std::size_t k = 0; k < n / 2; ++k) s += "^x";
             return s;
         }(),
         0},
    };
    Vars v{};
    v[kVarX] = 1.0;
    for (const Case& c : cases) {
        postfix.clear();
        const CompileResult r = compileInfix(c.infix, postfix);
        EXPECT_EQ(r.position, c.position) << c.infix.substr(0, 20);
        if (r.position == 0) checkResult(evaluate(buildProgram(postfix), v, false), c.infix.substr(0, 20));
    }
    // Postfix text that piles up far more values than the local stack holds.
    std::string deep;
    for (std::size_t k = 0; k < n; ++k) deep += "XX ";
    for (std::size_t k = 1; k < n; ++k) deep += "* ";
    const EvalResult r = evaluate(buildProgram(deep), v, false);
    EXPECT_EQ(r.status, EvalStatus::Ok);
    EXPECT_EQ(r.value, 1.0);
}
