// Levenberg-Marquardt with a scaled trust region (after MINPACK's lmder): each iteration
// factors the Jacobian once by column-pivoted QR and then tries damped steps, shrinking the
// trust region, until one reduces the residual sum of squares enough to be accepted. Damped
// steps carry a geodesic acceleration (Transtrum and Sethna), so that they follow a curved
// valley of the sum of squares instead of crawling along it. Where the residuals stay large and
// Gauss-Newton's model keeps predicting the reductions poorly, the steps take in the second-order
// term that it leaves out (SecondOrderTerm), as NL2SOL does, while that predicts them better.
//
// The factors are those of the Jacobian with its columns scaled to unit length: the rank and
// the pivoting then see every parameter alike, whatever its units (a column 1e50 times
// shorter than another is not taken for no column at all). The steps are the same: the
// scaling of the trust region moves with the columns.
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include <Eigen/Dense>

#include "fitting/solver/convergence_tests.h"
#include "fitting/solver/iteration.h"
#include "fitting/solver/scaled_qr.h"
#include "fitting/solver/second_order.h"
#include "fitting/solver/stable_norm.h"
#include "fitting/solver/stationary_point.h"
#include "fitting/solver/trust_region_step.h"

namespace solver {

namespace {

// Trials of one iteration before it gives up; each failed trial at least halves the radius.
constexpr int kMaxTrials = 200;

// The acceleration's finite-difference step, as a fraction of the step, and the largest
// acceptable ratio of the correction to the step (both as Transtrum and Sethna suggest).
constexpr double kProbe = 0.1;
constexpr double kMaxCorrection = 0.75;

// How far a column must shrink in one step for the step to count as run onto a plateau.
constexpr double kCollapse = 1e-10;

// Stops short of a minimum, as kCannotReduceMessage: the start is poor, or the model cannot
// reach the data from it.
const char* const kAtTheEdge =
    "The fit stopped at the edge of the region where the model has a value; please try other starting values.";

class LevenbergMarquardt {
public:
    LevenbergMarquardt(FitModel& model, const Eigen::VectorXd& observed, const Eigen::VectorXd& start,
                       const FitOptions& options, int done)
        : model_(model),
          observed_(observed),
          options_(options),
          tol_(methodTolerance(options)),
          dataSize_(stableLength(observed)),
          out_(start, done),
          first_(done + 1),
          x_(out_.params),
          n_(start.size()),
          jac_(observed.size(), n_),
          qr_(observed.size(), n_) {}

    IterationOutcome run();

private:
    enum class Trial { Rejected, Accepted, Stop };

    bool returnFromPlateau();
    // The size the columns are measured against: that of the model's values at this
    // iteration's point, or of the data where they are larger (never 0: the fit is done there).
    double modelSize() const { return std::max(stableLength(values_), dataSize_); }
    void factor(int iter);
    Trial tryStep(int iter);
    bool accelerate(Eigen::VectorXd& step);
    // The model's values and residuals at p into trialValues_ and trialRes_; false where it
    // has no value.
    bool evaluateAt(const Eigen::VectorXd& p);
    // Whether the point of this iteration is stationary (see run()); asked only where a decision
    // rests on it, as the noise costs evaluations of the model. Where no step lowers the sum of
    // squares (stuck), residuals orthogonal to every column on its own count as well.
    bool atMinimum(bool stuck = false);
    // The same, with the Gauss-Newton step from the given factors of the Jacobian.
    bool pendingMinimum(const ScaledQR& factors);
    // The Gauss-Newton step from the point (into step, where given) and its projection |J step|.
    double gaussNewtonStep(Eigen::VectorXd* step);
    // Converged where no step lowers the sum of squares: perhaps within its rounding, or at a
    // minimum that the Jacobian does not show.
    IterationOutcome&& stuckConverged() {
        out_.stuck = !stationary_;
        return out_.stop(FitStatus::Converged);
    }
    Trial stop(FitStatus status, const char* message = "") {
        out_.stop(status, message);
        return Trial::Stop;
    }

    FitModel& model_;
    const Eigen::VectorXd& observed_;
    const FitOptions& options_;
    const double tol_;
    const double eps_ = std::numeric_limits<double>::epsilon();
    const double dataSize_;
    IterationOutcome out_;
    const int first_;  // the number of the first iteration
    Eigen::VectorXd& x_;
    const Eigen::Index n_;

