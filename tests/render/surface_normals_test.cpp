// Surface normals without OpenGL: flat and reversed grids, a collapsed cell,
// the seams of a cylinder and a torus against their analytic normals, the
// seam test at its bound and the clamp of huge cross products.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "render/surface_normals.h"

namespace {

using surface::ComputeNormals;
using surface::FaceNormal;
using surface::NodeGrid;
using surface::SeamTolerance;
using surface::Vec3;

NodeGrid grid(long U, long V, const std::function<Vec3(long, long)>& at) {
    NodeGrid g(U, V);
    for (long i = 0; i <= U; ++i)
        for (long j = 0; j <= V; ++j) g(i, j) = at(i, j);
    return g;
}

void expectVec(const Vec3& v, double x, double y, double z, const std::string& what, double tol = 1e-12) {
    EXPECT_NEAR(v.x, x, tol) << what;
    EXPECT_NEAR(v.y, y, tol) << what;
    EXPECT_NEAR(v.z, z, tol) << what;
}

constexpr SeamTolerance kNoSeam{0, 0, 0};

TEST(SurfaceNormals, FlatGridsPointAcrossTheirOrder) {
    struct Case {
        const char* name;
        long U, V;
        std::function<Vec3(long, long)> at;
        double ny;
    };
    const Case cases[] = {
        {"X = i, Z = j", 3, 4, [](long i, long j) { return Vec3{double(i), 0, double(j)}; }, -1},
        {"j reversed", 3, 4, [](long i, long j) { return Vec3{double(i), 0, double(4 - j)}; }, 1},
        {"X = j, Z = i (the builders' layout)", 4, 3, [](long i, long j) { return Vec3{double(j), 0, double(i)}; }, 1},
        {"one cell", 1, 1, [](long i, long j) { return Vec3{double(i), 5, double(j)}; }, -1},
        {"one row of cells", 1, 6, [](long i, long j) { return Vec3{2.0 * i, -1, 0.5 * j}; }, -1},
    };
    for (const Case& c : cases) {
        const auto n = ComputeNormals(grid(c.U, c.V, c.at), kNoSeam);
        for (long i = 0; i <= c.U; ++i)
            for (long j = 0; j <= c.V; ++j) {
                expectVec(n.vertex(i, j), 0, c.ny, 0, c.name);
                if (i < c.U && j < c.V) expectVec(n.face(i, j), 0, c.ny, 0, c.name);
            }
        // The last row and column of the face grid hold no cell.
        expectVec(n.face(c.U, c.V), 0, 0, 0, c.name);
    }
}

TEST(SurfaceNormals, CollapsedCellsHaveNoNormal) {
    // All four corners at one point: face (0, 0, 0) and the nodes keep (0, 0, 0).
    const auto n = ComputeNormals(grid(1, 1, [](long, long) { return Vec3{1, 2, 3}; }), kNoSeam);
    expectVec(n.face(0, 0), 0, 0, 0, "face");
    for (long i = 0; i <= 1; ++i)
        for (long j = 0; j <= 1; ++j) expectVec(n.vertex(i, j), 0, 0, 0, "vertex");
    // A corner that is not a number spoils only its own cell.
    NodeGrid g = grid(2, 1, [](long i, long j) { return Vec3{double(i), 0, double(j)}; });
    g(2, 1).y = std::numeric_limits<double>::quiet_NaN();
    const auto m = ComputeNormals(g, kNoSeam);
    expectVec(m.face(1, 0), 0, 0, 0, "cell with a NaN corner");
    expectVec(m.face(0, 0), 0, -1, 0, "its neighbour");
    expectVec(m.vertex(1, 1), 0, -1, 0, "node between them");
}

// A cylinder of radius 2 about the X axis: node (i, j) at X = i and angle
// 2 pi j / V, so nodes (i, 0) and (i, V) coincide.
Vec3 onCylinder(long i, long j, long V) {
    const double t = 2 * std::numbers::pi * j / V;
    return {double(i), 2 * std::cos(t), 2 * std::sin(t)};
}

TEST(SurfaceNormals, CylinderSeamGivesRadialNormalsEverywhere) {
    const long U = 4, V = 24;
    const NodeGrid g = grid(U, V, [](long i, long j) { return onCylinder(i, j, V); });
    const auto tol = surface::SeamTolerances(U, 4, 4, U, V);
    const auto n = ComputeNormals(g, tol);
    for (long i = 0; i <= U; ++i)
        for (long j = 0; j <= V; ++j) {
            const double t = 2 * std::numbers::pi * j / V;
            // Inward or outward by the grid's order; radial either way.
            const Vec3 v = n.vertex(i, j);
            const double s = v.y * std::cos(t) + v.z * std::sin(t) < 0 ? -1 : 1;
            expectVec(v, 0, s * std::cos(t), s * std::sin(t), "node " + std::to_string(i) + "," + std::to_string(j),
                      1e-9);
        }
    // Both ends of the seam get the same normal.
    for (long i = 0; i <= U; ++i) expectVec(n.vertex(i, 0), n.vertex(i, V).x, n.vertex(i, V).y, n.vertex(i, V).z, "seam");
    // Without the seam test the seam nodes take one side only and tilt.
    const auto open = ComputeNormals(g, kNoSeam);
    EXPECT_GT(std::fabs(open.vertex(2, 0).z), 0.1);
}

TEST(SurfaceNormals, TorusCornersTakeTheSeamAcrossIOnly) {
    const long U = 12, V = 8;
    const double R = 3, r = 1;
    const NodeGrid g = grid(U, V, [&](long i, long j) {
        const double a = 2 * std::numbers::pi * i / U, b = 2 * std::numbers::pi * j / V;
        return Vec3{(R + r * std::cos(b)) * std::cos(a), r * std::sin(b), (R + r * std::cos(b)) * std::sin(a)};
    });
    const auto n = ComputeNormals(g, surface::SeamTolerances(8, 2, 8, U, V));
    auto unitSum = [](const Vec3& a, const Vec3& b) {
        const Vec3 s{a.x + b.x, a.y + b.y, a.z + b.z};
        const double L = std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z);
        return Vec3{s.x / L, s.y / L, s.z / L};
    };
    const Vec3 corner = unitSum(n.face(U - 1, 0), n.face(0, 0));
    expectVec(n.vertex(0, 0), corner.x, corner.y, corner.z, "(0, 0)");
    expectVec(n.vertex(U, 0), corner.x, corner.y, corner.z, "(U, 0)");
    const Vec3 top = unitSum(n.face(U - 1, V - 1), n.face(0, V - 1));
    expectVec(n.vertex(0, V), top.x, top.y, top.z, "(0, V)");
    EXPECT_GT(std::fabs(n.vertex(0, 0).y - n.vertex(0, V).y), 0.1);
}

