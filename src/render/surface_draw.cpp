// Cls9::DrawSurface: the surface renderer. In this order: the node grid, the
// polygon mode, texture and blending, the normals, the shade model and the
// faces (one quadrilateral per cell), then the overlays: data points, floor
// colour map, floor contour lines, and the end step that switches the
// texture and blending off and lighting on.
//
// Everything that could fail is checked before anything is drawn, so no
// group is left open; the end step runs however the drawing ends.
#include <GL/gl.h>

#include <array>
#include <cmath>
#include <vector>

#include "formula/program.h"
#include "graph/graph.h"
#include "render/colormap.h"
#include "render/floor_contour.h"
#include "render/surface_normals.h"
#include "scene/point.h"
#include "scene/scene_scale.h"
#include "scene/texture.h"
#include "state/globals.h"
#include "scene/light.h"

namespace {

using surface::Vec3;

// The largest steps the vertex grid VertTab3D holds.
constexpr long kMaxStepU = 100, kMaxStepV = 10000;

// How a corner's colour is sent, by texture and translucency.
enum class ColorCall { Rgb, Rgba, White, None };

ColorCall colorCallFor(bool textured, long texMode, bool translucent) {
    if (textured) return texMode == 2 ? ColorCall::Rgba : texMode == 1 ? ColorCall::White : ColorCall::None;
    return translucent ? ColorCall::Rgba : ColorCall::Rgb;
}

bool finite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

class SurfaceRenderer {
public:
    explicit SurfaceRenderer(Cls9& g) : g_(g) {}
    // The end step, also when a step before it fails.
    ~SurfaceRenderer() {
        if (g_.ShowTex) glDisable(GL_TEXTURE_2D);
        if (g_.ShowTrans) glDisable(GL_BLEND);
        RestoreLighting();
    }
    SurfaceRenderer(const SurfaceRenderer&) = delete;
    SurfaceRenderer& operator=(const SurfaceRenderer&) = delete;

    void run() {
        U_ = g_.StepU;
        V_ = g_.StepV;
        if (U_ < 1 || V_ < 1 || U_ > kMaxStepU || V_ > kMaxStepV) return;
        readNodes();
        second_ = SplitColor(g_.SecondColor);
        const Cls9::Box& b = g_.GraphBox;
        const surface::SeamTolerance tol =
            surface::SeamTolerances(b.MaxX - b.MinX, b.MaxY - b.MinY, b.MaxZ - b.MinZ, U_, V_);
        // A flat surface colours over a tiny range: every corner at the map's start.
        heightRange_ = b.MaxY - b.MinY;
        if (heightRange_ == 0) heightRange_ = 0.000001;

        setPolygonMode();
        textured_ = g_.ShowTex && Cls15().LoadGLTextures(g_.TexName);
        if (textured_) glEnable(GL_TEXTURE_2D);
        if (g_.ShowTrans) {
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glEnable(GL_BLEND);
        }
        normals_ = surface::ComputeNormals(nodes_, tol);
        if (g_.Smoothness == 1) glShadeModel(GL_FLAT);
        if (g_.Smoothness == 2 || g_.Smoothness == 3) glShadeModel(GL_SMOOTH);
        if (g_.FillStyle == 5) table_ = GraphColorTable(g_);
        drawFaces();

        if (g_.ShowIrregData) drawDataPoints();
        if (g_.ShowColormap) drawFloorColorMap();
        if (g_.ShowContour) drawFloorContours();
    }

private:
    // The nodes, the working grid Vert3D referring to them, and each node's
    // scene position and whether a cell may use it.
    void readNodes() {
        nodes_ = surface::NodeGrid(U_, V_);
        scene_ = surface::NodeGrid(U_, V_);
        usable_.assign(static_cast<std::size_t>((U_ + 1) * (V_ + 1)), false);
        g_.Vert3D.ReDim(U_, V_);
        const double sx = usableScale(gSceneScaleX), sy = usableScale(gSceneScaleY), sz = usableScale(gSceneScaleZ);
        for (long i = 0; i <= U_; ++i)
            for (long j = 0; j <= V_; ++j) {
                const auto p = g_.VertTab3D(i, j);
                g_.Vert3D(i, j) = p;
                nodes_(i, j) = {p->X, p->Y, p->Z};
                scene_(i, j) = {p->X / sx - gSceneCenterX, p->Y / sy - gSceneCenterY, p->Z / sz - gSceneCenterZ};
                const double u = formula::UndefinedValue;
                usable_[at(i, j)] = p->X != u && p->Y != u && p->Z != u && finite(scene_(i, j));
            }
    }
    std::size_t at(long i, long j) const { return static_cast<std::size_t>(i * (V_ + 1) + j); }
    bool cellUsable(long i, long j) const {
        return usable_[at(i, j)] && usable_[at(i + 1, j)] && usable_[at(i + 1, j + 1)] && usable_[at(i, j + 1)];
    }

    void setPolygonMode() const {
        static constexpr GLenum kModes[] = {GL_POINT, GL_LINE, GL_FILL};
        if (g_.Show >= 1 && g_.Show <= 3) glPolygonMode(GL_FRONT_AND_BACK, kModes[g_.Show - 1]);
    }

