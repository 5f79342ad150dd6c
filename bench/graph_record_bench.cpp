// The table-layout record of the largest graphs the builders make: a curve of
// 10,001 points and a 61 x 61 surface (each should take well under 25 ms).
// The reference writes the same coordinates with std::to_chars' shortest
// form and blanks only: the least any text of these numbers costs.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <memory>
#include <string>

#include "graph/graph.h"

namespace {

// As the curve builders leave it: nodes (0, 0 .. 10000); row 1 never set.
std::unique_ptr<Cls9> curve10001() {
    auto g = std::make_unique<Cls9>();
    g->GraphType = 4;
    g->NameS = "Exponential Model: y=1.5*exp(0.25*X)";
    g->StepU = 1;
    g->StepV = 10000;
    for (long j = 0; j <= 10000; ++j) {
        auto p = g->VertTab3D(0, j);
        p->X = j * 0.001;
        p->Y = 1.5 * std::exp(0.25 * p->X);
    }
    return g;
}

std::unique_ptr<Cls9> surface61() {
    auto g = std::make_unique<Cls9>();
    g->GraphType = 6;
    g->StepU = g->StepV = 60;
    for (long i = 0; i <= 60; ++i)
        for (long j = 0; j <= 60; ++j) {
            auto p = g->VertTab3D(i, j);
            p->X = i / 7.0;
            p->Z = j / 3.0;
            p->Y = std::sin(p->X) * std::cos(p->Z);
        }
    return g;
}

void saveTable(benchmark::State& state, const Cls9& g) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = g.SaveTable();
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["record_kB"] = static_cast<double>(bytes) / 1024;
}

// Every node's three coordinates in the shortest round-trip form.
void reference(benchmark::State& state, const Cls9& g) {
    for (auto _ : state) {
        std::string text;
        char buf[32];
        for (long i = 0; i <= g.StepU; ++i)
            for (long j = 0; j <= g.StepV; ++j) {
                const Cls2* p = g.PeekVertTab3D(i, j);
                for (double v : {p ? p->X : 0.0, p ? p->Y : 0.0, p ? p->Z : 0.0}) {
                    text.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
                    text += ' ';
                }
            }
        benchmark::DoNotOptimize(text.data());
    }
}

}  // namespace

static void SaveTableCurve10001(benchmark::State& state) { saveTable(state, *curve10001()); }
static void SaveTableSurface61x61(benchmark::State& state) { saveTable(state, *surface61()); }
static void ReferenceCurve10001(benchmark::State& state) { reference(state, *curve10001()); }
static void ReferenceSurface61x61(benchmark::State& state) { reference(state, *surface61()); }
BENCHMARK(SaveTableCurve10001)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceCurve10001)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveTableSurface61x61)->Unit(benchmark::kMillisecond);
BENCHMARK(ReferenceSurface61x61)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
