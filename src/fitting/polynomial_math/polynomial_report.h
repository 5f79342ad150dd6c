#pragma once
// The report of a polynomial fit, in the curve report's style: TAB and CR LF
// as separators, numbers in the program's number text (15 significant digits,
// the exponent form where it is shorter, never rounded to 0), "undefined" where
// a figure has no value. The model texts of the graphs keep the formula's
// positional decimals, which the formula engine reads back.
#include <string>
#include <vector>

#include "fitting/solver/fit_result.h"

// "Polynomial Fitting"; the model name ": " the model text; "Independent:"
// and the name of each independent column (x, y, z in turn); "Dependent:  "
// and the dependent column's name; TAB "b<k>=" TAB value TAB "se=" TAB
// standard error per coefficient; TAB "R2=" TAB R2; TAB "Data points:" TAB the
// number of points fitted.
std::string PolynomialReport(int model, const std::vector<std::string>& independent, const std::string& dependent,
                             const solver::FitResult& fit, long points);
