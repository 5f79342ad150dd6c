#include "graph/graph_data.h"

std::shared_ptr<Cls2> GraphData::VertTab3D(long intU, long intV) {
    auto& slot = vertTab3D_(intU, intV);
    if (!slot) slot = std::make_shared<Cls2>();
    return slot;
}

void GraphData::SetVertTab3D(long intU, long intV, std::shared_ptr<Cls2> point) {
    vertTab3D_(intU, intV) = std::move(point);
}

void GraphData::SetPntNum(long n) {
    // Dimension all four before anything changes, so a failed allocation
    // leaves the count and the points as they were.
    const long upper = n < 1 ? -1 : n - 1;
    DynArray<double, 1> x, y, z, v;
    for (auto* a : {&x, &y, &z, &v}) a->ReDim(upper);
    PntX = std::move(x);
    PntY = std::move(y);
    PntZ = std::move(z);
    PntV = std::move(v);
    pntNum_ = n;
}

std::size_t GraphData::allocatedBytes() const {
    std::size_t n = vertTab3D_.allocatedBytes() + Reg3DC.allocatedBytes();
    for (const Grid4D* a : {&Reg4DX, &Reg4DY, &Reg4DZ, &Reg4DV, &Reg4DA, &Reg4DB, &Reg4DC}) n += a->allocatedBytes();
    for (const auto* a : {&Irreg4DX, &Irreg4DY, &Irreg4DZ, &Irreg4DV}) n += a->allocatedBytes();
    return n;
}
