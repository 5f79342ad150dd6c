// The run behind OK of the nonlinear curve fitting dialog on 10,000 points of
// a*exp(-b*x)+c*sin(d*x) with seeded noise, beside fitNonlinear alone on the
// same request, and the run's own work alone (checks, reading the grid, the
// report, the two graphs). Aim: the own work at most 10% of the fit's time.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "document/scene.h"
#include "fitting/common/fit_options.h"
#include "fitting/common/fit_setup.h"
#include "fitting/nonlinear/nonlin_fit_run.h"
#include "graph/graph.h"
#include "state/globals.h"
#include "null_host.h"

namespace {

constexpr long kPoints = 10000;

// The grid as LoadGridData leaves it, and what the dialog holds on OK.
FitDialogInput prepare() {
    resetGlobals();
    std::mt19937 rng(12345);
    std::normal_distribution<double> noise(0.0, 0.05);
    gGridColumnCount = 2;
    gGridRowCount = kPoints;
    gGridColumnNames = {"", "x", "y"};
    gGridValues.resize(2, kPoints);
    for (long j = 1; j <= kPoints; ++j) {
        const double x = 10.0 * static_cast<double>(j - 1) / (kPoints - 1);
        gGridValues.at(1, j) = x;
        gGridValues.at(2, j) = 5 * std::exp(-0.3 * x) + 2 * std::sin(1.5 * x) + noise(rng);
    }
    FitDialogInput in;
    in.model = "a*exp(-b*x)+c*sin(d*x)";
    in.parameters = {"a(4)", "b(0.25)", "c(1.5)", "d(1.45)"};
    in.columns = {{"x", 1}, {"y", 2}};
    return in;
}

void BM_FitNonlinearAlone(benchmark::State& state) {
    const FitDialogInput in = prepare();
    NonlinearSetup setup;
    std::string message;
    if (SetUpNonlinearFit(in, MakeFitOptions(2, 200, 1e-7), setup, message) != SetupStatus::Ready)
        state.SkipWithError(message.c_str());
    for (auto _ : state) {
        state.PauseTiming();
        NonlinearSetup fresh;
        SetUpNonlinearFit(in, MakeFitOptions(2, 200, 1e-7), fresh, message);
        state.ResumeTiming();
        const solver::FitResult r = solver::fitNonlinear(fresh.request);
        if (!r.converged()) state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(r.parameters.data());
    }
}
BENCHMARK(BM_FitNonlinearAlone)->Unit(benchmark::kMillisecond);

void BM_NonLinFitRun(benchmark::State& state) {
    const FitDialogInput in = prepare();
    for (auto _ : state) {
        state.PauseTiming();
        freshDocument();
        NullHost host;
        state.ResumeTiming();
        if (!RunNonLinFit(in, host)) state.SkipWithError("the run did not complete");
    }
}
BENCHMARK(BM_NonLinFitRun)->Unit(benchmark::kMillisecond);

// The run's own work: the set-up (checks, the model compiled, the grid read)
// and the result side (report, scatter of 10,000 points, curve of 201).
void BM_RunOwnWork(benchmark::State& state) {
    const FitDialogInput in = prepare();
    NonlinearSetup fitted;
    std::string message;
    SetUpNonlinearFit(in, MakeFitOptions(2, 200, 1e-7), fitted, message);
    const solver::FitResult fit = solver::fitNonlinear(fitted.request);
    for (auto _ : state) {
        state.PauseTiming();
        freshDocument();
        NullHost host;
        state.ResumeTiming();
        NonlinearSetup setup;
        benchmark::DoNotOptimize(SetUpNonlinearFit(in, MakeFitOptions(2, 200, 1e-7), setup, message));
        PresentNonLinFit(in, setup, fit, host);
    }
}
BENCHMARK(BM_RunOwnWork)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
