// Symbolic derivatives: the printed forms of the rules, the refusals, and the
// values of first and second derivatives of every operator and function
// against numeric differences of the compiled formula.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "derivative_support.h"
#include "formula/derivative_text.h"
#include "formula/differentiate.h"
#include "formula/infix_to_polish.h"
#include "formula/polish_to_infix.h"
#include "polish_support.h"

using namespace formula;
using derivative_test::Compiled;
using polish_test::list;
using polish_test::tokens;

namespace {

clsPolish converted(const std::string& text) {
    std::string error;
    bool ok = false;
    const auto l = InfixToPolish(text, error, ok);
    EXPECT_TRUE(ok) << text << ": " << error;
    return ok ? *l : clsPolish();
}

// The derivative printed as PolishToInfix writes it (signs not folded).
std::string printedDerivative(const clsPolish& l, const std::string& variable) {
    std::string error;
    bool ok = false;
    const auto d = Differentiate(l, variable, error, ok);
    EXPECT_TRUE(ok) << tokens(l) << " by " << variable << ": " << error;
    if (!ok) return "";
    const std::string text = PolishToInfix(*d, error, ok);
    EXPECT_TRUE(ok) << error;
    return text;
}

int slotOf(const std::string& variable) { return varIndex(variable[0]); }

}  // namespace

TEST(Differentiate, RulesPrintTheirFixedForms) {
    struct Case {
        const char* formula;  // a formula text, or a token list when it starts with "list:"
        const char* variable;
        const char* printed;
    };
    const Case cases[] = {
        {"x", "x", "1"},
        {"x", "y", "0"},
        {"2", "x", "0"},
        {"a", "a", "1"},
        {"a", "x", "0"},
        {"z", "x", "0"},
        {"z", "z", "1"},
        {"x^2", "x", "1*2*x^1"},
        {"x^0", "x", "0"},
        {"x^0.5", "x", "1*0.5*x^-0.5"},
        {"x*y", "x", "(1*y+x*0)/y^0"},
        {"x/y", "y", "(0*y-x*1)/y^2"},
        {"sin(a*x)", "x", "(0*x+a*1)/x^0*cos(a*x)"},
        {"cos(x)", "x", "-(1)*sin(x)"},
        {"list:1 MIN x sin *", "x", "(-(0)*sin(x)+-(1)*(1*cos(x)))/sin(x)^0"},
        {"x^a", "x", "(0*Log(x)+1*a/x)*x^a"},
        {"2^x", "x", "(1*Log(2)+0*x/2)*2^x"},
        {"sqr(x)", "x", "1*(1/2/sqr(x))"},
        {"atan(x)-actan(x)", "x", "1/(1+x^2)--(1)/(1+x^2)"},
        {"acosh(x)", "x", "1/(-1+x^2)^0.5"},
        // The rules this engine adds.
        {"sech(x)", "x", "-(1)*tanh(x)*sech(x)"},
        {"csech(x)", "x", "-(1)*ctanh(x)*csech(x)"},
        {"asech(x)", "x", "-(1)/(x*(1-x^2)^0.5)"},
        {"acsech(x)", "x", "-(1)/(x^2*(1+x^2))^0.5"},
        {"list:x Log", "x", "1/x"},
        {"list:x -0.5 ^", "x", "1*-0.5*x^-1.5"},
        {"list:x X *", "x", "(1*X+x*1)/X^0"},  // names in either case, as the compiler reads them
        {"list:x SIN", "x", "1*cos(x)"},
        {"list:", "x", "0"},
        {"-x", "x", "0-1"},
    };
    for (const Case& c : cases) {
        const std::string f = c.formula;
        const clsPolish l = f.rfind("list:", 0) == 0 ? list(f.substr(5)) : converted(f);
        EXPECT_EQ(printedDerivative(l, c.variable), c.printed) << f << " by " << c.variable;
    }
}

TEST(Differentiate, RefusesWhatHasNoDerivative) {
    struct Case {
        const char* tokens;
        const char* variable;
        const char* error;
    };
    const Case cases[] = {
        {"x w +", "x", "Expression is illegal."},     // no name of the formula language
        {"x 1E5 *", "x", "Expression is illegal."},   // exponent form reads as 1*E-5
        {"x Inf +", "x", "Expression is illegal."},
        {"x abs", "x", "Can not find derivative of abs"},
        {"x min", "x", "Can not find derivative of min"},
        {"x asec", "x", "Can not find derivative of asec"},
        {"x +", "x", "Expression is illegal."},       // malformed lists
        {"x y", "x", "Expression is illegal."},
        {"x y *(1)", "x", "Expression is illegal."},  // an operator that does not fit its rank
        {"x y +(3)", "x", "Expression is illegal."},
        {"x y ^(2)", "x", "Expression is illegal."},
        {"x )(0)", "x", "Expression is illegal."},
        {"x", "w", "Can not differentiate by w."},
        {"x", "xy", "Can not differentiate by xy."},
        {"x", "", "Can not differentiate by ."},
    };
    for (const Case& c : cases) {
        std::string error;
        bool ok = true;
        const auto d = Differentiate(list(c.tokens), c.variable, error, ok);
        EXPECT_FALSE(ok) << c.tokens;
        EXPECT_FALSE(d.has_value()) << c.tokens;
        EXPECT_EQ(error, c.error) << c.tokens;
    }
}

