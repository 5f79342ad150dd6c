#pragma once
// What the axis, light and view dialogs read from their boxes and show in
// them: plain text checks, so the dialogs only move values between their
// controls and these routines. Every check takes the whole box (blanks
// around it aside); a refused box leaves its output untouched.
#include <string>
#include <string_view>

namespace dialoginput {

// The decimal text a box shows for a Double (up to 15 significant digits) and
// for a Single (up to 7), shortest form, "." as the decimal point, the
// exponent form ("1E+20", "1E-07") only for very large or small magnitudes.
std::string DecimalText(double v);
std::string SingleText(float v);

// A number typed into a box: "." or "," as the decimal point, an optional
// sign and exponent, nothing else.
bool ReadNumber(std::string_view text, double& value);
// A number that fits a Single; value is the Single widened.
bool ReadSingle(std::string_view text, float& value);
// An axis ratio: a number above 0 whose Single is above 0 and finite; ratio is
// the Single widened to a Double, as the ratios are stored.
bool ReadRatio(std::string_view text, double& ratio);
// A number of axis label intervals: a number that rounds (halves to even) to
// a whole number from 1 to kMaxLabelCount.
inline constexpr long kMaxLabelCount = 50;
bool ReadLabelCount(std::string_view text, long& count);
// A view interval box: only number characters and blanks (the box is then
// rewritten to `cleaned`, "," read as "."), and those must form one number.
// An empty box reads 0.
bool ReadViewValue(std::string_view text, std::string& cleaned, double& value);

// The messages of a refused box; `box` names it as its label does.
std::string RatioMessage(const std::string& box);
std::string LabelCountMessage(const std::string& box);
std::string SingleMessage(const std::string& box);
inline constexpr const char* kIllegalData = "Illegal data exist.";

}  // namespace dialoginput
