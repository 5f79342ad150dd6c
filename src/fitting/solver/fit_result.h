#pragma once
// What a least-squares fit takes as options and hands back: the shared result record of
// the nonlinear and the polynomial solvers.
#include <functional>
#include <string>
#include <vector>

#include "state/fit_defaults.h"

namespace solver {

enum class FitMethod {
    GaussNewton = 1,         // gNonLinMethod 1
    LevenbergMarquardt = 2,  // gNonLinMethod 2, and the method of surface and volume fits
};

enum class FitStatus {
    Converged,         // the convergence test held; the parameters are the fit
    NotConverged,      // the iteration limit was reached, or no step could reduce the residuals
    Singular,          // some parameters cannot be determined: by the model or the data (rank-deficient Jacobian)
    UndefinedAtStart,  // the model has no value at some data point for the starting values
    BadInput,          // unusable input; nothing was iterated
    Cancelled,         // the progress hook asked to stop; nothing of the fit is usable
};

// Limits of the options, checked before any work.
inline constexpr int kMinIterations = 1;
inline constexpr int kMaxIterations = 100000;
inline constexpr double kMinTolerance = 1e-15;
inline constexpr double kMaxTolerance = 0.5;

// One iteration is one evaluation of the Jacobian followed by the search for an accepted step
// (step halving for Gauss-Newton, trust-region shrinking for Levenberg-Marquardt). The tolerance
// is relative. A method's own test holds only where two things are shown: the step is small, or
// the sum of squares no longer falls, and the point is stationary. Small: the full step moves the
// model by no more than tolerance times what the parameters' whole values move it (|D dp| <= tol
// |D p|, D the lengths of the Jacobian's columns, the largest seen so far for
// Levenberg-Marquardt's region), with no floor that a tiny parameter could slip under; or both the
// actual and the predicted relative reduction of the residual sum of squares are at most the
// tolerance; or the step moves the model by no more than the rounding of its values. Stationary:
// the cosine between the residuals and the Jacobian's column space (which bounds their cosine with
// every column) is at most the square root of the tolerance, or the residuals' projection on it is
// within their rounding: the rounding that evaluating the model commits (far more than the last
// bit of a value formed from much larger terms) and the last bits of the values and the data.
// Every test is taken without squaring what could overflow or underflow, and one whose figures are
// not numbers fails. Exactly zero residuals count as converged. The tolerance bounds the work of
// the method, not the digits of the result: once its test holds, a few accelerated Gauss-Newton
// steps (each an iteration) carry the fit on until the next step would move the model by no more
// than 1e-9 of the parameters' effect (or the tolerance, when that is smaller) and the sum of
// squares by no more than that fraction, or until the sum of squares is flat within rounding;
// where they stop making progress before the point is stationary to that fraction, the method
// itself carries on at it. The fit counts as converged only when these steps have ended within the
// iteration limit; its parameters, standard errors, residual sum of squares and R2 then carry the
// digits the data determine (on the certified reference problems, 6 or more significant digits in
// every parameter and 4 or more in every standard error, for every tolerance from 1e-4 to 1e-15;
// where the residuals are as small as the rounding of the data, the sum of squares and the
// standard errors have only the few digits that rounding leaves). A fit that stops short of a
// stationary point (a parameter that lost all effect, a Jacobian made singular by the start, steps
// that cannot lower the sum of squares, starting values whose model values are beyond the range of
// numbers) ends NotConverged with a message that asks for other starting values. Parameters that
// no start can determine (one the model does not change with at the data, two that act only
// together), and a singular Jacobian at a stationary point, end Singular with a message that says
// so.
struct FitOptions {
    FitMethod method = FitMethod::LevenbergMarquardt;
    int maxIterations = static_cast<int>(kDefaultMaxIterations);
    double tolerance = kDefaultTolerance;
    // Called once per iteration with its number and the residual sum of squares at the
    // point it works from; false stops the fit there with the status Cancelled. It only
    // watches: the results do not depend on it.
    std::function<bool(int iteration, double ssr)> progress{};
};

// The message of a fit stopped by its progress hook.
inline constexpr const char* kFitCancelledMessage = "The fit was cancelled.";

// The result of a fit. On BadInput, UndefinedAtStart and Cancelled only status and message are
// meaningful (parameters hold the starting values). On NotConverged and Singular the
// parameters and statistics are those of the last accepted point, for information.
struct FitResult {
    FitStatus status = FitStatus::BadInput;
    std::string message;                  // a sentence for the dialogs to show; empty on success
    std::vector<double> parameters;       // fitted values, in the order of the parameters given
    std::vector<double> standardErrors;   // asymptotic standard errors; NaN where undetermined
    std::vector<double> fittedValues;     // the model at every data point
    double residualSumOfSquares = 0;      // sum of (observed - fitted)^2
    double residualStdDev = 0;            // sqrt(SSR / (m - n)); NaN when m == n
    double rSquared = 0;                  // 1 - SSR / SST about the mean; NaN when SST == 0
    int iterations = 0;
    int degreesOfFreedom = 0;             // m - n
    bool converged() const { return status == FitStatus::Converged; }
};

// A short name of the status, for reports ("converged", "not converged", ...).
const char* statusName(FitStatus status);

}  // namespace solver
