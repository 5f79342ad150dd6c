#include "fitting/curve_math/curve_report.h"

#include "formula/number_text.h"

namespace {

const std::string kR2Label = "                      R2=";  // 22 blanks under the model labels

std::string modelLine(const std::string& label, const std::string& modelText) {
    return "\t" + label + "\ty=" + modelText + "\r\n";
}

}  // namespace

std::string CurveReportHeader(const std::string& xName, const std::string& yName) {
    return "Curve Fitting\r\nIndependent:" + xName + "\r\nDependent:  " + yName + "\r\n";
}

std::string CurveReportModelLines(const std::string& label, const std::string& modelText, double R2) {
    return modelLine(label, modelText) + "\t" + kR2Label + "\t" + formula::formatNumberText(R2) + "\r\n";
}

std::string CurveReportDegenerateLines(const std::string& label, RegressionStatus status,
                                       const std::string& modelText) {
    switch (status) {
    case RegressionStatus::YConstant:
        return modelLine(label, modelText) + "\t" + kR2Label +
               "\tundefined (the dependent variable values are all equal)\r\n";
    case RegressionStatus::XConstant:
        return "\t" + label + "\tnot fitted: the independent variable values are all equal.\r\n";
    case RegressionStatus::NoPoints:
        return "\t" + label + "\tnot fitted: there are no data points.\r\n";
    default:
        return "\t" + label + "\tnot fitted: the values are out of the range of numbers.\r\n";
    }
}
