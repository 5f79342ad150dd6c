#pragma once
// Writes fitted parameter values into a model text.
#include <array>
#include <string>

#include "formula/program.h"

namespace formula {

using ParamValues = std::array<double, kParamCount>;  // A..T

// Replaces every whole name that is one of the single letters A..T (either
// case) by its value in formatFormulaNumber's form; other names (x, exp, ab)
// and all other characters are copied. The value is bracketed when it is
// negative or would otherwise run into a neighbouring digit, decimal point,
// name or closing parenthesis (blanks between do not count), so the text
// reads back as the same expression: "2a" with a = 3 gives "2(3)".
std::string substituteParameters(const std::string& expression, const ParamValues& values);

// The same under its module name and argument list; `count` is not read.
void SubstituteParameters(const std::string& expression, std::string& result, long count, double a, double b,
                          double c, double d, double e, double f, double g, double h, double i, double j, double k,
                          double l, double m, double n, double o, double p, double q, double r, double s, double t);

}  // namespace formula
