#pragma once
// The outcome of the iterations of one solver, before the statistics are computed.
#include <limits>
#include <memory>
#include <string>

#include <Eigen/Core>

#include "fitting/solver/anderson_mixing.h"
#include "fitting/solver/fit_model.h"
#include "fitting/solver/fit_result.h"
#include "fitting/solver/scaled_qr.h"

namespace solver {

struct IterationOutcome {
    // done: the iterations already counted before these (by an earlier run of a method).
    explicit IterationOutcome(const Eigen::VectorXd& start, int done = 0) : params(start), iterations(done) {}

    FitStatus status = FitStatus::NotConverged;
    Eigen::VectorXd params;  // the last accepted point
    int iterations = 0;
    std::string message;     // set when status is not Converged
    bool atStart = false;    // stopped at the starting values, where no statistics can be taken
    // The refinement stopped making progress away from a stationary point: its steps did not
    // lower the sum of squares, or stopped shrinking, where the method's looser test had held.
    bool refinementStalled = false;
    // Converged where no step lowers the sum of squares: within its rounding, or at a minimum
    // whose curvature the Jacobian does not show. Gauss-Newton steps cannot refine anything there.
    bool stuck = false;
    // After the refinement: the model's values at params and its Jacobian there or one step
    // before, too close to tell apart in the statistics; otherwise empty, and the statistics
    // evaluate them. A method that ends converged where it has them for params hands them to
    // the refinement.
    Eigen::VectorXd values;
    Eigen::MatrixXd jacobian;
    // The factors of that Jacobian, where the method judged the point with them.
    std::shared_ptr<const ScaledQR> factors;
    Eigen::VectorXd inverseNormalRoots;  // of that Jacobian, when the refinement has it
    // The method's last Gauss-Newton iterate (a point and the full step from it), for the
    // refinement's mixing; and |J step| of its last accepted step when that was a full
    // Gauss-Newton step taken whole (plain), which with the next one tells the rate at which
    // the steps shrink.
    AndersonMixing mixing;
    struct {
        double change = std::numeric_limits<double>::infinity();
        bool plain = false;
    } lastStep;

    // Sets the outcome and hands it on (moved, to be returned).
    IterationOutcome&& stop(FitStatus s, std::string text = {}) {
        status = s;
        message = std::move(text);
        return std::move(*this);
    }
    // Converged at params, whose values and Jacobian these are.
    IterationOutcome&& convergedWith(const Eigen::VectorXd& valuesHere, const Eigen::MatrixXd& jacobianHere) {
        values = valuesHere;
        jacobian = jacobianHere;
        return stop(FitStatus::Converged);
    }
    // Counts iteration iter; false, with the outcome NotConverged, past the limit.
    bool startIteration(int iter, const FitOptions& options);
    // Hands the iteration and the sum of squares at params to options.progress; false, with
    // the outcome Cancelled, when it asks to stop.
    bool carryOn(double ssr, const FitOptions& options);
    // Values and Jacobian at params; false, with the outcome NotConverged, where the model
    // has no derivatives or, in the first iteration, its values are beyond the range of
    // numbers (UndefinedAtStart where, in the first iteration, it has no value).
    bool jacobianAt(FitModel& model, Eigen::VectorXd& values, Eigen::MatrixXd& jacobian);
};

// x + step, where a parameter that the step cancels to within the step's own rounding (a few of
// its last bits) becomes exactly 0: the step to a parameter whose best value is 0 (a linear
// coefficient, an offset) otherwise leaves the last bits of its size, and each further step
// only the last bits of those.
Eigen::VectorXd stepTo(const Eigen::VectorXd& x, const Eigen::VectorXd& step);

// The message of a fit whose steps cannot lower the sum of squares away from a minimum.
inline constexpr const char* kCannotReduceMessage =
    "The fit could not reduce the residual sum of squares any further, although it is not at a minimum; "
    "please try other starting values.";

// The vectors an iteration works in, for m points and n parameters.
struct Workspace {
    Workspace(Eigen::Index m, Eigen::Index n) : values(m), trialValues(m), jacobian(m, n) {}
    Eigen::VectorXd values, trialValues;
    Eigen::MatrixXd jacobian;
};

// Gauss-Newton with step halving. done: iterations counted before (the limit holds for all).
IterationOutcome runGaussNewton(FitModel& model, const Eigen::VectorXd& observed,
                                const Eigen::VectorXd& start, const FitOptions& options, int done = 0);

// Levenberg-Marquardt with a scaled trust region.
IterationOutcome runLevenbergMarquardt(FitModel& model, const Eigen::VectorXd& observed,
                                       const Eigen::VectorXd& start, const FitOptions& options, int done = 0);

// After either method's own test has held: accelerated Gauss-Newton steps from its point
// until the remaining distance to the minimum is below kRefinedStep (or the user's tolerance
// when that is smaller) relative to every parameter and to the sum of squares, or until the
// sum of squares is flat within rounding. Each step counts as an iteration; where the limit
// ends the steps first, the outcome is NotConverged. Leaves in outcome the values at the
// final point and a Jacobian for its statistics. Where its steps stop lowering the sum of
// squares (or stop shrinking) before the point is stationary to the refined step, it marks
// the outcome refinementStalled: the method's test was too loose to tell.
void refineConverged(FitModel& model, const Eigen::VectorXd& observed, const FitOptions& options,
                     IterationOutcome& outcome);

// The relative step at which the refinement ends: parameters right to about nine digits,
// which leaves six or more where the data determine them.
inline constexpr double kRefinedStep = 1e-9;

// The tolerance of the methods' own convergence tests: the user's, but no smaller than the
// refinement's step, below which the refinement's tests take over.
double methodTolerance(const FitOptions& options);

}  // namespace solver
