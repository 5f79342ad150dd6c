// The 2-D background behind the plot area and the grid at the tick positions.
#include <GL/gl.h>

#include <algorithm>
#include <array>

#include "state/globals.h"
#include "state/color.h"
#include "scene/axis.h"
#include "scene/axis_draw_state.h"
#include "scene/background_layout.h"
#include "scene/light.h"

using axisdraw::sceneX;
using axisdraw::sceneY;

namespace {

using background::Pick;

struct Corners {
    double left, bottom, right, top, cx, cy;
};

void vertex(Pick p, const Rgb& c1, const Rgb& c2, double x, double y) {
    // A style outside the table sets no colour: the current one stays.
    if (p != background::NONE) {
        const Rgb c = background::PickColor(p, c1, c2);
        glColor3d(c.r, c.g, c.b);
    }
    glVertex3d(x, y, 0);
}

// Two quads meeting at the middle line; `outer` at the far edges, `inner`
// on the middle line. Horizontal split when `horizontal`, else vertical.
void twoQuads(const Corners& k, bool horizontal, const Rgb& outer, const Rgb& inner) {
    const auto v = [](const Rgb& c, double x, double y) {
        glColor3d(c.r, c.g, c.b);
        glVertex3d(x, y, 0);
    };
    glBegin(GL_QUADS);
    if (horizontal) {
        v(outer, k.left, k.bottom), v(outer, k.right, k.bottom), v(inner, k.right, k.cy), v(inner, k.left, k.cy);
        v(inner, k.left, k.cy), v(inner, k.right, k.cy), v(outer, k.right, k.top), v(outer, k.left, k.top);
    } else {
        v(outer, k.left, k.bottom), v(inner, k.cx, k.bottom), v(inner, k.cx, k.top), v(outer, k.left, k.top);
        v(inner, k.cx, k.bottom), v(outer, k.right, k.bottom), v(outer, k.right, k.top), v(inner, k.cx, k.top);
    }
    glEnd();
}

void fourTriangles(const Corners& k, const std::array<Pick, 5>& l, const Rgb& c1, const Rgb& c2) {
    const Pick bl = l[0], br = l[1], tl = l[2], tr = l[3], ce = l[4];
    const auto tri = [&](Pick a, double ax, double ay, Pick b, double bx, double by, Pick c, double cx, double cy) {
        glBegin(GL_TRIANGLES);
        vertex(a, c1, c2, ax, ay);
        vertex(b, c1, c2, bx, by);
        vertex(c, c1, c2, cx, cy);
        glEnd();
    };
    tri(bl, k.left, k.bottom, br, k.right, k.bottom, ce, k.cx, k.cy);  // bottom
    tri(bl, k.left, k.bottom, ce, k.cx, k.cy, tl, k.left, k.top);      // left
    tri(tl, k.left, k.top, ce, k.cx, k.cy, tr, k.right, k.top);        // top
    tri(br, k.right, k.bottom, tr, k.right, k.top, ce, k.cx, k.cy);    // right
}

}  // namespace

void Cls3::DrawBackground(double sngMinX, double sngMaxX, double sngMinY, double sngMaxY, double,
                          double) const {
    if (!ShowBackground) return;
    Corners k{sceneX(sngMinX), sceneY(sngMinY), sceneX(sngMaxX), sceneY(sngMaxY), 0, 0};
    k.cx = (k.left + k.right) / 2;
    k.cy = (k.bottom + k.top) / 2;

    glDisable(GL_LIGHTING);
    if (ShowShadow) {
        constexpr double off = 0.8;  // right and up
        glColor3d(0.4, 0.4, 0.4);
        glBegin(GL_QUADS);
        glVertex3d(k.left + off, k.bottom + off, 0);
        glVertex3d(k.right + off, k.bottom + off, 0);
        glVertex3d(k.right + off, k.top + off, 0);
        glVertex3d(k.left + off, k.top + off, 0);
        glEnd();
    }
    const Rgb c1 = ::SplitColor(BackColor), c2 = ::SplitColor(BackColor2);
    background::TwoQuads quads{};
    if (background::QuadLayout(BackStyle, quads)) {
        twoQuads(k, quads.horizontal, background::PickColor(quads.outer, c1, c2),
                 background::PickColor(quads.inner, c1, c2));
    } else {
        fourTriangles(k, background::TriangleLayout(BackStyle), c1, c2);
    }
    glColor3d(0, 0, 0);
    glLineWidth(1);
    glBegin(GL_LINES);
    glVertex3d(k.left, k.bottom, 0), glVertex3d(k.right, k.bottom, 0);
    glVertex3d(k.left, k.bottom, 0), glVertex3d(k.left, k.top, 0);
    glVertex3d(k.left, k.top, 0), glVertex3d(k.right, k.top, 0);
    glVertex3d(k.right, k.bottom, 0), glVertex3d(k.right, k.top, 0);
    glEnd();
    RestoreLighting();
}

void Cls3::Draw2DGrid(double sngMinX, double sngMaxX, double sngMinY, double sngMaxY, double, double) const {
    double minX = sngMinX, maxX = sngMaxX, minY = sngMinY, maxY = sngMaxY;
    double stepX = 0, lowerX = 0, upperX = 0, stepY = 0, lowerY = 0, upperY = 0;
    long kX = 0, kY = 0;
    Coord(minX, maxX, stepX, lowerX, upperX, kX);
    Coord(minY, maxY, stepY, lowerY, upperY, kY);

    glDisable(GL_LIGHTING);  // left off, whether or not the grid is shown
    axisdraw::colour(PriGridColor);
    glLineWidth(1);
    if (!ShowprimaryGrid) return;
    const double depth = -gSceneCenterZ;
    for (long i = 0; i < std::min(kX, 32767L); ++i) {
        const double x = sceneX(TickAt(lowerX, stepX, i));
        glBegin(GL_LINES);
        glVertex3d(x, sceneY(sngMinY), depth);
        glVertex3d(x, sceneY(sngMaxY), depth);
        glEnd();
    }
    for (long j = 0; j < std::min(kY, 32767L); ++j) {
        const double y = sceneY(TickAt(lowerY, stepY, j));
        glBegin(GL_LINES);
        glVertex3d(sceneX(sngMinX), y, depth);
        glVertex3d(sceneX(sngMaxX), y, depth);
        glEnd();
    }
}
