// The polynomial result graph builders: names, settings, node and axis order,
// the default slices, the document kind, adding and replacing.
#include <gtest/gtest.h>

#include <functional>

#include "../shared/fake_host.h"
#include "fitting/shared/add_curve_graph.h"
#include "fitting/polynomial/add_polynomial_graphs.h"

namespace {

const std::vector<double> kX = {1, 2, 3, 4, 5}, kY = {5, 4, 3, 2, 1}, kZ = {0, 1, 0, 1, 0}, kV = {9, 8, 7, 6, 5};

// A surface grid of N x N nodes: X = j, Z = 10 i, Y = low .. high along the
// last node.
PolynomialSurface surfaceGrid(long N, double low, double high) {
    PolynomialSurface g;
    g.N = N;
    for (long i = 0; i < N; ++i)
        for (long j = 0; j < N; ++j) {
            g.X.push_back(static_cast<double>(j));
            g.Z.push_back(10.0 * static_cast<double>(i));
            g.Y.push_back(i == N - 1 && j == N - 1 ? high : low);
        }
    return g;
}

// A volume grid of N^3 nodes whose value codes its node: v = 100 i + 10 j + k.
PolynomialVolume volumeGrid(long N) {
    PolynomialVolume g;
    g.N = N;
    for (long i = 0; i < N; ++i)
        for (long j = 0; j < N; ++j)
            for (long k = 0; k < N; ++k) {
                g.x.push_back(static_cast<double>(i));
                g.y.push_back(static_cast<double>(-j));
                g.z.push_back(2.0 + static_cast<double>(k));
                g.v.push_back(static_cast<double>(100 * i + 10 * j + k));
            }
    return g;
}

using Build = std::function<std::shared_ptr<Cls9>(FakeHost&, std::string& title, const std::string& model)>;

struct BuilderCase {
    const char* what;
    Build build;
    std::string title;   // what the builder sets its title argument to
    std::string prefix;  // NameS before the model text
    long plotKind, graphType;
    double roll, pitch, yaw;  // the view after adding
};

const std::vector<BuilderCase>& builders() {
    static const std::vector<BuilderCase> cases = {
        {"scatter",
         [](FakeHost& h, std::string& t, const std::string& m) {
             return AddPolynomialCurveGraph(h, kX, kY, 5, kCurveKindScatter, t, m, 255);
         },
         "Polynomial Scatter: ", "Polynomial Scatter: y=", 4, 4, 0, 0, 0},
        {"curve",
         [](FakeHost& h, std::string& t, const std::string& m) {
             return AddPolynomialCurveGraph(h, kX, kY, 5, kCurveKindModel, t, m, 255);
         },
         "Polynomial Curve: ", "Polynomial Curve: y=", 4, 4, 0, 0, 0},
        {"surface",
         [](FakeHost& h, std::string& t, const std::string& m) {
             return AddPolynomialSurfaceGraph(h, surfaceGrid(21, 0, 50), kY, kV, kX, t, m, 0, 50);
         },
         "Polynomial Surface: ", "Polynomial Surface: z=", 3, 6, 0, -30, 45},
        {"volume",
         [](FakeHost& h, std::string& t, const std::string& m) {
             return AddPolynomialVolumeGraph(h, volumeGrid(21), kX, kY, kZ, kV, t, m, {0, 10}, {-1, 1}, {2, 4},
                                             {0, 100});
         },
         "Polynomial Volume: ", "Polynomial Volume: v=", 11, 43, 0, -30, 45},
    };
    return cases;
}

TEST(PolynomialGraphs, EachBuilderAddsItsGraphToTheDocument) {
    for (const BuilderCase& c : builders()) {
        SCOPED_TRACE(c.what);
        setDocument({});
        FakeHost host;
        gPlotKind = 1;
        gScene->RotRoll = 5, gScene->RotPitch = 6, gScene->RotYaw = 7;
        std::string title = "ignored";
        const auto g = c.build(host, title, "1+2*x");
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(g->NameS, c.prefix + "1+2*x");
        EXPECT_EQ(g->GraphType, c.graphType);
        EXPECT_EQ(gPlotKind, c.plotKind);
        EXPECT_EQ(g->ID, 1);
        EXPECT_EQ(gGraphCounter, 1);
        EXPECT_EQ(graphAt(1), g);
        EXPECT_EQ(gScene->FunSurfs.Item("1"), g);
        EXPECT_EQ(host.lines, std::vector<std::string>{g->NameS});
        EXPECT_EQ(host.ticked, std::vector<bool>{true});
        EXPECT_EQ((std::vector<double>{gScene->RotRoll, gScene->RotPitch, gScene->RotYaw}),
                  (std::vector<double>{c.roll, c.pitch, c.yaw}));
    }
}

TEST(PolynomialGraphs, ReplaceModeCopiesSettingsIntoTheCurrentGraph) {
    for (const BuilderCase& c : builders()) {
        SCOPED_TRACE(c.what);
        setDocument({});
        FakeHost host;
        std::string title;
        const auto first = c.build(host, title, "1");
        const double firstX = first->VertTab3D(0, 0)->X, firstV = first->Reg4DV(1, 0, 0);
        gScene->RotRoll = 5, gScene->RotPitch = 6, gScene->RotYaw = 7;
        host.current = 0;
        gReplaceSelectedGraph = true;
        c.build(host, title, "2");
        EXPECT_FALSE(gReplaceSelectedGraph);
        EXPECT_EQ(gGraphCounter, 1);
        EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
        EXPECT_EQ(host.lines, std::vector<std::string>{c.prefix + "2"});
        EXPECT_EQ(first->NameS, c.prefix + "2");
        EXPECT_EQ(first->VertTab3D(0, 0)->X, firstX);  // the data stay
        EXPECT_EQ(first->Reg4DV(1, 0, 0), firstV);
        EXPECT_EQ((std::vector<double>{gScene->RotRoll, gScene->RotPitch, gScene->RotYaw}),
                  (std::vector<double>{5, 6, 7}));
    }
}

TEST(PolynomialGraphs, CurveAndScatterSettings) {
    setDocument({});
    FakeHost host;
    std::string title;
    // Colour 255 asked for: the scatter's markers are blue all the same.
    const auto s = AddPolynomialCurveGraph(host, kX, kY, 5, kCurveKindScatter, title, "1", 255);
    EXPECT_EQ(s->StepV, 4);
    EXPECT_EQ(s->VertTab3D(0, 4)->X, 5);
    EXPECT_EQ(s->VertTab3D(0, 4)->Y, 1);
    EXPECT_EQ((std::vector<long>{s->ScatterColor, s->ScatterSize, s->Symbol}), (std::vector<long>{0xFF0000, 2, 2}));
    EXPECT_TRUE(s->Show2DScatter);
    EXPECT_FALSE(s->Show2DLine);
    const auto m = AddPolynomialCurveGraph(host, kX, kY, 3, kCurveKindModel, title, "1", 255);
    EXPECT_EQ(m->StepV, 2);
    EXPECT_EQ(m->LineColor, 255);
    EXPECT_FALSE(m->Show2DScatter);
    EXPECT_TRUE(m->Show2DCurve);
}

TEST(PolynomialGraphs, SurfaceSettingsNodesAndContourInterval) {
    setDocument({});
    FakeHost host;
    std::string title;
    const PolynomialSurface grid = surfaceGrid(21, 0, 50);
    const auto g = AddPolynomialSurfaceGraph(host, grid, kY, kV, kX, title, "m", 0, 50);
    EXPECT_EQ(g->StepU, 20);
    EXPECT_EQ(g->StepV, 20);
    // Node (i, j): X = j, Z = 10 i, the height also in Reg3DC.
    EXPECT_EQ(g->VertTab3D(3, 7)->X, 7);
    EXPECT_EQ(g->VertTab3D(3, 7)->Z, 30);
    EXPECT_EQ(g->VertTab3D(20, 20)->Y, 50);
    EXPECT_EQ(g->Reg3DC(20, 20), 50);
    EXPECT_EQ(g->Reg3DC(20, 19), 0);
    // FillStyle, FirstColor, SecondColor, Material, Show, Smoothness, ContourLevel (2.5 to the even 2).
    EXPECT_EQ((std::vector<long>{g->FillStyle, g->FirstColor, g->SecondColor, g->Material, g->Show, g->Smoothness,
                                 g->ContourLevel}),
              (std::vector<long>{5, 255, 255, 5, 3, 3, 2}));
    EXPECT_EQ(g->ColorName, "Rainbow");
    EXPECT_TRUE(g->ShowIrregData);
    EXPECT_FALSE(g->ShowVector);
    EXPECT_FALSE(g->ShowContour);
    // The data points in scene axis order, as given.
    ASSERT_EQ(g->PntNum(), 5);
    EXPECT_EQ((std::vector<double>{g->PntX(1), g->PntY(1), g->PntZ(1)}), (std::vector<double>{4, 8, 2}));

    // Ranges of 10 or less give the interval 0 (the tracer picks levels); one
    // beyond a Long is clamped.
    struct Case {
        double low, high;
        long level;
    };
    for (const Case& c : {Case{0, 10, 0}, Case{0, 1, 0}, Case{0, 30, 2}, Case{-1e300, 1e300, 2147483647}}) {
        const auto s = AddPolynomialSurfaceGraph(host, surfaceGrid(2, c.low, c.high), kY, kV, kX, title, "m",
                                                 c.low, c.high);
        EXPECT_EQ(s->ContourLevel, c.level) << c.high;
    }
    // N beyond the height grid: nothing changes.
    const long graphs = gGraphs->FunSurfs.Count();
    gPlotKind = 1;
    EXPECT_THROW(AddPolynomialSurfaceGraph(host, surfaceGrid(62, 0, 1), kY, kV, kX, title, "m", 0, 1),
                 std::out_of_range);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), graphs);
    EXPECT_EQ(gPlotKind, 1);
}

