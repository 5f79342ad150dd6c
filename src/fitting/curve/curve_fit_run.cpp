#include "fitting/curve/curve_fit_run.h"

#include <vector>

#include "state/globals.h"
#include "fitting/shared/add_curve_graph.h"
#include "fitting/curve_math/curve_fit_math.h"
#include "fitting/curve_math/curve_messages.h"
#include "fitting/curve_math/curve_report.h"
#include "fitting/shared/guarded_run.h"
#include "fitting/common/fitting_data.h"
#include "formula/cls6.h"
#include "platform/msgbox.h"

namespace {

void message(const std::string& text) { platform::MsgBox(text); }

bool run(const CurveFitRequest& r, CurveFitHost& host) {
    if (r.xName.empty() || r.yName.empty()) {
        message(kMsgSelectVariables);
        return false;
    }
    if (!host.loadGridData()) return false;
    std::vector<long> columns;
    FittingData data;
    std::string bad = FindGridColumns({{r.xName, r.xColumn}, {r.yName, r.yColumn}}, columns);
    if (bad.empty()) bad = ReadFittingData(columns, data);
    if (!bad.empty()) {
        message(bad);
        return false;
    }
    const long n = data.count();
    if (n < 3) {
        message(kMsgTooFewPoints);
        return false;
    }
    const std::vector<double>&x = data.columns[0], &y = data.columns[1];
    const auto X = CurveAbscissae(x);

    // Every ticked model up to the first whose data check fails is fitted before anything is
    // reported, so that a fit beyond the range of numbers is refused leaving all as it was.
    std::vector<double> xt, yt;
    std::vector<CurveModelFit> fits;
    for (int m = 1; m <= kCurveModelCount; ++m) {
        if (!r.models[static_cast<std::size_t>(m - 1)]) continue;
        fits.push_back(FitCurveModel(m, x, y, xt, yt));
        if (!fits.back().refusal.empty()) {
            message(fits.back().refusal);
            return false;
        }
        if (fits.back().checkMessage) break;
    }

    formula::Cls6 compiler;
    host.appendReport(CurveReportHeader(r.xName, r.yName));

    if (r.plotScatter) {
        if (n > kMaxCurvePoints) message(ScatterLimitMessage(n));
        AddCurveGraph(host, x, y, n, kCurveKindScatter, "Scatter Plot", "", 255);
    }

    std::array<double, 100> V{};
    std::size_t next = 0;
    for (int m = 1; m <= kCurveModelCount; ++m) {
        if (!r.models[static_cast<std::size_t>(m - 1)]) continue;
        const CurveModelFit& fit = fits[next++];
        if (fit.checkMessage) {
            message(fit.checkMessage);
            return false;
        }
        host.appendReport(fit.reportLines);
        if (!r.plotModels || !fit.plottable()) continue;

        std::string postfix;
        if (compiler.InfixToPostfix(fit.modelText, postfix) != 0) return false;  // it showed its message
        formula::Vars vars{};
        for (std::size_t i = 0; i < X.size(); ++i) {
            vars[formula::kVarX] = X[i];
            double value = 0;
            // A point that cannot be evaluated is marked undefined, so the
            // curve breaks there instead of showing a stale value.
            V[i] = compiler.DoEvaluate(postfix, false, value, vars) ? value : formula::UndefinedValue;
        }
        const CurveModel& model = curveModel(m);
        AddCurveGraph(host, X, V, 100, kCurveKindModel, model.graphTitle, fit.modelText, model.colour);
    }

    host.appendReport(kCurveReportEnd);
    host.drawScene();
    host.viewFit();
    return true;
}

}  // namespace

bool RunCurveFit(const CurveFitRequest& request, CurveFitHost& host) {
    return GuardedRun("The curve fit", [&] { return run(request, host); });
}
