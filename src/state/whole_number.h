#pragma once
// A Double turned into a whole number (a Long of 32 bits), the one rounding
// the program uses for that: to the nearest, halves to the even one (2.5 -> 2,
// 3.5 -> 4). A value beyond the Long range is clamped to it, so no conversion
// overflows; NaN gives 0.
#include <cmath>
#include <cstdint>

inline long roundHalfEven(double v) {
    constexpr double lo = static_cast<double>(INT32_MIN), hi = static_cast<double>(INT32_MAX);
    if (std::isnan(v)) return 0;
    if (v <= lo) return INT32_MIN;
    if (v >= hi) return INT32_MAX;
    return static_cast<long>(std::nearbyint(v));  // the default rounding mode: ties to even
}
