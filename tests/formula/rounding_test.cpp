// evaluateRounding: the bound of the value's rounding error holds against the
// same formula computed in long double, is not loose where cancellation and
// large arguments make it large, and stops being a bound (not finite) only
// where a derivative on the way is infinite.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "formula/compiler.h"
#include "formula/evaluator.h"

using namespace formula;

namespace {

using L = long double;
struct In {
    L x, a, b, c, d;
};

constexpr int kB = kVarA + 1, kC = kVarA + 2, kD = kVarA + 3;
constexpr double kEps = std::numeric_limits<double>::epsilon();
const L kDegree = static_cast<L>(3.1416) / 180;      // degree mode's conversion, its constant as given
const L kQuarterTurn = static_cast<L>(2 * std::atan(1.0));  // the constant ACOS and ACTAN add

Program compile(const std::string& formula) {
    CompileResult err;
    Program p = compileFormula(formula, err);
    EXPECT_EQ(err.position, 0) << formula << ": " << err.message;
    return p;
}

Vars vars(double x, double a = 0, double b = 0, double c = 0, double d = 0) {
    Vars v{};
    v[kVarX] = x, v[kVarA] = a, v[kB] = b, v[kC] = c, v[kD] = d;
    return v;
}

double rounding(const std::string& formula, const Vars& v, EvalStatus expected = EvalStatus::Ok) {
    double value = 0, bound = -1;
    EXPECT_EQ(evaluateRounding(compile(formula), v, false, value, bound), expected) << formula;
    return bound;
}

class Draw {
public:
    // |t| log-uniform in [lo, hi], either sign unless `positive`.
    double magnitude(double lo, double hi, bool positive = false) {
        const double t = std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(rng_));
        return positive || std::bernoulli_distribution(0.5)(rng_) ? t : -t;
    }

private:
    std::mt19937_64 rng_{20250613};
};

}  // namespace

