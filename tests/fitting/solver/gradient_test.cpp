// Exact derivatives of compiled formulas: every operator and function against central
// differences of the formula evaluator, the same values, and the same domain guards.
#include <array>
#include <functional>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fitting/solver/gradient_evaluator.h"
#include "formula/evaluator.h"
#include "formula/function_derivative.h"
#include "formula/guards.h"
#include "compile_model.h"

namespace {

using formula::EvalStatus;

formula::Vars vars(double x, double a, double b) {
    formula::Vars v{};
    v[formula::kVarX] = x;
    v[formula::kVarA] = a;
    v[formula::kVarA + 1] = b;
    return v;
}

const std::vector<int> kSlots = {formula::kVarA, formula::kVarA + 1, formula::kVarX};

// Checks value and gradient (by a, b and x) of text at (x, a, b) against the evaluator.
void expectDerivatives(const std::string& text, double x, double a, double b, bool degree = false) {
    SCOPED_TRACE(text + " at x=" + std::to_string(x) + " a=" + std::to_string(a) + " b=" + std::to_string(b));
    const formula::Program p = compileModel(text);
    solver::GradientEvaluator ev(p, kSlots, degree);
    double value = 0, grad[3] = {0, 0, 0};
    ASSERT_EQ(ev.evaluate(vars(x, a, b), value, grad), EvalStatus::Ok);
    const formula::EvalResult ref = formula::evaluate(p, vars(x, a, b), degree);
    ASSERT_EQ(ref.status, EvalStatus::Ok);
    EXPECT_EQ(value, ref.value);
    for (int k = 0; k < 3; ++k) {
        double plus[3] = {a, b, x}, minus[3] = {a, b, x};
        const double h = 1e-6 * std::max(1.0, std::abs(plus[k]));
        plus[k] += h;
        minus[k] -= h;
        const auto fp = formula::evaluate(p, vars(plus[2], plus[0], plus[1]), degree);
        const auto fm = formula::evaluate(p, vars(minus[2], minus[0], minus[1]), degree);
        ASSERT_EQ(fp.status, EvalStatus::Ok);
        ASSERT_EQ(fm.status, EvalStatus::Ok);
        const double central = (fp.value - fm.value) / (2 * h);
        EXPECT_NEAR(grad[k], central, 1e-6 * std::max(1.0, std::abs(central))) << "derivative " << k;
    }
}

TEST(GradientEvaluator, EveryFunctionMatchesCentralDifferences) {
    struct Case {
        const char* name;
        std::vector<double> arguments;
    };
    const std::vector<Case> cases = {
        {"sin", {-2.1, 0.3, 4}},    {"cos", {-1.2, 0.4, 3}},      {"log", {0.01, 1.5, 40}},
        {"exp", {-3, 0.2, 5}},      {"abs", {-1.7, 2.2}},         {"atan", {-4, 0.1, 2}},
        {"int", {-1.5, 2.3}},       {"sqr", {0.01, 2, 50}},       {"tan", {-1.1, 0.2, 1.3}},
        {"sec", {-1, 0.3, 2.5}},    {"csec", {-2, 0.4, 1.3}},     {"ctan", {-2.5, 0.5, 1.2}},
        {"asin", {-0.9, 0.1, 0.8}}, {"acos", {-0.8, 0.2, 0.95}},  {"asec", {-3, 1.2, 5}},
        {"acsec", {-4, 1.5, 2}},    {"actan", {-2, 0.3, 6}},      {"sinh", {-2, 0.5, 3}},
        {"cosh", {-1.5, 0.4, 2}},   {"tanh", {-1, 0.3, 2.5}},     {"ctanh", {-1.3, 0.6, 2}},
        {"sech", {-2, 0.7, 1.5}},   {"csech", {-1.1, 0.5, 3}},    {"asinh", {-3, 0.2, 7}},
        {"acosh", {1.2, 3, 20}},    {"atanh", {-0.8, 0.1, 0.9}},  {"asech", {0.1, 0.5, 0.9}},
        {"acsech", {-2, 0.3, 4}},   {"actanh", {-3, 1.5, 8}},
    };
    ASSERT_EQ(cases.size(), static_cast<std::size_t>(formula::kFunctionCount - 1));  // all but RND
    // f(a*x + b) with a*x + b at the wanted argument; a and x both enter the chain rule.
    const double x = 1.3, a = 0.5;
    for (const Case& c : cases)
        for (double t : c.arguments) expectDerivatives(std::string(c.name) + "(a*x+b)", x, a, t - a * x);
}

TEST(GradientEvaluator, OperatorsMatchCentralDifferences) {
    expectDerivatives("a*x + b - x/a", 2.5, 1.7, -0.4);
    expectDerivatives("-(a*b)/(x-b)", 2.5, 1.7, -0.4);
    expectDerivatives("a^b", 2.5, 1.7, -0.4);
    expectDerivatives("x^b*a^x", 0.75, 2.2, 3.1);
    expectDerivatives("(a-2)^3", 1.1, 1, 0.3);       // negative base, whole exponent
    expectDerivatives("a*x^2 + b^(x-1)", -2, 1.5, 3);  // negative x squared
    expectDerivatives("sin(a*x)*exp(-b*x)", 1.1, 3, 0.5, true);  // degree mode
    expectDerivatives("3,5*a + 2 * -b", 1, 2, 3);
}

TEST(GradientEvaluator, PowerInsideItsFlatBandHasZeroGradient) {
    const formula::Program p = compileModel("x^b");
    solver::GradientEvaluator ev(p, kSlots);
    double value = 0, grad[3] = {9, 9, 9};
    ASSERT_EQ(ev.evaluate(vars(4, 0, 5e-7), value, grad), EvalStatus::Ok);
    EXPECT_EQ(value, 1.0);
    EXPECT_EQ(grad[0], 0.0);
    EXPECT_EQ(grad[1], 0.0);
    EXPECT_EQ(grad[2], 0.0);
}

// Where the evaluator has no value the derivative evaluator has none either; where only a
// derivative is missing (a negative base varied in its exponent, sqr at 0) it fails.
TEST(GradientEvaluator, FollowsTheEvaluatorsDomainGuards) {
    struct Case {
        const char* text;
        double x, a, b;
        EvalStatus expected;
    };
    const std::vector<Case> cases = {
        {"a/(x-b)", 2, 1, 2, EvalStatus::Undefined},
        {"a/(x-b)", 2, 1, 2 - 5e-7, EvalStatus::Undefined},
        {"log(a*x)", 0, 1, 0, EvalStatus::Undefined},
        {"sqr(a-x)", 1, 1, 0, EvalStatus::Undefined},
        {"(a-x)^b", 1, 0, 0.5, EvalStatus::Undefined},
        {"asin(a)", 0, 1.5, 0, EvalStatus::Undefined},
        {"acosh(a)", 0, 0.5, 0, EvalStatus::Undefined},
        {"1 + 2/0*a", 0, 1, 0, EvalStatus::Undefined},
        {"exp(a*x)", 1000, 1, 0, EvalStatus::Failed},
        {"(-a)^b", 0, 2, 2, EvalStatus::Failed},  // d/db of a negative base
        {"rnd(a)", 0, 1, 0, EvalStatus::Failed},
        {"a +", 0, 1, 0, EvalStatus::Failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        formula::CompileResult err;
        const formula::Program p = formula::compileFormula(c.text, err);
        solver::GradientEvaluator ev(p, kSlots);
        double value = 0, grad[3];
        EXPECT_EQ(ev.evaluate(vars(c.x, c.a, c.b), value, grad), c.expected);
        const auto ref = formula::evaluate(p, vars(c.x, c.a, c.b), false);
        if (c.expected == EvalStatus::Undefined) {
            EXPECT_EQ(ref.status, EvalStatus::Undefined);
        }
    }
}

TEST(GradientEvaluator, ParametersNotDifferentiatedHaveNoLane) {
    const formula::Program p = compileModel("a*b*c");
    solver::GradientEvaluator ev(p, {formula::kVarA + 2});
    formula::Vars v{};
    v[formula::kVarA] = 2;
    v[formula::kVarA + 1] = 3;
    v[formula::kVarA + 2] = 5;
    double value = 0, grad[1] = {0};
    ASSERT_EQ(ev.evaluate(v, value, grad), EvalStatus::Ok);
    EXPECT_EQ(value, 30.0);
    EXPECT_EQ(grad[0], 6.0);
}

// Forward differentiation of the postfix instructions one by one, with no register form in
// between: value and derivatives by a, b and x, for points where the evaluator has a value.
struct Dual {
    double v;
    std::array<double, 3> d;
};

Dual forwardDerivatives(const formula::Program& p, const formula::Vars& vars) {
    using formula::Op;
    std::vector<Dual> st;
    for (const formula::Instr& in : p.code) {
        if (in.op == Op::PushConst) {
            st.push_back({in.value, {0, 0, 0}});
            continue;
        }
        if (in.op == Op::PushVar) {
            Dual x{vars[in.index], {0, 0, 0}};
            for (int k = 0; k < 3; ++k) x.d[k] = kSlots[k] == in.index ? 1.0 : 0.0;
            st.push_back(x);
            continue;
        }
        if (formula::isBinary(in.op)) {
            const Dual b = st.back();
            st.pop_back();
            Dual& a = st.back();
            const double r = formula::binaryValue(in.op, a.v, b.v);
            double ca = 0, cb = 0;
            switch (in.op) {
            case Op::Add: ca = 1, cb = 1; break;
            case Op::Sub: ca = 1, cb = -1; break;
            case Op::Mul: ca = b.v, cb = a.v; break;
            case Op::Div: ca = 1 / b.v, cb = -r / b.v; break;
            default:
                if (!formula::powIsOne(b.v)) {
                    ca = b.v * std::pow(a.v, b.v - 1);
                    cb = a.v > 0 ? r * std::log(a.v) : 0.0;
                }
                break;
            }
            for (int k = 0; k < 3; ++k) a.d[k] = (a.d[k] != 0 ? ca * a.d[k] : 0) + (b.d[k] != 0 ? cb * b.d[k] : 0);
            a.v = r;
            continue;
        }
        Dual& x = st.back();
        bool ok = true;
        const double r = in.op == Op::Neg ? -x.v : formula::unaryValue(in.op, x.v, ok);
        const double d = in.op == Op::Neg ? -1.0 : formula::functionDerivative(in.op, x.v, r);
        for (double& g : x.d) g = g != 0 ? d * g : 0;
        x.v = r;
    }
    return st.back();
}

// Random models of sums, products, quotients, whole powers and a few functions: the reverse
// sweep over the fused steps gives what forward differentiation of the text gives.
TEST(GradientEvaluator, RandomModelsAgreeWithForwardDifferentiation) {
    std::mt19937 rng(20261211);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    std::function<std::string(int)> model = [&](int depth) -> std::string {
        static const char* const leaves[] = {"x", "a", "b", "2", "0.5", "x^2", "a^3", "b*x", "1"};
        if (depth > 3 || pick(4) == 0) return leaves[pick(9)];
        static const char* const functions[] = {"sin", "cos", "exp", "atan", "sqr", "log", "tanh", "abs"};
        switch (pick(7)) {
        case 0: return model(depth + 1) + "+" + model(depth + 1);
        case 1: return model(depth + 1) + "-" + model(depth + 1);
        case 2: return model(depth + 1) + "*" + model(depth + 1);
        case 3: return "(" + model(depth + 1) + ")/(" + model(depth + 1) + ")";
        case 4: return "(" + model(depth + 1) + ")^" + (pick(2) ? "2" : "3");
        case 5: return std::string(functions[pick(8)]) + "(" + model(depth + 1) + ")";
        default: return model(depth + 1) + "^b";
        }
    };
    int compared = 0;
    for (int n = 0; n < 3000; ++n) {
        const std::string text = model(0);
        SCOPED_TRACE(text);
        const formula::Program p = compileModel(text);
        solver::GradientEvaluator ev(p, kSlots);
        const formula::Vars v = vars(std::uniform_real_distribution<double>(0.2, 2)(rng),
                                     std::uniform_real_distribution<double>(-2, 2)(rng),
                                     std::uniform_real_distribution<double>(0.5, 1.5)(rng));
        const formula::EvalResult ref = formula::evaluate(p, v, false);
        double value = 0, grad[3] = {0, 0, 0};
        const EvalStatus status = ev.evaluate(v, value, grad);
        if (ref.status != EvalStatus::Ok) {
            EXPECT_EQ(status, ref.status);
            continue;
        }
        const Dual fwd = forwardDerivatives(p, v);
        bool finite = true;
        for (double g : fwd.d) finite = finite && std::isfinite(g) && std::fabs(g) < 1e12;
        if (!finite) continue;
        ASSERT_EQ(status, EvalStatus::Ok);
        EXPECT_EQ(value, ref.value);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(grad[k], fwd.d[k], 1e-9 * std::max(1.0, std::fabs(fwd.d[k])));
        ++compared;
    }
    EXPECT_GT(compared, 1500);
}

}  // namespace
