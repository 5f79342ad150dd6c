// The 3-D axis frame: the panel box and the axis-line style.
#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <string>

#include "state/globals.h"
#include "state/bounded_array.h"
#include "scene/axis.h"
#include "scene/axis_draw_state.h"
#include "scene/gltext.h"
#include "scene/light.h"

using axisdraw::colour;
using axisdraw::sceneX;
using axisdraw::sceneY;
using axisdraw::sceneZ;

namespace {

constexpr long kTextColour = 0xFF0000;   // blue
constexpr double kCharWidth = 1 / 3.9;   // estimated width of one character, scene units
constexpr double kTick = 0.3;

using Rotation = std::array<double, 4>;
using LabelTable = BoundedArray<std::string, Bound{0, Cls3::kMaxLabels}>;

// A count the frame can divide an axis into and number; other counts give
// that axis no grid lines, ticks or numbers.
bool usableCount(long n) { return n >= 1 && n <= Cls3::kMaxLabels; }

double textWidth(const std::string& t) { return static_cast<double>(t.size()) * kCharWidth; }

void vertex(double x, double y, double z) { glVertex3d(sceneX(x), sceneY(y), sceneZ(z)); }

void quad(long c, double nx, double ny, double nz, const std::array<std::array<double, 3>, 4>& corners) {
    colour(c);
    glBegin(GL_QUADS);
    glNormal3d(nx, ny, nz);
    for (const auto& p : corners) vertex(p[0], p[1], p[2]);
    glEnd();
}

// One batch of grid segments: for i = 0..count, from(i) to to(i).
template <class From, class To>
void gridFamily(bool show, long c, long count, From&& from, To&& to) {
    if (!show || !usableCount(count)) return;
    colour(c);
    glBegin(GL_LINES);
    for (long i = 0; i <= count; ++i) {
        const auto a = from(i);
        const auto b = to(i);
        vertex(a[0], a[1], a[2]);
        vertex(b[0], b[1], b[2]);
    }
    glEnd();
}

void segment(double x0, double y0, double z0, double x1, double y1, double z1) {
    glBegin(GL_LINES);
    vertex(x0, y0, z0);
    vertex(x1, y1, z1);
    glEnd();
}

}  // namespace