TEST(FormulaRounding, BoundHoldsAgainstLongDoubleAndValueIsEvaluatesValue) {
    struct Case {
        const char* formula;
        L (*exact)(const In&);
        double xLo, xHi;
        bool xPositive = false, degree = false;
        void (*nearRoot)(Vars&) = nullptr;  // moves a parameter so that the value is near 0
    };
    const std::vector<Case> cases = {
        {"(a+x)^2-x^2", [](const In& i) { return (i.a + i.x) * (i.a + i.x) - i.x * i.x; }, 1e-3, 1e7},
        {"a*sin(b*x+c)", [](const In& i) { return i.a * sinl(i.b * i.x + i.c); }, 1e-3, 1e6},
        {"a*exp(-b*x)+c", [](const In& i) { return i.a * expl(-i.b * i.x) + i.c; }, 1e-3, 5},
        {"a*x^2+b*x+c", [](const In& i) { return i.a * i.x * i.x + i.b * i.x + i.c; }, 1e-3, 1e6},
        {"a*x^3-b*x^2+c*x-d", [](const In& i) { return i.a * i.x * i.x * i.x - i.b * i.x * i.x + i.c * i.x - i.d; },
         1e-3, 1e4, false, false,
         [](Vars& v) {
             const double x = v[kVarX];
             v[kD] = v[kVarA] * (x * x * x) - v[kB] * (x * x) + v[kC] * x;
         }},
        {"a-b*x+c*x^3-d*x^3", [](const In& i) { return i.a - i.b * i.x + (i.c - i.d) * i.x * i.x * i.x; }, 1e-3, 1e4},
        {"a/(x-b)", [](const In& i) { return i.a / (i.x - i.b); }, 1e-3, 1e6},
        {"sqr(x+a)-sqr(x)", [](const In& i) { return sqrtl(i.x + i.a) - sqrtl(i.x); }, 1e-3, 1e12, true},
        {"a*cos(b*x)^2+a*sin(b*x)^2",
         [](const In& i) { return i.a * (cosl(i.b * i.x) * cosl(i.b * i.x) + sinl(i.b * i.x) * sinl(i.b * i.x)); },
         1e-3, 1e6},
        {"log(x+a)-log(x)", [](const In& i) { return logl(i.x + i.a) - logl(i.x); }, 1e-3, 1e12, true},
        {"(x+a)^3-x^3-3*a*x^2",
         [](const In& i) { return (i.x + i.a) * (i.x + i.a) * (i.x + i.a) - i.x * i.x * i.x - 3 * i.a * i.x * i.x; },
         1e-3, 1e5},
        {"a*x^(b/c)", [](const In& i) { return i.a * powl(i.x, i.b / i.c); }, 1e-2, 1e2, true},
        {"a*sin(b*x)+cos(x)-tan(x)",
         [](const In& i) { return i.a * sinl(i.b * i.x * kDegree) + cosl(i.x * kDegree) - tanl(i.x * kDegree); },
         1e-3, 1e6, false, true},
        {"sinh(a*x)+tanh(x)-cosh(x)", [](const In& i) { return sinhl(i.a * i.x) + tanhl(i.x) - coshl(i.x); }, 1e-8, 5},
        {"atanh(x)+acos(x)",
         [](const In& i) { return atanhl(i.x) + atanl(-i.x / sqrtl(1 - i.x * i.x)) + kQuarterTurn; }, 1e-8, 0.9999},
        {"actan(x)-asinh(x)*acsech(x)",
         [](const In& i) { return atanl(-i.x) + kQuarterTurn - asinhl(i.x) * asinhl(1 / i.x); }, 1e-3, 1e6},
    };
    // The table reaches every fused step of the register form.
    std::set<Op> reached;
    for (const Case& c : cases)
        for (const Step& s : compile(c.formula).fast.steps) reached.insert(s.op);
    for (Op op = Op::Square; op <= Op::MulSubCube; op = static_cast<Op>(static_cast<int>(op) + 1))
        EXPECT_TRUE(reached.count(op)) << "no formula has step " << static_cast<int>(op);

    Draw draw;
    constexpr int kRuns = 2000;
    for (const Case& c : cases) {
        const Program p = compile(c.formula);
        int ok = 0;
        for (int run = 0; run < kRuns; ++run) {
            Vars v = vars(draw.magnitude(c.xLo, c.xHi, c.xPositive));
            for (int k : {kVarA, kB, kC, kD}) v[k] = draw.magnitude(1e-2, 1e2);
            if (c.nearRoot) c.nearRoot(v);
            double value = 0, bound = 0;
            const EvalStatus status = evaluateRounding(p, v, c.degree, value, bound);
            const EvalResult plain = evaluate(p, v, c.degree);
            ASSERT_EQ(status, plain.status) << c.formula << " at x = " << v[kVarX];
            if (status != EvalStatus::Ok) continue;
            ++ok;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(plain.value)) << c.formula;
            const L exact = c.exact(In{v[kVarX], v[kVarA], v[kB], v[kC], v[kD]});
            const L error = fabsl(static_cast<L>(value) - exact);
            ASSERT_TRUE(std::isfinite(bound)) << c.formula;
            ASSERT_LE(error, 1.01L * bound + 8 * LDBL_EPSILON * fabsl(exact))
                << c.formula << " at x = " << v[kVarX] << ", a = " << v[kVarA] << ", b = " << v[kB]
                << ", c = " << v[kC] << ", d = " << v[kD] << ": value " << value << ", bound " << bound;
        }
        EXPECT_GT(ok, kRuns / 2) << c.formula;
    }
}

