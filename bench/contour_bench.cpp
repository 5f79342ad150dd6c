// The contour tracer without OpenGL: the floor contours of a 61 x 61 surface
// at 20 levels, as one surface draw traces them (the grid copied anew each time).
#include <benchmark/benchmark.h>

#include <cmath>

#include "render/contour.h"

namespace {

class CountingSink : public ContourLineSink {
public:
    void line(std::span<const PlanePoint> points, bool) override { segments += static_cast<long>(points.size()) - 1; }
    long segments = 0;
};

ContourGrid hills() {
    ContourGrid g(61, 61);
    for (long i = 1; i <= 61; ++i)
        for (long j = 1; j <= 61; ++j) {
            const double x = (j - 31) / 10.0, y = (i - 31) / 10.0;
            g(i, j) = 100 * std::sin(x) * std::cos(y) + 20 * x;
        }
    return g;
}

void TraceFloor61x61Levels20(benchmark::State& state) {
    const ContourGrid source = hills();
    double lo = 0, hi = 0;
    ContourExtremes(61, 61, source, lo, hi);
    const ContourLevels levels = ChooseContourLevels(lo, hi, std::ceil((hi - lo) / 20));
    CountingSink sink;
    for (auto _ : state) {
        ContourGrid S0 = source;
        sink.segments = 0;
        TraceContourLevels(61, 61, 0.1, 0.1, S0, 0, 0, levels, sink);
        benchmark::DoNotOptimize(sink.segments);
    }
    state.counters["levels"] = static_cast<double>(levels.count);
    state.counters["segments"] = static_cast<double>(sink.segments);
}
BENCHMARK(TraceFloor61x61Levels20)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
