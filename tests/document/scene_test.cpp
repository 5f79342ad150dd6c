// Cls8: the union box of the graphs and the scene scales of each scale mode.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <numeric>
#include <limits>
#include <memory>

#include "state/globals.h"
#include "graph/graph.h"
#include "scene/axis.h"
#include "document/scene.h"
#include "support/gl_offscreen.h"
#include "support/sample_graphs.h"

namespace {

struct Span { double minX, maxX, minY, maxY, minZ, maxZ; };

// A 2-D curve graph whose two points are the opposite corners of the box.
std::shared_ptr<Cls9> boxGraph(long id, const Span& s) {
    auto g = std::make_shared<Cls9>();
    g->ID = id;
    g->GraphType = 4;
    g->StepU = 0;
    g->StepV = 1;
    auto a = g->VertTab3D(0, 0);
    a->X = s.minX;
    a->Y = s.minY;
    a->Z = s.minZ;
    auto b = g->VertTab3D(0, 1);
    b->X = s.maxX;
    b->Y = s.maxY;
    b->Z = s.maxZ;
    return g;
}

// A fresh scene holding one graph, its box taken under the given settings.
Cls1 boxUnder(long kind, long mode, double rx, double ry, double rz, const Span& span) {
    resetGlobals();
    gPlotKind = kind;
    gAxisScaleMode = mode;
    gAxisRatioX = rx;
    gAxisRatioY = ry;
    gAxisRatioZ = rz;
    Cls8 s;
    s.FunSurfs.Add(boxGraph(1, span), "1");
    long frame = 0;
    return s.GetBox(frame);
}

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override { resetGlobals(); }
    void TearDown() override { resetGlobals(); }
    Cls8 scene;
    long frame = 0;
    void add(long id, const Span& s) { scene.FunSurfs.Add(boxGraph(id, s), Cls8::KeyOf(id)); }
};

TEST_F(SceneTest, EmptySceneGivesTheInvertedBoxAndNegativeScales) {
    gPlotKind = 3;
    const Cls1 b = scene.GetBox(frame);
    EXPECT_EQ(b.MinX, 999999999);
    EXPECT_EQ(b.MaxX, -999999999);
    EXPECT_EQ(b.MinZ, 999999999);
    EXPECT_DOUBLE_EQ(gSceneScaleX, -199999999.8);
    EXPECT_DOUBLE_EQ(gSceneScaleZ, -199999999.8);
    gPlotKind = 1;
    const Cls1 b2 = scene.GetBox(frame);
    EXPECT_DOUBLE_EQ(b2.MinX, 1099999998.9);
    EXPECT_DOUBLE_EQ(b2.MaxY, -1099999998.9);
    EXPECT_DOUBLE_EQ((b2.MinX + b2.MaxX) / 2, 0.0);
}

TEST_F(SceneTest, UnionOfGraphsAndScalesOfEachMode) {
    struct Case {
        long kind, mode;
        double rx, ry, rz;
        Span box;
        double sx, sy, sz;
    };
    const Case cases[] = {
        // 2-D, own scales: the margins and the zero Z range
        {1, 1, 1, 1, 1, {0, 10, -1, 1, 0, 0}, 1, 0.2, 1},
        // one common scale
        {3, 2, 1, 1, 1, {0, 100, 0, 10, 0, 1}, 10, 10, 10},
        // custom ratios: Y is the reference, drawn twice as long
        {3, 3, 1, 2, 1, {0, 10, 0, 10, 0, 10}, 2, 1, 2},
        // ratios 1:1:1 give the common scale
        {3, 3, 1, 1, 1, {0, 100, 0, 10, 0, 1}, 10, 10, 10},
        // 2-D document: a large Z range is never the reference
        {4, 3, 1, 1, 1, {0, 10, 0, 20, 0, 1000}, 2, 2, 2},
        // ties go to X
        {3, 3, 2, 1, 1, {0, 10, 0, 20, 0, 5}, 1, 2, 2},
    };
    for (const Case& c : cases) {
        boxUnder(c.kind, c.mode, c.rx, c.ry, c.rz, c.box);
        EXPECT_DOUBLE_EQ(gSceneScaleX, c.sx) << "mode " << c.mode;
        EXPECT_DOUBLE_EQ(gSceneScaleY, c.sy) << "mode " << c.mode;
        EXPECT_DOUBLE_EQ(gSceneScaleZ, c.sz) << "mode " << c.mode;
    }
}

