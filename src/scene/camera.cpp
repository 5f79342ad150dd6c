#include "scene/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "state/globals.h"
#include "scene/box.h"
#include "scene/scene_scale.h"
#include "scene/trackball.h"
#include "state/kinds.h"

namespace {

Vec4 toVec(const Cls2& p) { return {p.X, p.Y, p.Z, 0.0}; }

void setPoint(Cls2& p, const Vec4& v) {
    p.X = v[0];
    p.Y = v[1];
    p.Z = v[2];
}

// The view direction, normalised; false when eye and reference coincide
// (no direction to pan along).
bool viewDirection(const Cls2& eye, const Cls2& ref, Vec4& d) {
    SubtractVectors(toVec(ref), toVec(eye), d);
    const double len = VectorLength(d);
    if (!(len > 0.0) || !std::isfinite(len)) return false;
    ScaleVector(d, 1.0 / len);
    return true;
}

// The extent of lo..hi in scene units; scaled before the subtraction when
// the difference of the data values would overflow.
double sceneExtent(double lo, double hi, double scale) {
    const double e = (hi - lo) / scale;
    return std::isfinite(e) ? e : hi / scale - lo / scale;
}

// Half the diagonal of a data box in scene units.
double sceneRadius(const Cls1& box) {
    const double ex = sceneExtent(box.MinX, box.MaxX, usableScale(gSceneScaleX));
    const double ey = sceneExtent(box.MinY, box.MaxY, usableScale(gSceneScaleY));
    const double ez = sceneExtent(box.MinZ, box.MaxZ, usableScale(gSceneScaleZ));
    const double r = std::sqrt(ex * ex + ey * ey + ez * ez) / 2;
    return std::isfinite(r) ? r : 0.0;
}

}  // namespace

Cls4::Cls4() {
    EyePos.X = 0;
    EyePos.Y = 0;
    EyePos.Z = 1000;
    RefPos.X = RefPos.Y = RefPos.Z = 0;
    VecUp(0) = 0;
    VecUp(1) = 1;
    VecUp(2) = 0;
}

void Cls4::GetViewRect(double& Wide, double& Height) const {
    Wide = VolWidth;
    Height = VolHeight;
}

void Cls4::SetViewRect(double /*Wide*/, double Height) {
    VolHeight = Height;
    VolWidth = Height * ScreenWidth / ScreenHeight;
}

void Cls4::SetVecup(double dx, double dy, double dz) {
    VecUp(0) = dx;
    VecUp(1) = dy;
    VecUp(2) = dz;
}

void Cls4::SetRef(double x, double y, double z) {
    RefPos.X = x;
    RefPos.Y = y;
    RefPos.Z = z;
}

void Cls4::SetEye(double x, double y, double z) {
    EyePos.X = x;
    EyePos.Y = y;
    EyePos.Z = z;
}

void Cls4::SetScreen(long& x, long& y) {
    glViewport(0, 0, static_cast<GLsizei>(std::max(0L, x)), static_cast<GLsizei>(std::max(0L, y)));
    if (y == 0) y = 1;
    ScreenWidth = static_cast<double>(x);
    ScreenHeight = static_cast<double>(y);
}

void Cls4::MoveView(double dx, double dy) {
    Vec4 d{};
    if (!viewDirection(EyePos, RefPos, d)) return;
    const Vec4 up{VecUp(0), VecUp(1), VecUp(2), 0.0};
    Vec4 r{}, u{};
    CrossVectors(d, up, r);
    CrossVectors(r, d, u);
    ScaleVector(r, dx * VolWidth);
    ScaleVector(u, dy * VolHeight);
    Vec4 shift{};
    AddVectors(r, u, shift);
    Vec4 eye = toVec(EyePos), ref = toVec(RefPos);
    SubtractVectors(eye, shift, eye);
    SubtractVectors(ref, shift, ref);
    setPoint(EyePos, eye);
    setPoint(RefPos, ref);
}

void Cls4::UpdateVecUp() {
    Vec4 d{};
    if (!viewDirection(EyePos, RefPos, d)) return;
    const Vec4 worldUp{0, 1, 0, 0};
    Vec4 r{}, u{};
    CrossVectors(d, worldUp, r);
    CrossVectors(r, d, u);
    SetVecup(u[0], u[1], u[2]);
}

void Cls4::SetViewType(long TypeView) {
    struct View { double x, y, z; bool fixedUp; double ux, uy, uz; };
    const double k = 1.0 / std::sqrt(3.0);
    static const View views[10] = {
        {0, 0, 1, true, 0, 1, 0},  {0, 0, -1, true, 0, 1, 0}, {0, 1, 0, true, 0, 0, 1},
        {0, -1, 0, true, 0, 0, 1}, {1, 0, 0, true, 0, 1, 0},  {-1, 0, 0, true, 0, 1, 0},
        {-1, 1, -1, false, 0, 0, 0}, {1, -1, 1, false, 0, 0, 0}, {1, 1, 1, false, 0, 0, 0},
        {-1, 1, 1, false, 0, 0, 0},
    };
    if (TypeView < 1 || TypeView > 10) return;
    Vec4 diff{};
    SubtractVectors(toVec(EyePos), toVec(RefPos), diff);
    double dist = VectorLength(diff);
    if (dist == 0.0) dist = 50;
    if (dist > 30000) dist = 10000;
    const View& v = views[TypeView - 1];
    const double s = v.fixedUp ? 1.0 : k;
    EyePos.X = RefPos.X + dist * v.x * s;
    EyePos.Y = RefPos.Y + dist * v.y * s;
    EyePos.Z = RefPos.Z + dist * v.z * s;
    if (v.fixedUp) SetVecup(v.ux, v.uy, v.uz);
    else UpdateVecUp();
}

