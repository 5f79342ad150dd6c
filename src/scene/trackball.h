#pragma once
// Vector and quaternion arithmetic and the virtual trackball that turns a
// mouse drag into a rotation. Vectors and quaternions are four numbers; a
// quaternion is (x, y, z, w) with its scalar in element 3.
#include <array>

using Vec4 = std::array<double, 4>;
using Quat = std::array<double, 4>;
using RotMatrix = std::array<double, 16>;

double ArcSin(double x);
void ZeroVector(Vec4& v);
void SetVector(Vec4& v, double x, double y, double z);
void SubtractVectors(const Vec4& a, const Vec4& b, Vec4& dest);
void CopyVector(const Vec4& src, Vec4& dest);
void CrossVectors(const Vec4& a, const Vec4& b, Vec4& dest);
double VectorLength(const Vec4& v);
void ScaleVector(Vec4& v, double factor);
void NormalizeVector(Vec4& v);
double DotProduct(const Vec4& a, const Vec4& b);
void AddVectors(const Vec4& a, const Vec4& b, Vec4& dest);

// Depth of the point (x, y) on a trackball of the given radius: a sphere near
// the centre, a hyperbolic sheet outside it.
double ProjectToSphere(double radius, double x, double y);
// q := the rotation that drags the trackball from (x1, y1) to (x2, y2), in
// window coordinates -1..1 (y up); the axis follows gRotateMode.
void Trackball(Quat& q, double x1, double y1, double x2, double y2);
// Normalises the caller's axis in place, then q := rotation by angle (radians).
void AxisToQuat(Vec4& axis, double angle, Quat& q);
// dest := q2 q1 (Hamilton product), normalised; dest may alias q1 or q2.
void MultiplyQuats(const Quat& q1, const Quat& q2, Quat& dest);
void NormalizeQuat(Quat& q);
// The 16 numbers handed in index order to glMultMatrix.
void BuildRotMatrix(RotMatrix& m, const Quat& q);
