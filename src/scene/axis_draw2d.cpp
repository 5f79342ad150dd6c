// The 2-D axis frame: rectangle, ticks, numbers and titles.
#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "state/globals.h"
#include "state/bounded_array.h"
#include "scene/axis.h"
#include "scene/axis_draw_state.h"
#include "scene/gltext.h"
#include "scene/light.h"

using axisdraw::sceneX;
using axisdraw::sceneY;

namespace {

constexpr double kTick = 0.2;
using LabelTable = BoundedArray<std::string, Bound{0, Cls3::kMaxLabels}>;

// Ticks lower + i * step, i < count, as many as the number tables hold.
struct Ticks {
    double step = 0, lower = 0, upper = 0;
    long k = 0;
    long count() const { return std::clamp(k, 0L, Cls3::kMaxLabels + 1); }
    double at(long i) const { return Cls3::TickAt(lower, step, i); }
};

}  // namespace

void Cls3::Draw2DFrame(double MinX, double MaxX, double MinY, double MaxY, double MinZ) const {
    Ticks tx, ty;
    double minX = MinX, maxX = MaxX;
    Coord(minX, maxX, tx.step, tx.lower, tx.upper, tx.k);
    // On the frame's own bounds: an empty vertical range measures from 0.
    Coord(MinY, MaxY, ty.step, ty.lower, ty.upper, ty.k);

    glDisable(GL_LIGHTING);

    LabelTable textX, textY;
    for (long i = 0; i < tx.count(); ++i) textX(i) = TickNumberText(tx.at(i));
    for (long j = 0; j < ty.count(); ++j) textY(j) = TickNumberText(ty.at(j));

    const double depth = MinZ - gSceneCenterZ;  // the depth is not scaled
    glLineWidth(1);
    glColor3d(0, 0, 0);
    glBegin(GL_LINES);
    for (long i = 0; i < tx.count(); ++i) {
        glVertex3d(sceneX(tx.at(i)), sceneY(MinY), depth);
        glVertex3d(sceneX(tx.at(i)), sceneY(MinY, -kTick), depth);
    }
    for (long j = 0; j < ty.count(); ++j) {
        glVertex3d(sceneX(MinX), sceneY(ty.at(j)), depth);
        glVertex3d(sceneX(MinX, -kTick), sceneY(ty.at(j)), depth);
    }
    glEnd();

    glLineWidth(static_cast<GLfloat>(std::clamp(AxisWidth, 1L, 100L)));
    axisdraw::colour(AxisColor);
    glBegin(GL_LINES);
    const auto v = [depth](double x, double y) { glVertex3d(sceneX(x), sceneY(y), depth); };
    v(MinX, MinY), v(MaxX, MinY);  // bottom
    v(MinX, MinY), v(MinX, MaxY);  // left
    v(MaxX, MaxY), v(MaxX, MinY);  // right
    v(MaxX, MaxY), v(MinX, MaxY);  // top
    glEnd();

    // Bitmap texts take data order: depth, then scene x, then scene y.
    for (long i = 0; i < tx.count(); ++i) {
        const std::string& t = textX(i);
        const double shift = t.size() > 2 ? 0.45 : (t.size() == 2 ? 0.3 : 0.15);
        DrawBitmapText(depth, sceneX(tx.at(i), -shift), sceneY(MinY, -0.8), t);
    }
    for (long j = 0; j < ty.count(); ++j) {
        const std::string& t = textY(j);
        DrawBitmapText(depth, sceneX(MinX, -(static_cast<double>(t.size()) / 4.01 + 0.55)), sceneY(ty.at(j)), t);
    }
    DrawBitmapText(depth, sceneX(MinX + (MaxX - MinX) / 2), sceneY(MinY, -1.7), TitleX);
    DrawBitmapText(depth, sceneX(MinX, -2.5), sceneY(MinY + (MaxY - MinY) / 2), TitleY);

    RestoreLighting();
}
