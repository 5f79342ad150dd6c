// The contour tracer without OpenGL: levels, the raising of values near a
// level, lines traced into a recording sink on shapes whose lines are known,
// every crossing drawn exactly once, walks that always end, the placement in
// the scene and the level colours.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "formula/program.h"
#include "render/contour.h"
#include "state/globals.h"

namespace {

struct Line {
    double level;
    std::vector<PlanePoint> points;
    bool closed;
};

class Recorder : public ContourLineSink {
public:
    void level(double value) override { current_ = value, levels.push_back(value); }
    void line(std::span<const PlanePoint> points, bool closed) override {
        lines.push_back({current_, {points.begin(), points.end()}, closed});
    }
    std::vector<Line> at(double level) const {
        std::vector<Line> out;
        for (const Line& l : lines)
            if (std::fabs(l.level - level) < 1e-9) out.push_back(l);
        return out;
    }
    std::vector<double> levels;
    std::vector<Line> lines;

private:
    double current_ = 0;
};

// An m x n grid of f(x, y) with node (i, j) at x = x0 + j dx, y = y0 + i dy.
struct Field {
    long m, n;
    double dx, dy, x0, y0;
    ContourGrid S0;
    Field(long m_, long n_, double dx_, double dy_, double x0_, double y0_,
          const std::function<double(double, double)>& f)
        : m(m_), n(n_), dx(dx_), dy(dy_), x0(x0_), y0(y0_), S0(m_, n_) {
        for (long i = 1; i <= m; ++i)
            for (long j = 1; j <= n; ++j) S0(i, j) = f(x0 + j * dx, y0 + i * dy);
    }
    Recorder trace(const ContourLevels& levels) {
        Recorder r;
        TraceContourLevels(m, n, dx, dy, S0, x0, y0, levels, r);
        return r;
    }
    // The grid indices of a plane point that lies on an edge: (i, j) as reals.
    std::pair<double, double> indices(const PlanePoint& p) const { return {(p.y - y0) / dy, (p.x - x0) / dx}; }
};

// 21 x 21 nodes of 100 (u^2 + v^2) with u = (j - 11) / 10, v = (i - 11) / 10:
// rings of radius sqrt(level / 100) in u, v, whatever the pitch of the plane.
Field paraboloid(double pitch = 0.1) {
    return Field(21, 21, pitch, pitch, -11 * pitch, -11 * pitch, [pitch](double x, double y) {
        const double u = x / pitch / 10, v = y / pitch / 10;
        return 100 * (u * u + v * v);
    });
}

TEST(ContourLevels, IntervalsAndTheirReplacement) {
    struct Case {
        double min, max, interval;
        double first, step;
        long count;
    };
    const Case cases[] = {
        {0, 9.7, 1, 0, 1, 10},          // levels 0 .. 9
        {-3.5, 12, 5, -5, 5, 4},        // both ends down to a multiple
        {0, 9.7, 0, 0, 1, 10},          // no interval: the legend's step
        {0, 9.7, -2, 0, 1, 10},         // a negative interval too
        {0, 1e9, 1, 0, 1e8, 11},        // 10^9 levels would hang: the legend's step
        {0, 1000, 0, 0, 100, 11},       // the natural-log ratio gives 100 for 1000
        {0, 1000, 1, 0, 1, 1001},       // 1001 levels: too many
        {2, 2, 1, 0, 0, 0},             // flat: no level
    };
    for (const Case& c : cases) {
        const ContourLevels l = ChooseContourLevels(c.min, c.max, c.interval);
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " every " << c.interval);
        if (c.count == 1001) {
            EXPECT_EQ(l.count, 11);
            EXPECT_DOUBLE_EQ(l.step, 100);
            continue;
        }
        EXPECT_EQ(l.count, c.count);
        if (c.count == 0) continue;
        EXPECT_DOUBLE_EQ(l.first, c.first);
        EXPECT_DOUBLE_EQ(l.step, c.step);
    }
}

TEST(ContourLevels, ValuesNearALevelAreRaisedInTheCallersGrid) {
    ContourGrid g(1, 4);
    g(1, 1) = 2.0;          // on level 2
    g(1, 2) = 2.99995;      // within 0.0001 below 3
    g(1, 3) = 2.5;          // between levels
    g(1, 4) = formula::UndefinedValue;
    RaiseValuesNearLevels(1, 4, g, ChooseContourLevels(2, 3, 1));
    EXPECT_DOUBLE_EQ(g(1, 1), 2.00001);
    EXPECT_DOUBLE_EQ(g(1, 2), 2.99996);
    EXPECT_DOUBLE_EQ(g(1, 3), 2.5);
    EXPECT_DOUBLE_EQ(g(1, 4), formula::UndefinedValue);  // no value: kept
}