    Eigen::VectorXd values_, trialValues_, res_, trialRes_, diag_, colNorms_;
    // The columns' scale (their lengths; 1 for a zero column) and diag_ in the scaled parameters.
    Eigen::VectorXd colScale_, scaledDiag_;
    Eigen::MatrixXd jac_, scaledJac_;
    Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr_;
    TrustRegionFactors fac_;
    double fnorm_ = 0, delta_ = 0, xnorm_ = 0, par_ = 0;
    // The cosine between the residuals and the Jacobian's columns.
    double gaussNewtonChange_ = 0;
    bool undefinedTrial_ = false, damped_ = false, stationary_ = false, stationaryKnown_ = false;
    // A test of the steps held as a step was accepted: the point it led to is judged at the next
    // iteration, with its own Jacobian.
    bool pending_ = false;
    // Whether, where no step lowers the sum of squares (asked only then), the point of this
    // iteration is within the rounding of the sum of squares or a minimum that the Jacobian does
    // not show.
    bool stuckAtMinimum_ = false, stuckKnown_ = false;

    // The point before the last accepted step, to return to when that step ran onto a plateau.
    struct {
        bool valid = false;
        Eigen::VectorXd x, res, colNorms;
        Eigen::MatrixXd jac;
        double fnorm = 0, pnorm = 0, size = 0;
    } back_;

