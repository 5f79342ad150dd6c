// Cls9::DrawSlices: the slice planes of a 4-D graph, each a smooth-shaded
// colour-mapped grid of quads in its plane, with its contour lines on request.
#include <GL/gl.h>

#include <vector>

#include "state/globals.h"
#include "formula/program.h"
#include "graph/graph.h"
#include "render/colormap.h"
#include "render/contour.h"
#include "render/slice_plane.h"
#include "scene/gl_guards.h"
#include "scene/scene_scale.h"

namespace {

// What a slice and its contour lines change is put back when it ends, so a
// Z slice with the light off leaves the drawing after it as it was.
constexpr GLbitfield kSliceState = GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT | GL_LINE_BIT |
                                   GL_COLOR_BUFFER_BIT | GL_HINT_BIT | GL_CURRENT_BIT;

}  // namespace

void Cls9::DrawSlices() {
    const std::vector<SlicePlane> planes = BuildSlicePlanes(*this);
    if (planes.empty()) return;
    // Every 4-D graph is coloured by its colour map, whatever its FillStyle.
    const ColorStopTable stops = GraphColorTable(*this);
    const double range = MaxW - MinW;
    const double sx = usableScale(gSceneScaleX), sy = usableScale(gSceneScaleY), sz = usableScale(gSceneScaleZ);

    std::vector<Rgb> colour;
    for (const SlicePlane& s : planes) {
        colour.resize(s.value.size());
        for (std::size_t i = 0; i < s.value.size(); ++i) colour[i] = LookupColor(stops, s.value[i], MinW, range);

        AttribGuard state(kSliceState);
        if (s.showColor) glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glShadeModel(GL_SMOOTH);
        glBegin(GL_QUADS);
        glNormal3d(s.normal[0], s.normal[1], s.normal[2]);
        for (long a = 0; a + 1 < s.m; ++a)
            for (long b = 0; b + 1 < s.n; ++b) {
                if (!s.cellDrawn(a, b)) continue;
                for (const std::size_t at : {s.at(a, b), s.at(a + 1, b), s.at(a + 1, b + 1), s.at(a, b + 1)}) {
                    const Rgb& c = colour[at];
                    const auto& p = s.point[at];
                    glColor3d(c.r, c.g, c.b);
                    glVertex3d(p[0] / sx - gSceneCenterX, p[1] / sy - gSceneCenterY, p[2] / sz - gSceneCenterZ);
                }
            }
        glEnd();

        if (s.showContour) {
            // The tracer's grid counts from 1; a node without a value has no crossing.
            ContourGrid S0(s.m, s.n);
            for (long a = 0; a < s.m; ++a)
                for (long b = 0; b < s.n; ++b)
                    S0(a + 1, b + 1) = s.defined[s.at(a, b)] ? s.value[s.at(a, b)] : formula::UndefinedValue;
            gContourSliceAxis = s.axisCode;
            CContour tracer;
            tracer.Contour(s.m, s.n, s.dx, s.dy, S0, s.x0, s.y0, s.position, s.contourLevel, 4, s.contourColor,
                           s.contourColor, LineWidth, ColorName);
        }
    }
}
