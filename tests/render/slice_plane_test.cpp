// Slice planes as geometry: the level search, the ranges cut to the grid, the
// planes of each family with their values and contour placement, and bad
// input (steps, counts, positions, nodes without a value).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "state/globals.h"
#include "formula/program.h"
#include "graph/graph.h"
#include "render/slice_plane.h"
#include "support/sample_graphs.h"

namespace {

TEST(SliceLevelSearch, Table) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        double p, min, step;
        long intervals;
        std::optional<SliceLevel> want;
    };
    const Case cases[] = {
        {"on a node", 2, 0, 1, 4, SliceLevel{2, 2, 0}},
        {"0.00005 above a node", 2.00005, 0, 1, 4, SliceLevel{2, 2, 0}},
        {"0.00005 below a node", 1.99995, 0, 1, 4, SliceLevel{2, 2, 0}},
        {"halfway", 2.5, 0, 1, 4, SliceLevel{2, 3, 0.5}},
        {"a quarter of the way", 0.75, 0.5, 0.5, 4, SliceLevel{0, 1, 0.5}},
        {"the first node", 0.5, 0.5, 0.5, 4, SliceLevel{0, 0, 0}},
        {"top of the axis", 4, 0, 1, 4, SliceLevel{4, 4, 0}},
        {"above the axis", 4.0002, 0, 1, 4, std::nullopt},
        {"below the axis", -0.5, 0, 1, 4, std::nullopt},
        {"not a number", nan, 0, 1, 4, std::nullopt},
        {"no interval", 0, 0, 1, 0, std::nullopt},
        // Steps of 0.0001: the tolerance shrinks to a thousandth of the step.
        {"fine axis, halfway", 0.00015, 0, 0.0001, 10, SliceLevel{1, 2, 0.5}},
        {"fine axis, near a node", 0.0001 + 5e-8, 0, 0.0001, 10, SliceLevel{1, 1, 0}},
        {"flat axis, on it", 3, 3, 0, 2, SliceLevel{0, 0, 0}},
        {"flat axis, off it", 4, 3, 0, 2, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto got = FindSliceLevel(c.p, c.min, c.step, c.intervals);
        ASSERT_EQ(got.has_value(), c.want.has_value());
        if (!got) continue;
        EXPECT_EQ(got->lower, c.want->lower);
        EXPECT_EQ(got->upper, c.want->upper);
        if (got->lower != got->upper) {
            EXPECT_NEAR(got->t, c.want->t, 1e-9);
        }
    }
}

