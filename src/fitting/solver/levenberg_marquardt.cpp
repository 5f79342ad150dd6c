// Levenberg-Marquardt with a scaled trust region (after MINPACK's lmder): each iteration
// factors the Jacobian once by column-pivoted QR and then tries damped steps, shrinking the
// trust region, until one reduces the residual sum of squares enough to be accepted.
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

}  // namespace

IterationOutcome runLevenbergMarquardt(FitModel& model, const Eigen::VectorXd& observed,
                                       const Eigen::VectorXd& start, const FitOptions& options) {
    const Eigen::Index n = start.size();
    const double tol = options.tolerance;
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

    for (int iter = 1;; ++iter) {
        if (!out.startIteration(iter, options)) return out;
        if (fnorm == 0) return out.stop(FitStatus::Converged);
        if (!out.jacobianAt(model, f, jac)) return out;

        const Eigen::VectorXd jacRes = res;  // the residuals the factors below belong to
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

        // After a trial where the model had no value the region may have shrunk onto the edge
        // of the domain, where the sum of squares cannot fall within it although the point is
        // no minimum. A convergence test then counts only when the full Gauss-Newton step, too,
        // predicts a relative reduction within the tolerance.
        bool undefinedTrial = false;
        double gaussNewtonGain = -1;
        auto atMinimum = [&] {
            if (!undefinedTrial) return true;
            if (gaussNewtonGain < 0) {
                double noDamping = 0;
                const Eigen::VectorXd gn = trustRegionStep(fac, diag, std::numeric_limits<double>::infinity(), noDamping);
                gaussNewtonGain = 1 - (jacRes - jac * gn).squaredNorm() / jacRes.squaredNorm();
            }
            return gaussNewtonGain <= tol;
        };
        for (int trial = 1;; ++trial) {
            const Eigen::VectorXd step = -trustRegionStep(fac, diag, delta, par);
            const double pnorm = diag.cwiseProduct(step).norm();
            if (iter == 1) delta = std::min(delta, pnorm);
            const Eigen::VectorXd xt = x + step;
            double ratio = 0, actred = -1, prered = 0;
            bool accepted = false;
            if (!xt.allFinite() || model.evaluate(xt, trialValues) >= 0) {
                // The model has no value there: reject the step and shrink the region.
                undefinedTrial = true;
                delta = 0.25 * std::min(delta, pnorm);
                par *= 4;
            } else {
                const Eigen::VectorXd rt = trialValues - observed;
                const double fnorm1 = rt.norm();
                if (0.1 * fnorm1 < fnorm) actred = 1 - (fnorm1 / fnorm) * (fnorm1 / fnorm);
                const double t1 = (jac * step).norm() / fnorm;
                const double t2 = std::sqrt(par) * pnorm / fnorm;
                prered = t1 * t1 + t2 * t2 / 0.5;
                const double dirder = -(t1 * t1 + t2 * t2);
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
            // The trust region has shrunk below the tolerance relative to the parameters. With
            // exact derivatives that happens only near a minimum, unless steps were refused
            // because the model had no value there.
            if (delta <= tol * xnorm || delta <= eps * xnorm) {
                if (atMinimum()) return out.stop(FitStatus::Converged);
                return out.stop(FitStatus::NotConverged,
                                "The fit stopped at the edge of the region where the model has a value.");
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
