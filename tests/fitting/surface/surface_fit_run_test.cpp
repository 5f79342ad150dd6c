// The runs behind OK of the surface and volume fitting dialogs: the result
// side of a fit (report, graph, plot boxes, redraw), the options they fit
// with, nodes without a value, and every input they refuse with nothing
// reported or built.
#include <gtest/gtest.h>

#include <QPushButton>
#include <cmath>

#include "../shared/fake_host.h"
#include "../shared/held_fit.h"
#include "../shared/report_lines.h"
#include "fitting/shared/fit_progress_box.h"
#include "fitting/surface/surface_fit_run.h"
#include "formula/cls6.h"
#include "formula/compiler.h"
#include "formula/program.h"
#include "support/when_shown.h"

namespace {

// z = 1 + 2 x - y on 3 x 3 points; for the volume the third variable w
// (0, 1, 0, ...) and v = 1 + 2 x - y + 3 w.
const std::vector<double> kX = {0, 0, 0, 1, 1, 1, 2, 2, 2}, kY = {0, 1, 2, 0, 1, 2, 0, 1, 2};

std::vector<double> column(double (*f)(double, double, double)) {
    std::vector<double> c;
    for (std::size_t i = 0; i < kX.size(); ++i) c.push_back(f(kX[i], kY[i], static_cast<double>(i % 2)));
    return c;
}

FitDialogInput input(const std::string& model, std::vector<std::string> parameters, bool volume = false) {
    FitDialogInput in;
    in.model = model;
    in.parameters = std::move(parameters);
    in.columns = {{"X", 1}, {"Y", 2}, {"Z", 3}};
    if (volume) in.columns = {{"X", 1}, {"Y", 2}, {"W", 4}, {"V", 5}};
    return in;
}

class SurfaceFitRun : public ::testing::Test {
protected:
    void SetUp() override {
        setDocument({{"X", kX},
                     {"Y", kY},
                     {"Z", column([](double x, double y, double) { return 1 + 2 * x - y; })},
                     {"W", column([](double, double, double w) { return w; })},
                     {"V", column([](double x, double y, double w) { return 1 + 2 * x - y + 3 * w; })}});
        formula::setSyntaxMessageSink([](const std::string& text) { platform::MsgBox(text); });
        gPlotKind = 3;
    }
    void TearDown() override { formula::setSyntaxMessageSink(nullptr); }
    FakeHost host;
    platform::MsgRecorder msgs;
};

TEST_F(SurfaceFitRun, ASurfaceFitIsReportedAndBuiltWithTheSurfaceOptions) {
    gSurfTolerance = 1e-10;
    gNonLinMethod = 1;  // the curve dialog's method does not apply
    ASSERT_TRUE(RunSurfaceFit(input("a+b*x+c*y", {"a(0)", "b(0)", "c(0)"}), host));
    EXPECT_TRUE(msgs.shown().empty());
    const std::vector<std::string> lines = reportLines(host.report);
    ASSERT_EQ(lines.size(), 17u) << host.report;
    EXPECT_EQ(lines[0], "Surface Fitting");
    EXPECT_EQ(lines[1], "Independent:X");
    EXPECT_EQ(lines[2], "Independent:Y");
    EXPECT_EQ(lines[3], "Dependent:  Z");
    EXPECT_EQ(lines[4], "\tModel:\tz=a+b*x+c*y");
    EXPECT_NEAR(labelledNumber(lines[5], "a"), 1, 1e-12);
    EXPECT_NEAR(labelledNumber(lines[6], "b"), 2, 1e-12);
    EXPECT_NEAR(labelledNumber(lines[7], "c"), -1, 1e-12);
    EXPECT_EQ(lines[8].rfind("\tFitted:\tz=", 0), 0u);
    EXPECT_NE(lines[8].find("*x+(-"), std::string::npos);
    EXPECT_NEAR(labelledNumber(lines[12], "R2="), 1, 1e-12);
    EXPECT_LT(labelledNumber(lines[13], "SSR="), 1e-20);
    EXPECT_NE(lines[15].find("(Levenberg-Marquardt)"), std::string::npos);

    ASSERT_EQ(gGraphs->FunSurfs.Count(), 1);
    const auto g = graphAt(1);
    EXPECT_EQ(g->NameS, "Surface Fit: " + lines[8].substr(9));
    EXPECT_EQ(g->StepU, kSurfaceFitNodes - 1);
    // Node (i, j): x = 2 i / 30 in depth, y = 2 j / 30 across, z = 1 + 2x - y up.
    EXPECT_DOUBLE_EQ(g->VertTab3D(30, 0)->Z, 2);
    EXPECT_DOUBLE_EQ(g->VertTab3D(30, 0)->X, 0);
    EXPECT_NEAR(g->VertTab3D(30, 0)->Y, 5, 1e-12);
    EXPECT_NEAR(g->VertTab3D(15, 30)->Y, 1, 1e-12);
    EXPECT_EQ(g->PntNum(), 9);
    EXPECT_EQ((std::vector<double>{g->PntX(5), g->PntY(5), g->PntZ(5)}), (std::vector<double>{2, 1, 1}));
    EXPECT_TRUE(g->ShowIrregData);
    EXPECT_EQ(gPlotKind, 3);
    EXPECT_EQ(host.drawScenes, 1);
    EXPECT_EQ(host.viewFits, 1);
}

TEST_F(SurfaceFitRun, ThePlotBoxesDecideTheGraphAndItsPoints) {
    struct Case {
        bool scatter, model;
        long graphs;
    };
    for (const Case c : {Case{true, false, 0}, Case{false, true, 1}, Case{false, false, 0}}) {
        for (bool volume : {false, true}) {
            SCOPED_TRACE(std::to_string(c.scatter) + std::to_string(c.model) + std::to_string(volume));
            SetUp();
            host = FakeHost{};
            FitDialogInput in = volume ? input("a+b*x+c*y+d*z", {"a(0)", "b(0)", "c(0)", "d(0)"}, true)
                                       : input("a+b*x+c*y", {"a(0)", "b(0)", "c(0)"});
            in.plotScatter = c.scatter;
            in.plotModel = c.model;
            ASSERT_TRUE(volume ? RunVolumeFit(in, host) : RunSurfaceFit(in, host));
            EXPECT_EQ(reportLines(host.report)[0], volume ? "Volume Fitting" : "Surface Fitting");
            ASSERT_EQ(gGraphs->FunSurfs.Count(), c.graphs);
            if (c.graphs) EXPECT_EQ(graphAt(1)->ShowIrregData, c.scatter);
            EXPECT_EQ(host.viewFits, 1);
        }
    }
}

TEST_F(SurfaceFitRun, AVolumeFitIsReportedAndBuiltOverTheDataBox) {
    ASSERT_TRUE(RunVolumeFit(input("a+b*x+c*y+d*z", {"a(0)", "b(0)", "c(0)", "d(0)"}, true), host));
    const std::vector<std::string> lines = reportLines(host.report);
    ASSERT_EQ(lines.size(), 20u) << host.report;
    EXPECT_EQ(lines[0], "Volume Fitting");
    EXPECT_EQ(lines[3], "Independent:W");
    EXPECT_EQ(lines[4], "Dependent:  V");
    EXPECT_EQ(lines[5], "\tModel:\tv=a+b*x+c*y+d*z");
    EXPECT_NEAR(labelledNumber(lines[9], "d"), 3, 1e-12);
    EXPECT_EQ(lines[10].rfind("\tFitted:\tv=", 0), 0u);
    const auto g = graphAt(1);
    EXPECT_EQ(g->NameS, "v=" + lines[10].substr(11));
    EXPECT_EQ(g->StepH, kVolumeFitNodes - 1);
    // x, y over 0 .. 2, w over 0 .. 1; v = 1 + 2x - y + 3w.
    EXPECT_DOUBLE_EQ(g->Reg4DZ(0, 0, 20), 1);
    EXPECT_DOUBLE_EQ(g->Reg4DX(20, 0, 0), 2);
    EXPECT_NEAR(g->Reg4DV(20, 0, 20), 8, 1e-9);
    EXPECT_NEAR(g->Reg4DV(0, 20, 0), -1, 1e-9);
    EXPECT_DOUBLE_EQ(g->Slice4Z(2), 0.5);
    EXPECT_EQ(g->SliceZContLevels(1), 0);  // values -1 .. 8: 9 / 20 rounds to 0
    EXPECT_EQ(g->PntNum(), 9);
    EXPECT_EQ(g->PntV(1), 3);
    EXPECT_EQ(gPlotKind, 11);
}

TEST_F(SurfaceFitRun, NodesWithoutAValue) {
    formula::CompileResult err;
    const formula::Program p = formula::compileFormula("log(x)+a*y", err);
    FittedModel model(p, {1});
    const SurfaceNodes s = SampleFittedSurface(model, {-1, 1}, {0, 2}, 3);
    EXPECT_EQ(s.Y[s.at(0, 1)], formula::UndefinedValue);  // log(-1)
    EXPECT_EQ(s.Y[s.at(1, 1)], formula::UndefinedValue);  // log(0)
    EXPECT_DOUBLE_EQ(s.value.min, 0);
    EXPECT_DOUBLE_EQ(s.value.max, 2);
    const VolumeNodes v = SampleFittedVolume(model, {-1, 1}, {0, 2}, {0, 0}, 3);
    // A hole stays a hole: painted in the lowest colour it would look like data.
    EXPECT_EQ(v.v[v.at(0, 2, 0)], formula::UndefinedValue);  // log(-1)
    EXPECT_EQ(v.v[v.at(1, 0, 0)], formula::UndefinedValue);  // log(0)
    EXPECT_DOUBLE_EQ(v.v[v.at(2, 2, 0)], 2);
    EXPECT_DOUBLE_EQ(v.value.min, 0);
}

TEST_F(SurfaceFitRun, BadInputIsRefusedWithItsMessageAndNothingReportedOrBuilt) {
    struct Case {
        const char* what;
        FitDialogInput in;
        std::string message;  // the start of the one message shown
        long maxIterations = 200;
    };
    FitDialogInput emptySlot = input("a*x+b*y", {"a(1)", "b(1)"});
    emptySlot.columns[1] = {};
    FitDialogInput emptyV = input("a*x+b*y+c*z", {"a(1)", "b(1)", "c(1)"}, true);
    emptyV.columns[3] = {};
    FitDialogInput textCell = input("a*x+b*y", {"a(1)", "b(1)"});
    textCell.columns[1] = {"Gap", 6};
    FitDialogInput fewRows = input("a*x+b*y+c", {"a(1)", "b(1)", "c(1)"});
    fewRows.columns = {{"Few", 7}, {"Few", 7}, {"Few", 7}};
    const std::vector<Case> cases = {
        {"an empty slot", emptySlot, "Please select variables first."},
        {"an empty v slot", emptyV, "Please select variables first."},
        {"no model", input(" \r\n", {"a(1)"}), "Please enter a model first."},
        {"a syntax error", input("a*(x", {"a(1)"}), ""},
        {"z in a surface model", input("a*x+z", {"a(1)"}), "The model uses the variable z, which this fit does not"},
        {"no parameters", input("a*x", {}), "Please enter the parameters and their starting values first."},
        {"a letter missing", input("a*x+b*y", {"a(1)"}), "The model uses the parameter b, which has no starting"},
        {"a letter twice", input("a*x+b*y", {"a(1)", "A(2)"}), "The parameter a is listed twice."},
        {"a bad letter", input("a*x", {"u(1)"}), "The parameter names must be letters from a to t."},
        {"a starting value that is not a number", input("a*x", {"a(1x)"}),
         "The starting value of parameter a is not a number."},
        {"a and c without b", input("a*x+c*y", {"a(1)", "c(1)"}),
         "The parameters must be a, b, c, ... in the order of a to t, without a gap."},
        {"an empty cell beside a number", textCell, "Column Gap, row 2: no number."},
        {"too few rows", fewRows, "There are fewer data points (2) than parameters (3)."},
        {"no value at the start", input("a*log(b*x+1)", {"a(1)", "b(-1)"}),
         "The model has no value at the starting values"},
        {"no convergence", input("a*exp(b*x)+y", {"a(1)", "b(0)"}), "The fit did not converge within 1 iteration.",
         1},
    };
    setDocument({{"X", kX}, {"Y", kY}, {"Z", kX}, {"W", kY}, {"V", kX}, {"Gap", {1, 0, 3}}, {"Few", {1, 2}}});
    // Row 2 of Gap is a number; empty it so the row holds an empty cell beside filled ones.
    gGridValues.cell(6, 2) = GridCell::Empty;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        msgs.clear();
        gPlotKind = 3;
        gSurfMaxIterations = c.maxIterations;
        const bool volume = c.in.columns.size() == 4;
        EXPECT_FALSE(volume ? RunVolumeFit(c.in, host) : RunSurfaceFit(c.in, host));
        ASSERT_EQ(msgs.shown().size(), 1u);
        EXPECT_EQ(msgs.shown()[0].text.rfind(c.message, 0), 0u) << msgs.shown()[0].text;
        EXPECT_EQ(host.report, "");
        EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
        EXPECT_EQ(gPlotKind, 3);
        EXPECT_EQ(host.drawScenes + host.viewFits, 0);
    }
}

}  // namespace

