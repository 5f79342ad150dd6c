// Cls9::Draw: the graph's drawing entry, the 2-D curve and the 4-D data points;
// surfaces go to DrawSurface (surface_draw.cpp).
#include <GL/gl.h>

#include <cmath>

#include "state/globals.h"
#include "formula/program.h"
#include "graph/graph.h"
#include "render/colormap.h"
#include "render/isosurface_draw.h"
#include "render/slice_plane.h"
#include "scene/gl_guards.h"
#include "scene/material.h"
#include "scene/point.h"
#include "scene/scene_scale.h"
#include "scene/light.h"
#include "state/kinds.h"

namespace {

// A data value to its scene coordinate on one axis.
struct SceneAxis {
    double scale, centre;
    double operator()(double v) const { return v / scale - centre; }
};

bool isUndefined(const Cls2& p) { return p.Y == formula::UndefinedValue; }

}  // namespace

// The renderers are the graph's own drawing steps.
class GraphRenderer {
public:
    explicit GraphRenderer(Cls9& g)
        : g_(g),
          sx_{usableScale(gSceneScaleX), gSceneCenterX},
          sy_{usableScale(gSceneScaleY), gSceneCenterY},
          sz_{usableScale(gSceneScaleZ), gSceneCenterZ} {}

    void setVerticalClipPlanes() {
        double mn = 999999999999.0, mx = -999999999999.0;
        for (long t = 0; t < g_.PntNum(); ++t) {
            const double y = g_.PntY(t);
            if (y < mn) mn = y;
            if (y > mx) mx = y;
        }
        const GLdouble lower[4] = {0, 1, 0, sy_.centre - mn / sy_.scale};
        const GLdouble upper[4] = {0, -1, 0, mx / sy_.scale - sy_.centre};
        glClipPlane(GL_CLIP_PLANE0, lower);
        glClipPlane(GL_CLIP_PLANE1, upper);
        glEnable(GL_CLIP_PLANE0);
        glEnable(GL_CLIP_PLANE1);
    }

    void drawCurve(const Rgb& line) {
        glDisable(GL_LIGHTING);
        glEnable(GL_LINE_SMOOTH);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
        // OpenGL refuses a width of 0 or less and keeps the old one.
        if (g_.LineWidth > 0) glLineWidth(static_cast<float>(g_.LineWidth));

        if (g_.Show2DLine) {
            glColor3d(line.r, line.g, line.b);
            // One primitive of separate segments: the same pixels as a
            // begin/end pair per segment, at a fraction of the driver's work.
            glBegin(GL_LINES);
            for (long j = 0; j < g_.StepV; ++j) {
                const auto a = g_.VertTab3D(0, j);
                const auto b = g_.VertTab3D(0, j + 1);
                // A sample without a value breaks the line.
                if (isUndefined(*a) || isUndefined(*b)) continue;
                glVertex3d(sx_(a->X), sy_(a->Y), sz_(a->Z));
                glVertex3d(sx_(b->X), sy_(b->Y), sz_(b->Z));
            }
            glEnd();
        }
        if (g_.Show2DScatter) {
            for (long j = 0; j <= g_.StepV; ++j) {
                const auto p = g_.VertTab3D(0, j);
                p->Size = static_cast<double>(g_.ScatterSize);
                p->Symbol = g_.Symbol;
                p->Color = g_.ScatterColor;
                if (!isUndefined(*p)) p->Draw();
            }
        }

        glDisable(GL_LINE_SMOOTH);
        glDisable(GL_BLEND);
        RestoreLighting();
    }

    // The data points of a 4-D graph: green spheres sized by value, from data
    // order (x, y, z) to scene order (Z, X, Y).
    void drawVolumePoints() {
        const long n = g_.PntNum();
        double vmin = 999999999.0, vmax = -999999999.0;
        for (long t = 0; t < n; ++t) {
            const double v = g_.PntV(t);
            if (v < vmin) vmin = v;
            if (v > vmax) vmax = v;
        }
        // Equal values (or a single point) all get the smallest size.
        const double span = vmax > vmin ? vmax - vmin : 0.0;
        Cls2 point;
        point.Color = 0x00FF00;
        for (long t = 0; t < n; ++t) {
            point.Z = g_.PntX(t);
            point.X = g_.PntY(t);
            point.Y = g_.PntZ(t);
            point.Size = span > 0 ? 2 + 3 * (g_.PntV(t) - vmin) / span : 2.0;
            point.Draw();
        }
    }

private:
    Cls9& g_;
    SceneAxis sx_, sy_, sz_;
};

void Cls9::Draw(long lngAnimStep) {
    // The drawing entry loads a preset by its plain name only.
    SetGraphColorMap(*this, ColorName, PresetNames::Plain);
    MatrixGuard matrix;
    GraphRenderer r(*this);

    if (gClipSurface && gPlotKind == plot_kind::ThreeD) r.setVerticalClipPlanes();

    GetBox(0);
    if (ShowContour || ShowVector || ShowColormap) {
        // GetBox made room for the floor; the renderers want the graph's own minimum.
        GraphBox.MinY += 3 * gSceneScaleY;
        GraphColorRange.MinC = GraphBox.MinY;
    }

    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, Material == 5 ? GL_EMISSION : GL_DIFFUSE);
    Cls11 material;
    material.SetMaterial(Material);
    const Rgb line = SplitColor(LineColor);

    switch (GraphType) {
    case graph_type::Surface3D:
        DrawSurface(lngAnimStep);
        break;
    case graph_type::Curve2D:
        r.drawCurve(line);
        break;
    case graph_type::Volume4D:
        // A grid with steps outside 1..30 has no slices or isosurfaces; its
        // data points are still drawn.
        if (VolumeStepsUsable(*this)) {
            DrawSlices();
            DrawGraphIsoSurfaces(*this);
        }
        if (ShowIrregData) r.drawVolumePoints();
        break;
    default:
        break;
    }
}