TEST(FormulaRounding, BoundFollowsCancellationAndLargeArgumentsButNoFurther) {
    // (3 + 1e6)^2 - 1e6^2 = 6000009 is formed from terms of 1e12.
    const double cancelling = rounding("(a+x)^2-x^2", vars(1e6, 3));
    EXPECT_GE(cancelling, 1e-6);
    EXPECT_LE(cancelling, 1e-2);
    // The rounding of sin's argument 1000.5 reaches the value through a*cos.
    EXPECT_GE(rounding("a*sin(b*x+c)", vars(1000, 2, 1, 0.5)), 500 * kEps * std::fabs(2 * std::cos(1000.5)));
    // 3*7 - 2 = 19 has a few roundings of its own size.
    EXPECT_LE(rounding("a*x+c", vars(7, 3, 0, -2)), 4 * (std::nextafter(19.0, 20.0) - 19));
    // Variables and numbers are exact; so is a negation.
    EXPECT_EQ(rounding("x", vars(0.1)), 0);
    EXPECT_EQ(rounding("-x", vars(0.1)), 0);
    EXPECT_EQ(rounding("0.1", vars(0)), 0);
}

TEST(FormulaRounding, NotFiniteOnlyWhereAnInfiniteDerivativeMeetsARoundedOperand) {
    const double product = 0.1 * 3;  // x*a, rounded: x*a - b is 0 with a nonzero error
    struct Case {
        const char* formula;
        Vars v;
        bool finite;
    };
    const std::vector<Case> cases = {
        {"(x*a-b)^0.5", vars(0.1, 3, product), false},  // d/dt t^0.5 at t = 0
        {"x^0.5", vars(0), true},                       // the same at an exact 0
        {"(x-a)^(b+c)", vars(1, 3, 1.5, 0.5), false},   // a negative base under a rounded exponent
        {"(x-a)^b", vars(1, 3, 2), true},               // under an exact one
    };
    for (const Case& c : cases) EXPECT_EQ(std::isfinite(rounding(c.formula, c.v)), c.finite) << c.formula;
}

TEST(FormulaRounding, StatusesAreThoseOfEvaluate) {
    struct Case {
        const char* formula;
        Vars v;
    };
    const std::vector<Case> cases = {
        {"log(x)", vars(-1)},  {"1/(x-1)", vars(1)},        {"x^0.5", vars(-4)},  // guards that hold
        {"exp(x)", vars(1000)}, {"x*a", vars(1e300, 1e300)}, {"x", vars(std::numeric_limits<double>::infinity())},
    };
    for (const Case& c : cases) {
        const EvalStatus expected = evaluate(compile(c.formula), c.v, false).status;
        ASSERT_NE(expected, EvalStatus::Ok) << c.formula;
        rounding(c.formula, c.v, expected);
    }
    // A bad token; RND, which has no rounding to speak of (refused, as by evaluateRecording).
    double value = 0, bound = 0;
    EXPECT_EQ(evaluateRounding(buildProgram("XX BAD + "), vars(1), false, value, bound), EvalStatus::Failed);
    rounding("x+rnd(1)", vars(1), EvalStatus::Failed);
}

TEST(FormulaRounding, ProgramsBeyondTheLocalRegistersAgree) {
    // Each number takes a register: more than the machine stack holds.
    std::string formula = "0";
    std::vector<double> factors;
    for (int k = 1; k <= 300; ++k) {
        formula += "+1." + std::to_string(k) + "*x";
        factors.push_back(std::stod("1." + std::to_string(k)));
    }
    const Program p = compile(formula);
    ASSERT_GT(p.fast.registerCount(), kLocalRegisters);
    Draw draw;
    for (int run = 0; run < 100; ++run) {
        const Vars v = vars(draw.magnitude(1e-3, 1e6));
        double value = 0, bound = 0;
        ASSERT_EQ(evaluateRounding(p, v, false, value, bound), EvalStatus::Ok);
        EXPECT_EQ(value, evaluate(p, v, false).value);
        L exact = 0;
        for (double f : factors) exact += static_cast<L>(f) * v[kVarX];
        EXPECT_LE(fabsl(static_cast<L>(value) - exact), 1.01L * bound + 8 * LDBL_EPSILON * fabsl(exact));
    }
}
