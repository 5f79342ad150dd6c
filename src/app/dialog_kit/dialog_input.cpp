#include "app/dialog_kit/dialog_input.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "app/dialog_kit/grid_number.h"
#include "formula/number_text.h"
#include "formula/text_routines.h"

namespace dialoginput {

std::string DecimalText(double v) { return formula::formatNumberText(v); }

std::string SingleText(float v) {
    if (v == 0) return "0";  // -0 too
    if (!std::isfinite(v)) return formula::formatNumberText(v);
    // A Single's shortest text: 7 significant digits, as the Double's has 15.
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 7);
    std::string s(buf, ec == std::errc() ? end : buf);
    for (char& c : s)
        if (c == 'e') c = 'E';
    return s;
}

bool ReadNumber(std::string_view text, double& value) { return ParseGridNumber(text, value); }

bool ReadSingle(std::string_view text, float& value) {
    double v = 0;
    if (!ReadNumber(text, v)) return false;
    const auto f = static_cast<float>(v);
    if (!std::isfinite(f)) return false;
    value = f;
    return true;
}

bool ReadRatio(std::string_view text, double& ratio) {
    float f = 0;
    // Above 0 after the narrowing too: 1E-50 would become a zero scale.
    if (!ReadSingle(text, f) || !(f > 0)) return false;
    ratio = static_cast<double>(f);
    return true;
}

bool ReadLabelCount(std::string_view text, long& count) {
    double v = 0;
    if (!ReadNumber(text, v)) return false;
    const double r = std::nearbyint(v);  // to nearest, halves to even
    if (!(r >= 1 && r <= static_cast<double>(kMaxLabelCount))) return false;
    count = static_cast<long>(r);
    return true;
}

bool ReadViewValue(std::string_view text, std::string& cleaned, double& value) {
    std::string rest(text), number;
    if (!formula::ReadNumberField(rest, number)) return false;
    if (number.empty()) number = "0";  // blanks only
    double v = 0;
    if (!ReadNumber(number, v)) return false;
    cleaned = number;
    value = v;
    return true;
}

std::string RatioMessage(const std::string& box) {
    return box + ": type a number greater than 0 and not above 3.4E+38.";
}

std::string LabelCountMessage(const std::string& box) {
    return box + ": type a whole number from 1 to " + std::to_string(kMaxLabelCount) + ".";
}

std::string SingleMessage(const std::string& box) { return box + ": type a number from -3.4E+38 to 3.4E+38."; }

}  // namespace dialoginput
