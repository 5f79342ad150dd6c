#include "fitting/curve_math/number_text.h"

#include <charconv>
#include <cmath>

double RoundTo10Decimals(double value) {
    if (!std::isfinite(value)) return value;
    char buf[400];  // the largest Double has 309 integer digits
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 10);
    double back = value;
    std::from_chars(buf, res.ptr, back);
    return back == 0 ? 0.0 : back;
}
