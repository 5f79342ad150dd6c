// The run behind OK of the nonlinear curve fitting dialog: the report, the
// two graphs, the options it fits with, and every input it refuses.
#include <gtest/gtest.h>

#include <cmath>

#include "../shared/fake_host.h"
#include "fitting/nonlinear/nonlin_fit_run.h"
#include "formula/cls6.h"
#include "../shared/report_lines.h"

namespace {

FitDialogInput input(const std::string& model, std::vector<std::string> parameters) {
    FitDialogInput in;
    in.model = model;
    in.parameters = std::move(parameters);
    in.columns = {{"Var1", 1}, {"Var2", 2}};
    return in;
}

class NonLinFitRun : public ::testing::Test {
protected:
    void SetUp() override {
        setDocument({{"Var1", {1, 2, 3}}, {"Var2", {1, 3, 2}}});
        // The compiler's own box, as the main window shows it.
        formula::setSyntaxMessageSink([](const std::string& text) {
            platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical, "Syntax Error");
        });
    }
    void TearDown() override { formula::setSyntaxMessageSink(nullptr); }
    FakeHost host;
    platform::MsgRecorder msgs;
};

TEST_F(NonLinFitRun, ALineFitIsReportedLineByLineAndDrawn) {
    // y = a + b x through (1, 1), (2, 3), (3, 2): a = 1, b = 0.5, SSR = 1.5,
    // SST = 2, s = sqrt(1.5), se(a) = sqrt(1.5 * 14 / 6), se(b) = sqrt(1.5 * 3 / 6).
    gNonLinMethod = 1;
    host.report = "earlier\r\n";
    ASSERT_TRUE(RunNonLinFit(input("a+b*x", {"a(0)", "b(0)"}), host));
    EXPECT_TRUE(msgs.shown().empty());
    const std::vector<std::string> lines = reportLines(host.report);
    ASSERT_EQ(lines.size(), 15u) << host.report;
    EXPECT_EQ(lines[0], "earlier");
    EXPECT_EQ(lines[1], "Nonlinear Curve Fitting");
    EXPECT_EQ(lines[2], "Independent:Var1");
    EXPECT_EQ(lines[3], "Dependent:  Var2");
    EXPECT_EQ(lines[4], "\tModel:\ty=a+b*x");
    EXPECT_NEAR(labelledNumber(lines[5], "a"), 1, 1e-12);
    EXPECT_NEAR(labelledNumber(lines[6], "b"), 0.5, 1e-12);
    EXPECT_EQ(lines[7].rfind("\tFitted:\ty=", 0), 0u);
    EXPECT_NEAR(labelledNumber(lines[8], "se(a)="), std::sqrt(3.5), 1e-12);
    EXPECT_NEAR(labelledNumber(lines[9], "se(b)="), std::sqrt(0.75), 1e-12);
    EXPECT_NEAR(labelledNumber(lines[10], "R2="), 0.25, 1e-12);
    EXPECT_NEAR(labelledNumber(lines[11], "SSR="), 1.5, 1e-12);
    EXPECT_NEAR(labelledNumber(lines[12], "s="), std::sqrt(1.5), 1e-12);
    EXPECT_EQ(lines[13].rfind("\tIterations:\t", 0), 0u);
    EXPECT_NE(lines[13].find(" (Gauss-Newton)"), std::string::npos);
    EXPECT_EQ(lines[14], "");
    EXPECT_EQ(host.report.substr(host.report.size() - 4), "\r\n\r\n");

    ASSERT_EQ(gGraphs->FunSurfs.Count(), 2);
    EXPECT_EQ(host.lines[0], "Scatter Plot: y=");
    EXPECT_EQ(host.lines[1], "Nonlinear Model: " + lines[7].substr(9));
    const auto scatter = graphAt(1), curve = graphAt(2);
    EXPECT_EQ(scatter->StepV, 2);
    EXPECT_EQ(scatter->ScatterColor, 0xFF0000);
    EXPECT_TRUE(scatter->Show2DScatter);
    EXPECT_EQ(curve->StepV, kNonLinCurveSamples - 1);
    EXPECT_EQ(curve->LineColor, 255);
    EXPECT_EQ(curve->VertTab3D(0, 0)->X, 1);
    EXPECT_EQ(curve->VertTab3D(0, 200)->X, 3);
    for (long j = 0; j <= 200; j += 25) {
        const double x = curve->VertTab3D(0, j)->X;
        EXPECT_NEAR(x, 1 + 0.01 * static_cast<double>(j), 1e-12);
        EXPECT_NEAR(curve->VertTab3D(0, j)->Y, 1 + 0.5 * x, 1e-9);
    }
    EXPECT_EQ(gPlotKind, 4);
    EXPECT_EQ(host.drawScenes, 1);
    EXPECT_EQ(host.viewFits, 1);
}

