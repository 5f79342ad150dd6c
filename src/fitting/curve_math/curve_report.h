#pragma once
// Lines of the curve fitting report, with TAB and CR LF as separators.
#include <string>

#include "fitting/curve_math/linear_regression.h"

// "Curve Fitting", "Independent:" x name, "Dependent:  " y name, each ending CR LF.
std::string CurveReportHeader(const std::string& xName, const std::string& yName);

// The two lines of a fitted model: label and "y=" model text, then "R2=" and R2.
std::string CurveReportModelLines(const std::string& label, const std::string& modelText, double R2);

// The lines of a model whose fit came out degenerate (status other than Ok):
// all x' equal or values out of range give one "not fitted" line; all y' equal
// gives the model line and an R2 line saying R2 is undefined.
std::string CurveReportDegenerateLines(const std::string& label, RegressionStatus status,
                                       const std::string& modelText);

// The line that ends a completed run.
inline const std::string kCurveReportEnd = "\r\n";
