#pragma once
// One model of a curve fit: data check, transform, least-squares line, rounding,
// model text and report lines; and the abscissae of the model curves.
#include <array>
#include <span>
#include <string>
#include <vector>

#include "fitting/curve_math/linear_regression.h"

struct CurveModelFit {
    // Set when a point failed the model's data check: the run stops with this
    // message and nothing else of this model is reported.
    const char* checkMessage = nullptr;
    // Set when the fit came out beyond the range of numbers (a transformed value, the slope or
    // the intercept): the run refuses the data with this message before anything is reported.
    std::string refusal;
    RegressionStatus status = RegressionStatus::Ok;
    double a = 0, b = 0, R2 = 0;  // rounded to ten decimals
    std::string modelText;        // empty when no line could be fitted
    std::string reportLines;
    // A curve can be drawn from the model text (Ok or YConstant).
    bool plottable() const { return !checkMessage && !modelText.empty(); }
};

// Fits model `number` (1 .. 10) to the points (x[j], y[j]), j < n = x.size().
// xt and yt are working buffers, resized to n and overwritten.
CurveModelFit FitCurveModel(int number, std::span<const double> x, std::span<const double> y,
                            std::vector<double>& xt, std::vector<double>& yt);

// The refusal of model `number` whose fit on (xt, yt), transformed from (x, y), came out
// beyond the range of numbers: names the model and the first data point whose transformed
// value is not finite, or says that the slope or intercept is too large.
std::string OutOfRangeMessage(int number, std::span<const double> x, std::span<const double> y,
                              std::span<const double> xt, std::span<const double> yt);

// The 100 abscissae of the model curves: xmin + i * (xmax - xmin) / 100,
// i = 0 .. 99, so the last lies one step short of xmax. Empty x gives zeros.
std::array<double, 100> CurveAbscissae(std::span<const double> x);
