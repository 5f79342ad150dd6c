// Nanoseconds per formula evaluation over 100,000 abscissae, for three model
// formulas: the compiled Program, the same with its gradient in the four
// parameters a..d (what a fit needs per data point), the postfix text through
// Cls6::DoEvaluate, and muparser on the same formulas and abscissae when it is
// installed. The end of the run prints the ratios ours / muparser and
// gradient / plain per formula.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "fitting/solver/gradient_evaluator.h"
#include "formula/cls6.h"
#include "formula/compiler.h"
#include "formula/evaluator.h"

#ifdef TRELVANE_HAVE_MUPARSER
#include <muParser.h>
#endif

using namespace formula;

namespace {

constexpr int kPoints = 100000;
constexpr int kFormulaCount = 3;
const char* const kFormulas[kFormulaCount] = {"a*exp(-b*x)+c", "a+b*x+c*x^2+d*x^3", "a*sin(b*x+c)/(1+d*x^2)"};
constexpr double kParameters[4] = {1.7, 0.3, -0.4, 0.05};

const std::vector<double>& abscissae() {
    static const std::vector<double> xs = [] {
        std::vector<double> v(kPoints);
        for (int k = 0; k < kPoints; ++k) v[k] = -5.0 + 10.0 * k / kPoints;
        return v;
    }();
    return xs;
}

Vars parameters() {
    Vars v{};
    for (int k = 0; k < 4; ++k) v[kVarA + k] = kParameters[k];
    return v;
}

Program compiled(int formula) {
    CompileResult err;
    return compileFormula(kFormulas[formula], err);
}

void perEvaluation(benchmark::State& state, int formula) {
    state.counters["ns_per_eval"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kPoints * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(kFormulas[formula]);
}

void BM_Program(benchmark::State& state, int formula) {
    const Program p = compiled(formula);
    Vars v = parameters();
    for (auto _ : state) {
        double sum = 0;
        for (double x : abscissae()) {
            v[kVarX] = x;
            sum += evaluate(p, v, false).value;
        }
        benchmark::DoNotOptimize(sum);
    }
    perEvaluation(state, formula);
}

void BM_Gradient(benchmark::State& state, int formula) {
    const Program p = compiled(formula);
    solver::GradientEvaluator g(p, {kVarA, kVarA + 1, kVarA + 2, kVarA + 3});
    Vars v = parameters();
    for (auto _ : state) {
        double sum = 0, value = 0, grad[4];
        for (double x : abscissae()) {
            v[kVarX] = x;
            g.evaluate(v, value, grad);
            sum += value + grad[0] + grad[3];
        }
        benchmark::DoNotOptimize(sum);
    }
    perEvaluation(state, formula);
}

void BM_Cls6DoEvaluate(benchmark::State& state, int formula) {
    Cls6 f;
    std::string postfix;
    f.InfixToPostfix(kFormulas[formula], postfix);
    Vars v = parameters();
    for (auto _ : state) {
        double sum = 0;
        for (double x : abscissae()) {
            v[kVarX] = x;
            double r = 0;
            f.DoEvaluate(postfix, false, r, v);
            sum += r;
        }
        benchmark::DoNotOptimize(sum);
    }
    perEvaluation(state, formula);
}

#ifdef TRELVANE_HAVE_MUPARSER
// muparser as a user would call it: variables bound once, Eval() per point.
void BM_MuParser(benchmark::State& state, int formula) {
    double x = 0, p[4] = {kParameters[0], kParameters[1], kParameters[2], kParameters[3]};
    mu::Parser parser;
    parser.DefineVar("x", &x);
    for (int k = 0; k < 4; ++k) parser.DefineVar(std::string(1, static_cast<char>('a' + k)), &p[k]);
    parser.SetExpr(kFormulas[formula]);
    for (auto _ : state) {
        double sum = 0;
        for (double xv : abscissae()) {
            x = xv;
            sum += parser.Eval();
        }
        benchmark::DoNotOptimize(sum);
    }
    perEvaluation(state, formula);
}
#endif

// Console output, then the ratios per formula from the times of this run.
// Of repeated runs the fastest counts: on a shared machine the slower ones
// measure the other loads.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration && r.aggregate_name != "min") continue;
            const std::string name = r.run_name.function_name;
            const double t = r.GetAdjustedCPUTime();
            if (!times_.count(name) || t < times_[name]) times_[name] = t;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (int k = 0; k < kFormulaCount; ++k) {
            const std::string n = "/" + std::to_string(k);
            std::printf("%-24s", kFormulas[k]);
            ratio("ours/muparser", "BM_Program" + n, "BM_MuParser" + n);
            ratio("gradient/plain", "BM_Gradient" + n, "BM_Program" + n);
            std::printf("\n");
        }
    }

private:
    void ratio(const char* what, const std::string& over, const std::string& under) {
        if (times_.count(over) && times_.count(under))
            std::printf("  %s %.2f", what, times_[over] / times_[under]);
        else
            std::printf("  %s -", what);
    }

    std::map<std::string, double> times_;
};

}  // namespace

template <class F>
void add(const std::string& name, F f, int formula) {
    benchmark::RegisterBenchmark(name.c_str(), f, formula)
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

int main(int argc, char** argv) {
    for (int k = 0; k < kFormulaCount; ++k) {
        const std::string n = "/" + std::to_string(k);
        add("BM_Program" + n, BM_Program, k);
#ifdef TRELVANE_HAVE_MUPARSER
        add("BM_MuParser" + n, BM_MuParser, k);
#endif
        add("BM_Gradient" + n, BM_Gradient, k);
        add("BM_Cls6DoEvaluate" + n, BM_Cls6DoEvaluate, k);
    }
    // Repeated and interleaved unless the command line says otherwise, so that
    // a change of the machine's load falls on every benchmark alike.
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5", interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, {repetitions.data(), interleave.data()});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