void Cls4::ZoomAll(double& x0, double& y0, double& z0, double& x1, double& y1, double& z1) {
    const double sx = usableScale(gSceneScaleX), sy = usableScale(gSceneScaleY), sz = usableScale(gSceneScaleZ);
    x0 /= sx;
    x1 /= sx;
    y0 /= sy;
    y1 /= sy;
    z0 /= sz;
    z1 /= sz;
    const double ex = x1 - x0, ey = y1 - y0, ez = z1 - z0;
    double s = ex > ez ? ex : ez;
    if (gPlotKind != plot_kind::TwoDGridOnly && ey > s) s = ey;
    // A box with no extent, or one that does not fit into Doubles, leaves
    // the view as it is: the camera never takes a value it cannot draw with.
    const double mx = std::midpoint(x0, x1), my = std::midpoint(y0, y1), mz = std::midpoint(z0, z1);
    if (!(s > 0) || !std::isfinite(s) || !std::isfinite(mx) || !std::isfinite(my) || !std::isfinite(mz)) return;
    SetViewRect(s, s);
    const bool flat = gPlotKind == plot_kind::TwoDFitted || gPlotKind == plot_kind::TwoDGridOnly;
    Vec4 v{};
    SubtractVectors(toVec(RefPos), toVec(EyePos), v);
    if (flat) v[1] = 0;
    RefPos.X = mx;
    RefPos.Y = flat ? 0.0 : my;
    RefPos.Z = mz;
    EyePos.X = RefPos.X - v[0];
    EyePos.Y = flat ? 0.0 : RefPos.Y - v[1];
    EyePos.Z = RefPos.Z - v[2];
}

void Cls4::RotateView(double angle, double x, double y, double z) {
    const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    Vec4 v{};
    SubtractVectors(toVec(RefPos), toVec(EyePos), v);
    const double r0 = (c + t * x * x) * v[0] + (t * x * y - s * z) * v[1] + (t * x * z + s * y) * v[2];
    const double r1 = (t * x * y + s * z) * v[0] + (c + t * y * y) * v[1] + (t * y * z - s * x) * v[2];
    const double r2 = (t * x * z - s * y) * v[0] + (t * y * z + s * x) * v[1] + (c + t * z * z) * v[2];
    RefPos.X = EyePos.X + r0;
    RefPos.Y = EyePos.Y + r1;
    RefPos.Z = EyePos.Z + r2;
}

void Cls4::Zoom(double scal) {
    if (scal > 0) {
        VolWidth *= scal;
        VolHeight *= scal;
    }
}

void Cls4::Projection(double dblPixDx, double dblPixDy, double, double, double) {
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double w = viewport[2], h = viewport[3];

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glRenderMode(GL_RENDER);

    Volleft = -VolWidth / 2;
    VolRight = VolWidth / 2;
    VolBottom = -VolHeight / 2;
    VolTop = VolHeight / 2;

    // An empty viewport (a minimised window) gets no sub-pixel shift.
    const double ox = w > 0 ? -dblPixDx * VolWidth / w : 0.0;
    const double oy = h > 0 ? -dblPixDy * VolHeight / h : 0.0;

    if (ProjectType == 1) {
        glOrtho(Volleft + ox, VolRight + ox, VolBottom + oy, VolTop + oy, VolNear, VolFar);
    } else if (ProjectType == 2) {
        const Cls1 box = SceneBox ? SceneBox() : Cls1{};
        const double ex = box.MaxX - box.MinX, ey = box.MaxY - box.MinY, ez = box.MaxZ - box.MinZ;
        double m = ex > ey ? ex : ey;
        if (ez > m) m = ez;
        VolNear = 1000 - m;
        // The extent is in data units while the eye sits 1000 scene units
        // away: large or empty scenes would give a near plane at or behind
        // the eye, or beyond the far plane, which OpenGL refuses. Keep it just
        // in front of the scene instead.
        if (!(VolNear > 0.0) || !(VolNear < VolFar)) {
            Vec4 diff{};
            SubtractVectors(toVec(EyePos), toVec(RefPos), diff);
            const double eyeDist = VectorLength(diff);
            const double radius = sceneRadius(box);
            VolNear = std::clamp(eyeDist - radius, VolFar / 1000.0, VolFar / 2.0);
        }
        glFrustum(Volleft + ox, VolRight + ox, VolBottom + oy, VolTop + oy, VolNear, VolFar);
        VolNear = 0.01;
    }

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(EyePos.X, EyePos.Y, EyePos.Z, RefPos.X, RefPos.Y, RefPos.Z, VecUp(0), VecUp(1), VecUp(2));
}
