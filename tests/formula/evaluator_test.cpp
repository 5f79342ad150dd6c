#include <gtest/gtest.h>
#include "formula/cls6.h"
using namespace formula;
TEST(FormulaEvaluator, Smoke) {
    Cls6 f; double r = 0; Vars v{}; v[kVarX] = 3;
    EXPECT_TRUE(f.DoEvaluate("XX 2 ^ (-) ", false, r, v)); EXPECT_EQ(r, -9);
}
