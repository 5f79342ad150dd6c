// Polynomial fitting of the trinary cubic (19 coefficients) on 65,535 rows:
// the solver alone, beside a plain Eigen ColPivHouseholderQR solve of the same
// 65,535 x 19 least-squares problem as the reference, and the whole run behind
// the dialog's OK without drawing (reading the grid data, the fit, the report,
// the 21^3 volume and its graph).
#include <benchmark/benchmark.h>

#include <Eigen/Dense>
#include <cmath>
#include <vector>

#include "document/scene.h"
#include "fitting/polynomial/polynomial_fit_run.h"
#include "fitting/solver/polynomial_fit.h"
#include "graph/graph.h"
#include "null_host.h"
#include "state/globals.h"

namespace {

constexpr int kRows = 65535;
constexpr int kTrinaryCubic = 9;

// Scattered points in [-2, 3]^3 with a smooth value and a little noise.
solver::PolynomialFitRequest trinaryCubicData() {
    solver::PolynomialFitRequest req;
    req.model = kTrinaryCubic;
    req.columns.assign(3, std::vector<double>(kRows));
    req.observed.resize(kRows);
    for (int i = 0; i < kRows; ++i) {
        const double x = -2 + 5 * std::fmod(i * 0.6180339887, 1.0);
        const double y = -2 + 5 * std::fmod(i * 0.7548776662, 1.0);
        const double z = -2 + 5 * std::fmod(i * 0.5698402910, 1.0);
        req.columns[0][i] = x;
        req.columns[1][i] = y;
        req.columns[2][i] = z;
        req.observed[i] = 1 + x - 2 * y + 0.5 * z * z + 0.1 * x * x * y - 0.05 * z * z * z + 0.01 * std::sin(i);
    }
    return req;
}

void BM_FitPolynomialTrinaryCubic(benchmark::State& state) {
    const solver::PolynomialFitRequest req = trinaryCubicData();
    for (auto _ : state) {
        const solver::FitResult r = solver::fitPolynomial(req);
        benchmark::DoNotOptimize(r.parameters.data());
    }
}
BENCHMARK(BM_FitPolynomialTrinaryCubic)->Unit(benchmark::kMillisecond);

// The reference: the design matrix of the raw powers built once outside the
// loop, then a column-pivoted QR least-squares solve alone.
void BM_EigenColPivQRTrinaryCubic(benchmark::State& state) {
    const solver::PolynomialFitRequest req = trinaryCubicData();
    const auto& terms = solver::polynomialTerms(kTrinaryCubic);
    Eigen::MatrixXd a(kRows, static_cast<Eigen::Index>(terms.size()));
    for (int i = 0; i < kRows; ++i)
        for (std::size_t k = 0; k < terms.size(); ++k)
            a(i, static_cast<Eigen::Index>(k)) = std::pow(req.columns[0][i], terms[k].px) *
                                                  std::pow(req.columns[1][i], terms[k].py) *
                                                  std::pow(req.columns[2][i], terms[k].pz);
    const Eigen::VectorXd y = Eigen::Map<const Eigen::VectorXd>(req.observed.data(), kRows);
    for (auto _ : state) {
        const Eigen::VectorXd b = a.colPivHouseholderQr().solve(y);
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(BM_EigenColPivQRTrinaryCubic)->Unit(benchmark::kMillisecond);

void BM_PolynomialRunTrinaryCubic(benchmark::State& state) {
    const solver::PolynomialFitRequest req = trinaryCubicData();
    gGridColumnCount = 4;
    gGridRowCount = kRows;
    gGridColumnNames = {"", "Var1", "Var2", "Var3", "Var4"};
    gGridValues.resize(4, kRows);
    for (long j = 1; j <= kRows; ++j) {
        for (long c = 1; c <= 3; ++c) gGridValues.at(c, j) = req.columns[c - 1][j - 1];
        gGridValues.at(4, j) = req.observed[j - 1];
    }
    PolynomialRunRequest r;
    r.model = kTrinaryCubic;
    r.independent = {{"Var1", 1}, {"Var2", 2}, {"Var3", 3}};
    r.dependent = {"Var4", 4};
    for (auto _ : state) {
        state.PauseTiming();
        gGraphs = std::make_shared<Cls8>();
        gScene = std::make_shared<Cls8>();
        gGraphCounter = 0;
        gPlotKind = 11;
        NullHost host;
        state.ResumeTiming();
        if (!RunPolynomialFit(r, host)) state.SkipWithError("the run stopped");
    }
}
BENCHMARK(BM_PolynomialRunTrinaryCubic)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
