// Symbolic derivatives: each certified reference model converted to a token
// list, differentiated by each of its parameters and printed (time per model
// and parameter), timed beside GiNaC doing the same from text to text; and
// the largest formulas the limits accept (time per formula).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "formula/derivative_text.h"
#include "formula/differentiate.h"
#include "formula/infix_to_polish.h"
#include "formula/polish_shape.h"
#include "formula/text_routines.h"
#include "nist_file.h"

#ifdef TRELVANE_HAVE_GINAC
#include <ginac/ginac.h>
#endif

using namespace formula;

namespace {

struct Model {
    std::string name;
    std::string formula;
    int parameters = 0;
};

const std::vector<Model>& models() {
    static const std::vector<Model> all = [] {
        std::vector<Model> v;
        for (const std::string& name : nist::problemNames()) {
            const nist::Problem p = nist::readProblem(nist::dataDirectory() + "/" + name + ".dat");
            v.push_back({name, p.formula, static_cast<int>(p.certified.size())});
        }
        return v;
    }();
    return all;
}

void perParameter(benchmark::State& state, int parameters) {
    state.counters["us_per_param"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * parameters * 1e-6, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Trelvane(benchmark::State& state, const Model* m) {
    for (auto _ : state) {
        for (int k = 0; k < m->parameters; ++k) {
            const DerivativeText d = differentiateText(m->formula, std::string(1, static_cast<char>('a' + k)));
            if (!d.ok) state.SkipWithError(d.errorText.c_str());
            benchmark::DoNotOptimize(d.text.data());
        }
    }
    perParameter(state, m->parameters);
}

#ifdef TRELVANE_HAVE_GINAC
// The same work in GiNaC: text to expression, derivative (GiNaC simplifies
// as it goes), expression to text.
void BM_GiNaC(benchmark::State& state, const Model* m) {
    GiNaC::symtab table;
    const char* const letters[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i"};  // up to ENSO's nine
    for (const char* l : letters) table[l] = GiNaC::symbol(l);
    for (const char* v : {"x", "y"}) table[v] = GiNaC::symbol(v);
    table["pi"] = GiNaC::Pi;
    for (auto _ : state) {
        for (int k = 0; k < m->parameters; ++k) {
            GiNaC::parser reader(table);
            const GiNaC::ex f = reader(m->formula);
            const GiNaC::ex d = f.diff(GiNaC::ex_to<GiNaC::symbol>(table[letters[k]]));
            std::ostringstream out;
            out << d;
            benchmark::DoNotOptimize(out.str().data());
        }
    }
    perParameter(state, m->parameters);
}
#endif

std::string repeat(const std::string& s, std::size_t n) {
    std::string out;
    for (std::size_t k = 0; k < n; ++k) out += s;
    return out;
}

// The most repetitions of a piece whose formula the limits still accept.
std::size_t largestAccepted(const std::function<std::string(std::size_t)>& formula, std::size_t hi) {
    std::size_t lo = 1;
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (differentiateText(formula(mid), "x").ok) lo = mid;
        else hi = mid - 1;
    }
    return lo;
}

struct Large {
    std::string name;
    std::string formula;
};

const std::vector<Large>& largeFormulas() {
    static const std::vector<Large> all = [] {
        std::vector<Large> v;
        // The longest text: a sum of terms up to the length limit.
        const std::string term = "+a*sin(b*x)";
        const std::size_t terms = (kMaxFormulaLength - 1) / term.size();
        v.push_back({"sum_of_" + std::to_string(terms) + "_terms", "x" + repeat(term, terms)});
        // The largest derivatives: products and nested functions up to the size limit.
        const auto product = [](std::size_t n) { return "x" + repeat("*x", n - 1); };
        const std::size_t factors = largestAccepted(product, 5000);
        v.push_back({"product_of_" + std::to_string(factors) + "_factors", product(factors)});
        const auto nested = [](std::size_t n) { return repeat("sin(", n) + "x" + repeat(")", n); };
        const std::size_t levels = largestAccepted(nested, 5000);
        v.push_back({"sin_nested_" + std::to_string(levels) + "_deep", nested(levels)});
        return v;
    }();
    return all;
}

void BM_AtTheLimits(benchmark::State& state, const Large* f) {
    std::size_t length = 0;
    for (auto _ : state) {
        const DerivativeText d = differentiateText(f->formula, "x");
        if (!d.ok) state.SkipWithError(d.errorText.c_str());
        length = d.text.size();
        benchmark::DoNotOptimize(d.text.data());
    }
    state.counters["text_in"] = static_cast<double>(f->formula.size());
    state.counters["text_out"] = static_cast<double>(length);
}

// Console output, then the mean time per model and parameter of each
// family over the reference models and the ratio of ours to GiNaC's.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            const std::string name = r.benchmark_name();
            const auto c = r.counters.find("us_per_param");
            if (c != r.counters.end()) perParam_[name.substr(0, name.find('/'))].push_back(c->second.value);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::map<std::string, double> mean;
        for (const auto& [family, t] : perParam_) {
            double sum = 0, worst = 0;
            for (double v : t) {
                sum += v;
                worst = std::max(worst, v);
            }
            mean[family] = sum / static_cast<double>(t.size());
            std::printf("%s: mean %.2f us per model and parameter, worst model %.2f us\n", family.c_str(),
                        mean[family], worst);
        }
        if (mean.count("BM_Trelvane") && mean.count("BM_GiNaC"))
            std::printf("ratio Trelvane / GiNaC: %.3f\n", mean["BM_Trelvane"] / mean["BM_GiNaC"]);
    }

private:
    std::map<std::string, std::vector<double>> perParam_;
};

}  // namespace

int main(int argc, char** argv) {
    for (const Model& m : models()) {
        benchmark::RegisterBenchmark(("BM_Trelvane/" + m.name).c_str(), BM_Trelvane, &m)
            ->Unit(benchmark::kMicrosecond);
#ifdef TRELVANE_HAVE_GINAC
        benchmark::RegisterBenchmark(("BM_GiNaC/" + m.name).c_str(), BM_GiNaC, &m)->Unit(benchmark::kMicrosecond);
#endif
    }
    for (const Large& f : largeFormulas())
        benchmark::RegisterBenchmark(("BM_AtTheLimits/" + f.name).c_str(), BM_AtTheLimits, &f)
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
