#include "fitting/surface/surface_fit_run.h"

#include <cmath>

#include "fitting/common/fit_options.h"
#include "fitting/shared/guarded_run.h"
#include "fitting/shared/fit_steps.h"
#include "fitting/shared/surface_graphs.h"
#include "formula/program.h"
#include "state/globals.h"

namespace {

template <class Present>
bool fitAndPresent(const FitDialogInput& input, CurveFitHost& host, Present present) {
    NonlinearSetup setup;
    solver::FitResult fit;
    if (!SetUpAndFit(input, SurfaceFitOptions(), setup, fit)) return false;
    present(input, setup, fit, host);
    host.drawScene();
    host.viewFit();
    return true;
}

}  // namespace

solver::FitOptions SurfaceFitOptions() { return MakeFitOptions(2, gSurfMaxIterations, gSurfTolerance); }

SurfaceNodes SampleFittedSurface(FittedModel& model, ValueRange x, ValueRange y, long N) {
    return SampleSurfaceNodes([&model](double xi, double yj) { return model(xi, yj); }, x, y, N);
}

VolumeNodes SampleFittedVolume(FittedModel& model, ValueRange x, ValueRange y, ValueRange z, long N) {
    // A node without a value stays a hole: the slices and isosurfaces leave its cells out.
    return SampleVolumeNodes([&model](double xi, double yj, double zk) { return model(xi, yj, zk); }, x, y, z, N);
}

void PresentSurfaceFit(const FitDialogInput& input, const NonlinearSetup& setup, const solver::FitResult& fit,
                       CurveFitHost& host) {
    const ReportedFit r = ReportNonlinearFit("Surface Fitting", 'z', input, setup, fit, host);
    if (!input.plotModel) return;
    const std::vector<double>& x = setup.request.columns[0];
    const std::vector<double>& y = setup.request.columns[1];
    FittedModel model(setup.request.model, r.values);
    const SurfaceNodes grid = SampleFittedSurface(model, RangeOf(x), RangeOf(y), kSurfaceFitNodes);
    // Scene axis order: y across, the value up, x in depth.
    AddSurfaceGraph(host, grid, {y, setup.request.observed, x, {}, input.plotScatter}, "Surface Fit: ",
                    r.fittedModel);
}

void PresentVolumeFit(const FitDialogInput& input, const NonlinearSetup& setup, const solver::FitResult& fit,
                      CurveFitHost& host) {
    const ReportedFit r = ReportNonlinearFit("Volume Fitting", 'v', input, setup, fit, host);
    if (!input.plotModel) return;
    const std::vector<std::vector<double>>& c = setup.request.columns;
    const ValueRange x = RangeOf(c[0]), y = RangeOf(c[1]), z = RangeOf(c[2]);
    FittedModel model(setup.request.model, r.values);
    const VolumeNodes grid = SampleFittedVolume(model, x, y, z, kVolumeFitNodes);
    std::string title;
    AddVolumeGraph(host, grid, {c[0], c[1], c[2], setup.request.observed, input.plotScatter}, title, r.fittedModel,
                   x, y, z, grid.value);
}

bool RunSurfaceFit(const FitDialogInput& input, CurveFitHost& host) {
    return GuardedRun("The surface fit", [&] { return fitAndPresent(input, host, PresentSurfaceFit); });
}

bool RunVolumeFit(const FitDialogInput& input, CurveFitHost& host) {
    return GuardedRun("The volume fit", [&] { return fitAndPresent(input, host, PresentVolumeFit); });
}
