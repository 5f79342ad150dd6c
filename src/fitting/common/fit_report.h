#pragma once
// The report of a nonlinear fit (curve, surface or volume) around the
// parameter lines of ReportFittedParameters, with TAB and CR LF separators.
#include <string>
#include <vector>

#include "fitting/solver/fit_result.h"

// heading ("Nonlinear Curve Fitting"); "Independent:" and each independent
// column's name; "Dependent:  " and the dependent one's; TAB "Model:" TAB, the
// dependent variable's letter, "=", the model as typed (its line breaks and
// tabs as blanks). Each line ends CR LF.
std::string NonlinearReportHead(const std::string& heading, const std::vector<std::string>& independent,
                                const std::string& dependent, char dependentLetter, const std::string& model);

// After the parameter lines: TAB "Fitted:" TAB, the letter, "=", the fitted
// model; TAB "se(a)=" TAB the standard error of each parameter (letter order,
// as standardErrors is); TAB "R2=", "SSR=" and "s=" TAB value; TAB
// "Iterations:" TAB the count and the method; an empty line. A figure that has
// no value reads "undefined".
std::string NonlinearReportTail(char dependentLetter, const std::string& fittedModel,
                                const std::vector<double>& standardErrors, const solver::FitResult& fit,
                                solver::FitMethod method);

// The text of a figure of the report: its number text, or "undefined".
std::string ReportFigure(double value);

// The last check of a converged fit before it is reported: empty when every parameter, the
// residual sum of squares and every fitted value are finite, and s, R2 and each standard
// error either finite or undefined (NaN: no degrees of freedom left, no spread in the data,
// a parameter the data do not determine); otherwise the refusal naming the first figure
// beyond the range of numbers. letters names the parameters in the order of fit.parameters.
std::string OutOfRangeFitMessage(const solver::FitResult& fit, const std::string& letters);
