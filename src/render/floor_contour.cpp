#include "render/floor_contour.h"

#include "graph/graph.h"
#include "state/globals.h"

std::optional<FloorContourCall> FloorContourArguments(const Cls9& g) {
    const long U = g.StepU, V = g.StepV;
    if (U < 1 || V < 1 || U > decltype(g.Reg3DC)::upper(0) || V > decltype(g.Reg3DC)::upper(1)) return std::nullopt;
    const Cls9::Box& b = g.GraphBox;
    const double dz = (b.MaxZ - b.MinZ) / static_cast<double>(U);
    const double dx = (b.MaxX - b.MinX) / static_cast<double>(V);
    ContourGrid S0(U + 1, V + 1);
    for (long i = 0; i <= U; ++i)
        for (long j = 0; j <= V; ++j) S0(i + 1, j + 1) = g.Reg3DC(i, j);
    return FloorContourCall{U + 1, V + 1, dx, dz, std::move(S0), b.MinX - dx, b.MinZ - dz,
                            b.MinY - 3 * gSceneScaleY, g.ContourLevel, 4, 0, 0, g.LineWidth, g.ColorName};
}