TEST(PolynomialGraphs, VolumeGridPointsAndDefaultSlices) {
    setDocument({});
    FakeHost host;
    std::string title;
    const auto g = AddPolynomialVolumeGraph(host, volumeGrid(21), kX, kY, kZ, kV, title, "m", {0, 10}, {-1, 1},
                                            {2, 4}, {0, 100});
    EXPECT_EQ((std::vector<long>{g->StepU, g->StepV, g->StepH}), (std::vector<long>{20, 20, 20}));
    // Node (i, j, k) along x, y, z.
    EXPECT_EQ(g->Reg4DV(3, 5, 7), 357);
    EXPECT_EQ((std::vector<double>{g->Reg4DX(3, 5, 7), g->Reg4DY(3, 5, 7), g->Reg4DZ(3, 5, 7)}),
              (std::vector<double>{3, -5, 9}));
    ASSERT_EQ(g->PntNum(), 5);
    EXPECT_EQ((std::vector<double>{g->PntX(4), g->PntY(4), g->PntZ(4), g->PntV(4)}),
              (std::vector<double>{5, 1, 0, 5}));
    EXPECT_EQ((std::vector<long>{g->FillStyle, g->Material, g->Show, g->Smoothness}),
              (std::vector<long>{5, 4, 3, 3}));
    EXPECT_EQ(g->ColorName, "Rainbow");
    EXPECT_TRUE(g->ShowIrregData);

    // "0 1 21 1 21 1 1 5 12632256 0", "-1 ...", "2 ...", "3 ..." read back.
    EXPECT_EQ((std::vector<long>{g->Slice4NumX, g->Slice4NumY, g->Slice4NumZ}), (std::vector<long>{1, 1, 2}));
    EXPECT_EQ((std::vector<double>{g->Slice4X(1), g->Slice4Y(1), g->Slice4Z(1), g->Slice4Z(2)}),
              (std::vector<double>{0, -1, 2, 3}));
    EXPECT_EQ((std::vector<long>{g->Slice4YZYB(1), g->Slice4YZYE(1), g->Slice4YZZB(1), g->Slice4YZZE(1),
                                 g->Slice4ZXZB(1), g->Slice4ZXZE(1), g->Slice4ZXXB(1), g->Slice4ZXXE(1),
                                 g->Slice4XYXB(2), g->Slice4XYXE(2), g->Slice4XYYB(2), g->Slice4XYYE(2)}),
              (std::vector<long>{1, 21, 1, 21, 1, 21, 1, 21, 1, 21, 1, 21}));
    // Flags colour map, contours, vectors; contour interval and colour.
    EXPECT_EQ((std::vector<bool>{g->SliceXShowColor(1), g->SliceXShowCont(1), g->SliceXShowVect(1),
                                 g->SliceYShowColor(1), g->SliceYShowCont(1), g->SliceYShowVect(1),
                                 g->SliceZShowColor(1), g->SliceZShowCont(1), g->SliceZShowVect(1),
                                 g->SliceZShowColor(2), g->SliceZShowCont(2), g->SliceZShowVect(2)}),
              (std::vector<bool>{true, true, false, true, true, false, true, true, false, true, true, false}));
    EXPECT_EQ((std::vector<long>{g->SliceXContLevels(1), g->SliceXContColor(1), g->SliceYContLevels(1),
                                 g->SliceYContColor(1), g->SliceZContLevels(1), g->SliceZContColor(1),
                                 g->SliceZContLevels(2), g->SliceZContColor(2)}),
              (std::vector<long>{5, 12632256, 5, 12632256, 5, 12632256, 5, 12632256}));

    // Another N: the slices span its own nodes. A value range of 1 gives
    // the interval 0 in every slice.
    const auto small = AddPolynomialVolumeGraph(host, volumeGrid(11), kX, kY, kZ, kV, title, "m", {0, 1}, {0, 1},
                                                {0, 1}, {0, 1});
    EXPECT_EQ((std::vector<long>{small->Slice4YZYE(1), small->Slice4ZXXE(1), small->Slice4XYYE(2)}),
              (std::vector<long>{11, 11, 11}));
    EXPECT_EQ((std::vector<long>{small->SliceXContLevels(1), small->SliceYContLevels(1), small->SliceZContLevels(1),
                                 small->SliceZContLevels(2)}),
              (std::vector<long>{0, 0, 0, 0}));
    EXPECT_TRUE(small->SliceZShowCont(2));
    EXPECT_THROW(AddPolynomialVolumeGraph(host, volumeGrid(32), kX, kY, kZ, kV, title, "m", {}, {}, {}, {}),
                 std::out_of_range);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 2);
}

}  // namespace
