// The refinement after a method's own convergence test: its tolerance bounds the work it
// does, but a few more Gauss-Newton steps carry the parameters to the digits the data
// determine.
//
// Near the minimum the Gauss-Newton steps contract linearly, at a rate set by the curvature
// that they leave out; on problems with large residuals that rate can be 0.7, so plain steps
// would need dozens of iterations. The steps are therefore accelerated (Anderson mixing over
// the last few steps: the combination of them whose step is smallest, measured as the change
// of the fitted values), which recovers the missing curvature along the directions that
// converge slowly. A mixed point is taken only when it lowers the sum of squares; otherwise
// the plain step, or a halved one, is tried.
//
// The refinement ends after a step when the remaining distance to the minimum, estimated from
// the rate at which the steps shrink, is below the refined step in every parameter and in the
// sum of squares; or before a step that is within the rounding of the fitted values, that no
// longer shrinks or that does not lower the sum of squares: the sum of squares is then flat
// within rounding.
#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

#include <Eigen/QR>

#include "fitting/solver/iteration.h"
#include "fitting/solver/scaled_qr.h"

namespace solver {

namespace {

// Earlier points the mixing uses.
constexpr int kMixingDepth = 3;

// Halvings of a plain step that does not lower the sum of squares: in a narrow curved valley
// the full step can leave it although the point is close to the minimum.
constexpr int kMaxHalvings = 3;

struct Iterate {
    Eigen::VectorXd x, step;
};

// The Anderson-mixed point from the current iterate and the earlier ones (newest first):
// x + step - (dX + dF) g, where g minimises |J (step - dF g)|.
Eigen::VectorXd mixedPoint(const Iterate& now, const std::deque<Iterate>& before, const Eigen::MatrixXd& jac) {
    const Eigen::Index n = now.x.size(), k = static_cast<Eigen::Index>(before.size());
    Eigen::MatrixXd dF(n, k), dXF(n, k);
    for (Eigen::Index i = 0; i < k; ++i) {
        dF.col(i) = now.step - before[i].step;
        dXF.col(i) = now.x - before[i].x + dF.col(i);
    }
    Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(jac * dF);
    qr.setThreshold(1e-10);
    const Eigen::VectorXd g = qr.solve(jac * now.step);
    return now.x + now.step - dXF * g;
}

// The size of the rounding in the residuals: the last bit of every model value and datum.
double roundingOf(const Eigen::VectorXd& values, const Eigen::VectorXd& observed) {
    return std::numeric_limits<double>::epsilon() * (values.cwiseAbs() + observed.cwiseAbs()).norm();
}

// Whether factor * |step_j| <= fine * (|x_j| + fine) for every parameter.
bool within(const Eigen::VectorXd& step, const Eigen::VectorXd& x, double factor, double fine) {
    for (Eigen::Index j = 0; j < x.size(); ++j)
        if (factor * std::abs(step(j)) > fine * (std::abs(x(j)) + fine)) return false;
    return true;
}

}  // namespace

void refineConverged(FitModel& model, const Eigen::VectorXd& observed, const FitOptions& options,
                     IterationOutcome& out) {
    const double fine = std::min(options.tolerance, kRefinedStep);
    Eigen::VectorXd& x = out.params;
    Eigen::VectorXd& values = out.values;
    Eigen::MatrixXd& jac = out.jacobian;
    Eigen::VectorXd trialValues;
    std::deque<Iterate> before;
    double previousChange = out.lastChange;
    auto lowers = [&](const Eigen::VectorXd& p, double ssr) {
        return p.allFinite() && model.evaluate(p, trialValues) < 0 && (trialValues - observed).squaredNorm() <= ssr;
    };
    for (int iter = out.iterations + 1;; ++iter) {
        // Digits that the limit keeps the refinement from reaching are not promised as converged.
        if (!out.startIteration(iter, options)) break;
        if (model.evaluateWithJacobian(x, values, jac) >= 0) break;
        const Eigen::VectorXd res = values - observed;
        const double ssr = res.squaredNorm();
        if (ssr == 0) return;
        const ScaledQR qr(jac);
        if (!qr.fullRank()) return;
        double change = 0;  // |J step|: how far the step moves the fitted values
        Iterate now{x, -qr.solve(res, &change)};
        // A step within the rounding of the fitted values, or one that no longer shrinks, is
        // rounding: x is as close to the minimum as it gets.
        if (change <= roundingOf(values, observed) || change >= previousChange) return;

        // The distance from the minimum after this step, as a multiple of the step: the steps
        // still to come, from the rate at which they shrink (unknown after a damped step).
        const double rate = change / previousChange;
        const double after = std::isfinite(previousChange) ? rate / (1 - rate) : 1.0;
        const bool last = within(now.step, x, after, fine) && after * after * change * change <= fine * ssr;

        Eigen::VectorXd next;
        if (!before.empty()) {
            next = mixedPoint(now, before, jac);
            if (!lowers(next, ssr)) next.resize(0);
        }
        if (next.size() == 0) {
            double lambda = 1;
            for (int h = 0;; ++h, lambda *= 0.5) {
                next = x + lambda * now.step;
                if (lowers(next, ssr)) break;
                if (h == kMaxHalvings) return;
            }
        }
        x = next;
        if (last) {
            // The Jacobian stays that of the point one step before, too close to tell apart.
            values = trialValues;
            return;
        }
        before.push_front(std::move(now));
        if (static_cast<int>(before.size()) > kMixingDepth) before.pop_back();
        previousChange = change;
    }
    // The values and Jacobian no longer belong to the point.
    values.resize(0);
    jac.resize(0, 0);
}

}  // namespace solver
