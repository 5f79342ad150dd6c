#pragma once
// Sample graphs for tests and benchmarks of the picture.
#include <cmath>
#include <memory>

#include "graph/graph.h"

namespace testsupport {

// A 4-D graph over a (steps + 1)^3 grid of value u + v + m with n scattered
// data points spread over the grid's box, as the volume builders make them.
inline std::shared_ptr<Cls9> makeVolumeGraph(long steps, long n) {
    auto g = std::make_shared<Cls9>();
    g->GraphType = 43;
    g->ShowIrregData = true;
    g->StepU = g->StepV = g->StepH = steps;
    for (long u = 0; u <= steps; ++u)
        for (long v = 0; v <= steps; ++v)
            for (long m = 0; m <= steps; ++m) {
                g->Reg4DX(u, v, m) = u;
                g->Reg4DY(u, v, m) = v;
                g->Reg4DZ(u, v, m) = m;
                g->Reg4DV(u, v, m) = u + v + m;
            }
    g->SetPntNum(n);
    const long side = std::max(1L, static_cast<long>(std::cbrt(static_cast<double>(n))) + 1);
    const double pitch = static_cast<double>(steps) / side;
    for (long i = 0; i < n; ++i) {
        g->PntX(i) = (i % side) * pitch;
        g->PntY(i) = (i / side % side) * pitch;
        g->PntZ(i) = (i / (side * side)) * pitch;
        g->PntV(i) = static_cast<double>(i) / n;
    }
    return g;
}

// A surface as the surface builders make it: (steps + 1)^2 nodes with scene X
// along the second index and scene Z along the first, both over -3..3, the
// height 5 + 4 sin(x) cos(z) at every node and in Reg3DC; coloured by the
// Rainbow map, with its floor colour map, floor contours every 1 and a few
// data points.
inline std::shared_ptr<Cls9> makeSurfaceGraph(long steps = 60) {
    auto g = std::make_shared<Cls9>();
    g->GraphType = 6;
    g->NameS = "Surface: z=5+4*sin(x)*cos(y)";
    g->StepU = g->StepV = steps;
    for (long i = 0; i <= steps; ++i)
        for (long j = 0; j <= steps; ++j) {
            const double x = -3 + 6.0 * j / steps, z = -3 + 6.0 * i / steps;
            auto p = g->VertTab3D(i, j);
            p->X = x;
            p->Z = z;
            p->Y = 5 + 4 * std::sin(x) * std::cos(z);
            if (i <= 60 && j <= 60) g->Reg3DC(i, j) = p->Y;
        }
    g->FillStyle = 5;
    g->FirstColor = g->SecondColor = 255;
    g->Material = 5;
    g->Show = 3;
    g->Smoothness = 3;
    g->ColorName = "Rainbow";
    g->ShowColormap = g->ShowContour = true;
    g->ContourLevel = 1;
    g->LineWidth = 1;
    g->ShowIrregData = true;
    g->SetPntNum(5);
    for (long k = 0; k < 5; ++k) {
        g->PntX(k) = -2 + k;
        g->PntZ(k) = 1.5 - 0.5 * k;
        g->PntY(k) = 5 + 4 * std::sin(g->PntX(k)) * std::cos(g->PntZ(k));
    }
    return g;
}

}  // namespace testsupport
