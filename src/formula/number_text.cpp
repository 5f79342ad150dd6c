#include "formula/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace formula {

void appendFormulaNumber(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "NaN";
        return;
    }
    if (std::isinf(value)) {
        out += value > 0 ? "Inf" : "-Inf";
        return;
    }
    if (value == 0) {
        out += '0';
        return;
    }
    // 15 significant digits as d.dddddddddddddde[+-]x, taken apart in place:
    // the graph records write tens of thousands of numbers.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const char* e = std::find(buf, res.ptr, 'e');
    char digits[32];
    std::size_t n = 0;
    digits[n++] = buf[0];
    for (const char* p = buf + 2; p < e; ++p) digits[n++] = *p;
    const char* q = e + 1;
    const bool negativeExponent = *q == '-';
    if (*q == '+' || *q == '-') ++q;
    int exponent = 0;
    std::from_chars(q, res.ptr, exponent);
    if (negativeExponent) exponent = -exponent;
    while (n > 1 && digits[n - 1] == '0') --n;

    if (value < 0) out += '-';
    if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(digits, n);
    } else {
        const std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
        if (n <= intLen) {
            out.append(digits, n);
            out.append(intLen - n, '0');
        } else {
            out.append(digits, intLen);
            out += '.';
            out.append(digits + intLen, n - intLen);
        }
    }
}

std::string formatFormulaNumber(double value) {
    std::string out;
    appendFormulaNumber(out, value);
    return out;
}

std::string formatNumberText(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
    if (value == 0) return "0";
    // The value rounded to 15 significant digits, as d.dddddddddddddde[+-]x.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string sci(buf, res.ptr);
    const std::size_t e = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + e + 1);
    if (exponent >= -4 && exponent < 15) {
        double rounded = value;
        std::from_chars(buf, res.ptr, rounded);
        return formatFormulaNumber(rounded);
    }
    std::string mantissa = sci.substr(0, e);
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
    const std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    return mantissa + (exponent < 0 ? "E-" : "E+") + (digits.size() < 2 ? "0" : "") + digits;
}

namespace {

// Where the first significant digit of a number text such as "-0.0012e-5"
// stands: positive for a value of 1 or more, negative for one below 0.1 (the
// sign is all that tells an overflow from an underflow).
long long decimalOrder(const std::string& number) {
    const std::size_t e = number.find('e');
    const std::string mantissa = number.substr(0, e);
    const std::size_t first = mantissa.find_first_of("123456789");
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    long long order = first < point ? static_cast<long long>(point - first) : -static_cast<long long>(first - point);
    if (e != std::string::npos) order += std::clamp(std::strtoll(number.c_str() + e + 1, nullptr, 10), -1000000LL, 1000000LL);
    return order;
}

}  // namespace

double readNumberText(std::string_view text) {
    // The characters that make the number, blanks left out.
    std::string number;
    std::size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;
    };
    auto isDigit = [&] { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    auto digitsRun = [&] {
        std::size_t n = 0;
        for (skip(); isDigit(); skip(), ++n) number += text[i++];
        return n;
    };
    skip();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    std::size_t digits = digitsRun();
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        digits += digitsRun();
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        const std::size_t back = number.size(), at = i;
        number += 'e';
        ++i;
        skip();
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
        if (digitsRun() == 0) {  // an "E" without digits ends the number before it
            number.resize(back);
            i = at;
        }
    }
    if (number.front() == '+') number.erase(0, 1);
    double value = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        const bool negative = number.front() == '-';
        if (decimalOrder(number) < 0) return negative ? -0.0 : 0.0;
        return negative ? -HUGE_VAL : HUGE_VAL;
    }
    return value;
}

}  // namespace formula