TEST_F(NonLinFitRun, OptionsAndPlotBoxesDecideTheFitAndTheGraphs) {
    // The parameters arrive in any order and map by letter; the curve takes
    // the options' colour; neither graph is built when both boxes are clear.
    gNonLinMethod = 2;
    gNonLinCurveColor = 0x00FF00;
    FitDialogInput in = input("b*x+a", {"b(1,5)", "A(-2)"});
    ASSERT_TRUE(RunNonLinFit(in, host));
    const std::vector<std::string> lines = reportLines(host.report);
    EXPECT_NEAR(labelledNumber(lines[4], "a"), 1, 1e-9);
    EXPECT_NEAR(labelledNumber(lines[5], "b"), 0.5, 1e-9);
    EXPECT_NEAR(labelledNumber(lines[7], "se(a)="), std::sqrt(3.5), 1e-7);
    EXPECT_NE(lines[12].find(" (Levenberg-Marquardt)"), std::string::npos);
    EXPECT_EQ(graphAt(2)->LineColor, 0x00FF00);
    EXPECT_EQ(graphAt(1)->ScatterColor, 0xFF0000);

    FakeHost none;
    in.plotScatter = in.plotModel = false;
    ASSERT_TRUE(RunNonLinFit(in, none));
    EXPECT_TRUE(none.lines.empty());
    EXPECT_EQ(none.drawScenes, 1);

    FakeHost modelOnly;
    in.plotModel = true;
    ASSERT_TRUE(RunNonLinFit(in, modelOnly));
    ASSERT_EQ(modelOnly.lines.size(), 1u);
    EXPECT_EQ(modelOnly.lines[0].rfind("Nonlinear Model: y=", 0), 0u);
}

TEST_F(NonLinFitRun, TheCurveBreaksWhereTheModelHasNoValue) {
    // a/x over x from -1 to 1 has no value at 0, the middle sample.
    setDocument({{"Var1", {-1, -0.5, 0.5, 1}}, {"Var2", {-2, -4, 4, 2}}});
    ASSERT_TRUE(RunNonLinFit(input("a/x", {"a(1)"}), host));
    const auto curve = graphAt(2);
    EXPECT_EQ(curve->VertTab3D(0, 100)->X, 0);
    EXPECT_EQ(curve->VertTab3D(0, 100)->Y, formula::UndefinedValue);
    EXPECT_NEAR(curve->VertTab3D(0, 101)->Y, 2 / curve->VertTab3D(0, 101)->X, 1e-9);
}

TEST_F(NonLinFitRun, MoreRowsThanACurveHoldsPlotTheFirstWithTheCurveRoadsNote) {
    std::vector<double> x(12000), y(12000);
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<double>(i), y[i] = 3 * x[i];
    setDocument({{"Var1", x}, {"Var2", y}});
    ASSERT_TRUE(RunNonLinFit(input("a*x", {"a(1)"}), host));
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{"The scatter plot shows the first 10001 of the 12000 data points."});
    EXPECT_EQ(graphAt(1)->StepV, 10000);
    EXPECT_EQ(graphAt(2)->VertTab3D(0, 200)->X, 11999);  // the curve spans all the data
}

