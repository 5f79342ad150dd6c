#include "fitting/polynomial/add_polynomial_graphs.h"

#include "fitting/shared/add_curve_graph.h"
#include "fitting/shared/surface_graphs.h"
#include "graph/graph.h"
#include "state/whole_number.h"
#include "state/kinds.h"

namespace {

constexpr long kBlue = 0xFF0000;

}  // namespace

std::shared_ptr<Cls9> AddPolynomialCurveGraph(CurveFitHost& host, std::span<const double> x,
                                              std::span<const double> y, long count, long kind, std::string& title,
                                              const std::string& modelText, long colour) {
    title = kind == kCurveKindScatter ? "Polynomial Scatter: " : "Polynomial Curve: ";
    // A scatter's markers are always blue; the colour is the curve's.
    return AddNamedCurveGraph(host, x, y, count, kind, title + "y=" + modelText, kBlue, colour);
}

std::shared_ptr<Cls9> AddPolynomialSurfaceGraph(CurveFitHost& host, const PolynomialSurface& grid,
                                                std::span<const double> Xdata, std::span<const double> Ydata,
                                                std::span<const double> Zdata, std::string& title,
                                                const std::string& modelText, double low, double high) {
    title = "Polynomial Surface: ";
    auto g = MakeSurfaceGraph(grid, {Xdata, Ydata, Zdata, {}, true}, title + "z=" + modelText);
    g->ContourLevel = roundHalfEven((high - low) / 20);
    PlaceResultGraph(host, g, plot_kind::ThreeD);
    return g;
}

std::shared_ptr<Cls9> AddPolynomialVolumeGraph(CurveFitHost& host, const PolynomialVolume& grid,
                                               std::span<const double> xdata, std::span<const double> ydata,
                                               std::span<const double> zdata, std::span<const double> vdata,
                                               std::string& title, const std::string& modelText, ValueRange x,
                                               ValueRange y, ValueRange z, ValueRange v) {
    title = "Polynomial Volume: ";
    // The default slices span the grid's own nodes, 1 .. N.
    auto g = MakeVolumeGraph(grid, {xdata, ydata, zdata, vdata, true}, title + "v=" + modelText, x, y, z, v, grid.N);
    PlaceResultGraph(host, g, plot_kind::FourD);
    return g;
}
