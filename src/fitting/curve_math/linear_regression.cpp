#include "fitting/curve_math/linear_regression.h"

#include <algorithm>
#include <cmath>

namespace {

bool allEqual(std::span<const double> v) {
    for (double d : v)
        if (d != v[0]) return false;
    return true;
}

bool allFinite(std::span<const double> v) {
    for (double d : v)
        if (!std::isfinite(d)) return false;
    return true;
}

}  // namespace

RegressionStatus LinearRegression(std::span<const double> x, std::span<const double> y, double& a, double& b,
                                  double& R2) {
    const std::size_t n = x.size();
    if (n == 0 || y.size() < n) {
        b = 0;
        a = 0;
        R2 = 0;
        return RegressionStatus::NoPoints;
    }
    x = x.first(n);
    y = y.first(n);
    if (!allFinite(x) || !allFinite(y)) {
        b = 0;
        a = 0;
        R2 = 0;
        return RegressionStatus::NotFinite;
    }

    // The sums are taken on x / max|x| and y / max|y|, so that no square overflows however
    // large the values; b and a are turned back at the end.
    double xScale = 0, yScale = 0;
    for (std::size_t i = 0; i < n; ++i) {
        xScale = std::max(xScale, std::abs(x[i]));
        yScale = std::max(yScale, std::abs(y[i]));
    }
    if (xScale == 0) xScale = 1;
    if (yScale == 0) yScale = 1;
    double sx = 0, sy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sx += x[i] / xScale;
        sy += y[i] / yScale;
    }
    const double xm = sx / static_cast<double>(n);
    const double ym = sy / static_cast<double>(n);

    double sxx = 0, sxy = 0, syy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = x[i] / xScale - xm, dy = y[i] / yScale - ym;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
    }

    // Equal values are tested directly: their mean may differ from them in the
    // last bit, which would leave a tiny false spread instead of zero.
    if (allEqual(x) || sxx == 0) {
        b = 0;
        a = ym * yScale;
        R2 = 0;
        return RegressionStatus::XConstant;
    }
    if (allEqual(y) || syy == 0) {
        b = 0;
        a = allEqual(y) ? y[0] : ym * yScale;
        R2 = 1;
        return RegressionStatus::YConstant;
    }

    // In scaled units: y/yScale = as + bs * x/xScale.
    const double bs = sxy / sxx, as = ym - bs * xm;
    double sse = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = y[i] / yScale - as - bs * (x[i] / xScale);
        sse += r * r;
    }
    // yScale / xScale itself may be beyond a Double where b is not.
    int ey = 0, ex = 0;
    const double my = std::frexp(yScale, &ey), mx = std::frexp(xScale, &ex);
    b = std::ldexp(bs * (my / mx), ey - ex);
    a = as * yScale;
    R2 = 1 - sse / syy;
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(R2)) {
        b = 0;
        a = 0;
        R2 = 0;
        return RegressionStatus::NotFinite;
    }
    return RegressionStatus::Ok;
}
