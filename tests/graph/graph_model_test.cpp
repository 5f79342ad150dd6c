// The graph object: start values, bounds of every indexed property, the
// vertex grid's first-use points, the data points and the memory a graph costs.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "state/globals.h"
#include "graph/graph.h"

namespace {

TEST(GraphObject, NewGraphHasItsStartValues) {
    Cls9 g;
    struct Case {
        const char* name;
        double actual;
        double expected;
    };
    const std::vector<Case> cases = {
        {"Smoothness", double(g.Smoothness), 3},   {"Show", double(g.Show), 3},
        {"PointSize", g.PointSize, 1.0},           {"StepU", double(g.StepU), 1},
        {"StepV", double(g.StepV), 1},             {"StepH", double(g.StepH), 0},
        {"PointColor", double(g.PointColor), 255}, {"PointHollow", double(g.PointHollow), 0},
        {"ShowContour", double(g.ShowContour), 0}, {"ShowVector", double(g.ShowVector), 0},
        {"ShowColormap", double(g.ShowColormap), 0}, {"Show2DLine", double(g.Show2DLine), 1},
        {"Show2DScatter", double(g.Show2DScatter), 1}, {"ShowSmoothCurve", double(g.ShowSmoothCurve), 1},
        {"Show2DCurve", double(g.Show2DCurve), 0}, {"ScatterSize", double(g.ScatterSize), 2},
        {"ScatterColor", double(g.ScatterColor), 0}, {"SmoothCurveColor", double(g.SmoothCurveColor), 0x00FF00},
        {"SmoothCurveWidth", double(g.SmoothCurveWidth), 1}, {"Symbol", double(g.Symbol), 1},
        {"GraphType", double(g.GraphType), 0},     {"ID", double(g.ID), 0},
        {"CoordType", double(g.CoordType), 0},     {"FunForm", double(g.FunForm), 0},
        {"FillStyle", double(g.FillStyle), 0},     {"Material", double(g.Material), 0},
        {"FirstColor", double(g.FirstColor), 0},   {"SecondColor", double(g.SecondColor), 0},
        {"LineColor", double(g.LineColor), 0},     {"LineWidth", double(g.LineWidth), 0},
        {"ContourLevel", double(g.ContourLevel), 0}, {"ColorNum", double(g.ColorNum), 0},
        {"TexMode", double(g.TexMode), 0},         {"TransAlpha", g.TransAlpha, 0},
        {"ShowTex", double(g.ShowTex), 0},         {"ShowTrans", double(g.ShowTrans), 0},
        {"ShowIrregData", double(g.ShowIrregData), 0}, {"PntNum", double(g.PntNum()), 0},
        {"Slice4NumX", double(g.Slice4NumX), 0},   {"Slice4NumY", double(g.Slice4NumY), 0},
        {"Slice4NumZ", double(g.Slice4NumZ), 0},   {"IsoSurfaceNum", double(g.IsoSurfaceNum), 0},
        {"MinW", g.MinW, 0},                       {"MaxW", g.MaxW, 0},
        {"Scat4DColor", double(g.Scat4DColor), 0}, {"Vect4DColor", double(g.Vect4DColor), 0},
        {"Animation", double(g.Animation), 0},     {"ShowPoints", double(g.ShowPoints), 0},
        {"ColorPos(30)", g.ColorPos(30), 0},       {"ColorB(0)", double(g.ColorB(0)), 0},
        {"Reg4DV(30,30,30)", g.Reg4DV(30, 30, 30), 0}, {"IsoSurValue(100)", g.IsoSurValue(100), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
    EXPECT_EQ(g.NameS, "");
    EXPECT_EQ(g.ColorName, "");
    EXPECT_EQ(g.TexName, "");
    EXPECT_EQ(g.ExpressX, "");
}

TEST(GraphObject, SettersStoreAnyValue) {
    Cls9 g;
    g.GraphType = 999;
    g.Show = -7;
    g.ColorNum = 1000;
    g.Scat4DColor = 0x123456;
    EXPECT_EQ(g.GraphType, 999);
    EXPECT_EQ(g.Show, -7);
    EXPECT_EQ(g.ColorNum, 1000);
    EXPECT_EQ(g.Scat4DColor, 0x123456);
}

// Every indexed property rejects the first index past each end of its bounds
// and accepts both ends; a rejected write changes nothing.
TEST(GraphObject, IndexedPropertiesCheckTheirBounds) {
    Cls9 g;
    struct Case {
        const char* name;
        std::function<void(long)> access;  // writes 7 at index i (per axis as noted)
        long lo, hi;
    };
    const std::vector<Case> cases = {
        {"ColorPos", [&](long i) { g.ColorPos(i) = 7; }, 0, 30},
        {"ColorR", [&](long i) { g.ColorR(i) = 7; }, 0, 30},
        {"Slice4X", [&](long i) { g.Slice4X(i) = 7; }, 0, 50},
        {"SliceZShowVect", [&](long i) { g.SliceZShowVect(i) = true; }, 0, 50},
        {"Slice4XYYE", [&](long i) { g.Slice4XYYE(i) = 7; }, 0, 50},
        {"IsoSurValue", [&](long i) { g.IsoSurValue(i) = 7; }, 1, 100},
        {"Irreg4DV", [&](long i) { g.Irreg4DV(i) = 7; }, 0, 1000},
        {"CurvX", [&](long i) { g.CurvX(i) = 7; }, 0, 50},
        {"TangentY", [&](long i) { g.TangentY(i) = 7; }, 0, 50},
        {"Reg3DC first", [&](long i) { g.Reg3DC(i, 0) = 7; }, 0, 60},
        {"Reg3DC second", [&](long i) { g.Reg3DC(0, i) = 7; }, 0, 60},
        {"Reg4DX first", [&](long i) { g.Reg4DX(i, 0, 0) = 7; }, 0, 30},
        {"Reg4DC third", [&](long i) { g.Reg4DC(0, 0, i) = 7; }, 0, 30},
        {"VertTab3D first", [&](long i) { g.VertTab3D(i, 0)->X = 7; }, 0, 100},
        {"VertTab3D second", [&](long i) { g.VertTab3D(0, i)->X = 7; }, 0, 10000},
    };
    for (const auto& c : cases) {
        EXPECT_NO_THROW(c.access(c.lo)) << c.name;
        EXPECT_NO_THROW(c.access(c.hi)) << c.name;
        EXPECT_THROW(c.access(c.lo - 1), std::out_of_range) << c.name;
        EXPECT_THROW(c.access(c.hi + 1), std::out_of_range) << c.name;
        EXPECT_THROW(c.access(-2147483648L), std::out_of_range) << c.name;
    }
    try {
        g.ColorPos(31) = 1;
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "Subscript out of range");
    }
}

TEST(GraphObject, RejectedIndexLeavesStopsUnchanged) {
    Cls9 g;
    for (long i = 0; i <= 30; ++i) g.ColorR(i) = i;
    EXPECT_THROW(g.ColorR(-1) = 99, std::out_of_range);
    EXPECT_THROW(g.ColorPos(31) = 99, std::out_of_range);
    for (long i = 0; i <= 30; ++i) {
        EXPECT_EQ(g.ColorR(i), i);
        EXPECT_EQ(g.ColorPos(i), 0.0);
    }
}

TEST(GraphObject, VertexGridCreatesPointsOnFirstRead) {
    Cls9 g;
    EXPECT_FALSE(g.HasVertTab3D(5, 7));
    auto p = g.VertTab3D(5, 7);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->X, 0.0);
    EXPECT_EQ(p->Size, 0.15);
    EXPECT_EQ(p->Symbol, 0);
    p->Y = 4;
    EXPECT_EQ(g.VertTab3D(5, 7), p);  // the same point, which stays
    EXPECT_EQ(g.VertTab3D(5, 7)->Y, 4.0);

    g.SetVertTab3D(5, 7, nullptr);
    EXPECT_FALSE(g.HasVertTab3D(5, 7));
    auto fresh = g.VertTab3D(5, 7);
    EXPECT_NE(fresh, p);
    EXPECT_EQ(fresh->Y, 0.0);
    EXPECT_THROW(g.SetVertTab3D(101, 0, p), std::out_of_range);
}

TEST(GraphObject, DataPointsExistOnlyAfterPntNum) {
    Cls9 g;
    EXPECT_THROW(g.PntX(0), std::out_of_range);
    g.SetPntNum(3);
    EXPECT_EQ(g.PntNum(), 3);
    for (long t = 0; t < 3; ++t) {
        EXPECT_EQ(g.PntX(t), 0.0);
        EXPECT_EQ(g.PntV(t), 0.0);
    }
    EXPECT_THROW(g.PntX(3), std::out_of_range);
    EXPECT_THROW(g.PntZ(-1), std::out_of_range);
    g.PntY(1) = 5;
    g.SetPntNum(2);  // dimensions anew: earlier contents are gone
    EXPECT_EQ(g.PntY(1), 0.0);
    EXPECT_THROW(g.PntY(2), std::out_of_range);
    g.SetPntNum(0);
    EXPECT_EQ(g.PntNum(), 0);
    EXPECT_THROW(g.PntX(0), std::out_of_range);
    g.SetPntNum(-2147483648L);  // no overflow computing the bound
    EXPECT_THROW(g.PntX(0), std::out_of_range);
}

TEST(GraphObject, GrowableArraysFailUntilDimensioned) {
    Cls9 g;
    EXPECT_THROW(g.Vert3D(0, 0), std::out_of_range);
    EXPECT_THROW(g.Anim1D(0), std::out_of_range);
    EXPECT_THROW(g.Anim3D(0, 0, 0), std::out_of_range);
    g.Vert3D.ReDim(2, 3);
    EXPECT_EQ(g.Vert3D(2, 3), nullptr);
    EXPECT_THROW(g.Vert3D(3, 0), std::out_of_range);
    EXPECT_THROW(g.Vert3D(0, 4), std::out_of_range);
}

TEST(GraphObject, StepTFollowsTheAnimationStepCount) {
    resetGlobals();
    Cls9 g;
    EXPECT_EQ(g.StepT(), 10);
    gAnimStepCount = 25;
    EXPECT_EQ(g.StepT(), 25);
    resetGlobals();
}

// A curve of ten points must not cost the megabytes of the declared grids.
TEST(GraphObject, SmallCurveCostsLittleMemory) {
    Cls9 g;
    for (long j = 0; j < 10; ++j) g.VertTab3D(0, j)->X = j;
    const Cls9& c = g;
    EXPECT_EQ(c.Reg4DX(5, 5, 5), 0.0);  // a read allocates nothing
    EXPECT_LT(sizeof(Cls9) + c.allocatedBytes(), 64u * 1024u);
    g.Reg4DX(5, 5, 5) = 1;              // a write allocates one page
    EXPECT_LT(c.allocatedBytes(), 64u * 1024u);
}

}  // namespace