    // The part of the Hessian the Jacobian leaves out, and whether this iteration's steps take
    // it in (augmented_) or the next one's will: where the last step's actual reduction was
    // predicted much better with it than by Gauss-Newton's model, which had fallen short.
    SecondOrderTerm secondOrder_;
    bool augmented_ = false, preferAugmented_ = false;
    void choose(double actred, double preredGaussNewton, double preredAugmented);
    void updateSecondOrder() { secondOrder_.update(x_ - back_.x, back_.jac, back_.res, jac_, res_); }
};

IterationOutcome LevenbergMarquardt::run() {
    for (int iter = first_;; ++iter) {
        if (!out_.startIteration(iter, options_)) return std::move(out_);
        if (!out_.jacobianAt(model_, values_, jac_)) return std::move(out_);
        if (iter == first_) {
            res_ = values_ - observed_;
            fnorm_ = stableLength(res_);
        }
        if (!out_.carryOn(fnorm_ * fnorm_, options_)) return std::move(out_);
        if (fnorm_ == 0) return out_.stop(FitStatus::Converged);
        if (returnFromPlateau()) continue;
        stationaryKnown_ = stuckKnown_ = false;
        if (pending_) {
            // The point the last step led to, judged with its own Jacobian; the factors that
            // judge it serve the refinement where it ends the fit.
            pending_ = false;
            auto factors = std::make_shared<const ScaledQR>(jac_);
            if (pendingMinimum(*factors)) {
                out_.factors = std::move(factors);
                return out_.convergedWith(values_, jac_);
            }
        }
        // The second-order term enters this iteration's factors only where it is preferred;
        // otherwise it is updated once the point is known not to end the fit.
        const bool updateFirst = preferAugmented_;
        if (back_.valid && updateFirst) updateSecondOrder();
        factor(iter);

        diag_ = diag_.cwiseMax(colNorms_);
        scaledDiag_ = diag_.cwiseQuotient(colScale_);

        // The cosine between the residuals and the Jacobian's columns, which is also the root
        // of the relative reduction the full Gauss-Newton step promises. Zero to rounding: the
        // minimum. The tests of the steps below count only where the point is stationary: the
        // cosine within the square root of the tolerance, which bounds what that step promises
        // as well, or the residuals' projection within their rounding. Where the region cuts
        // the steps short while that step promises more, the steps have to be short for another
        // reason than a minimum: the edge of the region where the model has a value, or a sharp
        // bend of a valley, where small reductions do not mean that the fit is done.
        gaussNewtonChange_ = gaussNewtonStep(nullptr) / fnorm_;
        if (gaussNewtonChange_ <= eps_) return out_.stop(FitStatus::Converged);
        undefinedTrial_ = false;
        if (back_.valid && !updateFirst) updateSecondOrder();
        for (int trial = 1;; ++trial) {
            const Trial t = tryStep(iter);
            if (t == Trial::Stop) return std::move(out_);
            if (t == Trial::Accepted) break;
            if (trial >= kMaxTrials || !(delta_ > 0)) {
                // Rounding alone keeps the sum of squares from falling: it is stationary.
                if (atMinimum(true)) return stuckConverged();
                return out_.stop(FitStatus::NotConverged, kCannotReduceMessage);
            }
        }
    }
}

// A step that made a parameter lose all effect reduced the sum of squares by settling on a
// plateau (an exponential term that underflows at every point once its rate has run away),
// where the fit can only stall: go back and try a shorter step. Lost: the parameter's column
// shrank in the step to nothing beside the size of the model's values (or the data's, where
// they are larger), against what it was before. That is free of the parameter's own value: a
// parameter whose best value is 0 keeps its effect, and a column that scales with another
// parameter (b in a e^(bx) as a falls) keeps its size beside the model's. A column that was
// zero before has not collapsed: the fit steps on in the other parameters.
bool LevenbergMarquardt::returnFromPlateau() {
    if (!back_.valid) return false;
    colNorms_ = columnLengths(jac_);
    const double size = modelSize(), before = back_.size;
    if (!((back_.colNorms.array() > 0) &&
          (colNorms_.array() / size <= kCollapse * (back_.colNorms.array() / before))).any())
        return false;
    x_ = back_.x;
    res_ = back_.res;
    pending_ = false;
    fnorm_ = back_.fnorm;
    xnorm_ = stableLength(diag_.cwiseProduct(x_));
    delta_ = 0.25 * back_.pnorm;
    back_.valid = false;
    out_.mixing.clear();
    out_.lastStep = {};
    return true;
}

bool LevenbergMarquardt::atMinimum(bool stuck) {
    if (!stationaryKnown_ || (stuck && !stuckKnown_ && !stationary_)) {
        Eigen::VectorXd step(n_);
        const double change = gaussNewtonStep(&step);
        const Linearisation at{x_, values_, observed_, jac_, step, change, fnorm_};
        StationaryTest test(model_, at, tol_);
        if (!stationaryKnown_) stationary_ = test.stationary();
        stationaryKnown_ = true;
        if (stuck && !stationary_) {
            stuckAtMinimum_ = test.curvedMinimum(std::min(tol_, kRefinedStep));
            stuckKnown_ = true;
        }
    }
    return stationary_ || (stuck && stuckAtMinimum_);
}

bool LevenbergMarquardt::pendingMinimum(const ScaledQR& factors) {
    double change = 0;
    const Eigen::VectorXd step = -factors.solve(res_, &change);
    const Linearisation at{x_, values_, observed_, jac_, step, change, fnorm_};
    stationary_ = StationaryTest(model_, at, tol_).stationary();
    stationaryKnown_ = true;
    return stationary_;
}

double LevenbergMarquardt::gaussNewtonStep(Eigen::VectorXd* step) {
    if (augmented_) {
        // The factors are those of the Jacobian and the second-order rows.
        double change = 0;
        const Eigen::VectorXd gn = -ScaledQR(jac_).solve(res_, &change);
        if (step) *step = gn;
        return change;
    }
    const int r = fac_.rank;
    if (step) {
        Eigen::VectorXd z = Eigen::VectorXd::Zero(n_);
        z.head(r) = fac_.r.topLeftCorner(r, r).triangularView<Eigen::Upper>().solve(fac_.qtr.head(r));
        for (Eigen::Index k = 0; k < n_; ++k) (*step)(fac_.perm(k)) = -z(k) / colScale_(fac_.perm(k));
    }
    return stableLength(fac_.qtr.head(r));
}

void LevenbergMarquardt::choose(double actred, double preredGaussNewton, double preredAugmented) {
    const double missGaussNewton = std::abs(actred - preredGaussNewton);
    const double missAugmented = std::abs(actred - preredAugmented);
    preferAugmented_ = augmented_ ? !(missGaussNewton < missAugmented)
                                  : actred < 0.75 * preredGaussNewton && missAugmented < 0.5 * missGaussNewton;
}

void LevenbergMarquardt::factor(int iter) {
    if (!back_.valid) colNorms_ = columnLengths(jac_);  // otherwise returnFromPlateau took them
    colScale_ = (colNorms_.array() == 0).select(1.0, colNorms_);
    augmented_ = preferAugmented_ && secondOrder_.rows().rows() > 0;
    if (augmented_) {
        const Eigen::MatrixXd& rows = secondOrder_.rows();
        scaledJac_.resize(jac_.rows() + rows.rows(), n_);
        scaledJac_.topRows(jac_.rows()) = jac_ * colScale_.cwiseInverse().asDiagonal();
        scaledJac_.bottomRows(rows.rows()) = rows * colScale_.cwiseInverse().asDiagonal();
    } else {
        scaledJac_ = jac_ * colScale_.cwiseInverse().asDiagonal();
    }
    qr_.compute(scaledJac_);
    fac_.r = qr_.matrixR().topRows(n_).triangularView<Eigen::Upper>();
    fac_.perm = qr_.colsPermutation().indices();
    fac_.rank = static_cast<int>(qr_.rank());
    trialRes_ = Eigen::VectorXd::Zero(scaledJac_.rows());
    trialRes_.head(res_.size()) = res_;
    trialRes_.applyOnTheLeft(qr_.householderQ().adjoint());
    fac_.qtr = trialRes_.head(n_);
    if (iter == first_) {
        diag_ = colScale_;
        xnorm_ = stableLength(diag_.cwiseProduct(x_));
        // The region starts at 100 times the parameters' own size (MINPACK's choice), but no
        // smaller than the misfit itself: |D dx| measures a step by how far it moves the
        // model, and a start whose parameters are tiny against the data (a = 1 for data of
        // 1e50) needs steps as long as the misfit, which a region grown from the parameters'
        // size would reach only after hundreds of doublings.
        delta_ = std::max(xnorm_ == 0 ? 100.0 : 100.0 * xnorm_, fnorm_);
    }
}

// Adds to the damped step v the second-order correction a/2 of the path the model's values
// follow, with a the damped solution of J a = -r'' and r'' the second directional derivative
// of the residuals along v, estimated from one more evaluation at x + kProbe v. False when
// the correction is large against the step: the step is too long for the curvature.
bool LevenbergMarquardt::accelerate(Eigen::VectorXd& step) {
    const Eigen::VectorXd probe = x_ + kProbe * step;
    if (!probe.allFinite() || model_.evaluate(probe, trialValues_) >= 0) return true;
    trialRes_ = Eigen::VectorXd::Zero(scaledJac_.rows());
    trialRes_.head(res_.size()) = (2 / kProbe) * ((trialValues_ - observed_ - res_) / kProbe - jac_ * step);
    trialRes_.applyOnTheLeft(qr_.householderQ().adjoint());
    const Eigen::VectorXd a = -dampedSolve(fac_, scaledDiag_, par_, trialRes_.head(n_)).cwiseQuotient(colScale_);
    if (2 * stableLength(diag_.cwiseProduct(a)) > kMaxCorrection * stableLength(diag_.cwiseProduct(step))) return false;
    step += 0.5 * a;
    return true;
}

bool LevenbergMarquardt::evaluateAt(const Eigen::VectorXd& p) {
    if (!p.allFinite() || model_.evaluate(p, trialValues_) >= 0) return false;
    trialRes_ = trialValues_ - observed_;
    return true;
}

LevenbergMarquardt::Trial LevenbergMarquardt::tryStep(int iter) {
    // The velocity: the step of the linear model, whose predicted reduction the actual one is
    // measured against; the step taken adds the acceleration.
    const Eigen::VectorXd velocity = -trustRegionStep(fac_, scaledDiag_, delta_, par_).cwiseQuotient(colScale_);
    damped_ = par_ > 0;
    Eigen::VectorXd step = velocity;
    const bool usable = !damped_ || accelerate(step);
    const Eigen::VectorXd jv = jac_ * velocity;
    const double jvnorm = stableLength(jv);
    const double t1 = jvnorm / fnorm_;
    const double dirder = res_.dot(jv / fnorm_) / fnorm_;
    // The predicted relative reduction of the sum of squares, by Gauss-Newton's model and with the
    // second-order term (both at the velocity). The latter counts only where this iteration's
    // steps take the term in, or where Gauss-Newton's model fell short.
    const double preredGaussNewton = -(2 * dirder + t1 * t1);
    const double preredAugmented = augmented_ ? preredGaussNewton - secondOrder_.quadratic(velocity) / fnorm_ / fnorm_
                                              : std::nan("");
    const double prered = augmented_ ? preredAugmented : preredGaussNewton;
    auto actualReduction = [&](double fnorm1) {
        return 0.1 * fnorm1 < fnorm_ ? 1 - (fnorm1 / fnorm_) * (fnorm1 / fnorm_) : -1.0;
    };

    const double pnorm = stableLength(diag_.cwiseProduct(step));
    if (iter == first_) delta_ = std::min(delta_, pnorm);
    const Eigen::VectorXd xt = stepTo(x_, step);
    double ratio = 0, actred = -1;
    bool accepted = false;
    if (!usable) {
        delta_ = 0.5 * std::min(delta_, pnorm);
        par_ *= 2;
    } else if (!evaluateAt(xt)) {
        // The model has no value there: reject the step and shrink the region.
        undefinedTrial_ = true;
        delta_ = 0.25 * std::min(delta_, pnorm);
        par_ *= 4;
    } else {
        const double fnorm1 = stableLength(trialRes_);
        actred = actualReduction(fnorm1);
        ratio = prered != 0 ? actred / prered : 0;
        if (augmented_) {
            choose(actred, preredGaussNewton, preredAugmented);
        } else if (actred < 0.75 * preredGaussNewton) {
            const double quadratic = secondOrder_.quadratic(velocity) / fnorm_ / fnorm_;
            if (quadratic > 0) choose(actred, preredGaussNewton, preredGaussNewton - quadratic);
        }
        if (ratio <= 0.25) {
            double t = actred >= 0 ? 0.5 : 0.5 * dirder / (dirder + 0.5 * actred);
            if (0.1 * fnorm1 >= fnorm_ || t < 0.1) t = 0.1;
            delta_ = t * std::min(delta_, pnorm / 0.1);
            par_ /= t;
        } else if (par_ == 0 || ratio >= 0.75) {
            delta_ = pnorm / 0.5;
            par_ *= 0.5;
        }
        if (ratio >= 1e-4) {
            accepted = true;
            back_.valid = true;
            back_.x = x_;
            back_.res = res_;
            back_.fnorm = fnorm_;
            back_.pnorm = pnorm;
            back_.colNorms = colNorms_;
            back_.size = modelSize();
            back_.jac = jac_;
            // The refinement mixes its steps with the last full Gauss-Newton step (earlier ones,
            // far from the minimum, would only blur the mixing).
            out_.mixing.clear();
            if (damped_) {
                out_.lastStep = {};
            } else {
                out_.mixing.add(x_, velocity);
                out_.lastStep.change = jvnorm;
                out_.lastStep.plain = true;
            }
            x_ = xt;
            res_.swap(trialRes_);
            fnorm_ = fnorm1;
            xnorm_ = stableLength(diag_.cwiseProduct(x_));
        }
    }
    if (accepted && fnorm_ == 0) return stop(FitStatus::Converged);
    // Relative reduction of the sum of squares, actual and predicted, both small; or the trust
    // region shrunk below the tolerance relative to the parameters. Either ends the fit only
    // where the point it stands on is stationary: this iteration's, or after a step, the next.
    // With the second-order term the model's full step itself must be small: the sum of squares
    // of a problem whose residuals stay large is flat to many digits where its parameters are
    // not. Away from a minimum the region shrinks on, down to rounding, to find a step that
    // reduces the sum of squares (and, after steps where the model had no value, one that stays
    // where it has one).
    const bool smallReduction = !augmented_ && std::abs(actred) <= tol_ && prered <= tol_ && 0.5 * ratio <= 1;
    const bool smallStep = augmented_ && !damped_ && pnorm <= tol_ * xnorm_;
    const bool collapsed = delta_ <= eps_ * xnorm_;
    if (accepted) {
        pending_ = smallReduction || smallStep || delta_ <= tol_ * xnorm_ || collapsed;
    } else {
        if ((smallReduction || delta_ <= tol_ * xnorm_) && atMinimum()) return stop(FitStatus::Converged);
        if (collapsed) {
            if (atMinimum(true)) {
                stuckConverged();
                return Trial::Stop;
            }
            return stop(FitStatus::NotConverged, undefinedTrial_ ? kAtTheEdge : kCannotReduceMessage);
        }
    }
    return accepted ? Trial::Accepted : Trial::Rejected;
}

}  // namespace

IterationOutcome runLevenbergMarquardt(FitModel& model, const Eigen::VectorXd& observed,
                                       const Eigen::VectorXd& start, const FitOptions& options, int done) {
    return LevenbergMarquardt(model, observed, start, options, done).run();
}

}  // namespace solver
