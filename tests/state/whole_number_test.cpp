// Doubles to Longs: halves to even, clamped to the 32-bit range, NaN 0.
#include "state/whole_number.h"

#include <gtest/gtest.h>

#include <limits>

TEST(WholeNumber, RoundsHalvesToEvenAndClamps) {
    struct Case {
        double in;
        long out;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {2.5, 2},        {3.5, 4},       {-2.5, -2},      {0.5, 0},         {0.05, 0},
        {2.4999, 2},     {-0.6, -1},     {2147483646.5, 2147483646},        {2147483647.4, 2147483647},
        {1e300, 2147483647},             {-1e300, -2147483647 - 1L},        {inf, 2147483647},
        {-inf, -2147483647 - 1L},        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
}