TEST_F(NonLinFitRun, BadInputIsRefusedWithAClearMessageAndNothingDone) {
    struct Case {
        const char* what;
        FitDialogInput in;
        std::string message;  // exact, or (with contains) a part of the solver's sentence
        bool contains = false;
        std::string title = "Trelvane";
    };
    FitDialogInput noX = input("a*x", {"a(1)"});
    noX.columns[0] = {};
    FitDialogInput noY = input("a*x", {"a(1)"});
    noY.columns[1] = {};
    FitDialogInput gone = input("a*x", {"a(1)"});
    gone.columns[1] = {"Var7", 7};
    const std::string gap = "The parameters must be a, b, c, ... in the order of a to t, without a gap.";
    const std::vector<Case> cases = {
        {"empty slot x", noX, "Please select variables first."},
        {"empty slot y", noY, "Please select variables first."},
        {"a column gone", gone, "The column \"Var7\" is not in the data."},
        {"empty model", input(" \r\n", {"a(1)"}), "Please enter a model first."},
        {"syntax error", input("a*(x", {"a(1)"}), "Character", true, "Syntax Error"},
        {"y in the model", input("a*y", {"a(1)"}), "variable y", true},
        {"z in the model", input("a*z+x", {"a(1)"}), "variable z", true},
        {"RND in the model", input("a*rnd(x)", {"a(1)"}), "RND", true},
        {"no parameters", input("a*x", {}), "Please enter the parameters and their starting values first."},
        {"not a..t", input("a*x", {"a(1)", "u(1)"}), "The parameter names must be letters from a to t."},
        {"a name of two letters", input("a*x", {"ab(1)"}), "The parameter names must be letters from a to t."},
        {"doubled", input("a*x", {"a(1)", "A(2)"}), "The parameter a is listed twice."},
        {"with a gap", input("a*x+c", {"a(1)", "c(1)"}), gap},
        {"a start not a number", input("a*x", {"a(one)"}), "The starting value of parameter a is not a number."},
        {"an empty start", input("a*x", {"a()"}), "The starting value of parameter a is not a number."},
        {"unused", input("a*x", {"a(1)", "b(1)"}), "not used by the model", true},
        {"unlisted", input("a*x+b", {"a(1)"}), "which has no starting value", true},
        {"fewer points than parameters", input("a+b*x+c*x^2+d*x^3", {"a(1)", "b(1)", "c(1)", "d(1)"}),
         "fewer data points", true},
        {"no value at the start", input("a*log(x-b)", {"a(1)", "b(2)"}), "no value at the starting values", true},
        {"singular", input("a*b*x", {"a(1)", "b(1)"}), "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setDocument({{"Var1", {1, 2, 3}}, {"Var2", {1, 3, 2}}});
        FakeHost h;
        h.report = "kept\r\n";
        msgs.clear();
        EXPECT_FALSE(RunNonLinFit(c.in, h));
        ASSERT_EQ(msgs.shown().size(), 1u);
        const platform::MsgRecord& box = msgs.shown()[0];
        if (c.contains)
            EXPECT_NE(box.text.find(c.message), std::string::npos) << box.text;
        else
            EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.title, c.title);
        if (c.title == "Trelvane") {
            EXPECT_EQ(box.icon, platform::MsgIcon::None);
        }
        EXPECT_EQ(h.report, "kept\r\n");
        EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
        EXPECT_EQ(h.drawScenes + h.viewFits, 0);
    }
}

TEST_F(NonLinFitRun, AFitThatDoesNotConvergeIsNeverReported) {
    setDocument({{"Var1", {1, 2, 3, 4, 5}}, {"Var2", {2.7, 7.4, 20, 55, 148}}});
    gNonLinMaxIterations = 1;
    EXPECT_FALSE(RunNonLinFit(input("a*exp(b*x)", {"a(0.1)", "b(0.1)"}), host));
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{"The fit did not converge within 1 iteration."});
    EXPECT_EQ(host.report, "");
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);

    // Options out of range never reach the solver as a fit.
    gNonLinMaxIterations = 0;
    msgs.clear();
    EXPECT_FALSE(RunNonLinFit(input("a*exp(b*x)", {"a(1)", "b(1)"}), host));
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{"The maximum number of iterations must be between 1 and 100000."});
}

