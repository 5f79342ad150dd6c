// The isosurface extractor on a sphere field: cells visited per second at
// 31^3 nodes (the largest 4-D graph) and 128^3 nodes, on one core.
#include <benchmark/benchmark.h>

#include <vector>

#include "render/isosurface.h"

namespace {

// A sphere of radius 0.35 of the grid's side about its centre.
IsoGrid sphereField(long nodes) {
    IsoGrid g;
    const long n = nodes - 1;
    g.resize(n, n, n);
    const double c = n / 2.0, r = 0.35 * n;
    for (long i = 0; i <= n; ++i)
        for (long j = 0; j <= n; ++j)
            for (long k = 0; k <= n; ++k) {
                const std::size_t at = g.at(i, j, k);
                g.X[at] = static_cast<double>(i);
                g.Y[at] = static_cast<double>(j);
                g.Z[at] = static_cast<double>(k);
                g.W[at] = r * r - ((i - c) * (i - c) + (j - c) * (j - c) + (k - c) * (k - c));
            }
    return g;
}

void BM_IsoSurfaceSphere(benchmark::State& state) {
    const IsoGrid g = sphereField(state.range(0));
    std::vector<IsoTriangle> out;
    std::size_t cells = 0;
    for (auto _ : state) {
        out.clear();
        cells += ExtractIsoSurface(g, 0.0, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["cells_per_s"] = benchmark::Counter(static_cast<double>(cells), benchmark::Counter::kIsRate);
    state.counters["triangles"] = static_cast<double>(out.size());
}
BENCHMARK(BM_IsoSurfaceSphere)->Arg(31)->Arg(128)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
