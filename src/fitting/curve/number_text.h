#pragma once
// Number texts of the curve fitting report and model texts.
#include <string>

// Rounds to ten decimal places by writing the number with exactly ten decimals
// and reading it back (locale-free). -0 comes back as 0.
double RoundTo10Decimals(double value);

// Decimal text for a model text or the report: "." as the decimal point, never
// the exponent form (the formula language reads "E" as the parameter e), at most
// 15 significant digits, no trailing zeros, "0" for zero. A value that is not
// finite gives "0"; callers test finiteness before they write.
std::string ModelNumberText(double value);