TEST(SurfaceNormals, SeamTestIsStrictAtItsBound) {
    // Column V lies 0.5 in X from column 0: a seam only when the tolerance exceeds 0.5.
    const long U = 2, V = 4;
    const NodeGrid g = grid(U, V, [&](long i, long j) {
        const Vec3 p = onCylinder(i, j, V);
        return j == V ? Vec3{p.x + 0.5, p.y, p.z} : p;
    });
    const auto atBound = ComputeNormals(g, {0.5, 1, 1});
    const auto within = ComputeNormals(g, {0.5000001, 1, 1});
    const auto none = ComputeNormals(g, kNoSeam);
    EXPECT_DOUBLE_EQ(atBound.vertex(1, 0).z, none.vertex(1, 0).z);
    EXPECT_NE(within.vertex(1, 0).z, none.vertex(1, 0).z);
    const auto tol = surface::SeamTolerances(10, 20, 30, 5, 4);
    EXPECT_DOUBLE_EQ(tol.x, 0.8 * 2);
    EXPECT_DOUBLE_EQ(tol.y, 0.8 * 5);
    EXPECT_DOUBLE_EQ(tol.z, 0.8 * 6);  // depth per the larger step
}

TEST(SurfaceNormals, HugeCrossProductsAreClampedOnlyBeyondTheZLimit) {
    // Corners p11 = p01 = 0, so the diagonals are p00 and p10.
    const Vec3 o{0, 0, 0};
    // n = (2e19, 0, 1e19): Z beyond the limit, so X is clamped too: (c, 0, c).
    expectVec(FaceNormal({1e9, 0, -2e9}, {0, 1e10, 0}, o, o), std::sqrt(0.5), 0, std::sqrt(0.5), "clamped");
    // n = (2e19, 0, 1): nothing clamped.
    const Vec3 n = FaceNormal({1e-10, 0, -2e9}, {0, 1e10, 0}, o, o);
    EXPECT_DOUBLE_EQ(n.x, 1);
    EXPECT_NEAR(n.z, 5e-20, 1e-30);
    // Products that overflow a Double still give a unit normal.
    const Vec3 big = FaceNormal({1e300, 0, 0}, {0, 0, 1e300}, {0, 0, 0}, {0, 0, 0});
    EXPECT_NEAR(std::hypot(big.x, big.y, big.z), 1, 1e-12);
}

}  // namespace
