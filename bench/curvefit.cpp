// Curve fitting of all ten models on 100,000 points: the maths alone, and the
// whole run (report, model curves through the formula evaluator, graphs).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "state/globals.h"
#include "fitting/curve_math/curve_fit_math.h"
#include "fitting/curve/curve_fit_run.h"
#include "graph/graph.h"
#include "platform/msgbox.h"
#include "document/scene.h"
#include "null_host.h"

namespace {

constexpr long kPoints = 100000;

// Positive data with noise, so every model's check passes.
void makeData(std::vector<double>& x, std::vector<double>& y) {
    x.resize(kPoints);
    y.resize(kPoints);
    for (long i = 0; i < kPoints; ++i) {
        const double xi = 1 + 0.001 * static_cast<double>(i);
        x[static_cast<std::size_t>(i)] = xi;
        y[static_cast<std::size_t>(i)] = 2 + 3 * std::sqrt(xi) + 0.1 * std::sin(static_cast<double>(i));
    }
}

void BM_FitTenModels(benchmark::State& state) {
    std::vector<double> x, y, xt, yt;
    makeData(x, y);
    for (auto _ : state) {
        for (int m = 1; m <= kCurveModelCount; ++m) {
            CurveModelFit fit = FitCurveModel(m, x, y, xt, yt);
            benchmark::DoNotOptimize(fit.R2);
        }
    }
}
BENCHMARK(BM_FitTenModels)->Unit(benchmark::kMillisecond);

void BM_CurveFitRunTenModels(benchmark::State& state) {
    std::vector<double> x, y;
    makeData(x, y);
    gGridColumnCount = 2;
    gGridRowCount = kPoints;
    gGridColumnNames = {"", "Var1", "Var2"};
    gGridValues.resize(2, kPoints);
    for (long j = 1; j <= kPoints; ++j) {
        gGridValues.at(1, j) = x[static_cast<std::size_t>(j - 1)];
        gGridValues.at(2, j) = y[static_cast<std::size_t>(j - 1)];
    }
    CurveFitRequest r;
    r.xName = "Var1", r.yName = "Var2", r.xColumn = 1, r.yColumn = 2;
    r.models.fill(true);
    platform::MsgRecorder msgs;  // the note that the scatter shows 10001 points
    for (auto _ : state) {
        state.PauseTiming();
        freshDocument();
        NullHost host;
        state.ResumeTiming();
        benchmark::DoNotOptimize(RunCurveFit(r, host));
    }
}
BENCHMARK(BM_CurveFitRunTenModels)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
