#pragma once
// The fits behind "OK" of the surface and volume fitting dialogs: the input
// checked, the model fitted by Levenberg-Marquardt with gSurfMaxIterations and
// gSurfTolerance, and for a converged fit the report, the fitted surface or
// volume with the data points, the redraw and the zoom to fit.
#include "fitting/common/fit_setup.h"
#include "fitting/common/fitted_model.h"
#include "fitting/common/sample_grid.h"
#include "fitting/shared/curve_fit_host.h"

// The nodes per axis of the fitted surface and volume.
inline constexpr long kSurfaceFitNodes = 31;
inline constexpr long kVolumeFitNodes = 21;

// The options of a surface or volume fit.
solver::FitOptions SurfaceFitOptions();

// True when the fit completed (the dialog then closes). False after a message
// (the input refused or the fit did not converge: nothing reported or built),
// the dialog open. input.columns: x, y, z (surface) or x, y, z, v (volume).
bool RunSurfaceFit(const FitDialogInput& input, CurveFitHost& host);
bool RunVolumeFit(const FitDialogInput& input, CurveFitHost& host);

// The fitted model z = f(x, y) on N x N nodes over the x and y ranges, in
// scene axis order; a node without a value holds formula::UndefinedValue.
SurfaceNodes SampleFittedSurface(FittedModel& model, ValueRange x, ValueRange y, long N);

// The fitted model v = f(x, y, z) on N x N x N nodes over the ranges; a node
// without a value keeps formula::UndefinedValue.
VolumeNodes SampleFittedVolume(FittedModel& model, ValueRange x, ValueRange y, ValueRange z, long N);

// The result side of a converged fit of setup (as RunSurfaceFit and
// RunVolumeFit after the fit).
void PresentSurfaceFit(const FitDialogInput& input, const NonlinearSetup& setup, const solver::FitResult& fit,
                       CurveFitHost& host);
void PresentVolumeFit(const FitDialogInput& input, const NonlinearSetup& setup, const solver::FitResult& fit,
                      CurveFitHost& host);
