// Nanoseconds per formula evaluation over 100,000 abscissae: the compiled
// Program directly, and through Cls6::DoEvaluate with its postfix text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "formula/cls6.h"
#include "formula/compiler.h"
#include "formula/evaluator.h"

using namespace formula;

namespace {

constexpr int kPoints = 100000;
const char* const kFormulas[] = {"a*exp(-b*x)+c", "a+b*x+c*x^2+d*x^3", "a*sin(b*x+c)/(1+d*x^2)"};

Vars parameters() {
    Vars v{};
    v[kVarA] = 1.7;
    v[kVarA + 1] = 0.3;
    v[kVarA + 2] = -0.4;
    v[kVarA + 3] = 0.05;
    return v;
}

void perEvaluation(benchmark::State& state) {
    state.counters["ns_per_eval"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kPoints * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(kFormulas[state.range(0)]);
}

void BM_ProgramEvaluate(benchmark::State& state) {
    CompileResult err;
    const Program p = compileFormula(kFormulas[state.range(0)], err);
    Vars v = parameters();
    for (auto _ : state) {
        double sum = 0;
        for (int k = 0; k < kPoints; ++k) {
            v[kVarX] = -5.0 + 10.0 * k / kPoints;
            sum += evaluate(p, v, false).value;
        }
        benchmark::DoNotOptimize(sum);
    }
    perEvaluation(state);
}
BENCHMARK(BM_ProgramEvaluate)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_Cls6DoEvaluate(benchmark::State& state) {
    Cls6 f;
    std::string postfix;
    f.InfixToPostfix(kFormulas[state.range(0)], postfix);
    Vars v = parameters();
    for (auto _ : state) {
        double sum = 0;
        for (int k = 0; k < kPoints; ++k) {
            v[kVarX] = -5.0 + 10.0 * k / kPoints;
            double r = 0;
            f.DoEvaluate(postfix, false, r, v);
            sum += r;
        }
        benchmark::DoNotOptimize(sum);
    }
    perEvaluation(state);
}
BENCHMARK(BM_Cls6DoEvaluate)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