TEST_F(SceneTest, TwoDimensionalMarginsOnXAndYOnly) {
    gPlotKind = 4;
    add(1, {0, 10, -1, 1, 0, 0});
    add(2, {2, 4, 0, 0.5, 0, 0});
    const Cls1 b = scene.GetBox(frame);
    EXPECT_DOUBLE_EQ(b.MinX, -0.5);
    EXPECT_DOUBLE_EQ(b.MaxX, 10.5);
    EXPECT_DOUBLE_EQ(b.MinY, -1.1);
    EXPECT_DOUBLE_EQ(b.MaxY, 1.1);
    EXPECT_EQ(b.MinZ, 0);
    EXPECT_EQ(b.MaxZ, 0);
    gPlotKind = 3;  // no margins in 3-D
    const Cls1 b3 = scene.GetBox(frame);
    EXPECT_EQ(b3.MinX, 0);
    EXPECT_EQ(b3.MaxY, 1);
}

TEST_F(SceneTest, OtherModesLeaveTheScalesAlone) {
    gAxisScaleMode = 4;
    gSceneScaleX = 7;
    gSceneScaleY = 8;
    gSceneScaleZ = 9;
    add(1, {0, 10, 0, 10, 0, 10});
    scene.GetBox(frame);
    EXPECT_EQ(gSceneScaleX, 7);
    EXPECT_EQ(gSceneScaleY, 8);
    EXPECT_EQ(gSceneScaleZ, 9);
}

TEST_F(SceneTest, FlatScenesAndZeroRatiosKeepEveryScaleFinite) {
    struct Case { long mode; double rx, ry, rz; Span box; };
    const Case cases[] = {
        {1, 1, 1, 1, {5, 5, 5, 5, 5, 5}},       // a single point
        {2, 1, 1, 1, {5, 5, 5, 5, 5, 5}},
        {3, 1, 1, 1, {5, 5, 5, 5, 5, 5}},
        {1, 1, 1, 1, {0, 10, 3, 3, 0, 10}},     // a flat surface
        {3, 0, 1, 1, {0, 10, 0, 10, 0, 10}},    // zero ratio off the reference
        {3, 1, 0, 0, {0, 10, 0, 10, 0, 10}},
        {3, 0, 0, 0, {0, 10, 0, 10, 0, 10}},    // every ratio zero
    };
    for (const Case& c : cases) {
        boxUnder(3, c.mode, c.rx, c.ry, c.rz, c.box);
        for (double sc : {gSceneScaleX, gSceneScaleY, gSceneScaleZ, gSceneScaleW}) {
            EXPECT_TRUE(std::isfinite(sc)) << "mode " << c.mode;
            EXPECT_NE(sc, 0.0) << "mode " << c.mode;
        }
    }
    // With every ratio zero the reference axis X keeps its own range / 10.
    EXPECT_DOUBLE_EQ(gSceneScaleX, 1.0);
}

// A graph of values near the largest Double (a fit of wild data) leaves the
// scene box and every scale finite in every mode, so the other graphs draw
// where they belong; bounds that are not finite stay out of the union.
TEST_F(SceneTest, OneWildGraphKeepsTheBoxAndTheScalesFinite) {
    const double big = 1.7e308, inf = std::numeric_limits<double>::infinity();
    for (long mode : {1L, 2L, 3L}) {
        for (long kind : {1L, 3L}) {
            resetGlobals();
            gPlotKind = kind;
            gAxisScaleMode = mode;
            Cls8 s;
            s.FunSurfs.Add(boxGraph(1, {1, 4, -big, big, 0, 0}), "1");
            s.FunSurfs.Add(boxGraph(2, {1, 4, 1, 4, -big, big}), "2");
            s.FunSurfs.Add(boxGraph(3, {1, 2, -inf, 3, 0, 0}), "3");
            const Cls1 b = s.GetBox(frame);
            SCOPED_TRACE(testing::Message() << "mode " << mode << ", kind " << kind);
            for (double v : {b.MinX, b.MaxX, b.MinY, b.MaxY, b.MinZ, b.MaxZ}) EXPECT_TRUE(std::isfinite(v));
            for (double sc : {gSceneScaleX, gSceneScaleY, gSceneScaleZ}) {
                EXPECT_TRUE(std::isfinite(sc) && sc > 0);
            }
            // The Y range (3.4e308) spans 10 scene units in mode 1, as any range does.
            if (mode == 1) {
                EXPECT_DOUBLE_EQ(gSceneScaleY, 3.4e307);
            }
            EXPECT_LE(b.MinY, -big);  // the wild graph itself is inside the box
            EXPECT_TRUE(std::isfinite(std::midpoint(b.MinY, b.MaxY) / gSceneScaleY));
            // Once the wild graphs are gone the scales are those of the others.
            s.FunSurfs.Remove("1");
            s.FunSurfs.Remove("2");
            s.FunSurfs.Add(boxGraph(4, {0, 10, 0, 10, 0, 10}), "4");
            s.GetBox(frame);
            EXPECT_DOUBLE_EQ(gSceneScaleX, 1.0);
        }
    }
}

