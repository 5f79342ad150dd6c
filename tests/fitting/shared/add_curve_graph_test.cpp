// The curve graph builder: the graph it makes, adding with IDs and list lines,
// and copying into the current graph while the replace flag is set.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "fitting/shared/add_curve_graph.h"

namespace {

const std::vector<double> kX = {1, 2, 3, 4, 5}, kY = {5, 4, 3, 2, 1};

std::vector<long> settings(const Cls9& g) {
    return {g.GraphType, g.CoordType, g.FillStyle, g.FirstColor, g.SecondColor,
            g.Material,  g.Show,      g.Smoothness, g.FunForm,   g.LineWidth};
}

TEST(AddCurveGraph, ScatterAndModelCurveSettings) {
    setDocument({});
    FakeHost host;
    gScene->RotRoll = 10, gScene->RotPitch = 20, gScene->RotYaw = 30;
    gPlotKind = 1;
    AddCurveGraph(host, kX, kY, 5, kCurveKindScatter, "Scatter Plot", "", 0x123456);
    const auto s = graphAt(1);
    EXPECT_EQ(s->StepV, 4);
    EXPECT_EQ(s->StepU, 1);
    for (long j = 0; j <= 4; ++j) {
        EXPECT_EQ(s->VertTab3D(0, j)->X, kX[static_cast<std::size_t>(j)]);
        EXPECT_EQ(s->VertTab3D(0, j)->Y, kY[static_cast<std::size_t>(j)]);
        EXPECT_EQ(s->VertTab3D(0, j)->Z, 0);
    }
    EXPECT_EQ(s->NameS, "Scatter Plot: y=");
    EXPECT_TRUE(s->Show2DScatter);
    EXPECT_FALSE(s->Show2DLine);
    // GraphType, CoordType, FillStyle, FirstColor, SecondColor, Material, Show,
    // Smoothness, FunForm, LineWidth; then ScatterColor, ScatterSize, Symbol, LineColor.
    EXPECT_EQ(settings(*s), (std::vector<long>{4, 1, 4, 0xFF0000, 0xFF0000, 4, 2, 1, 2, 1}));
    EXPECT_EQ((std::vector<long>{s->ScatterColor, s->ScatterSize, s->Symbol, s->LineColor}),
              (std::vector<long>{0x123456, 2, 2, 0}));
    EXPECT_EQ(gPlotKind, 4);
    EXPECT_EQ(gScene->RotRoll, 0);
    EXPECT_EQ(gScene->RotPitch, 0);
    EXPECT_EQ(gScene->RotYaw, 0);

    AddCurveGraph(host, kX, kY, 5, kCurveKindModel, "Linear Model", "1+0.5*X", 0x800000);
    const auto m = graphAt(2);
    EXPECT_EQ(m->NameS, "Linear Model: y=1+0.5*X");
    EXPECT_FALSE(m->Show2DScatter);
    EXPECT_TRUE(m->Show2DLine);
    EXPECT_TRUE(m->Show2DCurve);
    EXPECT_EQ(m->LineColor, 0x800000);
    EXPECT_EQ(m->LineWidth, 1);

    // IDs count from 1 in a new document; both scenes hold the same objects by key.
    EXPECT_EQ(s->ID, 1);
    EXPECT_EQ(m->ID, 2);
    EXPECT_EQ(gGraphCounter, 2);
    EXPECT_EQ(gScene->FunSurfs.Item("2"), m);
    EXPECT_EQ(host.lines, (std::vector<std::string>{"Scatter Plot: y=", "Linear Model: y=1+0.5*X"}));
    EXPECT_EQ(host.ticked, (std::vector<bool>{true, true}));
}

TEST(AddCurveGraph, ReplaceModeCopiesIntoTheCurrentGraph) {
    setDocument({});
    FakeHost host;
    AddCurveGraph(host, kX, kY, 5, kCurveKindScatter, "Scatter Plot", "", 255);
    AddCurveGraph(host, kX, kY, 3, kCurveKindModel, "Linear Model", "1+X", 0x800000);
    gScene->RotYaw = 45;
    host.current = 0;
    gReplaceSelectedGraph = true;
    AddCurveGraph(host, kY, kX, 2, kCurveKindModel, "S Model", "exp(1+2*(1/X))", 0xFF0000);

    EXPECT_FALSE(gReplaceSelectedGraph);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 2);
    EXPECT_EQ(gGraphCounter, 2);
    EXPECT_EQ(gScene->RotYaw, 45);
    EXPECT_EQ(host.lines, (std::vector<std::string>{"S Model: y=exp(1+2*(1/X))", "Linear Model: y=1+X"}));
    const auto target = graphAt(1);
    EXPECT_EQ(target->ID, 1);
    EXPECT_EQ(target->LineColor, 0xFF0000);
    EXPECT_EQ(target->VertTab3D(0, 0)->X, 1);  // keeps its own points

    // The flag is spent: the next graph is added.
    AddCurveGraph(host, kX, kY, 5, kCurveKindModel, "Y Root Model", "(1+X)^2", 0xFFFF00);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 3);
}

TEST(AddCurveGraph, ReplaceWithNoCurrentLineAddsAndBadCountsAreSafe) {
    setDocument({});
    FakeHost host;
    host.current = -1;
    gReplaceSelectedGraph = true;
    AddCurveGraph(host, kX, kY, 5, kCurveKindScatter, "Scatter Plot", "", 255);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
    EXPECT_FALSE(gReplaceSelectedGraph);

    // A count beyond the points given is cut to them; none at all builds nothing.
    const auto cut = AddCurveGraph(host, kX, kY, 50, kCurveKindModel, "Linear Model", "X", 1);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->StepV, 4);
    EXPECT_EQ(AddCurveGraph(host, kX, kY, 0, kCurveKindModel, "Linear Model", "X", 1), nullptr);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 2);
}

}  // namespace
