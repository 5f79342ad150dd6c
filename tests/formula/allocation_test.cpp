// Evaluating a compiled formula allocates nothing: counted through the
// replaceable global operator new of this test program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "formula/cls6.h"
#include "formula/compiler.h"
#include "formula/evaluator.h"

namespace {
thread_local long gAllocations = 0;
}

void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace formula;

TEST(FormulaAllocation, EvaluationsAllocateNothing) {
    const char* formulas[] = {"a*exp(-b*x)+c", "a+b*x+c*x^2+d*x^3", "a*sin(b*x+c)/(1+d*x^2)", "1/x", "log(x-3)",
                              "acsech(x)+rnd(1)"};
    for (const char* f : formulas) {
        CompileResult err;
        const Program p = compileFormula(f, err);
        std::string postfix;
        compileInfix(f, postfix);
        Cls6 cls6;
        double r = 0;
        Vars v{};
        v[kVarA] = 2;
        v[kVarA + 1] = 0.5;
        cls6.DoEvaluate(postfix, false, r, v);  // builds and keeps the Program
        const long before = gAllocations;
        for (int k = 0; k < 1000; ++k) {
            v[kVarX] = -5 + k * 0.01;
            evaluate(p, v, k % 2 == 0);
            cls6.DoEvaluate(postfix, true, r, v);
        }
        EXPECT_EQ(gAllocations, before) << f;
    }
}
