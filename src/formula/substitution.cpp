#include "formula/substitution.h"

#include <cmath>
#include <string_view>

#include "formula/compiler.h"
#include "formula/number_text.h"

namespace formula {

namespace {

bool isDigitLike(char c) { return (c >= '0' && c <= '9') || c == '.' || c == ','; }

bool isNameCharAt(std::string_view s, std::size_t k) { return k < s.size() && isNameChar(s.substr(k, 1)); }

// Would a number written here join what stands before or after it?
bool runsIntoNeighbour(const std::string& before, std::string_view after) {
    const std::size_t p = before.find_last_not_of(' ');
    if (p != std::string::npos) {
        const char c = before[p];
        if (isDigitLike(c) || c == ')' || isNameChar(std::string_view(&c, 1))) return true;
    }
    const std::size_t q = after.find_first_not_of(' ');
    if (q != std::string_view::npos) {
        const char c = after[q];
        if (isDigitLike(c) || isNameChar(std::string_view(&c, 1))) return true;
    }
    return false;
}

}  // namespace

std::string substituteParameters(const std::string& expression, const ParamValues& values) {
    const std::string_view s = expression;
    std::string out;
    std::size_t i = 0;
    while (i < s.size()) {
        if (!isNameCharAt(s, i)) {
            out += s[i++];
            continue;
        }
        std::size_t j = i;
        while (isNameCharAt(s, j)) ++j;
        const std::string_view name = s.substr(i, j - i);
        const int slot = name.size() == 1 ? varIndex(name[0]) : -1;
        if (slot >= kVarA) {
            const double v = values[static_cast<std::size_t>(slot - kVarA)];
            const std::string text = formatFormulaNumber(v);
            const bool bracket = v < 0 || !std::isfinite(v) || runsIntoNeighbour(out, s.substr(j));
            out += bracket ? "(" + text + ")" : text;
        } else {
            out += name;
        }
        i = j;
    }
    return out;
}

void SubstituteParameters(const std::string& expression, std::string& result, long /*count*/, double a, double b,
                          double c, double d, double e, double f, double g, double h, double i, double j, double k,
                          double l, double m, double n, double o, double p, double q, double r, double s, double t) {
    result = substituteParameters(expression, ParamValues{a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t});
}

}  // namespace formula
