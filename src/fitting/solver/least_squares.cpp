#include "fitting/solver/least_squares.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>
#include <string>

#include "fitting/solver/convergence_tests.h"
#include "fitting/solver/fit_statistics.h"
#include "fitting/solver/iteration.h"
#include "fitting/solver/rank_deficiency.h"
#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/scaled_model.h"
#include "fitting/solver/stable_norm.h"
#include "fitting/solver/stationary_point.h"

namespace solver {

const char* statusName(FitStatus status) {
    switch (status) {
    case FitStatus::Converged: return "converged";
    case FitStatus::NotConverged: return "not converged";
    case FitStatus::Singular: return "singular";
    case FitStatus::UndefinedAtStart: return "undefined at the starting values";
    case FitStatus::BadInput: return "bad input";
    case FitStatus::Cancelled: return "cancelled";
    }
    return "unknown";
}

std::string checkOptions(const FitOptions& options) {
    if (options.method != FitMethod::GaussNewton && options.method != FitMethod::LevenbergMarquardt)
        return "The fitting method must be Gauss-Newton or Levenberg-Marquardt.";
    if (options.maxIterations < kMinIterations || options.maxIterations > kMaxIterations)
        return "The maximum number of iterations must be between 1 and 100000.";
    if (!(options.tolerance >= kMinTolerance && options.tolerance <= kMaxTolerance))
        return "The tolerance must be between 1E-15 and 0.5.";
    return {};
}

namespace {

FitResult badInput(std::string message, const std::vector<double>& start) {
    FitResult r;
    r.status = FitStatus::BadInput;
    r.message = std::move(message);
    r.parameters = start;
    return r;
}

std::string checkInput(const FitModel& model, const std::vector<double>& observed,
                       const std::vector<double>& start, const FitOptions& options) {
    const int n = model.parameterCount();
    const int m = model.pointCount();
    if (n < 1 || n > kMaxParameters) return "A fit needs 1 to 20 parameters.";
    if (static_cast<int>(start.size()) != n) return "Every parameter needs one starting value.";
    if (std::string s = checkOptions(options); !s.empty()) return s;
    if (static_cast<int>(observed.size()) != m) return "The data columns have different lengths.";
    if (m < n)
        return "There are fewer data points (" + std::to_string(m) + ") than parameters (" +
               std::to_string(n) + ").";
    for (int i = 0; i < m; ++i)
        if (!std::isfinite(observed[i]))
            return "The data hold a value that is not a finite number (" + model.describePoint(i) + ").";
    for (int j = 0; j < n; ++j)
        if (!std::isfinite(start[j]))
            return "The starting value of parameter " + std::to_string(j + 1) + " is not a finite number.";
    return {};
}

// A fit that ends where the Jacobian is rank-deficient, and the method did not say why: the
// evidence of the point (its values and Jacobian, at the scale the methods work at) decides whose
// doing that is. Where no starting value can mend it, it is the cause, whatever the method's end;
// otherwise it changes only a fit reported as converged.
void judgeDeficiency(FitModel& model, const Eigen::VectorXd& params, bool atStart, const Eigen::VectorXd& values,
                     const Eigen::VectorXd& observed, const Eigen::MatrixXd& jac, double tol, FitResult& result) {
    if (!jac.allFinite() || !values.allFinite()) return;
    const ScaledQR qr(jac);
    if (qr.fullRank()) return;
    const Eigen::VectorXd res = values - observed;
    double change = 0;
    const Eigen::VectorXd step = -qr.solve(res, &change);
    const Linearisation at{params, values, observed, jac, step, change, stableLength(res)};
    StationaryTest test(model, at, tol);
    DeficientEnd end = deficientEnd(model, params, qr, atStart, test, std::min(tol, kRefinedStep));
    if (!end.undetermined && result.status != FitStatus::Converged) return;
    result.status = end.status;
    result.message = std::move(end.message);
}

// Whether the point where the refinement stalled (its values and Jacobian are those of the
// point) is stationary at tol.
bool stalledStationary(FitModel& model, const Eigen::VectorXd& observed, double tol, IterationOutcome& it) {
    const Eigen::VectorXd res = it.values - observed;
    double change = 0;
    const Eigen::VectorXd step = -ScaledQR(it.jacobian).solve(res, &change);
    const Linearisation at{it.params, it.values, observed, it.jacobian, step, change, stableLength(res)};
    return StationaryTest(model, at, tol).stationary();
}

FitResult run(FitModel& model, const std::vector<double>& observedIn,
              const std::vector<double>& startIn, const FitOptions& options) {
    if (std::string s = checkInput(model, observedIn, startIn, options); !s.empty())
        return badInput(std::move(s), startIn);
    const int n = model.parameterCount();
    const int m = model.pointCount();
    const Eigen::VectorXd observed = Eigen::Map<const Eigen::VectorXd>(observedIn.data(), m);
    const Eigen::VectorXd start = Eigen::Map<const Eigen::VectorXd>(startIn.data(), n);

    FitResult result;
    result.parameters = startIn;
    // The methods iterate on the data divided by their scale (and the model with them).
    const double scale = powerOfTwoScale(observed);
    ScaledModel scaledModel(model, scale);
    const Eigen::VectorXd scaledObserved = observed / scale;
    // Whoever watches the progress sees the sum of squares of the data as given.
    FitOptions scaledOptions = options;
    if (options.progress)
        scaledOptions.progress = [&options, scale](int iteration, double ssr) {
            return options.progress(iteration, ssr * scale * scale);
        };
    auto iterate = [&](const Eigen::VectorXd& from, const FitOptions& opts, int done) {
        return options.method == FitMethod::GaussNewton
                   ? runGaussNewton(scaledModel, scaledObserved, from, opts, done)
                   : runLevenbergMarquardt(scaledModel, scaledObserved, from, opts, done);
    };
    IterationOutcome it = iterate(start, scaledOptions, 0);
    if (it.status == FitStatus::Converged && !it.stuck) {
        refineConverged(scaledModel, scaledObserved, scaledOptions, it);
        if (it.status == FitStatus::Converged && it.refinementStalled) {
            // The method's tolerance was too loose for this problem to tell a minimum from a
            // slow stretch: the method carries on from there at the refinement's tolerance.
            FitOptions tight = scaledOptions;
            tight.tolerance = std::min(options.tolerance, kRefinedStep);
            IterationOutcome again = iterate(it.params, tight, it.iterations);
            if (again.status == FitStatus::Converged) refineConverged(scaledModel, scaledObserved, tight, again);
            it = std::move(again);
            // Stalled again: rounding hides the way on. Converged only where the point is
            // stationary at the user's tolerance.
            if (it.status == FitStatus::Converged && it.refinementStalled &&
                !stalledStationary(scaledModel, scaledObserved, methodTolerance(options), it))
                it.stop(FitStatus::NotConverged, kCannotReduceMessage);
        }
    }
    if (it.status == FitStatus::UndefinedAtStart || it.status == FitStatus::Cancelled || it.atStart) {
        result.status = it.status;
        result.message = it.message;
        return result;
    }
    result.status = it.status;
    result.message = it.message;
    result.iterations = it.iterations;
    result.parameters.assign(it.params.data(), it.params.data() + n);

    Eigen::VectorXd values;
    Eigen::MatrixXd jac;
    Eigen::VectorXd roots = Eigen::VectorXd::Constant(n, std::nan(""));
    bool defined = true;
    if (it.jacobian.size() > 0) {
        // Back to the data's own scale (exactly: the scale is a power of two).
        values = it.values * scale;
        jac = it.jacobian * scale;
    } else {
        defined = model.evaluateWithJacobian(it.params, values, jac) < 0;
        if (!defined) model.evaluate(it.params, values);
    }
    fillGoodnessOfFit(result, observed, values, n);
    bool fullRank = defined;
    if (it.inverseNormalRoots.size() > 0)
        roots = it.inverseNormalRoots / scale;
    else
        fullRank = defined && inverseNormalRoots(jac, roots);
    fillStandardErrors(result, roots);
    // Judged at the scale the methods work at.
    if (!fullRank && defined && result.status != FitStatus::Singular)
        judgeDeficiency(scaledModel, it.params, it.params == start, values / scale, scaledObserved, jac / scale,
                        methodTolerance(options), result);
    return result;
}

}  // namespace

FitResult fitLeastSquares(FitModel& model, const std::vector<double>& observed,
                          const std::vector<double>& start, const FitOptions& options) {
    try {
        return run(model, observed, start, options);
    } catch (const std::bad_alloc&) {
        return badInput("The fit needs more memory than is available.", start);
    } catch (const std::exception& e) {
        return badInput(std::string("The fit failed: ") + e.what(), start);
    } catch (...) {
        return badInput("The fit failed.", start);
    }
}

}  // namespace solver