TEST(SliceRange, CutToTheGrid) {
    struct Case {
        long first, last, nodes;
        std::optional<NodeRange> want;
    };
    const Case cases[] = {
        {1, 21, 21, NodeRange{0, 20}}, {1, 21, 11, NodeRange{0, 10}}, {5, 5, 11, NodeRange{4, 4}},
        {0, 3, 11, NodeRange{0, 2}},   {12, 30, 11, std::nullopt},    {7, 3, 11, std::nullopt},
        {-5, -1, 11, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto got = ClampSliceRange(c.first, c.last, c.nodes);
        ASSERT_EQ(got.has_value(), c.want.has_value()) << c.first << ".." << c.last << " of " << c.nodes;
        if (got) {
            EXPECT_EQ(got->first, c.want->first);
            EXPECT_EQ(got->last, c.want->last);
        }
    }
}

class SlicePlanes : public ::testing::Test {
protected:
    void SetUp() override { resetGlobals(); }
    void TearDown() override { resetGlobals(); }

    // A grid of steps intervals per axis, node (i, j, k) at data (i, j, k)
    // with value 100 i + 10 j + k, and one slice per family with the given
    // positions and ranges 1..21.
    static std::shared_ptr<Cls9> volume(long steps, double z, double x, double y) {
        auto g = testsupport::makeVolumeGraph(steps, 0);
        for (long i = 0; i <= steps; ++i)
            for (long j = 0; j <= steps; ++j)
                for (long k = 0; k <= steps; ++k) g->Reg4DV(i, j, k) = 100.0 * i + 10.0 * j + k;
        g->Slice4NumZ = g->Slice4NumX = g->Slice4NumY = 1;
        g->Slice4Z(1) = z;
        g->Slice4X(1) = x;
        g->Slice4Y(1) = y;
        for (auto* r : {&g->Slice4XYXE, &g->Slice4XYYE, &g->Slice4YZYE, &g->Slice4YZZE, &g->Slice4ZXXE,
                        &g->Slice4ZXZE})
            (*r)(1) = 21;
        for (auto* r : {&g->Slice4XYXB, &g->Slice4XYYB, &g->Slice4YZYB, &g->Slice4YZZB, &g->Slice4ZXXB,
                        &g->Slice4ZXZB})
            (*r)(1) = 1;
        g->GetBox();
        return g;
    }
    static long cells(const SlicePlane& s) {
        long n = 0;
        for (long a = 0; a + 1 < s.m; ++a)
            for (long b = 0; b + 1 < s.n; ++b) n += s.cellDrawn(a, b) ? 1 : 0;
        return n;
    }
};

TEST_F(SlicePlanes, RangesOneToTwentyOneCoverTheCrossSection) {
    for (long steps : {20L, 10L}) {
        auto g = volume(steps, 1, 1, 1);
        const auto planes = BuildSlicePlanes(*g);
        ASSERT_EQ(planes.size(), 3u);
        for (const SlicePlane& s : planes) {
            EXPECT_EQ(s.m, steps + 1);
            EXPECT_EQ(s.n, steps + 1);
            EXPECT_EQ(cells(s), steps * steps);
        }
    }
}

TEST_F(SlicePlanes, EachFamilyInItsPlaneWithTheFieldsValues) {
    // Z halfway between nodes 2 and 3, X on node 4, Y 0.00005 off node 7.
    auto g = volume(10, 2.5, 4, 7.00005);
    const auto planes = BuildSlicePlanes(*g);
    ASSERT_EQ(planes.size(), 3u);
    struct Want {
        SliceFamily family;
        int planeAxis;  // scene axis holding the position
        std::array<double, 3> normal;
        long code;
    };
    const Want want[] = {{SliceFamily::Z, 1, {0, 1, 0}, 1}, {SliceFamily::X, 2, {0, 0, 1}, 2},
                         {SliceFamily::Y, 0, {1, 0, 0}, 3}};
    for (int f = 0; f < 3; ++f) {
        const SlicePlane& s = planes[static_cast<std::size_t>(f)];
        SCOPED_TRACE(f);
        EXPECT_EQ(s.family, want[f].family);
        EXPECT_EQ(s.normal, want[f].normal);
        EXPECT_EQ(s.axisCode, want[f].code);
        for (long a = 0; a < s.m; ++a)
            for (long b = 0; b < s.n; ++b) {
                const auto& p = s.point[s.at(a, b)];
                EXPECT_DOUBLE_EQ(p[want[f].planeAxis], s.position);
                // Scene (X, Y, Z) is data (y, z, x); the field is 100 x + 10 y + z,
                // except that the Y slice takes node 7's values.
                const double x = p[2], y = s.family == SliceFamily::Y ? 7 : p[0], z = p[1];
                EXPECT_NEAR(s.value[s.at(a, b)], 100 * x + 10 * y + z, 1e-9);
            }
        // Node (1, 2) counted from 1 on the tracer's plane sits on the slice's first nodes.
        EXPECT_DOUBLE_EQ(s.dx, 1);
        EXPECT_DOUBLE_EQ(s.dy, 1);
        EXPECT_DOUBLE_EQ(s.x0 + 1 * s.dx, 0);
        EXPECT_DOUBLE_EQ(s.y0 + 1 * s.dy, 0);
    }
    // The halfway Z slice shows the mean of its two node levels.
    EXPECT_DOUBLE_EQ(planes[0].value[planes[0].at(3, 4)], (300 + 40 + 2 + 300 + 40 + 3) / 2.0);
}

TEST_F(SlicePlanes, ContourPlaneFollowsTheRangesAndTheBox) {
    auto g = volume(10, 1, 1, 1);
    // Scale the box: data x 0..20 (step 2), y 0..10 (step 1), z 0..5 (step 0.5).
    for (long i = 0; i <= 10; ++i)
        for (long j = 0; j <= 10; ++j)
            for (long k = 0; k <= 10; ++k) {
                g->Reg4DX(i, j, k) = 2.0 * i;
                g->Reg4DZ(i, j, k) = 0.5 * k;
            }
    g->Slice4Z(1) = 2.5;
    g->Slice4X(1) = 4;
    g->Slice4XYXB(1) = 3;  // Z slice: x nodes 3..21 (cut to 11), y nodes 2..
    g->Slice4XYYB(1) = 2;
    g->GetBox();
    const auto planes = BuildSlicePlanes(*g);
    ASSERT_EQ(planes.size(), 3u);
    const SlicePlane& z = planes[0];
    EXPECT_EQ(z.m, 9);
    EXPECT_EQ(z.n, 10);
    EXPECT_DOUBLE_EQ(z.dx, 1);  // along data y
    EXPECT_DOUBLE_EQ(z.dy, 2);  // along data x
    EXPECT_DOUBLE_EQ(z.x0 + z.dx, 1);  // the first node: y = 1
    EXPECT_DOUBLE_EQ(z.y0 + z.dy, 4);  // x = 4
    const SlicePlane& x = planes[1];
    EXPECT_DOUBLE_EQ(x.dx, 0.5);  // along data z
    EXPECT_DOUBLE_EQ(x.dy, 1);    // along data y
    const SlicePlane& y = planes[2];
    EXPECT_DOUBLE_EQ(y.dx, 0.5);  // along data z
    EXPECT_DOUBLE_EQ(y.dy, 2);    // along data x
}

TEST_F(SlicePlanes, BadInputDrawsWhatIsSound) {
    // Steps outside 1..30: nothing.
    for (long steps : {0L, -1L, 31L}) {
        auto g = volume(2, 1, 1, 1);
        g->StepH = steps;
        EXPECT_TRUE(BuildSlicePlanes(*g).empty()) << steps;
        EXPECT_FALSE(VolumeStepsUsable(*g));
    }
    // A slice outside its axis is left out; the others keep their own levels.
    auto g = volume(4, 9, 1, 2);
    auto planes = BuildSlicePlanes(*g);
    ASSERT_EQ(planes.size(), 2u);
    EXPECT_EQ(planes[0].family, SliceFamily::X);
    EXPECT_DOUBLE_EQ(planes[0].value[0], 100);
    // More than 50 slices: the first 50; a negative count: none.
    g->Slice4NumZ = 60;
    g->Slice4NumX = -3;
    g->Slice4NumY = 0;
    for (long s = 1; s <= 50; ++s) {
        g->Slice4Z(s) = 0.05 * s;
        g->Slice4XYXB(s) = g->Slice4XYYB(s) = 1;
        g->Slice4XYXE(s) = g->Slice4XYYE(s) = 5;
    }
    EXPECT_EQ(BuildSlicePlanes(*g).size(), 50u);
    // A node without a value leaves out the cells around it.
    g = volume(4, 2, 1, 1);
    g->Slice4NumX = g->Slice4NumY = 0;
    g->Reg4DV(2, 2, 2) = formula::UndefinedValue;
    g->Reg4DY(0, 0, 2) = std::numeric_limits<double>::infinity();
    planes = BuildSlicePlanes(*g);
    ASSERT_EQ(planes.size(), 1u);
    EXPECT_EQ(cells(planes[0]), 16 - 4 - 1);
}

}  // namespace
