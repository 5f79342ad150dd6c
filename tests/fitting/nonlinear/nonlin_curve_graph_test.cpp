// The curve result graph of a nonlinear fit: its settings by kind, its name,
// and adding or copying into the current graph of the list.
#include <gtest/gtest.h>

#include "../shared/fake_host.h"
#include "fitting/nonlinear/nonlin_curve_graph.h"

namespace {

const std::vector<double> kX = {1, 2, 3}, kY = {4, 5, 6};

TEST(AddNonLinCurveGraph, SettingsByKind) {
    struct Case {
        long kind;
        std::string title, expression, name;
        bool scatter, line, curve;
        long scatterColor, lineColor, symbol;
    };
    const std::vector<Case> cases = {
        {1, "Scatter Plot: ", "", "Scatter Plot: y=", true, false, false, 0xFF0000, 0, 2},
        {2, "Nonlinear Model: ", "2*x", "Nonlinear Model: y=2*x", false, true, true, 0, 0x123456, 1},
        {3, "", "2*x", "y=2*x", true, true, false, 0, 0, 1},  // neither group: a new graph's look
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        setDocument({});
        FakeHost host;
        gScene->RotYaw = 45;
        const auto g = AddNonLinCurveGraph(host, kX, kY, 3, c.kind, c.title, c.expression, 0x123456);
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->NameS, c.name);
        EXPECT_EQ(g->Show2DScatter, c.scatter);
        EXPECT_EQ(g->Show2DLine, c.line);
        EXPECT_EQ(g->Show2DCurve, c.curve);
        EXPECT_EQ(g->ScatterColor, c.scatterColor);
        EXPECT_EQ(g->LineColor, c.lineColor);
        EXPECT_EQ(g->Symbol, c.symbol);
        EXPECT_EQ((std::vector<long>{g->StepU, g->StepV, g->GraphType, g->CoordType, g->FillStyle, g->FirstColor,
                                     g->Material, g->Show, g->Smoothness, g->FunForm}),
                  (std::vector<long>{1, 2, 4, 1, 4, 0xFF0000, 4, 2, 1, 2}));
        EXPECT_EQ(g->VertTab3D(0, 2)->Y, 6);
        EXPECT_EQ(g->ID, 1);
        EXPECT_EQ(gPlotKind, 4);
        EXPECT_EQ(gScene->RotYaw, 0);
        EXPECT_EQ(host.lines, std::vector<std::string>{c.name});
    }
    // One point is a graph with StepV 0; no point is no graph.
    FakeHost host;
    EXPECT_EQ(AddNonLinCurveGraph(host, kX, kY, 1, 1, "", "", 0)->StepV, 0);
    EXPECT_EQ(AddNonLinCurveGraph(host, kX, kY, 0, 1, "", "", 0), nullptr);
}

TEST(AddNonLinCurveGraph, ReplaceModeCopiesIntoTheCurrentLineOrAddsWithoutOne) {
    setDocument({});
    FakeHost host;
    AddNonLinCurveGraph(host, kX, kY, 3, 1, "Scatter Plot: ", "", 0);
    const auto first = graphAt(1);
    gScene->FunSurfs.Remove(Cls8::KeyOf(first->ID));  // hidden
    host.ticked[0] = false;
    gScene->RotYaw = 30;

    gReplaceSelectedGraph = true;
    host.current = 0;
    AddNonLinCurveGraph(host, {{7, 8}}, {{9, 10}}, 2, 2, "Nonlinear Model: ", "a", 0x00FF00);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
    EXPECT_EQ(first->NameS, "Nonlinear Model: y=a");
    EXPECT_EQ(first->LineColor, 0x00FF00);
    EXPECT_EQ(first->VertTab3D(0, 0)->X, 1);  // its own points stay
    EXPECT_FALSE(gScene->FunSurfs.Contains(Cls8::KeyOf(first->ID)));
    EXPECT_EQ(host.lines, std::vector<std::string>{"Nonlinear Model: y=a"});
    EXPECT_EQ(gScene->RotYaw, 30);
    EXPECT_FALSE(gReplaceSelectedGraph);

    // Replace mode with no current line: there is nothing to copy into, so the graph is added.
    gReplaceSelectedGraph = true;
    host.current = -1;
    AddNonLinCurveGraph(host, kX, kY, 3, 2, "Nonlinear Model: ", "b", 0);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 2);
    EXPECT_EQ(graphAt(2)->ID, 2);
    EXPECT_EQ(host.lines.back(), "Nonlinear Model: y=b");
    EXPECT_FALSE(gReplaceSelectedGraph);
    EXPECT_EQ(gScene->RotYaw, 0);
}

TEST(AddNonLinCurveGraph, MoreThanACurveHoldsKeepsTheFirstPoints) {
    setDocument({});
    FakeHost host;
    std::vector<double> x(10050), y(10050, 1);
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<double>(i);
    const auto g = AddNonLinCurveGraph(host, x, y, 10050, 1, "Scatter Plot: ", "", 0);
    EXPECT_EQ(g->StepV, 10000);
    EXPECT_EQ(g->VertTab3D(0, 10000)->X, 10000);
}

}  // namespace
