// Cls9::DrawLegend: the colour legend of a surface or 4-D graph coloured by a
// colour map, a bar at the picture's right edge with ticks and labels, in the
// overlay's square 0..100.
#include <GL/gl.h>

#include <cmath>
#include <string>

#include "graph/graph.h"
#include "render/colormap.h"
#include "render/legend_ticks.h"
#include "scene/gltext.h"
#include "state/globals.h"

namespace {

constexpr double kBarLeft = 82, kBarRight = 85, kBarBottom = 30, kBarHeight = 40;

double barY(double percent) { return kBarBottom + kBarHeight / 100 * percent; }

void blackLine(double x1, double y, double x2) {
    glBegin(GL_LINES);
    glVertex3f(static_cast<float>(x1), static_cast<float>(y), 0);
    glVertex3f(static_cast<float>(x2), static_cast<float>(y), 0);
    glEnd();
}

void label(double value, double y) {
    DrawBitmapText(0, 86, y, LegendLabel(value));
    glColor3d(0, 0, 0);
    blackLine(kBarLeft, y, kBarLeft + 0.5);
    blackLine(kBarRight - 0.5, y, kBarRight);
}

}  // namespace

void Cls9::DrawLegend(double /*MinX*/, double /*MaxX*/, double /*MinY*/, double /*MaxY*/, double MinZ,
                      double MaxZ, double /*MinC*/, double /*MaxC*/, double /*MInv*/, double /*MaxV*/) {
    if (GraphType != graph_type::Surface3D && GraphType != graph_type::Volume4D) return;
    glShadeModel(GL_SMOOTH);
    if (FillStyle != 5) return;

    double low = MinW, high = MaxW;
    if (GraphType == graph_type::Surface3D) {
        low = (ShowContour || ShowVector || ShowColormap) ? MinZ + 3 * gSceneScaleY : GraphBox.MinY;
        high = MaxZ;
    }
    const double range = high - low;

    // The legend is flat black text on a filled bar whatever the scene left:
    // no light, texture, blending or depth, polygons filled, thin lines.
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_LINE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1);

    // Colour bar: one band per pair of stops, each stop in its own colour. A
    // range of 0 shows the one colour its graph shows (a flat surface the
    // map's start, a constant 4-D value blue).
    const ColorStopTable stops = GraphColorTable(*this);
    const double colorRange = range == 0 && GraphType == graph_type::Surface3D ? 0.000001 : range;
    for (long i = 0; i + 1 < stops.count; ++i) {
        glBegin(GL_POLYGON);
        glNormal3d(0, 0, 1);
        auto corner = [&](double x, long stop) {
            const Rgb c = LookupColor(stops, low + stops.pos[stop] / 100 * range, low, colorRange);
            glColor3d(c.r, c.g, c.b);
            glVertex3f(static_cast<float>(x), static_cast<float>(barY(stops.pos[stop])), 0);
        };
        corner(kBarLeft, i);
        corner(kBarLeft, i + 1);
        corner(kBarRight, i + 1);
        corner(kBarRight, i);
        glEnd();
    }

    if (range == 0) {
        label(low, 50);  // one value: one label halfway up
    } else if (range > 0 && std::isfinite(range)) {
        double first = low;
        const LegendTicks ticks = ComputeLegendTicks(first, high);
        for (long i = 0; i <= ticks.count; ++i) {
            const double v = static_cast<double>(i) * ticks.step + ticks.first;
            label(v, (v - low) / range * kBarHeight + kBarBottom);
        }
    }

    glColor3d(0, 0, 0);
    glBegin(GL_LINE_LOOP);
    glVertex3f(82, 30, 0);
    glVertex3f(82, 70, 0);
    glVertex3f(85, 70, 0);
    glVertex3f(85, 30, 0);
    glEnd();
    glPopAttrib();
}
