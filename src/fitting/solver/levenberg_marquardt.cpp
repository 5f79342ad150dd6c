// Levenberg-Marquardt with a scaled trust region (after MINPACK's lmder): each iteration
// factors the Jacobian once by column-pivoted QR and then tries damped steps, shrinking the
// trust region, until one reduces the residual sum of squares enough to be accepted. Damped
// steps carry a geodesic acceleration (Transtrum and Sethna), so that they follow a curved
// valley of the sum of squares instead of crawling along it.
#include <algorithm>
#include <cmath>
#include <limits>

#include <Eigen/Dense>

#include "fitting/solver/iteration.h"
#include "fitting/solver/trust_region_step.h"

namespace solver {

namespace {

// Trials of one iteration before it gives up; each failed trial at least halves the radius.
constexpr int kMaxTrials = 200;

// The acceleration's finite-difference step, as a fraction of the step, and the largest
// acceptable ratio of the correction to the step (both as Transtrum and Sethna suggest).
constexpr double kProbe = 0.1;
constexpr double kMaxCorrection = 0.75;

enum class Acceleration { None, Added, TooLarge };

// Adds to the damped step v the second-order correction a/2 of the path the model's values
// follow, with a the damped solution of J a = -r'' and r'' the second directional derivative
// of the residuals along v, estimated from one more evaluation at x + kProbe v. A correction
// large against the step means the step is too long for the curvature: TooLarge.
Acceleration accelerate(FitModel& model, const Eigen::VectorXd& x, const Eigen::VectorXd& res,
                        const Eigen::VectorXd& observed, const Eigen::MatrixXd& jac,
                        const Eigen::ColPivHouseholderQR<Eigen::MatrixXd>& qr, const TrustRegionFactors& fac,
                        const Eigen::VectorXd& diag, double par, Eigen::VectorXd& probeValues,
                        Eigen::VectorXd& step) {
    const Eigen::VectorXd probe = x + kProbe * step;
    if (!probe.allFinite() || model.evaluate(probe, probeValues) >= 0) return Acceleration::None;
    const Eigen::VectorXd second =
        (2 / kProbe) * ((probeValues - observed - res) / kProbe - jac * step);
    const Eigen::VectorXd qts = (qr.householderQ().adjoint() * second).head(fac.r.cols());
    const Eigen::VectorXd a = -dampedSolve(fac, diag, par, qts);
    if (2 * diag.cwiseProduct(a).norm() > kMaxCorrection * diag.cwiseProduct(step).norm())
        return Acceleration::TooLarge;
    step += 0.5 * a;
    return Acceleration::Added;
}

}  // namespace

IterationOutcome runLevenbergMarquardt(FitModel& model, const Eigen::VectorXd& observed,
                                       const Eigen::VectorXd& start, const FitOptions& options) {
    const Eigen::Index n = start.size();
    const double tol = methodTolerance(options);
    const double eps = std::numeric_limits<double>::epsilon();

    IterationOutcome out(start);
    Eigen::VectorXd& x = out.params;
    Workspace ws(observed.size(), n);
    auto& [f, trialValues, jac] = ws;
    if (model.evaluate(x, f) >= 0) {
        out.status = FitStatus::UndefinedAtStart;
        return out;
    }
    Eigen::VectorXd res = f - observed;
    double fnorm = res.norm();
    Eigen::VectorXd diag(n);
    double delta = 0, xnorm = 0, par = 0;
    // The point before the last accepted step, to return to when that step ran onto a plateau.
    struct {
        bool valid = false;
        Eigen::VectorXd x, res;
        double fnorm = 0, pnorm = 0;
    } back;

    for (int iter = 1;; ++iter) {
        if (!out.startIteration(iter, options)) return out;
        if (fnorm == 0) return out.stop(FitStatus::Converged);
        if (!out.jacobianAt(model, f, jac)) return out;
        // A step that made a parameter lose all effect reduced the sum of squares by settling
        // on a plateau, where the fit can only stall: go back and try a shorter step.
        if (back.valid && parameterWithoutEffect(jac, x, f, observed) >= 0) {
            x = back.x;
            res = back.res;
            fnorm = back.fnorm;
            xnorm = diag.cwiseProduct(x).norm();
            delta = 0.25 * back.pnorm;
            back.valid = false;
            continue;
        }

        Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(jac);
        TrustRegionFactors fac;
        fac.r = qr.matrixR().topRows(n).triangularView<Eigen::Upper>();
        fac.perm = qr.colsPermutation().indices();
        fac.rank = static_cast<int>(qr.rank());
        fac.qtr = (qr.householderQ().adjoint() * res).head(n);
        const Eigen::VectorXd colNorms = jac.colwise().norm().transpose();

        if (iter == 1) {
            for (Eigen::Index j = 0; j < n; ++j) diag(j) = colNorms(j) == 0 ? 1.0 : colNorms(j);
            xnorm = diag.cwiseProduct(x).norm();
            delta = xnorm == 0 ? 100.0 : 100.0 * xnorm;
        }
        // Stationary point: the residuals are orthogonal to every column of the Jacobian.
        double gnorm = 0;
        const Eigen::VectorXd jtr = jac.transpose() * res;
        for (Eigen::Index j = 0; j < n; ++j)
            if (colNorms(j) != 0) gnorm = std::max(gnorm, std::abs(jtr(j)) / (colNorms(j) * fnorm));
        if (gnorm <= eps) return out.stop(FitStatus::Converged);
        diag = diag.cwiseMax(colNorms);

        // A convergence test counts only where the full Gauss-Newton step, too, predicts a
        // relative reduction within the tolerance, or lies inside the region. Where the region
        // cuts the steps short while that step promises more, the steps have to be short for
        // another reason than a minimum: the edge of the region where the model has a value, or a
        // sharp bend of a valley, where small reductions do not mean that the fit is done.
        const double gaussNewtonGain = fac.qtr.head(fac.rank).squaredNorm() / (fnorm * fnorm);
        bool undefinedTrial = false, damped = false;
        auto atMinimum = [&] { return !damped || gaussNewtonGain <= tol; };
        for (int trial = 1;; ++trial) {
            // The velocity: the step of the linear model, whose predicted reduction the actual
            // one is measured against; the step taken adds the acceleration.
            const Eigen::VectorXd velocity = -trustRegionStep(fac, diag, delta, par);
            damped = par > 0;
            Eigen::VectorXd step = velocity;
            const Acceleration acc = damped ? accelerate(model, x, res, observed, jac, qr, fac, diag, par, trialValues, step)
                                            : Acceleration::None;
            const double pnorm = diag.cwiseProduct(step).norm();
            if (iter == 1) delta = std::min(delta, pnorm);
            const Eigen::VectorXd xt = x + step;
            double ratio = 0, actred = -1, prered = 0;
            bool accepted = false;
            if (acc == Acceleration::TooLarge) {
                delta = 0.5 * std::min(delta, pnorm);
                par *= 2;
            } else if (!xt.allFinite() || model.evaluate(xt, trialValues) >= 0) {
                // The model has no value there: reject the step and shrink the region.
                undefinedTrial = true;
                delta = 0.25 * std::min(delta, pnorm);
                par *= 4;
            } else {
                const Eigen::VectorXd rt = trialValues - observed;
                const double fnorm1 = rt.norm();
                if (0.1 * fnorm1 < fnorm) actred = 1 - (fnorm1 / fnorm) * (fnorm1 / fnorm);
                const Eigen::VectorXd jv = jac * velocity;
                const double t1 = jv.norm() / fnorm;
                const double dirder = res.dot(jv) / (fnorm * fnorm);
                prered = -(2 * dirder + t1 * t1);
                ratio = prered != 0 ? actred / prered : 0;
                if (ratio <= 0.25) {
                    double t = actred >= 0 ? 0.5 : 0.5 * dirder / (dirder + 0.5 * actred);
                    if (0.1 * fnorm1 >= fnorm || t < 0.1) t = 0.1;
                    delta = t * std::min(delta, pnorm / 0.1);
                    par /= t;
                } else if (par == 0 || ratio >= 0.75) {
                    delta = pnorm / 0.5;
                    par *= 0.5;
                }
                if (ratio >= 1e-4) {
                    accepted = true;
                    back = {true, x, res, fnorm, pnorm};
                    out.lastChange = damped ? std::numeric_limits<double>::infinity() : jv.norm();
                    x = xt;
                    res = rt;
                    fnorm = fnorm1;
                    xnorm = diag.cwiseProduct(x).norm();
                }
            }
            if (accepted && fnorm == 0) return out.stop(FitStatus::Converged);
            // Relative reduction of the sum of squares, actual and predicted, both small.
            if (std::abs(actred) <= tol && prered <= tol && 0.5 * ratio <= 1 && atMinimum())
                return out.stop(FitStatus::Converged);
            // The trust region has shrunk below the tolerance relative to the parameters. Away
            // from a minimum it shrinks on, down to rounding, to find a step that reduces the
            // sum of squares (and, after steps where the model had no value, one that stays
            // where it has one).
            if (delta <= tol * xnorm && atMinimum()) return out.stop(FitStatus::Converged);
            if (delta <= eps * xnorm) {
                if (atMinimum()) return out.stop(FitStatus::Converged);
                return out.stop(FitStatus::NotConverged,
                                undefinedTrial ? "The fit stopped at the edge of the region where the model has a value."
                                               : "The fit could not reduce the residual sum of squares any further.");
            }
            if (std::abs(actred) <= eps && prered <= eps && 0.5 * ratio <= 1 && atMinimum())
                return out.stop(FitStatus::Converged);
            if (accepted) break;
            if (trial >= kMaxTrials || !(delta > 0))
                return out.stop(FitStatus::NotConverged,
                              "The fit could not reduce the residual sum of squares any further.");
        }
    }
}

}  // namespace solver