TEST(ContourLevels, ExtremesLeaveOutSamplesWithoutValue) {
    ContourGrid g(2, 2);
    g(1, 1) = formula::UndefinedValue;
    g(1, 2) = 5;
    g(2, 1) = -1;
    g(2, 2) = std::nan("");
    double min = 0, max = 0;
    ASSERT_TRUE(ContourExtremes(2, 2, g, min, max));
    EXPECT_EQ(min, -1);
    EXPECT_EQ(max, 5);
    EXPECT_FALSE(ContourExtremes(3, 2, g, min, max));  // more rows than the grid
}

TEST(ContourTrace, ParaboloidGivesClosedRingsOnTheirLevel) {
    for (const double pitch : {0.1, 1e-6}) {  // a tiny pitch must not end lines early
        Field f = paraboloid(pitch);
        const Recorder r = f.trace(ChooseContourLevels(0, 200, 20));
        for (double level = 20; level < 100; level += 20) {
            SCOPED_TRACE(testing::Message() << "pitch " << pitch << " level " << level);
            const std::vector<Line> lines = r.at(level);
            ASSERT_EQ(lines.size(), 1u);
            const Line& ring = lines[0];
            EXPECT_TRUE(ring.closed);
            ASSERT_GT(ring.points.size(), 8u);
            EXPECT_DOUBLE_EQ(ring.points.front().x, ring.points.back().x);
            EXPECT_DOUBLE_EQ(ring.points.front().y, ring.points.back().y);
            for (const PlanePoint& p : ring.points) {
                const auto [i, j] = f.indices(p);
                // On an edge: one grid coordinate whole.
                EXPECT_TRUE(std::fabs(i - std::round(i)) < 1e-6 || std::fabs(j - std::round(j)) < 1e-6);
                // Radius sqrt(level / 100) within the error of linear interpolation.
                const double u = (j - 11) * 0.1, v = (i - 11) * 0.1;
                EXPECT_NEAR(std::hypot(u, v), std::sqrt(level / 100), 0.01);
            }
        }
        // Levels beyond the inscribed circle meet the border: open arcs.
        for (const Line& l : r.at(180)) EXPECT_FALSE(l.closed);
        EXPECT_EQ(r.at(180).size(), 4u);
    }
}

// The crossings of a level, counted independently: edge midpoints as keys.
std::set<std::pair<long, long>> crossingsOf(const Field& f, double level) {
    std::set<std::pair<long, long>> out;
    auto cut = [&](double a, double b) { return (a < level && level < b) || (a > level && level > b); };
    for (long i = 1; i <= f.m; ++i)
        for (long j = 1; j <= f.n; ++j) {
            if (i < f.m && cut(f.S0(i, j), f.S0(i + 1, j))) out.insert({2 * i + 1, 2 * j});
            if (j < f.n && cut(f.S0(i, j), f.S0(i, j + 1))) out.insert({2 * i, 2 * j + 1});
        }
    return out;
}
std::pair<long, long> edgeKey(const Field& f, const PlanePoint& p) {
    const auto [i, j] = f.indices(p);
    const bool onIEdge = std::fabs(j - std::round(j)) < 1e-9;
    return onIEdge ? std::pair{2 * std::lround(std::floor(i)) + 1, 2 * std::lround(j)}
                   : std::pair{2 * std::lround(i), 2 * std::lround(std::floor(j)) + 1};
}

TEST(ContourTrace, EveryCrossingIsDrawnExactlyOnce) {
    const std::function<double(double, double)> shapes[] = {
        [](double x, double y) { return 10 * x + 20 * y; },                      // tilted plane
        [](double x, double y) { return 50 * std::sin(3 * x) * std::cos(2 * y); },  // bumps and saddles
    };
    for (const auto& shape : shapes) {
        Field f(17, 23, 0.1, 0.1, 0, 0, shape);
        const ContourLevels levels = ChooseContourLevels(-50, 50, 7);
        Field raised = f;
        RaiseValuesNearLevels(f.m, f.n, raised.S0, levels);
        const Recorder r = f.trace(levels);
        for (long k = 0; k < levels.count; ++k) {
            const double level = levels.at(k);
            std::multiset<std::pair<long, long>> drawn;
            long segments = 0;
            for (const Line& l : r.at(level)) {
                for (std::size_t p = 0; p + 1 < l.points.size() + (l.closed ? 0 : 1); ++p)
                    drawn.insert(edgeKey(f, l.points[p]));
                segments += static_cast<long>(l.points.size()) - 1;
            }
            const auto expected = crossingsOf(raised, level);
            EXPECT_EQ(std::set(drawn.begin(), drawn.end()), expected) << level;
            EXPECT_EQ(drawn.size(), expected.size()) << level;  // none twice
            // Two crossings per crossed cell make one segment.
            long cells = 0;
            for (long i = 1; i < f.m; ++i)
                for (long j = 1; j < f.n; ++j) {
                    int c = 0;
                    c += expected.count({2 * i, 2 * j + 1}) + expected.count({2 * i + 2, 2 * j + 1});
                    c += expected.count({2 * i + 1, 2 * j}) + expected.count({2 * i + 1, 2 * j + 2});
                    cells += c / 2;
                }
            EXPECT_EQ(segments, cells) << level;
        }
    }
}

