// AddSurfaceGraph and AddVolumeGraph: what they refuse before the document
// changes, the points counted from the arrays, nodes without a value, and the
// default slices of a volume with their contour interval.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "../shared/fake_host.h"
#include "fitting/shared/surface_graphs.h"
#include "formula/program.h"
#include "scene/box.h"

namespace {

const std::vector<double> kA = {1, 2, 3}, kB = {4, 5, 6}, kC = {7, 8, 9}, kShort = {1, 2};

SurfaceNodes surface(long N, double value = 1) {
    SurfaceNodes g;
    g.N = N;
    for (long i = 0; i < N; ++i)
        for (long j = 0; j < N; ++j) {
            g.X.push_back(static_cast<double>(j));
            g.Y.push_back(value);
            g.Z.push_back(static_cast<double>(i));
        }
    return g;
}

VolumeNodes volume(long N) {
    VolumeNodes g;
    g.N = N;
    for (long i = 0; i < N; ++i)
        for (long j = 0; j < N; ++j)
            for (long k = 0; k < N; ++k) {
                g.x.push_back(static_cast<double>(i));
                g.y.push_back(static_cast<double>(j));
                g.z.push_back(static_cast<double>(k));
                g.v.push_back(static_cast<double>(i + j + k));
            }
    return g;
}

class ResultGraphs : public ::testing::Test {
protected:
    void SetUp() override {
        setDocument({{"A", {1, 2, 3, 4, 5, 6, 7}}});  // gGridRowCount 7: the arrays hold 3
        gPlotKind = 1;
    }
    std::shared_ptr<Cls9> addVolume(long N, ValueRange x, ValueRange y, ValueRange z, ValueRange v) {
        std::string title = "Title: ";
        auto g = AddVolumeGraph(host, volume(N), {kA, kB, kC, kA, true}, title, "a*x", x, y, z, v);
        EXPECT_EQ(title, "");
        return g;
    }
    FakeHost host;
};

TEST_F(ResultGraphs, BadNodeCountsAndDataAreRefusedBeforeTheDocumentChanges) {
    struct Case {
        const char* what;
        std::function<void(FakeHost&)> build;
    };
    std::string title;
    const std::vector<Case> cases = {
        {"surface of one node", [](FakeHost& h) { AddSurfaceGraph(h, surface(1), {kA, kB, kC}, "", "m"); }},
        {"surface of 62 nodes", [](FakeHost& h) { AddSurfaceGraph(h, surface(62), {kA, kB, kC}, "", "m"); }},
        {"surface grid too small",
         [](FakeHost& h) {
             SurfaceNodes g = surface(3);
             g.Y.pop_back();
             AddSurfaceGraph(h, g, {kA, kB, kC}, "", "m");
         }},
        {"surface points of unequal lengths",
         [](FakeHost& h) { AddSurfaceGraph(h, surface(3), {kA, kShort, kC}, "", "m"); }},
        {"volume of one node",
         [&title](FakeHost& h) { AddVolumeGraph(h, volume(1), {kA, kB, kC, kA}, title, "m", {}, {}, {}, {}); }},
        {"volume of 32 nodes",
         [&title](FakeHost& h) { AddVolumeGraph(h, volume(32), {kA, kB, kC, kA}, title, "m", {}, {}, {}, {}); }},
        {"volume values of unequal length",
         [&title](FakeHost& h) { AddVolumeGraph(h, volume(3), {kA, kB, kC, kShort}, title, "m", {}, {}, {}, {}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gReplaceSelectedGraph = true;
        EXPECT_THROW(c.build(host), std::out_of_range);
        EXPECT_EQ(gPlotKind, 1);
        EXPECT_TRUE(gReplaceSelectedGraph);
        EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
        EXPECT_TRUE(host.lines.empty());
    }
    // The limits themselves are built.
    gReplaceSelectedGraph = false;
    EXPECT_EQ(AddSurfaceGraph(host, surface(61), {kA, kB, kC}, "", "m")->StepU, 60);
    EXPECT_EQ(AddSurfaceGraph(host, surface(2), {kA, kB, kC}, "", "m")->StepV, 1);
    EXPECT_EQ(addVolume(31, {}, {}, {}, {})->StepH, 30);
}

TEST_F(ResultGraphs, TheSurfaceCountsItsPointsFromTheArraysAndIsNamedByTitleAndModel) {
    const auto g = AddSurfaceGraph(host, surface(3, 2.5), {kA, kB, kC, {}, false}, "Surface Fit: ", "1+x*y");
    EXPECT_EQ(g->NameS, "Surface Fit: z=1+x*y");
    EXPECT_EQ(g->PntNum(), 3);  // not gGridRowCount
    EXPECT_EQ((std::vector<double>{g->PntX(2), g->PntY(2), g->PntZ(2), g->PntV(2)}),
              (std::vector<double>{3, 6, 9, 0}));
    EXPECT_FALSE(g->ShowIrregData);  // "Plot Scatter" unticked
    EXPECT_EQ(g->Reg3DC(2, 2), 2.5);
    EXPECT_EQ((std::vector<long>{g->GraphType, g->FillStyle, g->FirstColor, g->SecondColor, g->Material, g->Show,
                                 g->Smoothness, g->ContourLevel}),
              (std::vector<long>{6, 5, 255, 255, 5, 3, 3, 0}));
    EXPECT_EQ(g->ColorName, "Rainbow");
    EXPECT_EQ(gPlotKind, 3);
    EXPECT_EQ((std::vector<double>{gScene->RotRoll, gScene->RotPitch, gScene->RotYaw}),
              (std::vector<double>{0, -30, 45}));
}

TEST_F(ResultGraphs, NodesWithoutAValueStretchNeitherTheBoxNorTheColourRange) {
    // Heights 10 .. 20 with two holes; the data points within 12 .. 14.
    SurfaceNodes grid = surface(4, 10);
    grid.Y[5] = 20;
    grid.Y[0] = grid.Y[15] = formula::UndefinedValue;
    const std::vector<double> X = {1, 2}, Y = {12, 14}, Z = {1, 2};
    const auto g = AddSurfaceGraph(host, grid, {X, Y, Z}, "", "m");
    const auto box = g->GetBox(1);
    EXPECT_EQ(box->MinY, 10);
    EXPECT_EQ(box->MaxY, 20);
    EXPECT_EQ((std::vector<double>{box->MinX, box->MaxX, box->MinZ, box->MaxZ}),
              (std::vector<double>{0, 3, 0, 3}));  // the holes keep their place on the floor
    EXPECT_EQ(g->GraphColorRange.MinC, 10);
    EXPECT_EQ(g->GraphColorRange.MaxC, 20);
}

TEST_F(ResultGraphs, TheVolumeCarriesTheFourDefaultSlices) {
    // The example: x from -2, y from 0, z from 1 to 3, values 0 .. 100.
    const auto g = addVolume(21, {-2, 7}, {0, 9}, {1, 3}, {0, 100});
    EXPECT_EQ(g->NameS, "v=a*x");
    EXPECT_EQ(gPlotKind, 11);
    EXPECT_EQ(g->PntNum(), 3);
    EXPECT_EQ(g->PntV(1), 2);
    EXPECT_EQ((std::vector<long>{g->Slice4NumX, g->Slice4NumY, g->Slice4NumZ}), (std::vector<long>{1, 1, 2}));
    EXPECT_EQ((std::vector<double>{g->Slice4X(1), g->Slice4Y(1), g->Slice4Z(1), g->Slice4Z(2)}),
              (std::vector<double>{-2, 0, 1, 2}));
    for (auto [colour, cont, level, contColour, vect] :
         {std::tuple{g->SliceXShowColor(1), g->SliceXShowCont(1), g->SliceXContLevels(1), g->SliceXContColor(1),
                     g->SliceXShowVect(1)},
          std::tuple{g->SliceYShowColor(1), g->SliceYShowCont(1), g->SliceYContLevels(1), g->SliceYContColor(1),
                     g->SliceYShowVect(1)},
          std::tuple{g->SliceZShowColor(2), g->SliceZShowCont(2), g->SliceZContLevels(2), g->SliceZContColor(2),
                     g->SliceZShowVect(2)}}) {
        EXPECT_TRUE(colour);
        EXPECT_TRUE(cont);
        EXPECT_EQ(level, 5);
        EXPECT_EQ(contColour, 12632256);
        EXPECT_FALSE(vect);
    }
    EXPECT_EQ((std::vector<long>{g->Slice4YZYB(1), g->Slice4YZYE(1), g->Slice4ZXXB(1), g->Slice4ZXXE(1),
                                 g->Slice4XYXB(2), g->Slice4XYYE(2)}),
              (std::vector<long>{1, 21, 1, 21, 1, 21}));
    // With 31 nodes the slices still span nodes 1 .. 21.
    EXPECT_EQ(addVolume(31, {}, {}, {}, {0, 100})->Slice4XYXE(1), 21);
}

TEST_F(ResultGraphs, TheContourIntervalIsTheValueRangeOverTwentyAsAWholeNumber) {
    const std::vector<std::pair<double, long>> cases = {
        {30, 2}, {50, 2}, {70, 4}, {10, 0}, {1, 0}, {-30, -2}, {1e12, INT32_MAX},
        {-1e12, INT32_MIN}};
    for (const auto& [range, interval] : cases) {
        SCOPED_TRACE(range);
        const auto g = addVolume(2, {}, {}, {}, {0, range});
        EXPECT_EQ(g->SliceXContLevels(1), interval);
        EXPECT_EQ(g->SliceZContLevels(2), interval);
        EXPECT_EQ(g->SliceZContColor(2), 12632256);  // read from its own text, not a longer one's
    }
}

}  // namespace
