#pragma once
// Numbers written into formula and model text, the program's number text for
// reports and option boxes, and the reading of a number typed into an option box.
#include <numbers>
#include <string>
#include <string_view>

namespace formula {

// The formula language's PI: pi to the precision of a Double. Token lists and
// compiled texts carry it as kPiToken, the shortest text that reads back to
// exactly kPi, so that a model using pi fits to every digit its data hold.
inline constexpr double kPi = std::numbers::pi;
inline constexpr const char* kPiToken = "3.141592653589793";

// Plain positional decimal text of a Double: "." as the decimal point, never
// the exponent form (the formula language has none, and "E" is a parameter),
// rounded to 15 significant digits, no trailing zeros; 0 and -0 give "0".
// Non-finite values give "NaN", "Inf" or "-Inf", which no formula accepts.
std::string formatFormulaNumber(double value);
// The same text appended to out.
void appendFormulaNumber(std::string& out, double value);

// The number text of reports and option boxes: at most 15 significant digits
// in the shortest form, "." as the decimal point whatever the locale, a minus
// sign only when negative (-0 gives "0"), and the exponent form (mantissa, "E",
// sign, at least two digits: 1E-07, 1.5E+20) below 1E-04 and from 1E+15 on.
// Non-finite values give "NaN", "Inf" or "-Inf"; reports say "undefined" instead.
std::string formatNumberText(double value);

// Reads the number at the start of a text typed into an option box: blanks,
// tabs and line feeds are skipped wherever they stand; then an optional sign,
// digits with at most one "." and an optional exponent (E or e, an optional
// sign, digits) are taken up to the first other character. A text that does not
// begin with a number reads 0. A value too large for a Double reads as an
// infinity (so range checks refuse it), one too small as 0.
double readNumberText(std::string_view text);

}  // namespace formula
