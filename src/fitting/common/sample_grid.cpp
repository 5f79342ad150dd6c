#include "fitting/common/sample_grid.h"

#include <algorithm>
#include <cmath>

#include "formula/evaluator.h"

ValueRange RangeOf(std::span<const double> values) {
    if (values.empty()) return {};
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    return {*lo, *hi};
}

ValueRange DefinedRangeOf(std::span<const double> values) {
    bool any = false;
    ValueRange r;
    for (double v : values) {
        if (v == formula::UndefinedValue || !std::isfinite(v)) continue;
        r = any ? ValueRange{std::min(r.min, v), std::max(r.max, v)} : ValueRange{v, v};
        any = true;
    }
    return r;
}

std::vector<double> EvenNodes(ValueRange range, long n) {
    std::vector<double> nodes(static_cast<std::size_t>(std::max(n, 0L)));
    const double step = n > 1 ? (range.max - range.min) / static_cast<double>(n - 1) : 0;
    for (long i = 0; i < n; ++i) nodes[static_cast<std::size_t>(i)] = range.min + step * static_cast<double>(i);
    if (n > 1) nodes.back() = range.max;  // the last node exactly on the end
    return nodes;
}

SurfaceNodes SampleSurfaceNodes(const std::function<double(double, double)>& model, ValueRange x, ValueRange y,
                                long N) {
    SurfaceNodes g;
    g.N = N;
    const std::vector<double> xs = EvenNodes(x, N), ys = EvenNodes(y, N);
    for (double xi : xs)
        for (double yj : ys) {
            g.X.push_back(yj);
            g.Y.push_back(model(xi, yj));
            g.Z.push_back(xi);
        }
    g.value = DefinedRangeOf(g.Y);
    return g;
}

VolumeNodes SampleVolumeNodes(const std::function<double(double, double, double)>& model, ValueRange x, ValueRange y,
                              ValueRange z, long N) {
    VolumeNodes g;
    g.N = N;
    const std::vector<double> xs = EvenNodes(x, N), ys = EvenNodes(y, N), zs = EvenNodes(z, N);
    for (double xi : xs)
        for (double yj : ys)
            for (double zk : zs) {
                g.x.push_back(xi);
                g.y.push_back(yj);
                g.z.push_back(zk);
                g.v.push_back(model(xi, yj, zk));
            }
    g.value = DefinedRangeOf(g.v);
    return g;
}
