// Gauss-Newton with step halving: each iteration solves the linearised problem
// min |J dp + r| by column-pivoted QR on unit-scaled columns and halves the step until the
// residual sum of squares falls at a point where the model has a value.
#include <cmath>

#include "fitting/solver/convergence_tests.h"
#include "fitting/solver/iteration.h"
#include "fitting/solver/rank_deficiency.h"
#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/stable_norm.h"

namespace solver {

namespace {

constexpr int kMaxHalvings = 40;

const char* const kSingularMessage =
    "The parameters cannot be determined from the data: the Jacobian is singular.";

}  // namespace

IterationOutcome runGaussNewton(FitModel& model, const Eigen::VectorXd& observed,
                                const Eigen::VectorXd& start, const FitOptions& options, int done) {
    const Eigen::Index n = start.size();
    const double tol = methodTolerance(options);

    IterationOutcome out(start, done);
    Eigen::VectorXd& x = out.params;
    Workspace ws(observed.size(), n);
    auto& [f, trialValues, jac] = ws;

    for (int iter = done + 1;; ++iter) {
        if (!out.startIteration(iter, options)) return out;
        if (!out.jacobianAt(model, f, jac)) return out;
        const Eigen::VectorXd res = f - observed;
        // Lengths of residual vectors, not sums of squares, which a double may not hold.
        const double fnorm = stableLength(res);
        if (!out.carryOn(fnorm * fnorm, options)) return out;
        if (fnorm == 0) return out.stop(FitStatus::Converged);

        const ScaledQR qr(jac);
        double change = 0;
        const Eigen::VectorXd step = -qr.solve(res, &change);
        // Whether the point is stationary: asked only where a decision rests on it, as it may
        // cost an evaluation of the model's rounding. x does not move before it is asked.
        const Eigen::VectorXd here = x;
        const FitPoint point{model, here, f, observed};
        auto atMinimum = [&, known = false, value = false]() mutable {
            if (!known) value = stationary(change / fnorm, fnorm, tol, out.rounding, point), known = true;
            return value;
        };
        // Where the Jacobian is rank-deficient Gauss-Newton has no step: whose doing that is
        // decides the end.
        if (!qr.fullRank()) {
            const DeficientEnd end = deficientEnd(model, x, qr, iter == done + 1, atMinimum(), kSingularMessage);
            return out.stop(end.status, end.message);
        }

        // Convergence by the size of the full step or by the predicted reduction, each only
        // where the residuals are orthogonal to the Jacobian as well. A step that moves the
        // fitted values by no more than their rounding is small whatever the parameters' size.
        const bool smallStep =
            smallScaledStep(step, x, qr.columnNorms(), tol) || out.rounding.covers(change, point);
        const double predicted = (change / fnorm) * (change / fnorm);
        // A full step that lowers the length of the residuals by less than their rounding
        // (the lowering is about change^2 / 2 |r|) is taken unless the length rises beyond it:
        // the length cannot tell, and the step from the Jacobian is far more precise.
        const double rounding = out.rounding.estimate(f, observed);
        const double slack = change * change <= 2 * fnorm * rounding ? rounding : 0;

        double lambda = 1;
        bool accepted = false;
        double trialNorm = fnorm;
        for (int h = 0; h <= kMaxHalvings; ++h, lambda *= 0.5) {
            const Eigen::VectorXd xt = x + lambda * step;
            if (!xt.allFinite() || model.evaluate(xt, trialValues) >= 0) continue;
            const double s = stableLength(trialValues - observed);
            if (s < fnorm || (smallStep && s <= fnorm) || (h == 0 && s <= fnorm + slack)) {
                out.mixing.clear();
                out.mixing.add(x, step);
                out.lastStep.change = change;
                out.lastStep.plain = h == 0;
                x = xt;
                trialNorm = s;
                accepted = true;
                break;
            }
        }
        // Converged at the point shown stationary, which the step leaves only where it lowers
        // the sum of squares: one the rounding let through while raising it may have left the
        // minimum along a curved valley, where the step's own length hides how far it went.
        auto converged = [&] {
            if (accepted && trialNorm >= fnorm) {
                x = here;
                // The refinement starts afresh from there.
                out.mixing.clear();
                out.lastStep = {};
            }
            return out.stop(FitStatus::Converged);
        };
        if (smallStep && atMinimum()) return converged();
        if (!accepted) {
            // Rounding alone keeps the sum of squares from falling: it is at its minimum.
            if (atMinimum()) return out.stop(FitStatus::Converged);
            return out.stop(FitStatus::NotConverged,
                            "Gauss-Newton could not reduce the residual sum of squares, although it is not at a "
                            "minimum; please try other starting values, or Levenberg-Marquardt.");
        }
        if (lambda == 1 && predicted <= tol && 1 - (trialNorm / fnorm) * (trialNorm / fnorm) <= tol && atMinimum())
            return converged();
    }
}

}  // namespace solver