void Cls3::DrawPanelBox(double MinX, double MaxX, double MinY, double MaxY, double MinZ, double MaxZ) const {
    // Interval sizes in data units: data x runs along scene Z, data y along
    // scene X, data z along scene Y.
    const bool nx = usableCount(LabelNumX), ny = usableCount(LabelNumY), nz = usableCount(LabelNumZ);
    const double dx = nx ? (MaxZ - MinZ) / LabelNumX : 0;
    const double dy = ny ? (MaxX - MinX) / LabelNumY : 0;
    const double dz = nz ? (MaxY - MinY) / LabelNumZ : 0;
    const auto xi = [&](long i) { return MinX + i * dy; };
    const auto yi = [&](long i) { return MinY + i * dz; };
    const auto zi = [&](long i) { return MinZ + i * dx; };

    // Back panels; lit, their colour reaching the surface through the colour
    // material the graphs leave enabled. The normals point into the box.
    if (ShowYZPanel)
        quad(YZPanelColor, 0, 0, 1, {{{MinX, MinY, MinZ}, {MaxX, MinY, MinZ}, {MaxX, MaxY, MinZ}, {MinX, MaxY, MinZ}}});
    if (ShowXZPanel)
        quad(XZPanelColor, 1, 0, 0, {{{MinX, MinY, MinZ}, {MinX, MaxY, MinZ}, {MinX, MaxY, MaxZ}, {MinX, MinY, MaxZ}}});
    if (ShowXYPanel)
        quad(XYPanelColor, 0, 1, 0, {{{MinX, MinY, MinZ}, {MinX, MinY, MaxZ}, {MaxX, MinY, MaxZ}, {MaxX, MinY, MinZ}}});

    glDisable(GL_LIGHTING);
    axisdraw::lineSmoothingOn();
    glLineWidth(1);

    using P = std::array<double, 3>;
    gridFamily(ShowYZYGrid, YZGridColor, LabelNumY, [&](long i) { return P{xi(i), MinY, MinZ}; },
               [&](long i) { return P{xi(i), MaxY, MinZ}; });
    gridFamily(ShowYZZGrid, YZGridColor, LabelNumZ, [&](long i) { return P{MinX, yi(i), MinZ}; },
               [&](long i) { return P{MaxX, yi(i), MinZ}; });
    gridFamily(ShowXZXGrid, XZGridColor, LabelNumX, [&](long i) { return P{MinX, MinY, zi(i)}; },
               [&](long i) { return P{MinX, MaxY, zi(i)}; });
    gridFamily(ShowXZZGrid, XZGridColor, LabelNumZ, [&](long i) { return P{MinX, yi(i), MinZ}; },
               [&](long i) { return P{MinX, yi(i), MaxZ}; });
    gridFamily(ShowXYXGrid, XYGridColor, LabelNumX, [&](long i) { return P{MinX, MinY, zi(i)}; },
               [&](long i) { return P{MaxX, MinY, zi(i)}; });
    gridFamily(ShowXYYGrid, XYGridColor, LabelNumY, [&](long i) { return P{xi(i), MinY, MinZ}; },
               [&](long i) { return P{xi(i), MinY, MaxZ}; });

    // The free edges of the three panels, where the numbers go.
    glColor3d(0, 0, 0);
    segment(MinX, MinY, MaxZ, MaxX, MinY, MaxZ);  // data y
    segment(MinX, MinY, MaxZ, MinX, MaxY, MaxZ);  // data z
    segment(MaxX, MinY, MinZ, MaxX, MinY, MaxZ);  // data x

    LabelTable textX, textY, textZ;
    const long kx = nx ? LabelNumX : -1, ky = ny ? LabelNumY : -1, kz = nz ? LabelNumZ : -1;
    for (long i = 0; i <= kx; ++i) textX(i) = AxisNumberText(zi(i));
    for (long i = 0; i <= ky; ++i) textY(i) = AxisNumberText(xi(i));
    for (long i = 0; i <= kz; ++i) textZ(i) = AxisNumberText(yi(i));

    glBegin(GL_LINES);
    for (long i = 0; i <= kx; ++i) {
        vertex(MaxX, MinY, zi(i));
        glVertex3d(sceneX(MaxX), sceneY(MinY, -kTick), sceneZ(zi(i)));
    }
    for (long i = 0; i <= ky; ++i) {
        vertex(xi(i), MinY, MaxZ);
        glVertex3d(sceneX(xi(i)), sceneY(MinY, -kTick), sceneZ(MaxZ));
    }
    for (long i = 0; i <= kz; ++i) {
        vertex(MinX, yi(i), MaxZ);
        glVertex3d(sceneX(MinX, -kTick), sceneY(yi(i)), sceneZ(MaxZ));
    }
    glEnd();

    axisdraw::lineSmoothingOff();

    const Rotation flat{0, 0, 1, 0}, downward{-90, 0, 0, 1}, alongX{90, 0, 1, 0};
    const double front = sceneZ(MaxZ);
    for (long i = 0; i <= ky; ++i)
        DrawOutlineText(gOutlineFont, textY(i), sceneX(xi(i), -1.0), sceneY(MinY, -1.3), front, flat, kTextColour);
    {
        const double w = textWidth(TitleY);
        const double x = ((sceneX(MaxX) - sceneX(MinX)) - w) / 2 + sceneX(MinX, -1.0);
        DrawOutlineText(gOutlineFontBold, TitleY, x, sceneY(MinY, -2.3), front, flat, kTextColour);
    }
    // Left edge of the last data-z number; without numbers, that of an empty
    // one, so the title keeps its place beside the edge.
    double left = MinX / usableScale(gSceneScaleX) - 1.0;
    for (long i = 0; i <= kz; ++i) {
        left = MinX / usableScale(gSceneScaleX) - (textWidth(textZ(i)) + 1.0);
        DrawOutlineText(gOutlineFont, textZ(i), left - gSceneCenterX, sceneY(yi(i)), front, flat, kTextColour);
    }
    {
        const double w = textWidth(TitleZ);
        const double s = ((MaxY - MinY) / usableScale(gSceneScaleY) - w) / 2 + MinY / usableScale(gSceneScaleY);
        DrawOutlineText(gOutlineFontBold, TitleZ, left - 1.0 - gSceneCenterX, s + w - gSceneCenterY, front, downward,
                        kTextColour);
    }
    for (long i = 0; i <= kx; ++i)
        DrawOutlineText(gOutlineFont, textX(i), sceneX(MaxX), sceneY(MinY, -1.3), sceneZ(zi(i)), alongX, kTextColour);
    {
        const double w = textWidth(TitleX);
        const double s = ((MaxZ - MinZ) / usableScale(gSceneScaleZ) - w) / 2 + MinZ / usableScale(gSceneScaleZ);
        DrawOutlineText(gOutlineFontBold, TitleX, sceneX(MaxX), sceneY(MinY, -2.3), s + w - 0.5 - gSceneCenterZ,
                        alongX, kTextColour);
    }
    RestoreLighting();
}

