#include "fitting/curve_math/curve_fit_math.h"

#include <algorithm>
#include <cmath>

#include "fitting/curve_math/curve_models.h"
#include "fitting/curve_math/curve_report.h"
#include "fitting/curve_math/number_text.h"
#include "formula/number_text.h"

namespace {

std::string trimmedLabel(int number) {
    std::string label = curveModel(number).reportLabel;
    label.erase(label.find_last_not_of(' ') + 1);
    return label;
}

}  // namespace

std::string OutOfRangeMessage(int number, std::span<const double> x, std::span<const double> y,
                              std::span<const double> xt, std::span<const double> yt) {
    const std::string lead = trimmedLabel(number) + " cannot be fitted: ";
    for (std::size_t j = 0; j < xt.size() && j < yt.size(); ++j)
        if (!std::isfinite(xt[j]) || !std::isfinite(yt[j]))
            return lead + "data point " + std::to_string(j + 1) + " (x=" + formula::formatNumberText(x[j]) +
                   ", y=" + formula::formatNumberText(y[j]) + ") has no transformed value within the range of numbers.";
    return lead + "the values are too large for the model: its slope or intercept is beyond the range of numbers "
                  "(1.79769313486232E+308).";
}

CurveModelFit FitCurveModel(int number, std::span<const double> x, std::span<const double> y,
                            std::vector<double>& xt, std::vector<double>& yt) {
    const CurveModel& model = curveModel(number);
    CurveModelFit fit;
    const std::size_t n = std::min(x.size(), y.size());
    xt.resize(n);
    yt.resize(n);
    for (std::size_t j = 0; j < n; ++j) {
        fit.checkMessage = TransformCurvePoint(number, x[j], y[j], xt[j], yt[j]);
        if (fit.checkMessage) return fit;
    }

    double a = 0, b = 0, R2 = 0;
    fit.status = LinearRegression(xt, yt, a, b, R2);
    fit.a = RoundTo10Decimals(a);
    fit.b = RoundTo10Decimals(b);
    fit.R2 = RoundTo10Decimals(R2);
    if (fit.status == RegressionStatus::Ok || fit.status == RegressionStatus::YConstant)
        fit.modelText = CurveModelText(number, fit.a, fit.b);
    if (fit.status == RegressionStatus::NotFinite) fit.refusal = OutOfRangeMessage(number, x, y, xt, yt);
    fit.reportLines = fit.status == RegressionStatus::Ok
                          ? CurveReportModelLines(model.reportLabel, fit.modelText, fit.R2)
                          : CurveReportDegenerateLines(model.reportLabel, fit.status, fit.modelText);
    return fit;
}

std::array<double, 100> CurveAbscissae(std::span<const double> x) {
    std::array<double, 100> X{};
    if (x.empty()) return X;
    // Start from the first value, not from fixed sentinels, so any range works.
    double xmin = x[0], xmax = x[0];
    for (double v : x) {
        if (v < xmin) xmin = v;
        if (v > xmax) xmax = v;
    }
    const double step = (xmax - xmin) / 100;
    for (std::size_t i = 0; i < X.size(); ++i) X[i] = xmin + static_cast<double>(i) * step;
    return X;
}
