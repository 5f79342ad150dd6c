// The scene's union box (asked for many times per picture) and one trackball
// drag step (once per mouse move).
#include <benchmark/benchmark.h>

#include <memory>

#include "state/globals.h"
#include "graph/graph.h"
#include "document/scene.h"
#include "scene/trackball.h"

namespace {

void BM_SceneGetBox(benchmark::State& state) {
    resetGlobals();
    gPlotKind = 3;
    Cls8 scene;
    const long graphs = state.range(0);
    for (long id = 1; id <= graphs; ++id) {
        auto g = std::make_shared<Cls9>();
        g->ID = id;
        g->GraphType = 6;
        g->StepU = g->StepV = 30;
        for (long i = 0; i <= 30; ++i)
            for (long j = 0; j <= 30; ++j) {
                auto p = g->VertTab3D(i, j);
                p->X = static_cast<double>(i);
                p->Y = static_cast<double>(i * j % 7);
                p->Z = static_cast<double>(j + id);
            }
        scene.FunSurfs.Add(g, Cls8::KeyOf(id));
    }
    long frame = 0;
    for (auto _ : state) benchmark::DoNotOptimize(scene.GetBox(frame));
}
BENCHMARK(BM_SceneGetBox)->Arg(1)->Arg(10);

void BM_TrackballDragStep(benchmark::State& state) {
    gRotateMode = 1;
    Quat current{0, 0, 0, 1}, step{};
    RotMatrix m{};
    double x = -0.3;
    for (auto _ : state) {
        Trackball(step, x, 0.1, x + 0.01, 0.12);
        MultiplyQuats(step, current, current);
        BuildRotMatrix(m, current);
        benchmark::DoNotOptimize(m);
        x = x > 0.3 ? -0.3 : x + 0.001;
    }
}
BENCHMARK(BM_TrackballDragStep);

}  // namespace

BENCHMARK_MAIN();