TEST_F(SurfaceFitRun, ACancelledSurfaceOrVolumeFitReportsAndBuildsNothing) {
    for (bool volume : {false, true}) {
        SCOPED_TRACE(volume ? "volume" : "surface");
        host.report = "Earlier";
        msgs.clear();
        const std::size_t graphs = gGraphs->FunSurfs.Count();
        HeldFit hold(1);
        bool boxShown = false;
        whenShown<FitProgressBox>(
            [&](FitProgressBox* box) {
                boxShown = true;
                box->Command1->click();
                hold.release();
            });
        const FitDialogInput in = volume ? input("a+b*x+c*y+d*z", {"a(0)", "b(0)", "c(0)", "d(0)"}, true)
                                         : input("a+b*x+c*y", {"a(0)", "b(0)", "c(0)"});
        EXPECT_FALSE(volume ? RunVolumeFit(in, host) : RunSurfaceFit(in, host));
        EXPECT_TRUE(boxShown);
        EXPECT_EQ(msgs.texts(), std::vector<std::string>{"The fit was cancelled."});
        EXPECT_EQ(host.report, "Earlier");
        EXPECT_EQ(gGraphs->FunSurfs.Count(), graphs);
        EXPECT_TRUE(host.lines.empty());
        EXPECT_EQ(host.drawScenes, 0);
        EXPECT_EQ(gPlotKind, 3);
    }
}