// Growth from 2 to 110 over x = 0..400 with a wobble of 1 %, and the starting values a new
// user types: a poor start ends with a message that asks for other starting values, and
// nothing is reported or drawn (a = 1.6E-61 and R2 = -1.9E+221 once were); a fair start fits.
TEST_F(NonLinFitRun, APoorStartIsNeverReportedAsAFit) {
    std::vector<double> x, y;
    for (int i = 0; i <= 40; ++i) {
        x.push_back(10.0 * i);
        y.push_back(2 * std::exp(0.01 * x.back()) * (1 + 0.01 * std::sin(1.7 * i + 0.3)));
    }
    setDocument({{"Var1", x}, {"Var2", y}});
    for (long method : {1L, 2L}) {
        gNonLinMethod = method;
        for (const char* b : {"b(1)", "b(0.3)", "b(2)"}) {
            SCOPED_TRACE(std::to_string(method) + " from " + b);
            msgs.clear();
            EXPECT_FALSE(RunNonLinFit(input("a*exp(b*x)", {"a(1)", b}), host));
            ASSERT_EQ(msgs.texts().size(), 1u);
            EXPECT_NE(msgs.texts()[0].find("please try other starting values"), std::string::npos) << msgs.texts()[0];
            EXPECT_EQ(host.report, "");
            EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
        }
    }
    msgs.clear();
    ASSERT_TRUE(RunNonLinFit(input("a*exp(b*x)", {"a(1)", "b(0.01)"}), host));
    EXPECT_TRUE(msgs.texts().empty());
    EXPECT_NEAR(labelledNumber(reportLines(host.report)[4], "a"), 2.01596, 1e-5);
    EXPECT_NEAR(labelledNumber(reportLines(host.report)[5], "b"), 0.00997391, 1e-8);
}

// The data a new user types first: an exact quadratic, whose constant's best value is 0. Both
// methods report it and draw it. A parameter the model does not change with is named, and
// nothing is reported or drawn.
TEST_F(NonLinFitRun, ExactDataAreReportedAndAnUndeterminedParameterIsNamed) {
    std::vector<double> x, y;
    for (int i = 0; i < 30; ++i) {
        x.push_back(10.0 * i / 29);
        y.push_back(2 * x.back() * x.back() + 3 * x.back());
    }
    for (long method : {1L, 2L}) {
        SCOPED_TRACE(method);
        setDocument({{"Var1", x}, {"Var2", y}});
        gNonLinMethod = method;
        msgs.clear();
        FakeHost h;
        ASSERT_TRUE(RunNonLinFit(input("a*x^2+b*x+c", {"a(1)", "b(1)", "c(1)"}), h));
        EXPECT_TRUE(msgs.texts().empty());
        EXPECT_NEAR(labelledNumber(reportLines(h.report)[4], "a"), 2, 1e-12);
        EXPECT_NEAR(labelledNumber(reportLines(h.report)[5], "b"), 3, 1e-12);
        EXPECT_NEAR(labelledNumber(reportLines(h.report)[6], "c"), 0, 1e-12);
        EXPECT_GT(gGraphs->FunSurfs.Count(), 0);

        setDocument({{"Var1", x}, {"Var2", y}});
        gNonLinMethod = method;
        msgs.clear();
        FakeHost none;
        EXPECT_FALSE(RunNonLinFit(input("a*x+0*b", {"a(1)", "b(1)"}), none));
        EXPECT_EQ(msgs.texts(), std::vector<std::string>{
                                    "The parameter b cannot be determined: with these data the model does not change "
                                    "with it, whatever the parameters' values."});
        EXPECT_EQ(none.report, "");
        EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
    }
}

TEST_F(NonLinFitRun, GridRowsFollowTheFittingDataRule) {
    // A longer third column adds no points; a gap in a chosen column stops the fit.
    setDocument({{"Var1", {1, 2, 3}}, {"Var2", {1, 3, 2}}, {"Var3", {1, 2, 3, 4, 5}}});
    ASSERT_TRUE(RunNonLinFit(input("a+b*x", {"a(0)", "b(0)"}), host));
    EXPECT_EQ(graphAt(1)->StepV, 2);
    EXPECT_NEAR(labelledNumber(reportLines(host.report)[9], "R2="), 0.25, 1e-9);

    setDocument({{"Var1", {1, 2, 3}}, {"Var2", {1, 3, 2, 5}}});
    FakeHost h;
    EXPECT_FALSE(RunNonLinFit(input("a+b*x", {"a(0)", "b(0)"}), h));
    EXPECT_EQ(msgs.texts().back(), "Column Var1, row 4: no number.");
    EXPECT_EQ(h.report, "");
}

TEST_F(NonLinFitRun, AFailingResultStepKeepsWhatWasReported) {
    struct ThrowingHost : FakeHost {
        void addGraphToList(const std::shared_ptr<Cls9>&) override { throw std::runtime_error("list full"); }
    } h;
    EXPECT_FALSE(RunNonLinFit(input("a+b*x", {"a(0)", "b(0)"}), h));
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{"The nonlinear fit stopped: list full"});
    EXPECT_EQ(reportLines(h.report).size(), 14u);  // the whole report stays
    EXPECT_EQ(h.drawScenes, 0);
}

}  // namespace
