#include "fitting/nonlinear/nonlin_fit_run.h"

#include <algorithm>

#include "fitting/common/fit_options.h"
#include "fitting/common/fitted_model.h"
#include "fitting/shared/add_curve_graph.h"
#include "fitting/shared/guarded_run.h"
#include "fitting/shared/fit_steps.h"
#include "fitting/nonlinear/nonlin_curve_graph.h"
#include "platform/msgbox.h"
#include "state/globals.h"

namespace {

void message(const std::string& text) { platform::MsgBox(text); }

bool run(const FitDialogInput& input, CurveFitHost& host) {
    NonlinearSetup setup;
    solver::FitResult fit;
    if (!SetUpAndFit(input, MakeFitOptions(gNonLinMethod, gNonLinMaxIterations, gNonLinTolerance), setup, fit))
        return false;
    PresentNonLinFit(input, setup, fit, host);
    return true;
}

}  // namespace

void PresentNonLinFit(const FitDialogInput& input, const NonlinearSetup& setup, const solver::FitResult& fit,
                      CurveFitHost& host) {
    const solver::NonlinearFitRequest& request = setup.request;
    const auto [values, fittedModel] = ReportNonlinearFit("Nonlinear Curve Fitting", 'y', input, setup, fit, host);

    const std::vector<double>& x = request.columns[0];
    const std::vector<double>& y = request.observed;
    const long points = static_cast<long>(x.size());
    if (input.plotScatter) {
        if (points > kMaxCurvePoints) message(ScatterLimitMessage(points));
        AddNonLinCurveGraph(host, x, y, points, kCurveKindScatter, "Scatter Plot: ", "", gNonLinCurveColor);
    }
    if (input.plotModel) {
        const auto [lo, hi] = std::minmax_element(x.begin(), x.end());
        FittedModel model(request.model, values);
        std::vector<double> X, Y;
        SampleCurve(model, *lo, *hi, kNonLinCurveSamples, X, Y);
        AddNonLinCurveGraph(host, X, Y, kNonLinCurveSamples, kCurveKindModel, "Nonlinear Model: ", fittedModel,
                            gNonLinCurveColor);
    }
    host.drawScene();
    host.viewFit();
}

bool RunNonLinFit(const FitDialogInput& input, CurveFitHost& host) {
    return GuardedRun("The nonlinear fit", [&] { return run(input, host); });
}
