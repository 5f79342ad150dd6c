#include "app/window/frame_overlay.h"

#include <GL/gl.h>

#include "graph/graph.h"
#include "scene/axis.h"
#include "state/color.h"
#include "scene/gltext.h"
#include "document/scene.h"
#include "scene/light.h"
#include "state/kinds.h"

std::string curveLabel(const std::string& name) {
    const auto colon = name.find(':');
    const std::size_t start = colon == std::string::npos ? 1 : colon + 2;
    return start >= name.size() ? std::string() : name.substr(start);
}

namespace {

void drawCurveNames(Cls8& scene) {
    int k = 0;
    for (const auto& entry : scene.FunSurfs) {
        const Cls9& g = *entry.second;
        if (g.NameS.find("Scatter") != std::string::npos || g.GraphType != graph_type::Curve2D) continue;
        const Rgb c = SplitColor(g.LineColor);
        glColor3d(c.r, c.g, c.b);
        glLineWidth(2);
        const double y = 68 - 3.0 * k;
        glBegin(GL_LINES);
        glVertex3d(65, y, 0);
        glVertex3d(68, y, 0);
        glEnd();
        DrawBitmapText(0, 70, y - 0.5, curveLabel(g.NameS));
        ++k;
    }
}

void drawLegends(Cls8& scene) {
    long frame = 0;
    for (const auto& entry : scene.FunSurfs) {
        const Cls1 box = scene.GetBox(frame);
        entry.second->DrawLegend(box.MinZ, box.MaxZ, box.MinX, box.MaxX, box.MinY, box.MaxY, box.MinY, box.MaxY, 0, 1);
    }
}

}  // namespace

void drawOverlay(long plotKind, Cls8& scene) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 100, 0, 100, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    if (plot_kind::isTwoD(plotKind)) {
        glDisable(GL_LIGHTING);
        if (scene.FunSurfs.Count() > 0) drawCurveNames(scene);
        RestoreLighting();
    } else if (scene.FunSurfs.Count() > 0) {
        drawLegends(scene);
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
