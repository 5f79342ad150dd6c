// Tick positions and number texts of the axis frame (no drawing).
#include <cmath>
#include <cstdio>
#include <string>

#include "scene/axis.h"

namespace {

// The exact ceiling: x itself when whole, else the next whole number up.
void CeilValue(double x, double& result) {
    const double i = std::floor(x);
    result = (x - i == 0.0) ? x : i + 1;
}

}  // namespace

void Cls3::Coord(double& Vmin, double& Vmax, double& step, double& lower, double& upper, long& k) {
    double span = Vmax - Vmin;
    if (span == 0.0) {
        Vmin = 0;
        span = Vmax;
    }
    // Bounds near the largest Double whose difference overflows are measured
    // by halves, so such an axis keeps its ticks.
    const bool halved = std::isinf(span) && std::isfinite(Vmin) && std::isfinite(Vmax);
    if (halved) span = Vmax / 2 - Vmin / 2;
    // No span to divide (an empty range at 0, a reversed range, a value that
    // is not finite): no ticks, and the caller's values stay as they were.
    if (!(span > 0.0) || !std::isfinite(span) || !std::isfinite(Vmin)) return;
    double e = std::floor(std::log(span) / std::log(10.0));
    double r = span / std::pow(10.0, e);
    // ln(1000) / ln(10) falls just short of 3: keep r within 1 <= r < 10 so
    // that spans that are powers of ten still get their ticks.
    if (r >= 10.0) {
        e += 1;
        r = span / std::pow(10.0, e);
    } else if (r < 1.0) {
        e -= 1;
        r = span / std::pow(10.0, e);
    }
    if (halved) {
        r *= 2;
        if (r >= 10.0) {
            e += 1;
            r /= 10;
        }
    }
    const double p = std::pow(10.0, e);
    double s;
    if (r >= 1 && r < 2) s = 0.2 * p;
    else if (r >= 2 && r < 5) s = 0.5 * p;
    else if (r >= 5 && r < 10) s = p;
    else return;
    step = s;
    double cLower = 0, cUpper = 0;
    CeilValue(Vmin / step, cLower);
    lower = cLower * step;
    CeilValue(Vmax / step, cUpper);
    // The tick above the largest Double is not one: the last finite one is.
    upper = std::isfinite(cUpper * step) ? cUpper * step : (cUpper - 1) * step;
    // Both ends are whole multiples of the step: the difference of the
    // multiples counts the steps exactly, where (upper - lower) / step
    // could overflow.
    double n = cUpper - cLower;
    if (!(n >= 0)) n = 0;
    if (n > 1000) n = 1000;
    k = static_cast<long>(n);
}

std::string FormatNumberFixed(double v, int decimals) {
    if (!std::isfinite(v)) return std::isnan(v) ? "NaN" : (v > 0 ? "Infinity" : "-Infinity");
    char buf[400];
    // Written out, 1e308 takes over 400 characters and its label lands far
    // off the picture: from 1e15 on the exponent form keeps labels short.
    if (std::fabs(v) >= 1e15) {
        std::snprintf(buf, sizeof buf, "%.15g", v);
        return buf;
    }
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    bool negative = !s.empty() && s[0] == '-';
    if (negative) s.erase(0, 1);
    // A value that rounds to zero shows no sign.
    if (s.find_first_not_of("0.") == std::string::npos) negative = false;
    const std::size_t point = s.find('.');
    const std::size_t digits = point == std::string::npos ? s.size() : point;
    std::string out = negative ? "-" : "";
    for (std::size_t i = 0; i < digits; ++i) {
        if (i > 0 && (digits - i) % 3 == 0) out += ',';
        out += s[i];
    }
    out.append(s, digits, std::string::npos);
    return out;
}

std::string AxisNumberText(double v) { return FormatNumberFixed(v, 1); }

std::string TickNumberText(double v) {
    int d = 4;
    double scale = 1;
    // Measured to the nearest whole number, so that a tick a hair below a
    // round value (0.29999999999999999) still shows as 0.3.
    for (int i = 0; i <= 3; ++i, scale *= 10) {
        if (std::fabs(std::nearbyint(scale * v) - scale * v) < 1e-7) {
            d = i;
            break;
        }
    }
    return FormatNumberFixed(v, d);
}
