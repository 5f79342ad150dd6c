// The certified reference fits (every problem shipped, both starting points) timed with our
// solver under the default options of the nonlinear fit dialog (Levenberg-Marquardt, 200
// iterations, tolerance 1e-7) and with Eigen's own Levenberg-Marquardt (unsupported
// NonLinearOptimization) under its default parameters (ftol = xtol = 1.49e-8, at most 400
// evaluations), over the same compiled model and exact derivatives, so that the two differ
// only in the algorithm; and, for a comparison at equal digits, with Eigen's solver at
// ftol = xtol = 1e-12. Beside each time: iterations, whether the fit converged, the smallest
// number of correct digits of a parameter. At the end, per solver: the number of runs that
// converged with 6 or more digits in every parameter, and the median time; then the ratios
// of the medians.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <unsupported/Eigen/NonLinearOptimization>

#include "fitting/solver/formula_model.h"
#include "fitting/solver/least_squares.h"
#include "fitting/solver/nonlinear_fit.h"
#include "eigen_residuals.h"
#include "nist_support.h"

namespace {

constexpr const char* kOurs = "BM_Trelvane";
constexpr const char* kEigen = "BM_EigenLM";
constexpr const char* kEigenTight = "BM_EigenLM_1e-12";
constexpr double kTightTolerance = 1e-12;

struct Prepared {
    nist::Problem problem;
    int startNo = 1;
    solver::NonlinearFitRequest request;  // the default options
    const std::vector<double>& start() const { return startNo == 1 ? problem.start1 : problem.start2; }
};

std::vector<Prepared>& runs() {
    static std::vector<Prepared> all = [] {
        const solver::FitOptions defaults;
        std::vector<Prepared> v;
        for (const std::string& name : nist::problemNames()) {
            const nist::Problem p = nist::readProblem(nist::dataDirectory() + "/" + name + ".dat");
            for (int s : {1, 2}) {
                Prepared pr{p, s, {}};
                pr.request = nist::makeRequest(p, pr.start(), defaults.method, defaults.tolerance, defaults.maxIterations);
                v.push_back(std::move(pr));
            }
        }
        return v;
    }();
    return all;
}

double worstDigits(const nist::Problem& p, const double* params) {
    double d = 15;
    for (std::size_t k = 0; k < p.certified.size(); ++k) d = std::min(d, nist::lre(params[k], p.certified[k]));
    return d;
}

void report(benchmark::State& state, int iterations, bool converged, double digits) {
    state.counters["iterations"] = iterations;
    state.counters["converged"] = converged;
    state.counters["digits"] = digits;
    state.counters["good"] = converged && digits >= 6;
}

void BM_Trelvane(benchmark::State& state, const Prepared* pr) {
    solver::FitResult r;
    for (auto _ : state) {
        r = solver::fitNonlinear(pr->request);
        benchmark::DoNotOptimize(r.parameters.data());
    }
    report(state, r.iterations, r.converged(), worstDigits(pr->problem, r.parameters.data()));
}

// tolerance 0: Eigen's defaults.
void BM_EigenLM(benchmark::State& state, const Prepared* pr, double tolerance) {
    const nist::Problem& p = pr->problem;
    std::vector<int> letters;
    for (std::size_t k = 0; k < p.certified.size(); ++k) letters.push_back(static_cast<int>(k));
    Eigen::VectorXd x;
    Eigen::LevenbergMarquardtSpace::Status info = Eigen::LevenbergMarquardtSpace::NotStarted;
    int iterations = 0;
    for (auto _ : state) {
        // Built inside the loop as fitNonlinear builds its model: the same work.
        solver::FormulaModel model(pr->request.model, letters, pr->request.columns);
        ResidualFunctor f{model, Eigen::Map<const Eigen::VectorXd>(p.y.data(), static_cast<Eigen::Index>(p.y.size())), {}};
        Eigen::LevenbergMarquardt<ResidualFunctor> lm(f);
        if (tolerance > 0) lm.parameters.ftol = lm.parameters.xtol = tolerance;
        x = Eigen::Map<const Eigen::VectorXd>(pr->start().data(), static_cast<Eigen::Index>(pr->start().size()));
        info = lm.minimize(x);
        iterations = static_cast<int>(lm.njev);
        benchmark::DoNotOptimize(x.data());
    }
    // Statuses 1 to 4 are Eigen's convergence tests; the others report a failure or a limit.
    const bool converged = info >= Eigen::LevenbergMarquardtSpace::RelativeReductionTooSmall &&
                           info <= Eigen::LevenbergMarquardtSpace::CosinusTooSmall;
    report(state, iterations, converged, worstDigits(p, x.data()));
}

// Console output, then per solver the count of runs with 6+ digits and the median time.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            // With repetitions, each fit counts once: by the median of its repetitions.
            const bool counted = r.repetitions > 1 ? r.run_type == Run::RT_Aggregate && r.aggregate_name == "median"
                                                   : r.run_type == Run::RT_Iteration;
            if (!counted) continue;
            const std::string name = r.run_name.function_name;
            Totals& t = totals_[name.substr(0, name.find('/'))];
            t.times.push_back(r.GetAdjustedRealTime());
            t.converged += r.counters.at("converged") != 0;
            t.good += r.counters.at("good") != 0;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::map<std::string, double> medians;
        for (auto& [solverName, t] : totals_) {
            std::sort(t.times.begin(), t.times.end());
            const std::size_t n = t.times.size();
            if (n == 0) continue;
            const double median = n % 2 ? t.times[n / 2] : (t.times[n / 2 - 1] + t.times[n / 2]) / 2;
            medians[solverName] = median;
            std::printf("%s: %zu fits, %d converged, %d converged with 6+ digits in every parameter; median %.1f us\n",
                        solverName.c_str(), n, t.converged, t.good, median);
        }
        for (const char* reference : {kEigen, kEigenTight})
            if (medians.count(kOurs) && medians.count(reference) && medians[reference] > 0)
                std::printf("median time, %s / %s: %.2f\n", kOurs, reference, medians[kOurs] / medians[reference]);
    }

private:
    struct Totals {
        std::vector<double> times;
        int converged = 0, good = 0;
    };
    std::map<std::string, Totals> totals_;
};

}  // namespace

int main(int argc, char** argv) {
    for (const Prepared& pr : runs()) {
        const std::string suffix = "/" + pr.problem.name + "/" + std::to_string(pr.startNo);
        benchmark::RegisterBenchmark((kOurs + suffix).c_str(), BM_Trelvane, &pr)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((kEigen + suffix).c_str(), BM_EigenLM, &pr, 0.0)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((kEigenTight + suffix).c_str(), BM_EigenLM, &pr, kTightTolerance)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
