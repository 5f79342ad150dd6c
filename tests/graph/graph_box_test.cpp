// Cls9::GetBox: the box of curves, surfaces and 4-D grids, the vertical pass
// with its clipping and floor lowering, and the inverted box of empty graphs.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <stdexcept>

#include "state/globals.h"
#include "graph/graph.h"
#include "scene/box.h"
#include "formula/program.h"

namespace {

struct Expect {
    double minX, maxX, minY, maxY, minZ, maxZ;
};

void expectBox(const Cls1& b, const Expect& e) {
    EXPECT_DOUBLE_EQ(b.MinX, e.minX);
    EXPECT_DOUBLE_EQ(b.MaxX, e.maxX);
    EXPECT_DOUBLE_EQ(b.MinY, e.minY);
    EXPECT_DOUBLE_EQ(b.MaxY, e.maxY);
    EXPECT_DOUBLE_EQ(b.MinZ, e.minZ);
    EXPECT_DOUBLE_EQ(b.MaxZ, e.maxZ);
}

constexpr double S = 9999999.0;

class GraphBox : public ::testing::Test {
protected:
    void SetUp() override { resetGlobals(); }
    void TearDown() override { resetGlobals(); }

    void setNode(long i, long j, double x, double y, double z) {
        auto p = g.VertTab3D(i, j);
        p->X = x;
        p->Y = y;
        p->Z = z;
    }
    // A 2 x 2 surface with heights 1..4 over x 0..1, z 10..11.
    void makeSurface() {
        g.GraphType = 6;
        g.StepU = 1;
        g.StepV = 1;
        setNode(0, 0, 0, 1, 10);
        setNode(0, 1, 0, 2, 11);
        setNode(1, 0, 1, 3, 10);
        setNode(1, 1, 1, 4, 11);
    }
    void setPoints(std::initializer_list<double> ys) {
        g.SetPntNum(static_cast<long>(ys.size()));
        long t = 0;
        for (double y : ys) g.PntY(t++) = y;
    }