    Rgb faceColor(double height) const {
        return g_.FillStyle == 5 ? LookupColor(table_, height, g_.GraphBox.MinY, heightRange_) : second_;
    }

    void sendColor(ColorCall call, const Rgb& c) const {
        switch (call) {
        case ColorCall::Rgb:
            glColor3d(c.r, c.g, c.b);
            break;
        case ColorCall::Rgba:
            glColor4d(c.r, c.g, c.b, g_.TransAlpha);
            break;
        case ColorCall::White:
            glColor3d(1, 1, 1);
            break;
        case ColorCall::None:
            break;
        }
    }
    static void normal(const Vec3& n) { glNormal3d(n.x, n.y, n.z); }
    static void vertex(const Vec3& v) { glVertex3d(v.x, v.y, v.z); }

    void drawFaces() {
        const long smooth = g_.Smoothness;
        if (smooth < 1 || smooth > 3) return;  // no faces; the overlays still draw
        std::vector<Rgb> colors(static_cast<std::size_t>((U_ + 1) * (V_ + 1)));
        for (long i = 0; i <= U_; ++i)
            for (long j = 0; j <= V_; ++j) colors[at(i, j)] = faceColor(nodes_(i, j).y);
        const ColorCall call = colorCallFor(textured_, g_.TexMode, g_.ShowTrans);
        // Texture coordinates run from (1, 1) at node (0, 0) to (0, 0) at the last node.
        auto s = [&](long i) { return static_cast<double>(U_ - i) / static_cast<double>(U_); };
        auto t = [&](long j) { return static_cast<double>(V_ - j) / static_cast<double>(V_); };
        glBegin(GL_QUADS);
        for (long i = 0; i < U_; ++i)
            for (long j = 0; j < V_; ++j) {
                if (!cellUsable(i, j)) continue;  // a hole
                if (smooth != 3) normal(normals_.face(i, j));
                const std::array<std::array<long, 2>, 4> corners{{{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}}};
                for (const auto& [ci, cj] : corners) {
                    glTexCoord2d(s(ci), t(cj));
                    if (smooth == 3) normal(normals_.vertex(ci, cj));
                    sendColor(call, colors[at(ci, cj)]);
                    vertex(scene_(ci, cj));
                }
            }
        glEnd();
    }

    // Green spheres of radius 0.2 scene units at the data points.
    void drawDataPoints() const {
        Cls2 point;
        point.Color = 0x00FF00;
        point.Size = 3;
        for (long t = 0; t < g_.PntNum(); ++t) {
            point.X = g_.PntX(t);
            point.Y = g_.PntY(t);
            point.Z = g_.PntZ(t);
            if (std::isfinite(point.X) && std::isfinite(point.Y) && std::isfinite(point.Z)) point.Draw();
        }
    }

    // Straight below every node the colour of its value, 3 scene units under
    // the surface. Reg3DC holds 61 x 61 nodes: a larger grid has no floor.
    void drawFloorColorMap() const {
        if (U_ > decltype(g_.Reg3DC)::upper(0) || V_ > decltype(g_.Reg3DC)::upper(1)) return;
        const double floorY = g_.GraphBox.MinY / usableScale(gSceneScaleY) - 3 - gSceneCenterY;
        std::vector<Rgb> colors(static_cast<std::size_t>((U_ + 1) * (V_ + 1)), second_);
        if (g_.FillStyle == 5)
            for (long i = 0; i <= U_; ++i)
                for (long j = 0; j <= V_; ++j)
                    colors[at(i, j)] = LookupColor(table_, g_.Reg3DC(i, j), g_.GraphColorRange.MinC, heightRange_);
        if (!std::isfinite(floorY)) return;
        glBegin(GL_QUADS);
        for (long i = 0; i < U_; ++i)
            for (long j = 0; j < V_; ++j) {
                if (!cellUsable(i, j)) continue;
                const std::array<std::array<long, 2>, 4> corners{{{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}}};
                for (const auto& [ci, cj] : corners) {
                    normal(normals_.vertex(ci, cj));
                    const Rgb& c = colors[at(ci, cj)];
                    glColor3d(c.r, c.g, c.b);
                    glVertex3d(scene_(ci, cj).x, floorY, scene_(ci, cj).z);
                }
            }
        glEnd();
    }

    void drawFloorContours() const {
        gContourSliceAxis = 1;
        std::optional<FloorContourCall> c = FloorContourArguments(g_);
        if (!c) return;
        CContour().Contour(c->m, c->n, c->dx, c->dy, c->S0, c->x0, c->y0, c->Z, c->lngLevel, c->fstFillStyle,
                           c->lngFirstColor, c->lngSecondColor, c->lngLineWidth, c->strColorName);
    }

    Cls9& g_;
    long U_ = 0, V_ = 0;
    surface::NodeGrid nodes_, scene_;
    std::vector<bool> usable_;
    surface::Normals normals_;
    Rgb second_{0, 0, 0};
    double heightRange_ = 0;
    bool textured_ = false;
    ColorStopTable table_;
};

}  // namespace

void Cls9::DrawSurface(long /*lngAnimStep*/) {
    SurfaceRenderer renderer(*this);
    renderer.run();
}