void Cls3::DrawAxisLines(double MinX, double MaxX, double MinY, double MaxY, double MinZ, double MaxZ) const {
    axisdraw::lineSmoothingOn();
    glDisable(GL_LIGHTING);
    // Stretch the bounds to contain the data origin.
    for (double* lo : {&MinX, &MinY, &MinZ})
        if (*lo > 0) *lo = 0;
    for (double* hi : {&MaxX, &MaxY, &MaxZ})
        if (*hi < 0) *hi = 0;
    glColor3d(0, 0, 1);
    glLineWidth(1);
    // Through the origin, 2 data units beyond the bounds.
    glBegin(GL_LINES);
    glVertex3d(sceneX(0), sceneY(0), sceneZ(MinZ - 2));
    glVertex3d(sceneX(0), sceneY(0), sceneZ(MaxZ + 2));
    glEnd();
    glBegin(GL_LINES);
    glVertex3d(sceneX(0), sceneY(MinY - 2), sceneZ(0));
    glVertex3d(sceneX(0), sceneY(MaxY + 2), sceneZ(0));
    glEnd();
    glBegin(GL_LINES);
    glVertex3d(sceneX(MinX - 2), sceneY(0), sceneZ(0));
    glVertex3d(sceneX(MaxX + 2), sceneY(0), sceneZ(0));
    glEnd();
    axisdraw::lineSmoothingOff();
    RestoreLighting();

    // Red cones at the positive ends; a cylinder with no top radius points
    // along its local +Z.
    glColor3d(1, 0, 0);
    struct Cone { double x, y, z, angle, ax, ay, az; };
    const Cone cones[3] = {
        {sceneX(0), sceneY(0), sceneZ(MaxZ + 2), 0, 0, 0, 0},
        {sceneX(MaxX + 2), sceneY(0), sceneZ(0), 90, 0, 1, 0},
        {sceneX(0), sceneY(MaxY + 2), sceneZ(0), -90, 1, 0, 0},
    };
    for (const Cone& c : cones) {
        GLUquadric* q = gluNewQuadric();
        if (!q) continue;
        glPushMatrix();
        glTranslated(c.x, c.y, c.z);
        if (c.angle != 0) glRotated(c.angle, c.ax, c.ay, c.az);
        gluCylinder(q, 0.2, 0, 0.5, 16, 16);
        glPopMatrix();
        gluDeleteQuadric(q);
    }
}
