// The graph model's hot paths: a new graph, GetBox over a full curve and a
// surface, and colour-map lookups per vertex.
#include <benchmark/benchmark.h>

#include <cmath>

#include "graph/graph.h"
#include "render/colormap.h"

static void NewGraph(benchmark::State& state) {
    for (auto _ : state) {
        Cls9 g;
        benchmark::DoNotOptimize(&g);
    }
}
BENCHMARK(NewGraph);

static void GetBoxCurve10001(benchmark::State& state) {
    Cls9 g;
    g.GraphType = 4;
    g.StepV = 10000;
    for (long j = 0; j <= 10000; ++j) {
        auto p = g.VertTab3D(0, j);
        p->X = j;
        p->Y = std::sin(j * 0.01);
    }
    for (auto _ : state) benchmark::DoNotOptimize(g.GetBox());
    state.counters["graph_kB"] = static_cast<double>(sizeof(Cls9) + g.allocatedBytes()) / 1024;
}
BENCHMARK(GetBoxCurve10001);

static void GetBoxSurface61x61(benchmark::State& state) {
    Cls9 g;
    g.GraphType = 6;
    g.StepU = g.StepV = 60;
    for (long i = 0; i <= 60; ++i)
        for (long j = 0; j <= 60; ++j) {
            auto p = g.VertTab3D(i, j);
            p->X = i;
            p->Z = j;
            p->Y = i * j;
        }
    for (auto _ : state) benchmark::DoNotOptimize(g.GetBox());
    state.counters["graph_kB"] = static_cast<double>(sizeof(Cls9) + g.allocatedBytes()) / 1024;
}
BENCHMARK(GetBoxSurface61x61);

static void GraphColourLookup(benchmark::State& state) {
    Cls9 g;
    g.ColorName = "Rainbow";
    double v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MapGraphValueToColor(g, v, 0, 100));
        v = v >= 100 ? 0 : v + 0.37;
    }
}
BENCHMARK(GraphColourLookup);

BENCHMARK_MAIN();
