// Gauss-Newton with step halving: each iteration solves the linearised problem
// min |J dp + r| by column-pivoted QR on unit-scaled columns and halves the step until the
// residual sum of squares falls at a point where the model has a value.
#include <algorithm>
#include <cmath>

#include "fitting/solver/convergence_tests.h"
#include "fitting/solver/iteration.h"
#include "fitting/solver/rank_deficiency.h"
#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/stable_norm.h"
#include "fitting/solver/stationary_point.h"

namespace solver {

namespace {

constexpr int kMaxHalvings = 40;

// Whether the step that lowered the length of the residuals from fnorm to s (at lambda times
// the full step, whose projection is change) did so as the linearisation predicts, to a
// quarter at least: progress that rounding alone is unlikely to make.
bool realProgress(double fnorm, double s, double lambda, double change) {
    const double predicted = (2 - lambda) * lambda * (change / fnorm) * change;  // over fnorm
    return (fnorm - s) * ((fnorm + s) / fnorm) >= 0.25 * predicted;
}

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
        // The point as it stands, judged where a decision rests on it (the noise costs
        // evaluations). x does not move before it is judged.
        const Eigen::VectorXd here = x;
        const Linearisation at{here, f, observed, jac, step, change, fnorm};
        StationaryTest test(model, at, tol);
        // Where the Jacobian is rank-deficient Gauss-Newton has no step: whose doing that is
        // decides the end.
        if (!qr.fullRank()) {
            const DeficientEnd end = deficientEnd(model, x, qr, iter == done + 1, test, std::min(tol, kRefinedStep));
            if (end.status != FitStatus::Converged) return out.stop(end.status, end.message);
            out.stuck = true;
            return out.convergedWith(f, jac);
        }
        // A step within the resolution of the numbers: nowhere nearer to go.
        if (test.byResolution()) return out.convergedWith(f, jac);

        // Convergence by the size of the full step or by the predicted reduction, each only
        // where the residuals are orthogonal to the Jacobian within the tolerance as well.
        const bool smallStep = smallScaledStep(step, x, qr.columnNorms(), tol);
        const double predicted = (change / fnorm) * (change / fnorm);

        double lambda = 1;
        bool accepted = false;
        double trialNorm = fnorm;
        for (int h = 0; h <= kMaxHalvings; ++h, lambda *= 0.5) {
            const Eigen::VectorXd xt = stepTo(x, lambda * step);
            if (!xt.allFinite() || model.evaluate(xt, trialValues) >= 0) continue;
            const double s = stableLength(trialValues - observed);
            if (s < fnorm || (smallStep && s <= fnorm)) {
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
        if (smallStep && test.byTolerance()) return out.stop(FitStatus::Converged);
        if (accepted && lambda == 1 && predicted <= tol && 1 - (trialNorm / fnorm) * (trialNorm / fnorm) <= tol &&
            test.byTolerance())
            return out.stop(FitStatus::Converged);
        // A step that did not lower the sum of squares as the linearisation predicts may have
        // met the rounding of the model's values: where the point is stationary within it, the
        // fit ends there, at the point judged.
        if (!accepted || !realProgress(fnorm, trialNorm, lambda, change)) {
            // Where no step lowered it at all, the sum of squares may be at its rounding, or at a
            // minimum the Jacobian does not show.
            const bool stuck = !accepted && test.verdict() == Verdict::NotStationary &&
                               test.curvedMinimum(std::min(tol, kRefinedStep));
            if (test.verdict() == Verdict::Rounding || (!accepted && test.stationary()) || stuck) {
                x = here;
                out.mixing.clear();
                out.lastStep = {};
                out.stuck = stuck;
                return out.convergedWith(f, jac);
            }
        }
        if (!accepted)
            return out.stop(FitStatus::NotConverged,
                            "Gauss-Newton could not reduce the residual sum of squares, although it is not at a "
                            "minimum; please try other starting values, or Levenberg-Marquardt.");
    }
}

}  // namespace solver
