#pragma once
// A nonlinear fit run off the window's thread: the window keeps painting while
// it runs, and after about half a second a modal progress box shows the
// iteration and the residual sum of squares, with a Cancel that stops the fit
// at its next iteration. Nothing the user clicks meanwhile reaches any other
// window. A quit asked for meanwhile cancels the fit and then goes on
// (QuitStopsFit); so does QCoreApplication::exit(). The result is that of
// solver::fitNonlinear on the same request.
#include <functional>

#include "fitting/solver/nonlinear_fit.h"

// How long a fit runs before the progress box shows.
inline constexpr int kFitProgressDelayMs = 500;

// Runs the fit on a worker thread and waits for it; a fit cancelled, or
// stopped by a quit, comes back with the status Cancelled and the message
// "The fit was cancelled.". The worker has ended when it returns.
solver::FitResult FitWithProgress(const solver::NonlinearFitRequest& request);

// For tests: called on the worker at every iteration before it is reported,
// so a test can hold a fit at an iteration until it has acted. Empty: none.
void SetFitIterationProbe(std::function<void(int iteration)> probe);

// For tests: called on the window's thread when the fit is asked to stop
// (Cancel, Escape, closing the box, a quit), before the window waits for it to
// end, so that a test holding the fit at an iteration can let it go on to
// stop. Empty: none.
void SetFitCancelProbe(std::function<void()> probe);
