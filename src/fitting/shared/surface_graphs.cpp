#include "fitting/shared/surface_graphs.h"

#include <algorithm>
#include <stdexcept>

#include "fitting/shared/add_curve_graph.h"
#include "graph/graph.h"
#include "graph/slice_descriptor.h"
#include "state/globals.h"
#include "state/kinds.h"

namespace {

constexpr long kRainbowMap = 5;

// The isometric view a new surface or volume turns the scene to.
constexpr double kIsoRoll = 0, kIsoPitch = -30, kIsoYaw = 45;

[[noreturn]] void refuse() { throw std::out_of_range("Subscript out of range"); }

void checkNodes(long N, long limit, std::size_t cells, std::size_t have) {
    if (N < kMinGraphNodes || N > limit || have < cells) refuse();
}

// The points' count, from the arrays themselves.
std::size_t pointCount(const ResultPoints& p, bool withV) {
    const std::size_t n = p.X.size();
    if (p.Y.size() != n || p.Z.size() != n || (withV && p.V.size() != n)) refuse();
    return n;
}

void setPoints(Cls9& g, const ResultPoints& p, std::size_t n, bool withV) {
    g.SetPntNum(static_cast<long>(n));
    for (std::size_t k = 0; k < n; ++k) {
        const auto at = static_cast<long>(k);
        g.PntX(at) = p.X[k];
        g.PntY(at) = p.Y[k];
        g.PntZ(at) = p.Z[k];
        if (withV) g.PntV(at) = p.V[k];
    }
}

}  // namespace

std::shared_ptr<Cls9> MakeSurfaceGraph(const SurfaceNodes& grid, const ResultPoints& points, const std::string& name) {
    const long N = grid.N;
    const std::size_t cells = N > 0 ? static_cast<std::size_t>(N * N) : 0;
    checkNodes(N, kMaxSurfaceNodes, cells, std::min({grid.X.size(), grid.Y.size(), grid.Z.size()}));
    const std::size_t n = pointCount(points, false);

    auto g = std::make_shared<Cls9>();
    g->StepV = N - 1;
    g->StepU = N - 1;
    for (long i = 0; i < N; ++i)
        for (long j = 0; j < N; ++j) {
            const std::size_t at = grid.at(i, j);
            const auto p = g->VertTab3D(i, j);
            p->X = grid.X[at];
            p->Y = grid.Y[at];
            p->Z = grid.Z[at];
            g->Reg3DC(i, j) = grid.Y[at];
        }
    g->NameS = name;
    g->GraphType = graph_type::Surface3D;
    g->FillStyle = kRainbowMap;
    g->FirstColor = 255;
    g->SecondColor = 255;
    g->Material = 5;
    g->Show = 3;
    g->Smoothness = 3;
    g->ShowVector = false;
    g->ColorName = "Rainbow";
    g->ShowIrregData = points.show;
    setPoints(*g, points, n, false);
    return g;
}

std::shared_ptr<Cls9> MakeVolumeGraph(const VolumeNodes& grid, const ResultPoints& points, const std::string& name,
                                      ValueRange x, ValueRange y, ValueRange z, ValueRange v, long sliceNodes) {
    const long N = grid.N;
    const std::size_t cells = N > 0 ? static_cast<std::size_t>(N * N * N) : 0;
    checkNodes(N, kMaxVolumeNodes, cells, std::min({grid.x.size(), grid.y.size(), grid.z.size(), grid.v.size()}));
    const std::size_t n = pointCount(points, true);

    auto g = std::make_shared<Cls9>();
    g->ShowIrregData = points.show;
    g->StepV = N - 1;
    g->StepU = N - 1;
    g->StepH = N - 1;
    for (long i = 0; i < N; ++i)
        for (long j = 0; j < N; ++j)
            for (long k = 0; k < N; ++k) {
                const std::size_t at = grid.at(i, j, k);
                g->Reg4DX(i, j, k) = grid.x[at];
                g->Reg4DY(i, j, k) = grid.y[at];
                g->Reg4DZ(i, j, k) = grid.z[at];
                g->Reg4DV(i, j, k) = grid.v[at];
            }
    setPoints(*g, points, n, true);
    g->NameS = name;
    g->GraphType = graph_type::Volume4D;
    g->FillStyle = kRainbowMap;
    g->ColorName = "Rainbow";
    g->Material = 4;
    g->Show = 3;
    g->Smoothness = 3;

    // Each slice reads its own descriptor (the reader clamps the interval to
    // the Long range), as a slice typed into the slice dialog would be.
    const double interval = (v.max - v.min) / 20;
    g->Slice4NumX = 1;
    ReadSliceDescriptor(*g, SliceAxis::X, 1, DefaultSliceDescriptor(x.min, interval, sliceNodes));
    g->Slice4NumY = 1;
    ReadSliceDescriptor(*g, SliceAxis::Y, 1, DefaultSliceDescriptor(y.min, interval, sliceNodes));
    g->Slice4NumZ = 2;
    ReadSliceDescriptor(*g, SliceAxis::Z, 1, DefaultSliceDescriptor(z.min, interval, sliceNodes));
    ReadSliceDescriptor(*g, SliceAxis::Z, 2, DefaultSliceDescriptor((z.min + z.max) / 2, interval, sliceNodes));
    return g;
}

void PlaceResultGraph(CurveFitHost& host, const std::shared_ptr<Cls9>& graph, long kind) {
    gPlotKind = kind;
    AddOrReplaceGraph(host, graph, kIsoRoll, kIsoPitch, kIsoYaw);
}

std::shared_ptr<Cls9> AddSurfaceGraph(CurveFitHost& host, const SurfaceNodes& grid, const ResultPoints& points,
                                      const std::string& title, const std::string& expression) {
    auto g = MakeSurfaceGraph(grid, points, title + "z=" + expression);
    PlaceResultGraph(host, g, plot_kind::ThreeD);
    return g;
}

std::shared_ptr<Cls9> AddVolumeGraph(CurveFitHost& host, const VolumeNodes& grid, const ResultPoints& points,
                                     std::string& title, const std::string& expression, ValueRange x, ValueRange y,
                                     ValueRange z, ValueRange v) {
    title.clear();
    auto g = MakeVolumeGraph(grid, points, "v=" + expression, x, y, z, v, kDefaultSliceNodes);
    PlaceResultGraph(host, g, plot_kind::FourD);
    return g;
}
