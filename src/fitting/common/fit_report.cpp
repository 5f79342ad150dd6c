#include "fitting/common/fit_report.h"

#include <cmath>

#include "formula/number_text.h"
#include "state/globals.h"

namespace {

// A model typed over several lines is reported on one.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return text;
}

std::string labelled(const std::string& label, const std::string& value) {
    return gTabChar + label + gTabChar + value + gNewLine;
}

const char* methodName(solver::FitMethod method) {
    return method == solver::FitMethod::GaussNewton ? "Gauss-Newton" : "Levenberg-Marquardt";
}

}  // namespace

std::string ReportFigure(double value) { return std::isfinite(value) ? formula::formatNumberText(value) : "undefined"; }

std::string NonlinearReportHead(const std::string& heading, const std::vector<std::string>& independent,
                                const std::string& dependent, char dependentLetter, const std::string& model) {
    std::string text = heading + gNewLine;
    for (const std::string& name : independent) text += "Independent:" + name + gNewLine;
    text += "Dependent:  " + dependent + gNewLine;
    return text + labelled("Model:", std::string(1, dependentLetter) + "=" + oneLine(model));
}

std::string NonlinearReportTail(char dependentLetter, const std::string& fittedModel,
                                const std::vector<double>& standardErrors, const solver::FitResult& fit,
                                solver::FitMethod method) {
    std::string text = labelled("Fitted:", std::string(1, dependentLetter) + "=" + oneLine(fittedModel));
    for (std::size_t k = 0; k < standardErrors.size(); ++k)
        text += labelled("se(" + std::string(1, static_cast<char>('a' + k)) + ")=", ReportFigure(standardErrors[k]));
    text += labelled("R2=", ReportFigure(fit.rSquared));
    text += labelled("SSR=", ReportFigure(fit.residualSumOfSquares));
    text += labelled("s=", ReportFigure(fit.residualStdDev));
    text += labelled("Iterations:", std::to_string(fit.iterations) + " (" + methodName(method) + ")");
    return text + gNewLine;
}

std::string OutOfRangeFitMessage(const solver::FitResult& fit, const std::string& letters) {
    const auto refusal = [](const std::string& figure) {
        return "The fit cannot be reported: " + figure +
               " is beyond the range of numbers (1.79769313486232E+308); the values are too large for the model.";
    };
    const auto letter = [&](std::size_t k) { return k < letters.size() ? std::string(1, letters[k]) : std::to_string(k + 1); };
    for (std::size_t k = 0; k < fit.parameters.size(); ++k)
        if (!std::isfinite(fit.parameters[k])) return refusal("the fitted parameter " + letter(k));
    for (std::size_t k = 0; k < fit.fittedValues.size(); ++k)
        if (!std::isfinite(fit.fittedValues[k])) return refusal("the fitted model at data point " + std::to_string(k + 1));
    if (!std::isfinite(fit.residualSumOfSquares)) return refusal("the residual sum of squares");
    if (std::isinf(fit.residualStdDev)) return refusal("s, the residual standard deviation");
    if (std::isinf(fit.rSquared)) return refusal("R2");
    for (std::size_t k = 0; k < fit.standardErrors.size(); ++k)
        if (std::isinf(fit.standardErrors[k])) return refusal("the standard error of " + letter(k));
    return {};
}
