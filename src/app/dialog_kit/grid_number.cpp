#include "app/dialog_kit/grid_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// &H1F, &O17: whole numbers in base 16 or 8.
bool parsePrefixed(std::string_view s, double& value) {
    const char kind = static_cast<char>(s[1] | 0x20);
    const int base = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
    s.remove_prefix(2);
    if (base == 0 || s.empty() || s.size() > 16) return false;
    unsigned long long v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
    value = static_cast<double>(v);
    return true;
}

}  // namespace

bool ParseGridNumber(std::string_view text, double& value) {
    std::string_view s = trimmed(text);
    if (s.size() >= 2 && s[0] == '&') return parsePrefixed(s, value);
    // One pass checks the form and gathers the digits; "," reads as ".".
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t body = i;  // where the unsigned number starts
    unsigned long long mantissa = 0;
    long long digits = 0, fraction = 0;
    // Where the first non-zero digit stands (the exponent aside): tells a
    // value too large for a double from one too small.
    long long order = 0;
    bool point = false, significant = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            if (digits < 19) mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
            ++digits;
            if (point) ++fraction;
            significant = significant || c != '0';
            if (significant && !point) ++order;
            if (!significant && point) --order;
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    long long exponent = 0;
    if (i < s.size()) {
        const char e = static_cast<char>(s[i] | 0x20);
        if (e != 'e' && e != 'd') return false;
        ++i;
        const bool expNegative = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (i == s.size()) return false;
        for (; i < s.size(); ++i) {
            if (!isDigit(s[i])) return false;
            if (exponent < 1000000000000LL) exponent = exponent * 10 + (s[i] - '0');
        }
        if (expNegative) exponent = -exponent;
    }
    // Up to 15 digits scaled by an exact power of ten round correctly in one
    // operation; anything longer goes through the full conversion.
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const long long scale = exponent - fraction;
    double v = 0;
    if (digits <= 15 && scale >= -22 && scale <= 22) {
        const auto m = static_cast<double>(mantissa);
        v = scale < 0 ? m / kPow10[-scale] : m * kPow10[scale];
    } else {
        // The full conversion reads the unsigned number; the sign is applied
        // once, below.
        std::string plain;
        plain.reserve(s.size() - body);
        for (char c : s.substr(body)) plain += c == ',' ? '.' : (c == 'd' || c == 'D') ? 'e' : c;
        auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), v);
        if (end != plain.data() + plain.size()) return false;
        if (ec == std::errc::result_out_of_range) {
            // Too small for a double reads as zero, its nearest; too large is
            // not a number.
            if (order + exponent > 0) return false;
            v = 0;
        } else if (ec != std::errc()) {
            return false;
        }
    }
    if (!std::isfinite(v)) return false;
    value = negative ? -v : v;
    return true;
}

double GridCellValue(std::string_view text) {
    double v = 0;
    return ParseGridNumber(text, v) ? v : 0.0;
}

bool GridSizeFromText(std::string_view text, long& count) {
    double v = 0;
    if (!ParseGridNumber(text, v) || v < 1 || v > 65536) return false;
    count = static_cast<long>(std::nearbyint(v));
    return true;
}
