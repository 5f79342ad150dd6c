// Cls9::GetBox: the graph's bounding box from its own data.
#include "state/globals.h"
#include "graph/graph.h"
#include "scene/box.h"
#include "formula/program.h"
#include "state/kinds.h"

#include <cmath>
#include <stdexcept>

namespace {

constexpr double kBoxStart = 9999999.0;         // inverted start box
constexpr double kValueStart = 99999999.0;      // inverted start range of a 4-D value
constexpr double kDataStart = 999999999999.0;   // inverted start range of the data points

void widen(double v, double& mx, double& mn) {
    if (v > mx) mx = v;
    if (v < mn) mn = v;
}

void widenBy(const Cls2& p, Cls9::Box& b) {
    widen(p.X, b.MaxX, b.MinX);
    widen(p.Y, b.MaxY, b.MinY);
    widen(p.Z, b.MaxZ, b.MinZ);
}

// An element of the growable point arrays that holds no point is an error of
// the caller, reported like a bad subscript would be.
const Cls2& pointIn(const std::shared_ptr<Cls2>& p) {
    if (!p) throw std::logic_error("Object variable not set");
    return *p;
}

}  // namespace

std::shared_ptr<Cls1> Cls9::GetBox(long lngAnimStep) {
    // Work on copies so that a subscript failure leaves the kept box as it was.
    Box b{-kBoxStart, kBoxStart, -kBoxStart, kBoxStart, -kBoxStart, kBoxStart};
    ColorRange c{-kBoxStart, kBoxStart};
    double maxW = MaxW, minW = MinW;
    bool verticalPass = false;
    const bool overlay = ShowContour || ShowVector || ShowColormap;

    auto gridLoop = [&](auto&& node) {
        for (long i = 0; i <= StepU; ++i)
            for (long j = 0; j <= StepV; ++j) node(i, j);
        verticalPass = true;
    };
    auto fromFunctionRanges = [&](auto&& node) {
        if (FunForm == 1 || FunForm == 4) {
            b.MinX = MinU;
            b.MaxX = MaxU;
            b.MinY = MInv;
            b.MaxY = MaxV;
            b.MinZ = b.MaxZ = 0.0;
        } else if (FunForm == 2 || FunForm == 3) {
            for (long j = 0; j <= StepV; ++j) node(j);
        }
    };

    switch (GraphType) {
    case graph_type::Curve2D:
        for (long j = 0; j <= StepV; ++j) widenBy(*VertTab3D(0, j), b);
        break;
    case graph_type::Surface3D:
        // A node where the model has no value keeps its place across the
        // floor but neither its height nor the colour range.
        gridLoop([&](long i, long j) {
            const Cls2& p = *VertTab3D(i, j);
            widen(p.X, b.MaxX, b.MinX);
            widen(p.Z, b.MaxZ, b.MinZ);
            if (p.Y != formula::UndefinedValue) widen(p.Y, b.MaxY, b.MinY);
        });
        c.MaxC = b.MaxY;
        c.MinC = b.MinY;
        break;
    case graph_type::Volume41:
    case graph_type::Volume42:
    case graph_type::Volume4D:
        maxW = -kValueStart;
        minW = kValueStart;
        for (long i = 0; i <= StepU; ++i)
            for (long j = 0; j <= StepV; ++j)
                for (long k = 0; k <= StepH; ++k) {
                    widen(Reg4DX(i, j, k), b.MaxZ, b.MinZ);
                    widen(Reg4DY(i, j, k), b.MaxX, b.MinX);
                    widen(Reg4DZ(i, j, k), b.MaxY, b.MinY);
                    // A hole (no value there) is no colour of the range.
                    if (const double v = Reg4DV(i, j, k); v != formula::UndefinedValue && std::isfinite(v))
                        widen(v, maxW, minW);
                }
        break;
    case 0:
        fromFunctionRanges([&](long j) { widenBy(pointIn(Vert3D(0, j)), b); });
        break;
    case 9:
        fromFunctionRanges([&](long j) { widenBy(pointIn(Anim2D(j, lngAnimStep)), b); });
        break;
    case 2:
        gridLoop([&](long i, long j) {
            const Cls2& p = pointIn(Vert3D(i, j));
            widen(p.X, b.MaxX, b.MinX);
            widen(p.Z, b.MaxZ, b.MinZ);
            if (p.Y > b.MaxY) b.MaxY = p.Y;
            // The floor overlays reach a fixed 3 data units below the node.
            const double low = overlay ? p.Y - 3.0 : p.Y;
            if (low < b.MinY) b.MinY = low;
        });
        break;
    case 12:
        gridLoop([&](long i, long j) { widenBy(pointIn(Anim3D(i, j, lngAnimStep)), b); });
        break;
    case 13:
    case 14:
    case 15:
        gridLoop([&](long i, long j) { widenBy(pointIn(Vert3D(i, j)), b); });
        break;
    case 1:
    case 11:
    case 21:
    case 22:
        // No vertex list of these kinds is ever filled: their grid loop widens
        // nothing, and only the data points of the vertical pass count.
        verticalPass = true;
        break;
    case 7: {
        const Cls2& p = pointIn(Vert3D(0, 0));
        if (p.X == 0.0 && p.Y == 0.0 && p.Z == 0.0) {
            b = Box{1, -1, 1, -1, 1, -1};
        } else {
            auto axis = [](double v, double& mx, double& mn) {
                mn = v < 0 ? v : 0.0;
                mx = v < 0 ? 0.0 : v;
            };
            axis(p.X, b.MaxX, b.MinX);
            axis(p.Y, b.MaxY, b.MinY);
            axis(p.Z, b.MaxZ, b.MinZ);
        }
        break;
    }
    default:
        break;  // no box: the start values
    }

    if (verticalPass) {
        const long n = PntNum();
        double dataMax = -kDataStart, dataMin = kDataStart;
        for (long t = 0; t < n; ++t) widen(PntY(t), dataMax, dataMin);
        if (dataMax > b.MaxY) b.MaxY = dataMax;
        if (dataMin < b.MinY) b.MinY = dataMin;
        if (gClipSurface && n > 0) {
            b.MaxY = dataMax;
            b.MinY = dataMin;
        }
        if (overlay) {
            // Room for the floor, three scene units below the graph.
            b.MinY -= 3.0 * gSceneScaleY;
            c.MinC = b.MinY;
        }
    }

    GraphBox = b;
    GraphColorRange = c;
    MaxW = maxW;
    MinW = minW;

    auto box = std::make_shared<Cls1>();
    box->MaxX = b.MaxX;
    box->MinX = b.MinX;
    box->MaxY = b.MaxY;
    box->MinY = b.MinY;
    box->MaxZ = b.MaxZ;
    box->MinZ = b.MinZ;
    return box;
}
