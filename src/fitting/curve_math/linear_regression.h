#pragma once
// LinearRegression: the least-squares line y = a + b*x through n points.
#include <span>

// How the line came out. Anything but Ok means the numbers written are a safe
// stand-in (never NaN or infinite) and the caller must say so in its report.
enum class RegressionStatus {
    Ok,
    NoPoints,    // n = 0: a = b = R2 = 0
    XConstant,   // every x equal: no slope; b = 0, a = mean of y, R2 = 0
    YConstant,   // every y equal: b = 0 and a = y exactly, R2 undefined (written as 1: the line fits exactly)
    NotFinite,   // an input is not finite, or a or b is beyond the range of Doubles: a = b = R2 = 0
};

// Fits the line to the points (x[i], y[i]), i < n, n = the size of x (y must hold
// at least n values; extra ones are ignored, fewer count as NoPoints). Writes b,
// a and R2 in that order. The sums of squares are taken on the centred values in
// a second pass, so large offsets in x or y lose no precision, and on the values
// divided by their largest magnitude, so that no sum overflows: any line whose a
// and b a Double holds is found.
RegressionStatus LinearRegression(std::span<const double> x, std::span<const double> y, double& a, double& b,
                                  double& R2);
