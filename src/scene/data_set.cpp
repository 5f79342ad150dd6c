#include "scene/data_set.h"

#include <memory>

#include "state/globals.h"
#include "scene/scene_scale.h"

namespace {

constexpr double kBoxStart = 1e10;

void widen(double v, double& mn, double& mx) {
    if (v < mn) mn = v;
    if (v > mx) mx = v;
}

// Whether the array holds the elements 0..n-1 on each axis that a loop over
// the counts visits (a count of 0 or less visits nothing).
template <std::size_t R, class... N>
bool covers(const DynArray<double, R>& a, N... counts) {
    const long n[] = {static_cast<long>(counts)...};
    for (long c : n)
        if (c <= 0) return true;
    for (std::size_t d = 0; d < R; ++d)
        if (a.upper(d) < n[d] - 1) return false;
    return true;
}

void require(bool ok) {
    if (!ok) throwSubscriptOutOfRange();
}

struct Factors {
    double x, y, z;
};

// The scene scales of a box of ranges dx, dy, dz; false for a mode or kind
// that computes none.
bool scaleFactors(long dim, double dx, double dy, double dz, Factors& f) {
    if (dim < 0 || dim > 2) return false;
    const double rx = gAxisRatioX, ry = gAxisRatioY, rz = gAxisRatioZ;
    switch (gAxisScaleMode) {
    case 1:
        f = {dx / 10, dy / 10, dz / 10};
        break;
    case 2: {
        double m = dx;
        if (dy > m) m = dy;
        if (dz > m) m = dz;
        f = {m / 10, m / 10, m / 10};
        break;
    }
    case 3: {
        double r = dx / rx;
        if (dy / ry > r) r = dy / ry;
        if (dim == 2 && dz / rz > r) r = dz / rz;
        const double x = r / 10;
        f = {x, rx * x / ry, dim == 2 ? rx * x / rz : dz / 10 / rz};
        break;
    }
    default:
        return false;
    }
    if (dim == 0) f.z = 1;
    // A flat axis or a zero ratio: the scene's fallback.
    f = {finiteScale(f.x, dx / 10), finiteScale(f.y, dy / 10), finiteScale(f.z, dz / 10)};
    return true;
}

}  // namespace

ClsData& dataSet() {
    if (!gDataSet) gDataSet = std::make_shared<ClsData>();
    return *gDataSet;
}

void ClsData::GetBox() {
    // Worked on copies: an array too short for its count throws before the
    // box changes.
    double x0 = kBoxStart, x1 = -kBoxStart, y0 = kBoxStart, y1 = -kBoxStart, z0 = kBoxStart, z1 = -kBoxStart;
    double c0 = MinC, c1 = MaxC, v0 = MInv, v1 = MaxV;
    switch (DataDim) {
    case 0:
        for (long i = 0; i < points; ++i) {
            widen(Irreg3DX(i), x0, x1);
            widen(Irreg3DY(i), y0, y1);
            widen(Irreg3DZ(i), z0, z1);
        }
        for (long j = 0; j < StepsX; ++j) {
            widen(Reg3DX(0, j), x0, x1);
            widen(Reg3DY(0, j), y0, y1);
            widen(Reg3DZ(0, j), z0, z1);
        }
        break;
    case 1:
        c0 = kBoxStart;
        c1 = -kBoxStart;
        for (long i = 0; i < points; ++i) {
            widen(Irreg3DX(i), x0, x1);
            widen(Irreg3DY(i), y0, y1);
            widen(Irreg3DZ(i), z0, z1);
            widen(Irreg3DC(i), c0, c1);
        }
        for (long j = 0; j < StepsX; ++j)
            for (long k = 0; k < StepsY; ++k) {
                widen(Reg3DX(j, k), x0, x1);
                widen(Reg3DY(j, k), y0, y1);
                widen(Reg3DZ(j, k), z0, z1);
            }
        break;
    case 2:
        if (DataType != 1) return;
        v0 = kBoxStart;
        v1 = -kBoxStart;
        for (long i = 0; i < StepsX; ++i)
            for (long j = 0; j < StepsY; ++j)
                for (long k = 0; k < StepsZ; ++k) {
                    widen(Reg4DX(i, j, k), x0, x1);
                    widen(Reg4DY(i, j, k), y0, y1);
                    widen(Reg4DZ(i, j, k), z0, z1);
                    widen(Reg4DV(i, j, k), v0, v1);
                }
        break;
    default:
        return;
    }
    MinX = x0, MaxX = x1, MinY = y0, MaxY = y1, MinZ = z0, MaxZ = z1;
    MinC = c0, MaxC = c1, MInv = v0, MaxV = v1;
}

void ClsData::Normalize() {
    GetBox();
    // Nothing was found: no scale to give and nothing to divide.
    if (MinX > MaxX || MinY > MaxY || MinZ > MaxZ) return;

    const bool scattered = (DataDim == 0 || DataDim == 1) && DataType == 2;
    require(!scattered || (covers(Irreg3DX, points) && covers(Irreg3DY, points) && covers(Irreg3DZ, points)));
    if (DataDim == 0)
        require(covers(Reg3DX, 1, StepsX) && covers(Reg3DY, 1, StepsX) && covers(Reg3DZ, 1, StepsX));
    if (DataDim == 1)
        require(covers(Reg3DX, StepsX, StepsY) && covers(Reg3DY, StepsX, StepsY) && covers(Reg3DZ, StepsX, StepsY));
    if (DataDim == 2)
        require(covers(Reg4DX, StepsX, StepsY, StepsZ) && covers(Reg4DY, StepsX, StepsY, StepsZ) &&
                covers(Reg4DZ, StepsX, StepsY, StepsZ));

    Factors f{};
    if (scaleFactors(DataDim, MaxX - MinX, MaxY - MinY, MaxZ - MinZ, f)) {
        gSceneScaleX = f.x;
        gSceneScaleY = f.y;
        gSceneScaleZ = f.z;
    }
    const double sx = usableScale(gSceneScaleX), sy = usableScale(gSceneScaleY), sz = usableScale(gSceneScaleZ);

    if (scattered)
        for (long i = 0; i < points; ++i) {
            Irreg3DX(i) /= sx;
            Irreg3DY(i) /= sy;
            Irreg3DZ(i) /= sz;
        }
    switch (DataDim) {
    case 0:
        for (long j = 0; j < StepsX; ++j) {
            Reg3DX(0, j) /= sx;
            Reg3DY(0, j) /= sy;
            Reg3DZ(0, j) = 0;
        }
        break;
    case 1:
        for (long j = 0; j < StepsX; ++j)
            for (long k = 0; k < StepsY; ++k) {
                Reg3DX(j, k) /= sx;
                Reg3DY(j, k) /= sy;
                Reg3DZ(j, k) /= sz;
            }
        break;
    case 2:
        for (long i = 0; i < StepsX; ++i)
            for (long j = 0; j < StepsY; ++j)
                for (long k = 0; k < StepsZ; ++k) {
                    Reg4DX(i, j, k) /= sx;
                    Reg4DY(i, j, k) /= sy;
                    Reg4DZ(i, j, k) /= sz;
                }
        break;
    default:
        break;
    }
}

void ClsData::GetData() {
    GetBox();
    Normalize();
}

void ClsData::RedimData() {
    for (auto* a : {&Irreg4DX, &Irreg4DY, &Irreg4DZ, &Irreg4DV}) a->ReDim(points);
    for (auto* a : {&Reg4DX, &Reg4DY, &Reg4DZ, &Reg4DV}) a->ReDim(StepsX, StepsY, StepsZ);
}