TEST_F(SceneTest, FourthValueScaleFromTheGraphsWRange) {
    gPlotKind = 11;
    auto g = std::make_shared<Cls9>();
    g->ID = 1;
    g->GraphType = 43;
    g->StepU = g->StepV = g->StepH = 1;
    for (long i = 0; i <= 1; ++i)
        for (long j = 0; j <= 1; ++j)
            for (long k = 0; k <= 1; ++k) {
                g->Reg4DX(i, j, k) = i;
                g->Reg4DY(i, j, k) = 2.0 * j;
                g->Reg4DZ(i, j, k) = 3.0 * k;
                g->Reg4DV(i, j, k) = 10.0 * (i + j + k);
            }
    scene.FunSurfs.Add(g, "1");
    const Cls1 b = scene.GetBox(frame);
    // Data x lies along scene Z, data y along X, data z along Y.
    EXPECT_EQ(b.MaxZ, 1);
    EXPECT_EQ(b.MaxX, 2);
    EXPECT_EQ(b.MaxY, 3);
    EXPECT_DOUBLE_EQ(gSceneScaleW, 3.0);
}

TEST(SceneCollection, KeyedInInsertionOrderAndSharedBetweenScenes) {
    Cls8 all, shown;
    auto a = boxGraph(3, {0, 1, 0, 1, 0, 1});
    auto b = boxGraph(1, {0, 1, 0, 1, 0, 1});
    all.FunSurfs.Add(a, Cls8::KeyOf(a->ID));
    all.FunSurfs.Add(b, Cls8::KeyOf(b->ID));
    shown.FunSurfs.Add(b, "1");
    EXPECT_EQ(all.FunSurfs.Count(), 2);
    EXPECT_EQ(all.FunSurfs.Item(1), a);  // insertion order, not key order
    EXPECT_EQ(all.FunSurfs.Item("1"), shown.FunSurfs.Item(1));
    EXPECT_THROW(all.FunSurfs.Add(a, "3"), std::invalid_argument);
    EXPECT_THROW(all.FunSurfs.Item(3), std::out_of_range);
    EXPECT_THROW(all.FunSurfs.Item("7"), std::invalid_argument);
    all.FunSurfs.Remove("3");
    EXPECT_EQ(all.FunSurfs.Count(), 1);
    EXPECT_EQ(b.use_count(), 3);  // held by both scenes and the test
}

TEST_F(SceneTest, DrawLeavesTheClipPlanesOff) {
    testsupport::OffscreenGL gl(32, 32);
    ASSERT_TRUE(gl.valid());
    add(1, {0, 1, 0, 1, 0, 1});
    add(2, {0, 2, 0, 2, 0, 2});
    glEnable(GL_CLIP_PLANE0);
    glEnable(GL_CLIP_PLANE1);
    scene.Draw(frame);
    EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
    EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE1));
}

TEST(SceneCreation, StartValues) {
    Cls8 s;
    EXPECT_TRUE(s.DrawAxis);
    ASSERT_NE(s.Axis, nullptr);
    EXPECT_EQ(s.RotRoll, 0);
    EXPECT_EQ(s.ScaleX, 1.0);
    EXPECT_FALSE(s.Animation());
}

}  // namespace

// A surface with a floor measures the room for it with the scales its own
// box gives: the box must come out settled, the same on every call, whatever
// scales an earlier scene left (an empty one leaves them hugely negative).
TEST_F(SceneTest, ASurfaceWithAFloorGivesSettledScalesOnTheFirstCall) {
    gPlotKind = 3;
    gAxisScaleMode = 1;
    auto surface = testsupport::makeSurfaceGraph(10);
    surface->ID = 1;
    scene.FunSurfs.Add(surface, "1");
    for (const double earlier : {-2e8, 1.0, 50.0}) {
        SCOPED_TRACE(earlier);
        gSceneScaleX = gSceneScaleY = gSceneScaleZ = earlier;
        const Cls1 first = scene.GetBox(frame);
        const double scaleY = gSceneScaleY;
        EXPECT_GT(scaleY, 0);
        // Settled: the box is ten scale units high including the floor's three.
        EXPECT_NEAR(first.MaxY - first.MinY, 10 * scaleY, 1e-12 * scaleY);
        const Cls1 again = scene.GetBox(frame);
        EXPECT_EQ(again.MinY, first.MinY);
        EXPECT_EQ(again.MaxY, first.MaxY);
        EXPECT_EQ(gSceneScaleY, scaleY);
    }
}
