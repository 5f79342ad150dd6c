#include "fitting/solver/iteration.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace solver {

bool IterationOutcome::startIteration(int iter, const FitOptions& options) {
    if (iter > options.maxIterations) {
        stop(FitStatus::NotConverged,
             "The fit did not converge within " + std::to_string(options.maxIterations) +
                 (options.maxIterations == 1 ? " iteration." : " iterations."));
        return false;
    }
    iterations = iter;
    return true;
}

bool IterationOutcome::carryOn(double ssr, const FitOptions& options) {
    if (!options.progress || options.progress(iterations, ssr)) return true;
    stop(FitStatus::Cancelled, kFitCancelledMessage);
    return false;
}

bool IterationOutcome::jacobianAt(FitModel& model, Eigen::VectorXd& values, Eigen::MatrixXd& jacobian) {
    const int bad = model.evaluateWithJacobian(params, values, jacobian);
    if (bad < 0) return true;
    const bool derivativeOverflowed = model.lastFailureOverflowed();
    // At the starting values: is it the model that has no value?
    if (const int undefined = iterations == 1 ? model.evaluate(params, values) : -1; undefined >= 0) {
        if (model.lastFailureOverflowed()) {
            // The start is poor, not the data: nothing can be iterated from values no number holds.
            stop(FitStatus::NotConverged,
                 std::string("The model's values at the starting values are") +
                     (model.lastFailureBeyondDataScale() ? " so far beyond the size of the data that their ratio is"
                                                         : "") +
                     " beyond the range of numbers (" + model.describePoint(undefined) +
                     "); please try other starting values.");
            atStart = true;
        } else {
            stop(FitStatus::UndefinedAtStart,
                 "The model has no value at the starting values (" + model.describePoint(undefined) + ").");
        }
        return false;
    }
    if (derivativeOverflowed) {
        stop(FitStatus::NotConverged, std::string("The derivatives of the model are beyond the range of numbers at the ") +
                                          (iterations == 1 ? "starting values" : "current parameters") + " (" +
                                          model.describePoint(bad) + "); please try other starting values.");
        return false;
    }
    stop(FitStatus::NotConverged,
         "The derivatives of the model have no value at the current parameters (" + model.describePoint(bad) + ").");
    return false;
}

Eigen::VectorXd stepTo(const Eigen::VectorXd& x, const Eigen::VectorXd& step) {
    Eigen::VectorXd to = x + step;
    const double eps = std::numeric_limits<double>::epsilon();
    for (Eigen::Index j = 0; j < to.size(); ++j)
        if (to(j) != 0 && std::abs(to(j)) <= 4 * eps * std::abs(step(j))) to(j) = 0;
    return to;
}

double methodTolerance(const FitOptions& options) { return std::max(options.tolerance, kRefinedStep); }

}  // namespace solver
