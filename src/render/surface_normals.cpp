#include "render/surface_normals.h"

#include <algorithm>
#include <cmath>

#include "state/bounded_array.h"

namespace surface {

std::size_t NodeGrid::index(long i, long j) const {
    if (i < 0 || i > U_ || j < 0 || j > V_) throwSubscriptOutOfRange();
    return static_cast<std::size_t>(i) * static_cast<std::size_t>(V_ + 1) + static_cast<std::size_t>(j);
}

namespace {

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

bool finite(const Vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// v / |v| with a zero length read as `zeroLength`. A product that overflowed
// keeps the direction of its infinite components; a length that overflows is
// taken after scaling by the largest component; NaN gives no direction.
Vec3 divideByLength(Vec3 v, double zeroLength) {
    if (std::isnan(v.x) || std::isnan(v.y) || std::isnan(v.z)) return {};
    if (!finite(v)) {
        auto sign = [](double c) { return std::isinf(c) ? std::copysign(1.0, c) : 0.0; };
        v = {sign(v.x), sign(v.y), sign(v.z)};
    }
    double L = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (!std::isfinite(L)) {
        const double s = std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
        v = {v.x / s, v.y / s, v.z / s};
        L = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    }
    if (L == 0) L = zeroLength;
    return {v.x / L, v.y / L, v.z / L};
}

// Whether nodes a and b count as one point.
bool coincide(const Vec3& a, const Vec3& b, const SeamTolerance& tol) {
    return std::fabs(a.x - b.x) < tol.x && std::fabs(a.y - b.y) < tol.y && std::fabs(a.z - b.z) < tol.z;
}

}  // namespace

SeamTolerance SeamTolerances(double widthRange, double heightRange, double depthRange, long U, long V) {
    const double u = static_cast<double>(U), v = static_cast<double>(V);
    return {8.0 / 10 * (widthRange / u), 8.0 / 10 * (heightRange / v), 8.0 / 10 * (depthRange / (U > V ? u : v))};
}

Vec3 FaceNormal(const Vec3& p00, const Vec3& p10, const Vec3& p11, const Vec3& p01) {
    if (!finite(p00) || !finite(p10) || !finite(p11) || !finite(p01)) return {};
    const Vec3 a = p00 - p11, b = p10 - p01;
    Vec3 n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    const double c = std::sqrt(3.0) / 2 * std::pow(10.0, 19);
    if (n.z < -c || n.z > c) {
        n.z = std::clamp(n.z, -c, c);
        n.x = std::clamp(n.x, -c, c);
        n.y = std::clamp(n.y, -c, c);
    }
    return divideByLength(n, 0.0001);
}

Normals ComputeNormals(const NodeGrid& P, const SeamTolerance& tol) {
    const long U = P.U(), V = P.V();
    Normals out{NodeGrid(U, V), NodeGrid(U, V)};
    NodeGrid& F = out.face;
    NodeGrid& N = out.vertex;
    for (long i = 0; i < U; ++i)
        for (long j = 0; j < V; ++j) F(i, j) = FaceNormal(P(i, j), P(i + 1, j), P(i + 1, j + 1), P(i, j + 1));

    // Corners, then edges.
    N(0, 0) = F(0, 0);
    N(0, V) = F(0, V - 1);
    N(U, 0) = F(U - 1, 0);
    N(U, V) = F(U - 1, V - 1);
    for (long j = 1; j < V; ++j) N(0, j) = F(0, j) + F(0, j - 1);
    for (long j = 1; j < V; ++j) N(U, j) = F(U - 1, j) + F(U - 1, j - 1);
    for (long i = 1; i < U; ++i) N(i, 0) = F(i, 0) + F(i - 1, 0);
    for (long i = 1; i < U; ++i) N(i, V) = F(i, V - 1) + F(i - 1, V - 1);

    // The seam across j: column 0 meets column V.
    if (coincide(P(0, 0), P(0, V), tol) && coincide(P(U, 0), P(U, V), tol)) {
        N(0, 0) = F(0, V - 1) + F(0, 0);
        N(0, V) = N(0, 0);
        N(U, 0) = F(U - 1, V - 1) + F(U - 1, 0);
        N(U, V) = N(U, 0);
        for (long i = 1; i < U; ++i) {
            N(i, 0) = F(i - 1, 0) + F(i - 1, V - 1) + F(i, V - 1) + F(i, 0);
            N(i, V) = N(i, 0);
        }
    }
    // The seam across i: row 0 meets row U.
    if (coincide(P(U, 0), P(0, 0), tol) && coincide(P(U, V), P(0, V), tol)) {
        N(0, 0) = F(U - 1, 0) + F(0, 0);
        N(0, V) = F(U - 1, V - 1) + F(0, V - 1);
        N(U, 0) = N(0, 0);
        N(U, V) = N(0, V);
        for (long j = 1; j < V; ++j) {
            N(0, j) = F(0, j - 1) + F(U - 1, j - 1) + F(U - 1, j) + F(0, j);
            N(U, j) = N(0, j);
        }
    }
    for (long i = 1; i < U; ++i)
        for (long j = 1; j < V; ++j) N(i, j) = F(i - 1, j) + F(i - 1, j - 1) + F(i, j - 1) + F(i, j);

    for (long i = 0; i <= U; ++i)
        for (long j = 0; j <= V; ++j) N(i, j) = divideByLength(N(i, j), 1);
    return out;
}

}  // namespace surface
