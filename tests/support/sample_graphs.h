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

}  // namespace testsupport
