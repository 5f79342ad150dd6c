#include "render/legend_ticks.h"

#include <charconv>
#include <cmath>

namespace {

constexpr long kMaxTicks = 20;  // the label array holds 21 entries

}  // namespace

double LegendStep(double span) {
    if (!(span > 0) || !std::isfinite(span)) return 0;
    double e = std::floor(std::log(span) / std::log(10.0));
    double r = span / std::pow(10.0, e);
    // Rounding can leave r a hair outside 1..10 (a span just below a power of ten).
    for (int guard = 0; guard < 4 && r < 1; ++guard) r = span / std::pow(10.0, --e);
    for (int guard = 0; guard < 4 && r > 10; ++guard) r = span / std::pow(10.0, ++e);
    const double unit = std::pow(10.0, e);
    if (r < 2) return 0.2 * unit;
    if (r < 5) return 0.5 * unit;
    return unit;
}

double CeilTolerant(double x) { return x - std::floor(x) < 0.0000001 ? x : std::floor(x) + 1; }

LegendTicks ComputeLegendTicks(double& min, double max) {
    LegendTicks t;
    double span = max - min;
    if (span == 0) {
        min = 0;
        span = max;
    }
    t.step = LegendStep(span);
    if (t.step == 0) return t;
    t.first = CeilTolerant(min / t.step) * t.step;
    const double q = max / t.step;
    t.last = (std::ceil(q) - q < 0.0000001 ? std::ceil(q) : std::floor(q)) * t.step;
    const double count = std::nearbyint((t.last - t.first) / t.step);
    t.count = count >= 0 && count <= kMaxTicks ? static_cast<long>(count) : -1;
    return t;
}

int LabelDecimals(double v) {
    constexpr double kScale[] = {1, 10, 100, 1000};
    for (int d = 0; d < 4; ++d) {
        const double scaled = kScale[d] * v;
        if (std::fabs(scaled - std::nearbyint(scaled)) < 0.00001) return d;
    }
    return 4;
}

std::string LegendLabel(double v) {
    if (!std::isfinite(v)) return {};
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, LabelDecimals(v));
    if (res.ec != std::errc()) return {};
    std::string s(buf, res.ptr);
    if (s.front() == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}
