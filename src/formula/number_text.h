#pragma once
// Numbers written into formula and model text.
#include <string>

namespace formula {

// Plain positional decimal text of a Double: "." as the decimal point, never
// the exponent form (the formula language has none, and "E" is a parameter),
// rounded to 15 significant digits, no trailing zeros; 0 and -0 give "0".
// Non-finite values give "NaN", "Inf" or "-Inf", which no formula accepts.
std::string formatFormulaNumber(double value);

}  // namespace formula