TEST(ContourTrace, TiltedPlaneGivesOneOpenLinePerLevelFromBorderToBorder) {
    for (const double pitch : {1.0, 1e-6}) {
        Field f(11, 11, pitch, pitch, 0, 0, [pitch](double x, double y) { return (x + y) / pitch; });
        const Recorder r = f.trace(ChooseContourLevels(2, 22, 3));
        for (const double level : r.levels) {
            const std::vector<Line> lines = r.at(level);
            if (level <= 2 || level >= 22) {
                EXPECT_TRUE(lines.empty()) << level;
                continue;
            }
            ASSERT_EQ(lines.size(), 1u) << level;
            EXPECT_FALSE(lines[0].closed);
            for (const PlanePoint* end : {&lines[0].points.front(), &lines[0].points.back()}) {
                const auto [i, j] = f.indices(*end);
                EXPECT_TRUE(std::fabs(i - 1) < 1e-6 || std::fabs(i - 11) < 1e-6 || std::fabs(j - 1) < 1e-6 ||
                            std::fabs(j - 11) < 1e-6)
                    << "pitch " << pitch << " level " << level << " ends inside at " << i << ", " << j;
            }
        }
    }
}

TEST(ContourTrace, SaddleIsSettledByTheEdgeOrder) {
    // One cell, high at (1, 1) and (2, 2): two lines, each cutting off a high corner.
    ContourGrid g(2, 2);
    g(1, 1) = 1, g(1, 2) = 0, g(2, 1) = 0, g(2, 2) = 1;
    Recorder r;
    TraceContourLevels(2, 2, 1, 1, g, 0, 0, ContourLevels{0.5, 1, 1}, r);
    ASSERT_EQ(r.lines.size(), 2u);
    auto expectSegment = [](const Line& l, PlanePoint a, PlanePoint b) {
        ASSERT_EQ(l.points.size(), 2u);
        EXPECT_DOUBLE_EQ(l.points[0].x, a.x);
        EXPECT_DOUBLE_EQ(l.points[0].y, a.y);
        EXPECT_DOUBLE_EQ(l.points[1].x, b.x);
        EXPECT_DOUBLE_EQ(l.points[1].y, b.y);
    };
    expectSegment(r.lines[0], {1.5, 1}, {1, 1.5});  // first row, then the cell's first free edge
    expectSegment(r.lines[1], {1.5, 2}, {2, 1.5});  // from the last row
}

TEST(ContourTrace, DegenerateGridsEnd) {
    // One row or one column: no cell, no line, values still raised.
    for (const auto& [m, n] : {std::pair{1L, 6L}, std::pair{6L, 1L}, std::pair{1L, 1L}}) {
        ContourGrid g(m, n);
        for (long i = 1; i <= m; ++i)
            for (long j = 1; j <= n; ++j) g(i, j) = static_cast<double>(i + j);
        Recorder r;
        TraceContourLevels(m, n, 1, 1, g, 0, 0, ChooseContourLevels(0, 10, 1), r);
        EXPECT_TRUE(r.lines.empty()) << m << " x " << n;
        EXPECT_DOUBLE_EQ(g(1, 1), 2.00001);
    }
    // Sizes beyond the grid draw nothing rather than read past it.
    ContourGrid small(3, 3);
    Recorder r;
    TraceContourLevels(4, 3, 1, 1, small, 0, 0, ContourLevels{0.5, 1, 1}, r);
    EXPECT_TRUE(r.levels.empty());
    // Values between two levels: nothing.
    Field flat(5, 5, 1, 1, 0, 0, [](double x, double) { return 3.2 + x * 0.01; });
    EXPECT_TRUE(flat.trace(ChooseContourLevels(3.21, 3.25, 1)).lines.empty());
    // No value at all: no extremes, so no levels.
    double lo = 0, hi = 0;
    ContourGrid none(2, 2);
    for (long i = 1; i <= 2; ++i)
        for (long j = 1; j <= 2; ++j) none(i, j) = formula::UndefinedValue;
    EXPECT_FALSE(ContourExtremes(2, 2, none, lo, hi));
}

