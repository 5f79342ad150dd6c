#include "fitting/curve/linear_regression.h"

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

    double sx = 0, sy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sx += x[i];
        sy += y[i];
    }
    const double xm = sx / static_cast<double>(n);
    const double ym = sy / static_cast<double>(n);

    double sxx = 0, sxy = 0, syy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = x[i] - xm, dy = y[i] - ym;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
    }
    if (!std::isfinite(xm) || !std::isfinite(ym) || !std::isfinite(sxx) || !std::isfinite(sxy) ||
        !std::isfinite(syy)) {
        b = 0;
        a = 0;
        R2 = 0;
        return RegressionStatus::NotFinite;
    }

    // Equal values are tested directly: their mean may differ from them in the
    // last bit, which would leave a tiny false spread instead of zero.
    if (allEqual(x) || sxx == 0) {
        b = 0;
        a = ym;
        R2 = 0;
        return RegressionStatus::XConstant;
    }
    if (allEqual(y) || syy == 0) {
        b = 0;
        a = allEqual(y) ? y[0] : ym;
        R2 = 1;
        return RegressionStatus::YConstant;
    }

    b = sxy / sxx;
    a = ym - b * xm;
    double sse = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = y[i] - a - b * x[i];
        sse += r * r;
    }
    R2 = 1 - sse / syy;
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(R2)) {
        b = 0;
        a = 0;
        R2 = 0;
        return RegressionStatus::NotFinite;
    }
    return RegressionStatus::Ok;
}