    Cls9 g;
};

TEST_F(GraphBox, CurveSpansItsPoints) {
    g.GraphType = 4;
    g.StepV = 2;
    setNode(0, 0, 1, 5, 0);
    setNode(0, 1, 3, -2, 0);
    setNode(0, 2, 2, 7, 0);
    setNode(1, 0, 100, 100, 100);  // row 1 is not part of a curve
    expectBox(*g.GetBox(), {1, 3, -2, 7, 0, 0});
    EXPECT_DOUBLE_EQ(g.GraphBox.MaxY, 7);
    EXPECT_DOUBLE_EQ(g.GraphColorRange.MaxC, -S);  // only surfaces set a colour range
    EXPECT_DOUBLE_EQ(g.GraphColorRange.MinC, S);
}

TEST_F(GraphBox, CurveOfOnePointAndUnsetNodes) {
    g.GraphType = 4;
    g.StepV = 0;
    setNode(0, 0, 2, 3, 0);
    expectBox(*g.GetBox(), {2, 2, 3, 3, 0, 0});
    g.StepV = 1;  // node (0, 1) was never set: it counts as the origin
    expectBox(*g.GetBox(), {0, 2, 0, 3, 0, 0});
    EXPECT_TRUE(g.HasVertTab3D(0, 1));
}

TEST_F(GraphBox, SurfaceVerticalPass) {
    struct Case {
        const char* name;
        std::initializer_list<double> points;
        bool clip;
        double minY, maxY;
    };
    const Case cases[] = {
        {"nodes only", {}, false, 1, 4},
        {"nodes only, clip set", {}, true, 1, 4},
        {"points widen upwards", {2, 9}, false, 1, 9},
        {"points widen downwards", {-5, 2}, false, -5, 4},
        {"points inside change nothing", {2, 3}, false, 1, 4},
        {"clip narrows to the points", {2, 3}, true, 2, 3},
        {"clip takes the points' range", {0, 9}, true, 0, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g.SetPntNum(0);
        makeSurface();
        if (c.points.size() > 0) setPoints(c.points);
        gClipSurface = c.clip;
        expectBox(*g.GetBox(), {0, 1, c.minY, c.maxY, 10, 11});
        EXPECT_DOUBLE_EQ(g.GraphColorRange.MaxC, 4);  // the nodes' range
        EXPECT_DOUBLE_EQ(g.GraphColorRange.MinC, 1);
    }
}

TEST_F(GraphBox, FloorOverlaysLowerTheSurfaceByThreeSceneUnits) {
    makeSurface();
    setPoints({0.5});
    gSceneScaleY = 2;
    for (int flag = 0; flag < 3; ++flag) {
        g.ShowContour = flag == 0;
        g.ShowVector = flag == 1;
        g.ShowColormap = flag == 2;
        auto b = g.GetBox();
        EXPECT_DOUBLE_EQ(b->MinY, 0.5 - 6);
        EXPECT_DOUBLE_EQ(b->MaxY, 4);
        EXPECT_DOUBLE_EQ(g.GraphColorRange.MinC, 0.5 - 6);
        EXPECT_DOUBLE_EQ(g.GraphColorRange.MaxC, 4);
    }
    g.ShowColormap = false;
    EXPECT_DOUBLE_EQ(g.GetBox()->MinY, 0.5);
    EXPECT_DOUBLE_EQ(g.GraphColorRange.MinC, 1);
}

TEST_F(GraphBox, VolumeMapsDataAxesToSceneAxes) {
    g.GraphType = 43;
    g.StepU = g.StepV = g.StepH = 1;
    for (long i = 0; i <= 1; ++i)
        for (long j = 0; j <= 1; ++j)
            for (long k = 0; k <= 1; ++k) {
                g.Reg4DX(i, j, k) = i;      // x 0..1
                g.Reg4DY(i, j, k) = 2 + j;  // y 2..3
                g.Reg4DZ(i, j, k) = 4 + k;  // z 4..5
                g.Reg4DV(i, j, k) = 7;
            }
    g.Reg4DX(2, 2, 2) = 100;  // beyond the steps: not visited
    g.SetPntNum(1);
    g.PntX(0) = g.PntY(0) = g.PntZ(0) = 50;  // data points do not widen a 4-D box
    gClipSurface = true;
    g.ShowContour = true;
    expectBox(*g.GetBox(), {2, 3, 4, 5, 0, 1});
    EXPECT_DOUBLE_EQ(g.MinW, 7);
    EXPECT_DOUBLE_EQ(g.MaxW, 7);
    g.Reg4DV(1, 1, 1) = 9;
    g.GetBox();
    EXPECT_DOUBLE_EQ(g.MaxW, 9);
    // Nodes without a value are no part of the colour range.
    g.Reg4DV(0, 0, 0) = formula::UndefinedValue;
    g.Reg4DV(0, 0, 1) = std::numeric_limits<double>::infinity();
    g.Reg4DV(0, 1, 0) = -std::numeric_limits<double>::infinity();
    g.Reg4DV(1, 0, 0) = std::numeric_limits<double>::quiet_NaN();
    g.GetBox();
    EXPECT_DOUBLE_EQ(g.MinW, 7);
    EXPECT_DOUBLE_EQ(g.MaxW, 9);
}

TEST_F(GraphBox, GraphsWithoutNodesReturnTheInvertedBox) {
    const Expect inverted{S, -S, S, -S, S, -S};
    for (long type : {0L, 3L, 5L, 8L, 10L, 16L, 20L, 31L, 44L, 99L, -1L}) {
        Cls9 e;
        e.GraphType = type;
        e.MinW = e.MaxW = 5;
        expectBox(*e.GetBox(), inverted);
        EXPECT_DOUBLE_EQ(e.MinW, 5) << type;  // only the 4-D kinds touch W
    }
    Cls9 v;
    v.GraphType = 43;
    v.StepU = -1;
    expectBox(*v.GetBox(), inverted);
    EXPECT_DOUBLE_EQ(v.MaxW, -99999999.0);
    EXPECT_DOUBLE_EQ(v.MinW, 99999999.0);
    Cls9 c;
    c.GraphType = 4;
    c.StepV = -1;
    expectBox(*c.GetBox(), inverted);
}

TEST_F(GraphBox, RarerKinds) {
    // Kind 7: one point; at the origin the cube -1..1.
    Cls9 p;
    p.GraphType = 7;
    p.Vert3D.ReDim(0, 0);
    p.Vert3D(0, 0) = std::make_shared<Cls2>();
    expectBox(*p.GetBox(), {-1, 1, -1, 1, -1, 1});
    p.Vert3D(0, 0)->X = 2;
    p.Vert3D(0, 0)->Z = -1;
    expectBox(*p.GetBox(), {0, 2, 0, 0, -1, 0});

    // Kind 0 with ranges.
    Cls9 f;
    f.GraphType = 0;
    f.FunForm = 1;
    f.MinU = -1;
    f.MaxU = 2;
    f.MInv = -3;
    f.MaxV = 4;
    expectBox(*f.GetBox(), {-1, 2, -3, 4, 0, 0});

    // Kinds 21 and 22 widen only by the data points.
    Cls9 d;
    d.GraphType = 21;
    d.SetPntNum(2);
    d.PntY(0) = -1;
    d.PntY(1) = 6;
    expectBox(*d.GetBox(), {S, -S, -1, 6, S, -S});

    // Kind 2: with an overlay the nodes reach 3 data units lower, then the floor.
    Cls9 s;
    s.GraphType = 2;
    s.StepU = s.StepV = 0;
    s.Vert3D.ReDim(0, 0);
    s.Vert3D(0, 0) = std::make_shared<Cls2>();
    s.Vert3D(0, 0)->Y = 10;
    s.ShowContour = true;
    gSceneScaleY = 1;
    EXPECT_DOUBLE_EQ(s.GetBox()->MinY, 10 - 3 - 3);

    // Kind 12 reads animation frames that never exist.
    Cls9 a;
    a.GraphType = 12;
    EXPECT_THROW(a.GetBox(), std::out_of_range);
}

TEST_F(GraphBox, StepsBeyondTheGridFailAndKeepTheBox) {
    g.GraphType = 4;
    g.StepV = 1;
    setNode(0, 0, 1, 1, 0);
    setNode(0, 1, 2, 2, 0);
    g.GetBox();
    g.StepV = 10001;
    EXPECT_THROW(g.GetBox(), std::out_of_range);
    EXPECT_DOUBLE_EQ(g.GraphBox.MaxX, 2);
    EXPECT_DOUBLE_EQ(g.GraphBox.MinX, 1);  // the box of the last call that succeeded
    Cls9 v;
    v.GraphType = 43;
    v.StepU = 31;
    EXPECT_THROW(v.GetBox(), std::out_of_range);
    Cls9 n;  // a growable element that holds no point fails cleanly
    n.GraphType = 13;
    n.StepU = n.StepV = 0;
    n.Vert3D.ReDim(0, 0);
    EXPECT_THROW(n.GetBox(), std::logic_error);
}

}  // namespace