// Every operator, exponent kind and function, by x, y and a parameter, at
// seeded random points inside each domain: the compiled derivative against
// differences of the compiled formula, the second derivative against
// differences of the first, and the converted list left as it was.
class NumericDerivatives : public ::testing::Test {
protected:
    void check(const std::string& formula, const Vars& point) {
        const clsPolish l = converted(formula);
        const clsPolish before = l;
        Compiled f(formula);
        ASSERT_TRUE(f.ok()) << formula;
        for (const char* variable : {"x", "y", "a"}) {
            SCOPED_TRACE(formula + " by " + variable);
            std::string error;
            bool ok = false;
            ASSERT_TRUE(Differentiate(l, variable, error, ok).has_value()) << error;
            EXPECT_TRUE(l == before);
            const DerivativeText d1 = differentiateText(formula, variable, 1);
            const DerivativeText d2 = differentiateText(formula, variable, 2);
            ASSERT_TRUE(d1.ok && d2.ok) << d1.errorText << d2.errorText;
            Compiled c1(d1.text), c2(d2.text);
            ASSERT_TRUE(c1.ok()) << d1.text;
            ASSERT_TRUE(c2.ok()) << d2.text;
            expectSlope(f, c1, point, slotOf(variable));
            expectSlope(c1, c2, point, slotOf(variable));
        }
    }

    void expectSlope(Compiled& f, Compiled& derivative, const Vars& point, int slot) {
        double numeric = 0, exact = 0;
        ASSERT_TRUE(f.slope(point, slot, numeric)) << f.text();
        ASSERT_TRUE(derivative.at(point, exact)) << derivative.text();
        EXPECT_NEAR(exact, numeric, 1e-6 * std::max(1.0, std::fabs(numeric))) << derivative.text();
    }

    Vars randomPoint() {
        Vars v{};
        for (double& d : v) d = uniform(0.5, 1.5);
        return v;
    }
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }

    std::mt19937 rng_{20240611};
};

TEST_F(NumericDerivatives, EveryOperatorAndExponent) {
    const char* const formulas[] = {
        "a*x+y", "x-a*y", "x*y*a", "x/(y+a)", "a/x-y/a", "x^3", "x^0*a", "x^-2", "x^2.5", "x^0.5",
        "x^a", "a^x", "x^x", "y^(a*x)", "-x", "-x^2+a*y", "2*-x*y", "(x+y)^2", "a-(-x)", "(-x)^2*a",
        "2^-x", "pi*x+1,5*y", "x^y^a", "(a*x-y)^3/(1+x^2)", "sin(x)^2*cos(y*a)", "-sin(x*y)^2"};
    for (const char* f : formulas) {
        for (int k = 0; k < 3; ++k) check(f, randomPoint());
        if (HasFatalFailure()) return;
    }
}

TEST_F(NumericDerivatives, EveryFunction) {
    struct Domain {
        const char* name;
        double lo, hi;  // where the argument is sampled, clear of the guard bands
    };
    const Domain functions[] = {
        {"exp", -3, 3},      {"sqr", 0.2, 5},    {"log", 0.2, 5},     {"sin", -3, 3},     {"cos", -3, 3},
        {"tan", -1.2, 1.2},  {"ctan", 0.2, 1.4}, {"sec", -1.2, 1.2},  {"csec", 0.2, 2.9}, {"asin", -0.9, 0.9},
        {"acos", -0.9, 0.9}, {"atan", -3, 3},    {"actan", -3, 3},    {"sinh", -3, 3},    {"cosh", -3, 3},
        {"tanh", -3, 3},     {"ctanh", 0.2, 3},  {"sech", -3, 3},     {"csech", 0.2, 3},  {"asinh", -3, 3},
        {"acosh", 1.2, 5},   {"atanh", -0.9, 0.9}, {"asech", 0.2, 0.9}, {"acsech", 0.2, 5}, {"actanh", 1.2, 5}};
    ASSERT_EQ(std::size(functions), 25u);
    for (const Domain& fn : functions) {
        for (int k = 0; k < 4; ++k) {
            // f(a*x + b*y + c) with the argument placed inside the domain by c.
            Vars v = randomPoint();
            v[kVarA + 1] = uniform(-0.5, 0.5);
            const double u = uniform(fn.lo, fn.hi);
            v[kVarA + 2] = u - v[kVarA] * v[kVarX] - v[kVarA + 1] * v[kVarY];
            check(std::string(fn.name) + "(a*x+b*y+c)", v);
            if (HasFatalFailure()) return;
        }
    }
}
