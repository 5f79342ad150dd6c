#include "document/scene.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "state/globals.h"
#include "graph/graph.h"
#include "scene/axis.h"
#include "scene/scene_scale.h"
#include "scene/texture.h"
#include "state/kinds.h"

namespace {

// Turns the graphs' clip planes off however the drawing ends.
struct ClipPlanesOff {
    ~ClipPlanesOff() {
        glDisable(GL_CLIP_PLANE0);
        glDisable(GL_CLIP_PLANE1);
    }
};

// A bound that is not finite (a graph of overflowing values) stays out of
// the union: one wild graph must not spoil the scales of all the others.
void widen(double lo, double hi, double& minV, double& maxV) {
    if (lo < minV && std::isfinite(lo)) minV = lo;
    if (hi > maxV && std::isfinite(hi)) maxV = hi;
}

double finiteBound(double v) {
    return std::clamp(v, -std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
}

// Equal, or both not a number (which never settles further).
bool same(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

}  // namespace

Cls8::Cls8() : Axis(std::make_shared<Cls3>()) {}

bool Cls8::Animation() const {
    for (const auto& [key, graph] : FunSurfs)
        if (graph->Animation) return true;
    return false;
}

Cls1 Cls8::GetBox(long& lngAnimStep) {
    // A surface with a floor makes room for it in scene units, which the
    // scales made from this very box measure: one pass would leave box and
    // scales to drift with every redraw, and the parts of one picture to use
    // different scales. Passes repeat until a pass gives the scales it was
    // measured in (so a scene already settled takes one pass); each shrinks
    // the change at least threefold, and a bound keeps the work finite.
    constexpr int kMaxPasses = 200;
    Cls1 box;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const double sx = gSceneScaleX, sy = gSceneScaleY, sz = gSceneScaleZ, sw = gSceneScaleW;
        box = unionPass(lngAnimStep);
        if (same(sx, gSceneScaleX) && same(sy, gSceneScaleY) && same(sz, gSceneScaleZ) && same(sw, gSceneScaleW)) break;
    }
    return box;
}

Cls1 Cls8::unionPass(long& lngAnimStep) {
    Cls1 box;
    maxX_ = maxY_ = maxZ_ = maxW_ = -999999999;
    minX_ = minY_ = minZ_ = minW_ = 999999999;
    for (const auto& [key, graph] : FunSurfs) {
        const std::shared_ptr<Cls1> b = graph->Animation ? graph->GetBox(lngAnimStep) : graph->GetBox();
        widen(b->MinX, b->MaxX, minX_, maxX_);
        widen(b->MinY, b->MaxY, minY_, maxY_);
        widen(b->MinZ, b->MaxZ, minZ_, maxZ_);
        widen(graph->MinW, graph->MaxW, minW_, maxW_);
    }
    // A range between values near the largest Double overflows: the union is
    // then measured in tenths and divided by 1 instead of 10, so the scales
    // and the box stay finite and later graphs draw where they belong.
    const bool huge = !std::isfinite(maxX_ - minX_) || !std::isfinite(maxY_ - minY_) ||
                      !std::isfinite(maxZ_ - minZ_) || !std::isfinite(maxW_ - minW_);
    const double k = huge ? 1 : 10;
    const auto range = [huge](double lo, double hi) { return huge ? hi / 10 - lo / 10 : hi - lo; };
    const double dx = range(minX_, maxX_), dy = range(minY_, maxY_), dz = range(minZ_, maxZ_),
                 dw = range(minW_, maxW_);
    const bool flat2D = plot_kind::isTwoD(gPlotKind);

    switch (gAxisScaleMode) {
    case 1:
        gSceneScaleX = dx / k;
        gSceneScaleY = dy / k;
        gSceneScaleZ = dz / k;
        break;
    case 2: {
        double m = dx > dy ? dx : dy;
        if (dz > m) m = dz;
        gSceneScaleX = gSceneScaleY = gSceneScaleZ = m / k;
        break;
    }
    case 3: {
        const double wx = gAxisRatioX * dx, wy = gAxisRatioY * dy, wz = gAxisRatioZ * dz;
        double m = wx > wy ? wx : wy;
        if (!flat2D && wz > m) m = wz;
        // The reference axis is the first whose weighted range is the largest.
        double refRatio, refScale;
        if (wx == m) {
            refRatio = gAxisRatioX;
            refScale = dx / k;
        } else if (wy == m) {
            refRatio = gAxisRatioY;
            refScale = dy / k;
        } else {
            refRatio = gAxisRatioZ;
            refScale = dz / k;
        }
        gSceneScaleX = (wx == m) ? dx / k : refRatio * refScale / gAxisRatioX;
        gSceneScaleY = (wx != m && wy == m) ? dy / k : refRatio * refScale / gAxisRatioY;
        gSceneScaleZ = (wx != m && wy != m && wz == m) ? dz / k : refRatio * refScale / gAxisRatioZ;
        break;
    }
    default: break;
    }
    if (gAxisScaleMode >= 1 && gAxisScaleMode <= 3) {
        gSceneScaleW = usableScale(dw / k);
        gSceneScaleX = finiteScale(gSceneScaleX, dx / k);
        gSceneScaleY = finiteScale(gSceneScaleY, dy / k);
        gSceneScaleZ = finiteScale(gSceneScaleZ, dz / k);
    }
    if (dz == 0.0) gSceneScaleZ = 1.0;

    if (flat2D) {
        box.MinX = finiteBound(minX_ - dx / (2 * k));
        box.MaxX = finiteBound(maxX_ + dx / (2 * k));
        box.MinY = finiteBound(minY_ - dy / (2 * k));
        box.MaxY = finiteBound(maxY_ + dy / (2 * k));
    } else {
        box.MinX = minX_;
        box.MaxX = maxX_;
        box.MinY = minY_;
        box.MaxY = maxY_;
    }
    box.MinZ = minZ_;
    box.MaxZ = maxZ_;
    return box;
}

void Cls8::PrepareTextures() const {
    std::vector<std::string> files;
    for (const auto& [key, graph] : FunSurfs)
        if (graph->ShowTex) files.push_back(graph->TexName);
    ::PrepareTextures(files);
}

void Cls8::Draw(long& lngAnimStep) {
    ClipPlanesOff clipOff;
    for (const auto& [key, graph] : FunSurfs) {
        if (graph->Animation) graph->Draw(lngAnimStep);
        else graph->Draw();
    }
}
