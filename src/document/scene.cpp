#include "document/scene.h"

#include <GL/gl.h>

#include "state/globals.h"
#include "graph/graph.h"
#include "scene/axis.h"
#include "scene/scene_scale.h"

namespace {

// Turns the graphs' clip planes off however the drawing ends.
struct ClipPlanesOff {
    ~ClipPlanesOff() {
        glDisable(GL_CLIP_PLANE0);
        glDisable(GL_CLIP_PLANE1);
    }
};

void widen(double lo, double hi, double& minV, double& maxV) {
    if (lo < minV) minV = lo;
    if (hi > maxV) maxV = hi;
}

// An axis whose scale came out zero or not finite (a flat range, a zero
// ratio) takes its own range / 10, and 1 when that is unusable too.
double finiteScale(double scale, double range) {
    if (scale != 0.0 && std::isfinite(scale)) return scale;
    return usableScale(range / 10);
}

}  // namespace

Cls8::Cls8() : Axis(std::make_shared<Cls3>()) {}

bool Cls8::Animation() const {
    for (const auto& [key, graph] : FunSurfs)
        if (graph->Animation) return true;
    return false;
}

Cls1 Cls8::GetBox(long& lngAnimStep) {
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
    const double dx = maxX_ - minX_, dy = maxY_ - minY_, dz = maxZ_ - minZ_, dw = maxW_ - minW_;
    const bool flat2D = gPlotKind == 1 || gPlotKind == 4;

    switch (gAxisScaleMode) {
    case 1:
        gSceneScaleX = dx / 10;
        gSceneScaleY = dy / 10;
        gSceneScaleZ = dz / 10;
        break;
    case 2: {
        double m = dx > dy ? dx : dy;
        if (dz > m) m = dz;
        gSceneScaleX = gSceneScaleY = gSceneScaleZ = m / 10;
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
            refScale = dx / 10;
        } else if (wy == m) {
            refRatio = gAxisRatioY;
            refScale = dy / 10;
        } else {
            refRatio = gAxisRatioZ;
            refScale = dz / 10;
        }
        gSceneScaleX = (wx == m) ? dx / 10 : refRatio * refScale / gAxisRatioX;
        gSceneScaleY = (wx != m && wy == m) ? dy / 10 : refRatio * refScale / gAxisRatioY;
        gSceneScaleZ = (wx != m && wy != m && wz == m) ? dz / 10 : refRatio * refScale / gAxisRatioZ;
        break;
    }
    default: break;
    }
    if (gAxisScaleMode >= 1 && gAxisScaleMode <= 3) {
        gSceneScaleW = usableScale(dw / 10);
        gSceneScaleX = finiteScale(gSceneScaleX, dx);
        gSceneScaleY = finiteScale(gSceneScaleY, dy);
        gSceneScaleZ = finiteScale(gSceneScaleZ, dz);
    }
    if (dz == 0.0) gSceneScaleZ = 1.0;

    if (flat2D) {
        box.MinX = minX_ - dx / 20;
        box.MaxX = maxX_ + dx / 20;
        box.MinY = minY_ - dy / 20;
        box.MaxY = maxY_ + dy / 20;
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

void Cls8::Draw(long& lngAnimStep) {
    ClipPlanesOff clipOff;
    for (const auto& [key, graph] : FunSurfs) {
        if (graph->Animation) graph->Draw(lngAnimStep);
        else graph->Draw();
    }
}
