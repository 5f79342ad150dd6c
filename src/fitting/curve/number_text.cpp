#include "fitting/curve/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

double RoundTo10Decimals(double value) {
    if (!std::isfinite(value)) return value;
    char buf[400];  // the largest Double has 309 integer digits
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 10);
    double back = value;
    std::from_chars(buf, res.ptr, back);
    return back == 0 ? 0.0 : back;
}

std::string ModelNumberText(double value) {
    if (!std::isfinite(value) || value == 0) return "0";
    char buf[64];
    // d.dddddddddddddde±x: 15 significant digits and the decimal exponent.
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const std::string sci(buf, res.ptr);
    const auto ePos = sci.find('e');
    std::string digits = sci.substr(0, 1) + sci.substr(2, ePos - 2);
    const int exponent = std::atoi(sci.c_str() + ePos + 1);
    const int intDigits = exponent + 1;  // digits before the decimal point

    std::string text;
    if (intDigits <= 0) {
        text = "0." + std::string(static_cast<std::size_t>(-intDigits), '0') + digits;
    } else if (intDigits >= static_cast<int>(digits.size())) {
        text = digits + std::string(static_cast<std::size_t>(intDigits) - digits.size(), '0');
    } else {
        text = digits.substr(0, static_cast<std::size_t>(intDigits)) + "." +
               digits.substr(static_cast<std::size_t>(intDigits));
    }
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return value < 0 ? "-" + text : text;
}
