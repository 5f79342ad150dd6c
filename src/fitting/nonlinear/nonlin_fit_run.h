#pragma once
// The fit behind "OK" of the nonlinear curve fitting dialog: the input
// checked, the model fitted, the report appended, the data and the fitted
// curve added as graphs, the picture redrawn and zoomed.
#include "fitting/common/fit_setup.h"
#include "fitting/shared/curve_fit_host.h"

// Samples of the fitted curve, from the least x of the data to the greatest.
inline constexpr long kNonLinCurveSamples = 201;

// True when the fit completed (the dialog then closes). False after a message
// (the input refused, or the fit did not converge: nothing reported or
// built; or a result step failed: what was reported stays), the dialog open.
bool RunNonLinFit(const FitDialogInput& input, CurveFitHost& host);

// The result side of a converged fit of setup: the report, the graphs the
// plot boxes ask for, the redraw and the zoom.
void PresentNonLinFit(const FitDialogInput& input, const NonlinearSetup& setup, const solver::FitResult& fit,
                      CurveFitHost& host);
