#pragma once
// The steps of a fit that the nonlinear curve, surface and volume fitting
// dialogs share behind their OK: the input checked and fitted, and the report
// block of a converged fit.
#include <string>
#include <vector>

#include "fitting/common/fit_setup.h"
#include "fitting/shared/curve_fit_host.h"

// Sets up the fit from what the dialog holds and runs it off the window's
// thread (FitWithProgress). True for a converged fit (setup and fit filled);
// false after the message that refused the input or stopped the fit (a fit
// that did not converge, or was cancelled, is never taken).
bool SetUpAndFit(const FitDialogInput& input, const solver::FitOptions& options, NonlinearSetup& setup,
                 solver::FitResult& fit);

// The fitted values in letter order and the model with them written in.
struct ReportedFit {
    std::vector<double> values;
    std::string fittedModel;
};

// Appends the report block of a converged fit: heading, the columns, the
// model (dependentLetter "=" model), one line per parameter
// (ReportFittedParameters), the fitted model, standard errors, R2, SSR, s and
// the iterations.
ReportedFit ReportNonlinearFit(const std::string& heading, char dependentLetter, const FitDialogInput& input,
                               const NonlinearSetup& setup, const solver::FitResult& fit, CurveFitHost& host);
