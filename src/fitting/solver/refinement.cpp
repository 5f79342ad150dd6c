// The refinement after a method's own convergence test: its tolerance bounds the work it
// does, but a few more Gauss-Newton steps carry the parameters to the digits the data
// determine.
//
// The steps are mixed with the earlier ones (AndersonMixing, the method's last full step
// among them), which recovers the curvature that Gauss-Newton steps leave out along the
// directions that converge slowly. A mixed point is taken only when it lowers the sum of
// squares; otherwise the plain step, or a halved one, is tried.
//
// The refinement ends after a step when the remaining distance to the minimum, estimated from
// the rate at which plain steps shrink, is below the refined step in every parameter and in
// the sum of squares; or before a step when the point is that close already, or when the step
// is within the rounding of the fitted values, no longer shrinks or does not lower the sum of
// squares: the sum of squares is then flat within rounding. Its last Jacobian serves the
// standard errors.
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

#include "fitting/solver/convergence_tests.h"
#include "fitting/solver/fit_statistics.h"
#include "fitting/solver/iteration.h"
#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/stationary_point.h"

namespace solver {

namespace {

// Halvings of a plain step that does not lower the sum of squares: in a narrow curved valley
// the full step can leave it although the point is close to the minimum.
constexpr int kMaxHalvings = 3;

class Refinement {
public:
    Refinement(FitModel& model, const Eigen::VectorXd& observed, const FitOptions& options, IterationOutcome& out)
        : model_(model),
          observed_(observed),
          options_(options),
          out_(out),
          fine_(std::min(options.tolerance, kRefinedStep)),
          previousChange_(out.lastStep.change),
          previousPlain_(out.lastStep.plain) {}

    void run();

private:
    // Takes the step from the point whose values and Jacobian out_ holds; false when the
    // refinement ends with them (the values then belong to the final point).
    bool step(const ScaledQR& qr);
    // The steps no longer make progress: rounding, where the point is stationary to the
    // refined step; otherwise the method stopped too early for these steps. Ends the steps.
    bool stalled(StationaryTest& test) {
        out_.refinementStalled = !test.stationary();
        return false;
    }
    // Whether the sum of squares at p is at most ssr, or ssr and its rounding (slack).
    bool lowers(const Eigen::VectorXd& p, double ssr, double slack = 0) {
        return p.allFinite() && model_.evaluate(p, trialValues_) < 0 &&
               (trialValues_ - observed_).squaredNorm() <= ssr + slack;
    }

    FitModel& model_;
    const Eigen::VectorXd& observed_;
    const FitOptions& options_;
    IterationOutcome& out_;
    const double fine_;
    double previousChange_;
    bool previousPlain_;
    double rate_ = std::numeric_limits<double>::quiet_NaN();
    Eigen::VectorXd trialValues_;
};

void Refinement::run() {
    // The method may have handed over the values and Jacobian at its point.
    bool linearised = out_.values.size() > 0;
    for (int iter = out_.iterations + 1;; ++iter) {
        // Digits that the limit keeps the refinement from reaching are not promised as converged.
        if (!out_.startIteration(iter, options_)) break;
        if (!linearised && model_.evaluateWithJacobian(out_.params, out_.values, out_.jacobian) >= 0) break;
        // The method may have factored the Jacobian it handed over.
        const std::shared_ptr<const ScaledQR> handed = linearised ? std::move(out_.factors) : nullptr;
        out_.factors.reset();
        linearised = false;
        if (!out_.carryOn((out_.values - observed_).squaredNorm(), options_)) return;
        std::optional<ScaledQR> own;
        const ScaledQR& qr = handed ? *handed : own.emplace(out_.jacobian);
        if (!qr.fullRank()) return;
        if (!step(qr)) {
            if (!inverseNormalRoots(qr, out_.inverseNormalRoots)) out_.inverseNormalRoots.resize(0);
            return;
        }
    }
    // The values and Jacobian no longer belong to the point.
    out_.values.resize(0);
    out_.jacobian.resize(0, 0);
}

bool Refinement::step(const ScaledQR& qr) {
    Eigen::VectorXd& x = out_.params;
    const Eigen::VectorXd res = out_.values - observed_;
    const double ssr = res.squaredNorm();
    if (ssr == 0) return false;
    double change = 0;  // |J step|: how far the step moves the fitted values
    const Eigen::VectorXd step = -qr.solve(res, &change);
    // A step within the resolution of the numbers, or one that no longer shrinks, is rounding:
    // x is as close to the minimum as it gets. Or it is as close as asked already.
    const Eigen::VectorXd here = x;
    const double length = std::sqrt(ssr);
    const Linearisation at{here, out_.values, observed_, out_.jacobian, step, change, length};
    StationaryTest test(model_, at, fine_);
    if (test.byResolution()) return false;
    if (change >= previousChange_) return stalled(test);
    if (smallScaledStep(step, x, qr.columnNorms(), fine_) && change * change <= fine_ * ssr) return false;

    // The distance from the minimum after a plain step, as a multiple of the step: the steps
    // still to come, from the rate at which plain steps shrink (measured across two plain
    // steps; until then taken as the step itself).
    if (previousPlain_ && std::isfinite(previousChange_)) rate_ = change / previousChange_;
    const double after = std::isfinite(rate_) ? rate_ / (1 - rate_) : 1.0;
    bool last = smallScaledStep(after * step, x, qr.columnNorms(), fine_) && after * after * change * change <= fine_ * ssr;

    Eigen::VectorXd next;
    bool plain = false;
    if (!out_.mixing.empty() && !last) {
        next = out_.mixing.mixedPoint(x, step, out_.jacobian);
        if (!lowers(next, ssr)) next.resize(0);
    }
    if (next.size() == 0) {
        // Where the step lowers the sum of squares by less than the rounding of the sum
        // (2 |r| times the resolution of the residuals), the sum cannot tell whether it does:
        // the full step, computed from the Jacobian far more precisely, is taken unless the
        // sum rises beyond that rounding.
        const double slack = 2 * length * resolution(at);
        double lambda = 1;
        for (int h = 0;; ++h, lambda *= 0.5) {
            next = stepTo(x, lambda * step);
            if (lowers(next, ssr, h == 0 && change * change <= slack ? slack : 0)) break;
            if (h == (last ? 0 : kMaxHalvings)) return last ? false : stalled(test);
        }
        plain = lambda == 1;
        if (!plain) last = false;
    }
    out_.mixing.add(x, step);
    x = next;
    if (last) {
        // The Jacobian stays that of the point one step before, too close to tell apart.
        out_.values = trialValues_;
        return false;
    }
    previousChange_ = change;
    previousPlain_ = plain;
    return true;
}

}  // namespace

void refineConverged(FitModel& model, const Eigen::VectorXd& observed, const FitOptions& options,
                     IterationOutcome& out) {
    Refinement(model, observed, options, out).run();
}

}  // namespace solver
