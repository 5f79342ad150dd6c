// Each certified reference fit (Levenberg-Marquardt from the second start, tolerance 1.49e-8,
// the default ftol/xtol of Eigen's solver) timed with our solver and with Eigen's own
// Levenberg-Marquardt (unsupported NonLinearOptimization) over the same compiled model and
// exact derivatives, so that the two differ only in the algorithm. Prints the medians.
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
#include "nist_support.h"

namespace {

constexpr double kTolerance = 1.4901161193847656e-08;

// Residuals f(x; p) - y of a FormulaModel, in the form Eigen's solver calls.
struct ResidualFunctor {
    using Scalar = double;
    enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };
    using InputType = Eigen::VectorXd;
    using ValueType = Eigen::VectorXd;
    using JacobianType = Eigen::MatrixXd;

    solver::FormulaModel& model;
    Eigen::VectorXd observed;
    Eigen::VectorXd scratch;

    int inputs() const { return model.parameterCount(); }
    int values() const { return model.pointCount(); }
    int operator()(const Eigen::VectorXd& p, Eigen::VectorXd& fvec) {
        if (model.evaluate(p, fvec) >= 0) return -1;
        fvec -= observed;
        return 0;
    }
    int df(const Eigen::VectorXd& p, Eigen::MatrixXd& fjac) {
        return model.evaluateWithJacobian(p, scratch, fjac) >= 0 ? -1 : 0;
    }
};

struct Prepared {
    nist::Problem problem;
    solver::NonlinearFitRequest request;
};

std::vector<Prepared>& problems() {
    static std::vector<Prepared> all = [] {
        std::vector<Prepared> v;
        for (const std::string& name : nist::problemNames()) {
            nist::Problem p = nist::readProblem(nist::dataDirectory() + "/" + name + ".dat");
            solver::NonlinearFitRequest req =
                nist::makeRequest(p, p.start2, solver::FitMethod::LevenbergMarquardt, kTolerance, 1000);
            v.push_back({std::move(p), std::move(req)});
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

void BM_Trelvane(benchmark::State& state, const Prepared* pr) {
    solver::FitResult r;
    for (auto _ : state) {
        r = solver::fitNonlinear(pr->request);
        benchmark::DoNotOptimize(r.parameters.data());
    }
    state.counters["iterations"] = r.iterations;
    state.counters["digits"] = worstDigits(pr->problem, r.parameters.data());
    state.counters["converged"] = r.converged();
}

void BM_EigenLM(benchmark::State& state, const Prepared* pr) {
    const nist::Problem& p = pr->problem;
    std::vector<int> letters;
    for (std::size_t k = 0; k < p.start2.size(); ++k) letters.push_back(static_cast<int>(k));
    Eigen::VectorXd x;
    int info = 0, iterations = 0;
    for (auto _ : state) {
        // Built inside the loop as fitNonlinear builds its model: the same work.
        solver::FormulaModel model(pr->request.model, letters, pr->request.columns);
        ResidualFunctor f{model, Eigen::Map<const Eigen::VectorXd>(p.y.data(), static_cast<Eigen::Index>(p.y.size())), {}};
        Eigen::LevenbergMarquardt<ResidualFunctor> lm(f);
        lm.parameters.ftol = lm.parameters.xtol = kTolerance;
        lm.parameters.maxfev = 1000;
        x = Eigen::Map<const Eigen::VectorXd>(p.start2.data(), static_cast<Eigen::Index>(p.start2.size()));
        info = lm.minimize(x);
        iterations = static_cast<int>(lm.njev);
        benchmark::DoNotOptimize(x.data());
    }
    state.counters["iterations"] = iterations;
    state.counters["digits"] = worstDigits(p, x.data());
    state.counters["info"] = info;
}

// Console output plus the median of each solver's times over the problems.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            const std::string name = r.benchmark_name();
            times_[name.substr(0, name.find('/'))].push_back(r.GetAdjustedRealTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (auto& [solverName, t] : times_) {
            std::sort(t.begin(), t.end());
            const std::size_t n = t.size();
            const double median = n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
            std::printf("median of %zu fits, %s: %.1f us\n", n, solverName.c_str(), median);
        }
    }

private:
    std::map<std::string, std::vector<double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
    for (const Prepared& pr : problems()) {
        benchmark::RegisterBenchmark(("BM_Trelvane/" + pr.problem.name).c_str(), BM_Trelvane, &pr)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("BM_EigenLM/" + pr.problem.name).c_str(), BM_EigenLM, &pr)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
