#include "fitting/polynomial/add_polynomial_graphs.h"

#include <algorithm>
#include <stdexcept>

#include "fitting/curve/add_curve_graph.h"
#include "graph/graph.h"
#include "graph/slice_descriptor.h"
#include "state/globals.h"
#include "state/whole_number.h"

namespace {

constexpr long kBlue = 0xFF0000;
constexpr long kRainbowMap = 5;

// The isometric view a new surface or volume turns the scene to.
constexpr double kIsoRoll = 0, kIsoPitch = -30, kIsoYaw = 45;

void checkNodes(long N, long limit) {
    if (N < 1 || N > limit) throw std::out_of_range("Subscript out of range");
}

// The data points of a surface (no v) or a volume: as many as the shortest
// of the columns given holds.
void setDataPoints(Cls9& g, std::span<const double> x, std::span<const double> y, std::span<const double> z,
                   std::span<const double> v = {}, bool withV = false) {
    std::size_t n = std::min({x.size(), y.size(), z.size()});
    if (withV) n = std::min(n, v.size());
    g.SetPntNum(static_cast<long>(n));
    for (std::size_t k = 0; k < n; ++k) {
        const auto at = static_cast<long>(k);
        g.PntX(at) = x[k];
        g.PntY(at) = y[k];
        g.PntZ(at) = z[k];
        if (withV) g.PntV(at) = v[k];
    }
}

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
    const long N = grid.N;
    checkNodes(N, kMaxSurfaceNodes);
    title = "Polynomial Surface: ";
    auto g = std::make_shared<Cls9>();
    g->StepV = N - 1;
    g->StepU = N - 1;
    for (long i = 0; i < N; ++i)
        for (long j = 0; j < N; ++j) {
            const std::size_t at = grid.at(i, j);
            const auto p = g->VertTab3D(i, j);
            p->X = grid.X.at(at);
            p->Y = grid.Y.at(at);
            p->Z = grid.Z.at(at);
            g->Reg3DC(i, j) = grid.Y.at(at);
        }
    g->ShowIrregData = true;
    gPlotKind = 3;
    g->NameS = title + "z=" + modelText;
    g->GraphType = graph_type::Surface3D;
    g->FillStyle = kRainbowMap;
    g->FirstColor = 255;
    g->SecondColor = 255;
    g->Material = 5;
    g->Show = 3;
    g->Smoothness = 3;
    g->ContourLevel = roundHalfEven((high - low) / 20);
    g->ShowVector = false;
    g->ShowIrregData = true;
    g->FillStyle = kRainbowMap;
    g->ColorName = "Rainbow";
    setDataPoints(*g, Xdata, Ydata, Zdata);
    AddOrReplaceGraph(host, g, kIsoRoll, kIsoPitch, kIsoYaw);
    return g;
}

std::shared_ptr<Cls9> AddPolynomialVolumeGraph(CurveFitHost& host, const PolynomialVolume& grid,
                                               std::span<const double> xdata, std::span<const double> ydata,
                                               std::span<const double> zdata, std::span<const double> vdata,
                                               std::string& title, const std::string& modelText, ValueRange x,
                                               ValueRange y, ValueRange z, ValueRange v) {
    const long N = grid.N;
    checkNodes(N, kMaxVolumeNodes);
    title = "Polynomial Volume: ";
    auto g = std::make_shared<Cls9>();
    g->ShowIrregData = true;
    g->StepV = N - 1;
    g->StepU = N - 1;
    g->StepH = N - 1;
    for (long i = 0; i < N; ++i)
        for (long j = 0; j < N; ++j)
            for (long k = 0; k < N; ++k) {
                const std::size_t at = grid.at(i, j, k);
                g->Reg4DX(i, j, k) = grid.x.at(at);
                g->Reg4DY(i, j, k) = grid.y.at(at);
                g->Reg4DZ(i, j, k) = grid.z.at(at);
                g->Reg4DV(i, j, k) = grid.v.at(at);
            }
    setDataPoints(*g, xdata, ydata, zdata, vdata, true);
    gPlotKind = 11;
    g->NameS = title + "v=" + modelText;
    g->GraphType = graph_type::Volume4D;
    g->FillStyle = kRainbowMap;
    g->ColorName = "Rainbow";
    g->Material = 4;
    g->Show = 3;
    g->Smoothness = 3;

    // The default slices span the grid's own nodes, 1 .. N.
    const double interval = (v.max - v.min) / 20;
    g->Slice4NumX = 1;
    ReadSliceDescriptor(*g, SliceAxis::X, 1, DefaultSliceDescriptor(x.min, interval, N));
    g->Slice4NumY = 1;
    ReadSliceDescriptor(*g, SliceAxis::Y, 1, DefaultSliceDescriptor(y.min, interval, N));
    g->Slice4NumZ = 2;
    ReadSliceDescriptor(*g, SliceAxis::Z, 1, DefaultSliceDescriptor(z.min, interval, N));
    ReadSliceDescriptor(*g, SliceAxis::Z, 2, DefaultSliceDescriptor((z.min + z.max) / 2, interval, N));

    AddOrReplaceGraph(host, g, kIsoRoll, kIsoPitch, kIsoYaw);
    return g;
}
