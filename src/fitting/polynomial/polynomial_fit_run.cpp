#include "fitting/polynomial/polynomial_fit_run.h"

#include <algorithm>

#include "fitting/common/fitting_data.h"
#include "fitting/shared/add_curve_graph.h"
#include "fitting/curve_math/curve_messages.h"
#include "fitting/curve_math/curve_report.h"
#include "fitting/shared/guarded_run.h"
#include "fitting/polynomial/add_polynomial_graphs.h"
#include "fitting/polynomial_math/polynomial_grid.h"
#include "fitting/polynomial_math/polynomial_models.h"
#include "fitting/polynomial_math/polynomial_report.h"
#include "fitting/solver/polynomial_fit.h"
#include "platform/msgbox.h"
#include "state/globals.h"
#include "state/kinds.h"

namespace {

constexpr long kRed = 255;

void message(const std::string& text) { platform::MsgBox(text); }

bool documentHasKind(long kind) {
    if (kind == plot_kind::TwoD) return plot_kind::isTwoD(gPlotKind);  // both 2-D kinds
    return gPlotKind == kind;
}

// The fitted model's graphs, from the data read and the coefficients b.
void buildGraphs(const PolynomialRunRequest& r, PolynomialFitHost& host, const FittingData& data,
                 const std::vector<double>& b) {
    const auto& terms = solver::polynomialTerms(r.model);
    const int vars = solver::polynomialVariables(r.model);
    const std::string text = FittedPolynomialText(r.model, b);
    const std::vector<double>& x = data.columns[0];
    const ValueRange xr = RangeOf(x);
    std::string title;
    if (vars == 1) {
        const std::vector<double>& y = data.columns[1];
        const long n = data.count();
        if (r.plotScatter) {
            if (n > kMaxCurvePoints) message(ScatterLimitMessage(n));
            AddPolynomialCurveGraph(host, x, y, n, kCurveKindScatter, title, text, kRed);
        }
        if (r.plotModel) {
            const PolynomialCurve curve = SampleCurve(terms, b, xr, kPolynomialCurvePoints);
            AddPolynomialCurveGraph(host, curve.x, curve.y, kPolynomialCurvePoints, kCurveKindModel, title, text,
                                    kRed);
        }
        return;
    }
    // The surface and the volume always carry the data points.
    if (!r.plotModel) return;
    const std::vector<double>& y = data.columns[1];
    const ValueRange yr = RangeOf(y);
    if (vars == 2) {
        const PolynomialSurface grid = SampleSurface(terms, b, xr, yr, kPolynomialSurfaceNodes);
        // Scene axis order: y across, the value up, x in depth.
        AddPolynomialSurfaceGraph(host, grid, y, data.columns[2], x, title, text, grid.value.min, grid.value.max);
        return;
    }
    const std::vector<double>& z = data.columns[2];
    const PolynomialVolume grid = SampleVolume(terms, b, xr, yr, RangeOf(z), kPolynomialVolumeNodes);
    AddPolynomialVolumeGraph(host, grid, x, y, z, data.columns[3], title, text, xr, yr, RangeOf(z), grid.value);
}

bool run(const PolynomialRunRequest& r, PolynomialFitHost& host) {
    const int vars = solver::polynomialVariables(r.model);
    std::vector<ChosenColumn> chosen(r.independent.begin(),
                                            r.independent.begin() + std::min<std::size_t>(vars, r.independent.size()));
    chosen.push_back(r.dependent);
    bool complete = vars > 0 && static_cast<int>(chosen.size()) == vars + 1;
    for (const ChosenColumn& c : chosen) complete = complete && !c.name.empty();
    if (!complete) {
        message(kMsgSelectVariables);
        return false;
    }
    if (!host.loadGridData()) return false;
    std::vector<long> columns;
    FittingData data;
    std::string bad = FindGridColumns(chosen, columns);
    if (bad.empty()) bad = ReadFittingData(columns, data);
    if (!bad.empty()) {
        message(bad);
        return false;
    }

    // The columns go to the solver and come back for the graphs, not copied.
    solver::PolynomialFitRequest fitRequest;
    fitRequest.model = r.model;
    for (const ChosenColumn& c : chosen) fitRequest.names.push_back(c.name);
    const auto independent = static_cast<std::size_t>(vars);
    for (std::size_t v = 0; v < independent; ++v) fitRequest.columns.push_back(std::move(data.columns[v]));
    fitRequest.observed = std::move(data.columns.back());
    const solver::FitResult fit = solver::fitPolynomial(fitRequest);
    for (std::size_t v = 0; v < independent; ++v) data.columns[v] = std::move(fitRequest.columns[v]);
    data.columns.back() = std::move(fitRequest.observed);
    if (!fit.converged()) {
        message(fit.message);
        return false;
    }

    const long kind = PolynomialDocumentKind(r.model);
    if (!documentHasKind(kind) && !host.newDocument(kind)) return false;

    std::vector<std::string> names;
    for (int v = 0; v < vars; ++v) names.push_back(chosen[static_cast<std::size_t>(v)].name);
    host.appendReport(PolynomialReport(r.model, names, r.dependent.name, fit, data.count()));
    buildGraphs(r, host, data, fit.parameters);
    host.appendReport(kCurveReportEnd);
    host.drawScene();
    host.viewFit();
    return true;
}

}  // namespace

long PolynomialDocumentKind(int model) {
    switch (solver::polynomialVariables(model)) {
    case 2:
        return plot_kind::ThreeD;
    case 3:
        return plot_kind::FourD;
    default:
        return plot_kind::TwoD;
    }
}

bool RunPolynomialFit(const PolynomialRunRequest& request, PolynomialFitHost& host) {
    return GuardedRun("The polynomial fit", [&] { return run(request, host); });
}
