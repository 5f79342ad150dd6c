// The isosurface extractor without OpenGL: the tables against the corner
// numbering, closed and consistently turned surfaces of a sphere field,
// counts of flat fields, levels exactly on node values, nodes without a value,
// normals on every border and of tiny values, and the level's colour.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "formula/program.h"
#include "render/isosurface.h"
#include "render/isosurface_tables.h"

namespace {

using Field = std::function<double(double, double, double)>;

// A grid of n nodes per axis at positions spacing * index, values from f.
IsoGrid grid(long u, long v, long h, const Field& f, double spacing = 1.0) {
    IsoGrid g;
    g.resize(u, v, h);
    for (long i = 0; i <= u; ++i)
        for (long j = 0; j <= v; ++j)
            for (long k = 0; k <= h; ++k) {
                const std::size_t at = g.at(i, j, k);
                g.X[at] = spacing * i;
                g.Y[at] = spacing * j;
                g.Z[at] = spacing * k;
                g.W[at] = f(g.X[at], g.Y[at], g.Z[at]);
            }
    return g;
}

std::vector<IsoTriangle> extract(const IsoGrid& g, double level) {
    std::vector<IsoTriangle> t;
    ExtractIsoSurface(g, level, t);
    return t;
}

using Key = std::array<float, 3>;
using Edge = std::pair<Key, Key>;

Edge edgeOf(Key a, Key b) { return a < b ? Edge{a, b} : Edge{b, a}; }

// How many triangles use each edge, equal vertices merged; triangles with a
// repeated vertex are dropped when asked.
std::map<Edge, int> edgeUses(const std::vector<IsoTriangle>& tris, bool dropDegenerate) {
    std::map<Edge, int> uses;
    for (const IsoTriangle& t : tris) {
        const Key a = t.v[0].p, b = t.v[1].p, c = t.v[2].p;
        if (dropDegenerate && (a == b || b == c || a == c)) continue;
        ++uses[edgeOf(a, b)];
        ++uses[edgeOf(b, c)];
        ++uses[edgeOf(c, a)];
    }
    return uses;
}

double dot(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
// Data order (x, y, z) to scene axes (X, Y, Z) = (y, z, x).
std::array<double, 3> scene(const Float3& d) { return {d[1], d[2], d[0]}; }
std::array<double, 3> cross(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

TEST(IsoTables, EdgeAndTriangleTablesFollowTheNumbering) {
    for (int c = 0; c < 256; ++c) {
        int edges = 0;
        for (int e = 0; e < 12; ++e) {
            const bool a = c >> iso::kEdgeCorners[e][0] & 1, b = c >> iso::kEdgeCorners[e][1] & 1;
            if (a != b) edges |= 1 << e;
        }
        EXPECT_EQ(iso::kEdgeTable[c], edges) << "case " << c;
        int used = 0, n = 0;
        while (n < 16 && iso::kTriangleTable[c][n] >= 0) used |= 1 << iso::kTriangleTable[c][n++];
        EXPECT_EQ(used, edges) << "case " << c;
        EXPECT_EQ(n % 3, 0) << "case " << c;
        EXPECT_LE(n, 15) << "case " << c;
        for (int r = n; r < 16; ++r) EXPECT_EQ(iso::kTriangleTable[c][r], -1) << "case " << c;
    }
    EXPECT_EQ(iso::kTriangleTable[0][0], -1);
    EXPECT_EQ(iso::kTriangleTable[255][0], -1);
}

TEST(IsoInterpolate, ExactRules) {
    const Float3 a{0, 0, 0}, b{4, 8, -4};
    struct Case {
        float va, vb;
        double level;
        Float3 want;
    };
    for (const Case& c : {Case{1, 3, 1, a}, Case{1, 3, 3, b}, Case{2, 2, 5, a}, Case{1, 3, 2, {2, 4, -2}},
                          Case{3, 1, 2.5, {1, 2, -1}}}) {
        EXPECT_EQ(InterpolateEdgeVertex(a, b, c.va, c.vb, c.level), c.want) << c.va << ' ' << c.vb << ' ' << c.level;
    }
}

// A sphere of radius^2 50.3 about (cx, cy, cz) on a grid of n + 1 nodes per
// axis, spacing 0.5: value sign * (r^2 - 50.3 * 0.25), level 0.
IsoGrid sphere(long n, double cx, double cy, double cz, double sign) {
    return grid(n, n, n, [=](double x, double y, double z) {
        const double r2 = (x - cx) * (x - cx) + (y - cy) * (y - cy) + (z - cz) * (z - cz);
        return sign * (r2 - 50.3 * 0.25);
    }, 0.5);
}

TEST(IsoSurface, SphereIsClosedWithNormalsTowardsFallingValues) {
    for (double sign : {1.0, -1.0}) {
        SCOPED_TRACE(sign > 0 ? "v = r^2" : "v = R^2 - r^2");
        const std::vector<IsoTriangle> tris = extract(sphere(24, 6, 6.25, 5.75, sign), 0.0);
        ASSERT_GT(tris.size(), 500u);
        for (const auto& [edge, n] : edgeUses(tris, false)) ASSERT_EQ(n, 2);
        const std::array<double, 3> centre{6.25, 5.75, 6};  // scene axes
        for (const IsoTriangle& t : tris) {
            const auto a = scene(t.v[0].p), b = scene(t.v[1].p), c = scene(t.v[2].p);
            const auto turn = cross({b[0] - a[0], b[1] - a[1], b[2] - a[2]}, {c[0] - a[0], c[1] - a[1], c[2] - a[2]});
            for (const IsoVertex& v : t.v) {
                const auto n = scene(v.n);
                EXPECT_NEAR(dot(n, n), 1.0, 1e-5);
                const auto p = scene(v.p);
                const double outward = dot(n, {p[0] - centre[0], p[1] - centre[1], p[2] - centre[2]});
                // Falling values lie outside for R^2 - r^2, inside for r^2.
                ASSERT_GT(-sign * outward, 0.0);
                ASSERT_GT(dot(turn, n), 0.0);  // the triangle turns as its normals point
            }
        }
    }
}

TEST(IsoSurface, SphereCutByTheBorderIsOpenOnlyThere) {
    // Centre on the grid's x = 0 face: half a sphere.
    const IsoGrid g = sphere(16, 0, 4, 4, 1.0);
    const std::vector<IsoTriangle> tris = extract(g, 0.0);
    int open = 0;
    for (const auto& [edge, n] : edgeUses(tris, false)) {
        ASSERT_LE(n, 2);
        if (n == 1) {
            ++open;
            EXPECT_EQ(edge.first[0], 0.0f);
            EXPECT_EQ(edge.second[0], 0.0f);
        }
    }
    EXPECT_GT(open, 8);
}

TEST(IsoSurface, CountsOfFlatFields) {
    const long U = 4, V = 3, H = 5;
    const IsoGrid byX = grid(U, V, H, [](double x, double, double) { return x; });
    struct Case {
        const char* what;
        double level;
        std::size_t triangles;
    };
    for (const Case& c : {Case{"between node layers", 2.5, 2 * V * H}, Case{"on an inner layer", 2.0, 2 * V * H},
                          Case{"below every value", -0.5, 0}, Case{"above every value", 4.5, 0},
                          Case{"at the top value", 4.0, 2 * V * H}}) {
        SCOPED_TRACE(c.what);
        const std::vector<IsoTriangle> tris = extract(byX, c.level);
        EXPECT_EQ(tris.size(), c.triangles);
        for (const IsoTriangle& t : tris)
            for (const IsoVertex& v : t.v) {
                EXPECT_FLOAT_EQ(v.p[0], static_cast<float>(c.level));
                // Towards smaller x: scene -Z.
                EXPECT_EQ(v.n, (Float3{-1, 0, 0}));
            }
    }
    // 2 x 2 x 2 nodes, one corner above the level.
    for (long corner = 0; corner < 8; ++corner) {
        IsoGrid g = grid(1, 1, 1, [](double, double, double) { return 0.0; });
        g.W[static_cast<std::size_t>(corner)] = 1;
        EXPECT_EQ(extract(g, 0.5).size(), 1u) << "corner " << corner;
        IsoTriangle out[5];
        EXPECT_EQ(PolygoniseCell(g, 0, 0, 0, 0.5, out), 1);
    }
}

TEST(IsoSurface, LevelOnNodeValuesLeavesNoCrack) {
    // Squared distance from the centre node: level 100 runs through nodes such
    // as (12 +- 10, 12, 12) and (12 +- 6, 12 +- 8, 12).
    const IsoGrid g = grid(24, 24, 24, [](double x, double y, double z) {
        return (x - 12) * (x - 12) + (y - 12) * (y - 12) + (z - 12) * (z - 12);
    });
    const std::vector<IsoTriangle> tris = extract(g, 100.0);
    ASSERT_GT(tris.size(), 1000u);
    bool onNode = false;
    for (const IsoTriangle& t : tris)
        for (const IsoVertex& v : t.v) {
            for (int d = 0; d < 3; ++d) ASSERT_TRUE(std::isfinite(v.p[d]) && std::isfinite(v.n[d]));
            onNode = onNode || v.p == Float3{22, 12, 12};
        }
    EXPECT_TRUE(onNode);
    for (const auto& [edge, n] : edgeUses(tris, true)) ASSERT_EQ(n % 2, 0);
}

TEST(IsoSurface, CellsWithACornerWithoutValueAreLeftOut) {
    for (double bad : {formula::UndefinedValue, std::nan(""), std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(bad);
        IsoGrid g = sphere(16, 4, 4, 4, 1.0);
        const std::vector<IsoTriangle> whole = extract(g, 0.0);
        // A node just inside the sphere, on the x axis through its centre; the
        // surface crosses its edge towards larger x.
        const std::size_t at = g.at(15, 8, 8);
        g.W[at] = bad;
        const std::vector<IsoTriangle> tris = extract(g, 0.0);
        EXPECT_LT(tris.size(), whole.size());
        for (const IsoTriangle& t : tris)
            for (const IsoVertex& v : t.v) {
                for (int d = 0; d < 3; ++d) ASSERT_TRUE(std::isfinite(v.p[d]) && std::isfinite(v.n[d]));
                // Nothing from the eight cells around the node (x 7..8, y and z 3.5..4.5).
                ASSERT_FALSE(v.p[0] > 7 && v.p[0] < 8 && std::fabs(v.p[1] - 4) < 0.5f && std::fabs(v.p[2] - 4) < 0.5f);
            }
    }
}

TEST(IsoSurface, BorderNormalsComeFromTheirOwnGrid) {
    // Value x first, then value y: the vertices on the grid's edges and
    // corners must not keep the earlier surface's normals.
    (void)extract(grid(3, 3, 3, [](double x, double, double) { return x; }), 1.5);
    for (long n : {1L, 3L}) {
        const std::vector<IsoTriangle> tris = extract(grid(n, n, n, [](double, double y, double) { return y; }), 0.5);
        ASSERT_EQ(tris.size(), static_cast<std::size_t>(2 * n * n));
        for (const IsoTriangle& t : tris)
            for (const IsoVertex& v : t.v) EXPECT_EQ(v.n, (Float3{0, -1, 0}));
    }
    // Tiny values: the length is taken in double, not lost to underflow.
    const std::vector<IsoTriangle> tiny =
        extract(grid(3, 3, 3, [](double, double, double z) { return 1e-25 * z; }), 1.5e-25);
    ASSERT_EQ(tiny.size(), 18u);
    for (const IsoTriangle& t : tiny)
        for (const IsoVertex& v : t.v) EXPECT_EQ(v.n, (Float3{0, 0, -1}));
}

TEST(IsoSurface, ColourOfTheLevel) {
    std::string name;
    Rgb c = isoSurface::MapValueToColor(name, 50, 0, 100);
    EXPECT_EQ(name, "Rainbow");
    EXPECT_NEAR(c.r, 0.5, 1e-9);
    EXPECT_NEAR(c.g, 1.0, 1e-9);
    EXPECT_NEAR(c.b, 0.0, 1e-9);
    std::string grey = "@grey";
    c = isoSurface::MapValueToColor(grey, 15, 10, 10);
    EXPECT_NEAR(c.r, 125.0 / 255, 1e-9);
    c = isoSurface::MapValueToColor(name, 3, 3, 0);  // a range of 0
    EXPECT_EQ(c.b, 1.0);
    EXPECT_EQ(c.r + c.g, 0.0);
}

}  // namespace