TEST(ContourTrace, EdgesAtASampleWithoutValueHaveNoCrossing) {
    Field f = paraboloid();
    f.S0(11, 14) = formula::UndefinedValue;  // on the ring of level 9
    const Recorder r = f.trace(ContourLevels{9, 1, 1});
    ASSERT_FALSE(r.lines.empty());
    std::set<std::pair<double, double>> crossings;
    for (const Line& l : r.lines) {
        EXPECT_FALSE(l.closed);
        for (const PlanePoint& p : l.points) crossings.insert({p.x, p.y});
        for (const PlanePoint& p : l.points) {
            const auto [i, j] = f.indices(p);
            // No point on the four edges at node (11, 14).
            EXPECT_FALSE(std::fabs(i - 11) < 1e-9 && j > 13 - 1e-9 && j < 15 + 1e-9) << i << ", " << j;
            EXPECT_FALSE(std::fabs(j - 14) < 1e-9 && i > 10 - 1e-9 && i < 12 + 1e-9) << i << ", " << j;
        }
    }
    // The whole ring less the one crossing beside the hole is still drawn.
    Field whole = paraboloid();
    const Recorder all = whole.trace(ContourLevels{9, 1, 1});
    ASSERT_EQ(all.lines.size(), 1u);
    ASSERT_TRUE(all.lines[0].closed);
    EXPECT_EQ(crossings.size(), all.lines[0].points.size() - 2);
}

TEST(ContourPlacement, ByDocumentKindAndPlane) {
    resetGlobals();
    gSceneScaleX = 2, gSceneScaleY = 4, gSceneScaleZ = 8;
    gSceneCenterX = 1, gSceneCenterY = 2, gSceneCenterZ = 3;
    const PlanePoint p{16, 32};
    const double Z = 64;
    struct Case {
        long kind, axis;
        bool drawn;
        double x, y, z;
    };
    const Case cases[] = {
        {3, 1, true, 16 / 2. - 1, 64 / 4. + 0.08 - 2, 32 / 8. - 3},
        {3, 2, true, 16 / 2. - 1, 64 / 4. + 0.08 - 2, 32 / 8. - 3},  // any plane: horizontal in 3-D
        {11, 1, true, 16 / 2. - 1, 64 / 4. - 2, 32 / 8. - 3},
        {11, 2, true, 32 / 2. - 1, 16 / 4. - 2, 64 / 8. - 3},
        {11, 3, true, 64 / 2. - 1, 16 / 4. - 2, 32 / 8. - 3},
        {11, 4, false, 0, 0, 0},
        {4, 1, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const auto s = PlaceContourPoint(p, Z, c.kind, c.axis);
        ASSERT_EQ(s.has_value(), c.drawn) << c.kind << "/" << c.axis;
        if (!s) continue;
        EXPECT_DOUBLE_EQ(s->x, c.x) << c.kind << "/" << c.axis;
        EXPECT_DOUBLE_EQ(s->y, c.y) << c.kind << "/" << c.axis;
        EXPECT_DOUBLE_EQ(s->z, c.z) << c.kind << "/" << c.axis;
    }
    resetGlobals();
}

TEST(ContourColors, OneColourOrTheLevelOnTheMap) {
    CContour c;
    const Rgb one = c.LevelColor(4, 0x00FF00, "Rainbow", 5, 0, 10);
    EXPECT_EQ(one.g, 1.0);
    EXPECT_EQ(one.r + one.b, 0.0);
    const Rgb low = c.LevelColor(5, 0, "", 0, 0, 10);  // empty name: Rainbow
    EXPECT_DOUBLE_EQ(low.r, 153 / 255.0);
    EXPECT_DOUBLE_EQ(low.b, 1.0);
    const Rgb high = c.LevelColor(5, 0, "rainbow", 10, 0, 10);
    EXPECT_DOUBLE_EQ(high.r, 1.0);
    EXPECT_DOUBLE_EQ(high.g + high.b, 0.0);
    const Rgb earth = c.LevelColor(5, 0, "\xE5\xA4\xA7\xE5\x9C\xB0", 0, 0, 10);  // 大地
    EXPECT_DOUBLE_EQ(earth.b, 128 / 255.0);
}

TEST(ContourGridIndices, AreChecked) {
    ContourGrid g(2, 3);
    EXPECT_NO_THROW(g(2, 3) = 1);
    EXPECT_THROW(g(0, 1), std::out_of_range);
    EXPECT_THROW(g(3, 1), std::out_of_range);
    EXPECT_THROW(g(1, 4), std::out_of_range);
}

}  // namespace
