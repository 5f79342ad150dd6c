#include "scene/trackball.h"

#include <cmath>
#include <numbers>

#include "state/globals.h"

namespace {
constexpr double kTrackballRadius = 0.5;
}

double ArcSin(double x) {
    if (x == 1.0) return std::numbers::pi / 2;  // the formula language's PI, halved
    return std::atan(x / std::sqrt(1 - x * x));
}

void ZeroVector(Vec4& v) { v[0] = v[1] = v[2] = 0.0; }

void SetVector(Vec4& v, double x, double y, double z) {
    v[0] = x;
    v[1] = y;
    v[2] = z;
}

void SubtractVectors(const Vec4& a, const Vec4& b, Vec4& dest) {
    for (int i = 0; i < 3; ++i) dest[i] = a[i] - b[i];
}

void CopyVector(const Vec4& src, Vec4& dest) { dest = src; }

void CrossVectors(const Vec4& a, const Vec4& b, Vec4& dest) {
    // Through a temporary so that dest may be a or b.
    const Vec4 t{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0], 0.0};
    CopyVector(t, dest);
}

double VectorLength(const Vec4& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

void ScaleVector(Vec4& v, double factor) {
    for (int i = 0; i < 3; ++i) v[i] *= factor;
}

void NormalizeVector(Vec4& v) { ScaleVector(v, 1.0 / VectorLength(v)); }

double DotProduct(const Vec4& a, const Vec4& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void AddVectors(const Vec4& a, const Vec4& b, Vec4& dest) {
    for (int i = 0; i < 3; ++i) dest[i] = a[i] + b[i];
}

double ProjectToSphere(double radius, double x, double y) {
    const double d = std::sqrt(x * x + y * y);
    if (radius * 7071 / 10000 > d) return std::sqrt(radius * radius - d * d);
    const double t = radius * 1000 / 1414;
    return t * t / d;
}

void Trackball(Quat& q, double x1, double y1, double x2, double y2) {
    if (x1 == x2 && y1 == y2) {
        q = {0.0, 0.0, 0.0, 1.0};
        return;
    }
    Vec4 p1{x1, y1, ProjectToSphere(kTrackballRadius, x1, y1), 0.0};
    Vec4 p2{x2, y2, ProjectToSphere(kTrackballRadius, x2, y2), 0.0};
    Vec4 axis{0.0, 0.0, 0.0, 0.0};
    switch (gRotateMode) {
    case 1: CrossVectors(p2, p1, axis); break;
    case 2: SetVector(axis, 0, 0, x1 < x2 ? 1.0 : -1.0); break;
    case 3: SetVector(axis, y1 < y2 ? 1.0 : -1.0, 0, 0); break;
    case 4: SetVector(axis, 0, x1 > x2 ? 1.0 : -1.0, 0); break;
    default: break;
    }
    // No mode (or a degenerate drag) gives no axis to turn about: stay put
    // instead of dividing by a zero length.
    if (!(VectorLength(axis) > 0.0)) {
        q = {0.0, 0.0, 0.0, 1.0};
        return;
    }
    Vec4 d{};
    SubtractVectors(p1, p2, d);
    double t = VectorLength(d) / (2.0 * kTrackballRadius);
    if (t > 1.0) t = 1.0;
    if (t < -1.0) t = -1.0;
    AxisToQuat(axis, 2.0 * ArcSin(t), q);
}

void AxisToQuat(Vec4& axis, double angle, Quat& q) {
    NormalizeVector(axis);
    CopyVector(axis, q);
    ScaleVector(q, std::sin(angle / 2.0));
    q[3] = std::cos(angle / 2.0);
}

void MultiplyQuats(const Quat& q1, const Quat& q2, Quat& dest) {
    Vec4 t1 = q1;
    ScaleVector(t1, q2[3]);
    Vec4 t2 = q2;
    ScaleVector(t2, q1[3]);
    Vec4 t3{};
    CrossVectors(q2, q1, t3);
    Vec4 tf{};
    AddVectors(t1, t2, tf);
    AddVectors(t3, tf, tf);
    tf[3] = q1[3] * q2[3] - DotProduct(q1, q2);
    dest = tf;
    NormalizeQuat(dest);
}

void NormalizeQuat(Quat& q) {
    double mag = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    if (mag == 0.0) mag = 1.0;
    for (double& e : q) e /= mag;
}

void BuildRotMatrix(RotMatrix& m, const Quat& q) {
    // Row-major rotation; glMultMatrix reads it column by column, which is the
    // inverse rotation the trackball's axis and composition order expect.
    m[0] = 1.0 - 2.0 * (q[1] * q[1] + q[2] * q[2]);
    m[1] = 2.0 * (q[0] * q[1] - q[2] * q[3]);
    m[2] = 2.0 * (q[2] * q[0] + q[1] * q[3]);
    m[3] = 0.0;
    m[4] = 2.0 * (q[0] * q[1] + q[2] * q[3]);
    m[5] = 1.0 - 2.0 * (q[2] * q[2] + q[0] * q[0]);
    m[6] = 2.0 * (q[1] * q[2] - q[0] * q[3]);
    m[7] = 0.0;
    m[8] = 2.0 * (q[2] * q[0] - q[1] * q[3]);
    m[9] = 2.0 * (q[1] * q[2] + q[0] * q[3]);
    m[10] = 1.0 - 2.0 * (q[1] * q[1] + q[0] * q[0]);
    m[11] = 0.0;
    m[12] = m[13] = m[14] = 0.0;
    m[15] = 1.0;
}
