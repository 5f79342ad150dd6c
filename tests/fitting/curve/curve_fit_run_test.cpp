// The curve fit run: report text, graphs, the end of a run, and every way a
// run stops (with what it had done kept).
#include <gtest/gtest.h>

#include <cmath>

#include "../shared/fake_host.h"
#include "fitting/curve/curve_fit_run.h"
#include "formula/program.h"

namespace {

const std::string kHeader = "Curve Fitting\r\nIndependent:Var1\r\nDependent:  Var2\r\n";

CurveFitRequest request(std::initializer_list<int> models, bool scatter = true, bool curves = true) {
    CurveFitRequest r;
    r.xName = "Var1";
    r.yName = "Var2";
    r.xColumn = 1;
    r.yColumn = 2;
    for (int m : models) r.models[static_cast<std::size_t>(m - 1)] = true;
    r.plotScatter = scatter;
    r.plotModels = curves;
    return r;
}

class CurveFitRun : public ::testing::Test {
protected:
    FakeHost host;
    platform::MsgRecorder msgs;
};

TEST_F(CurveFitRun, LinearOnThreePointsReportsPlotsZoomsAndCompletes) {
    setDocument({{"Var1", {1, 2, 3}}, {"Var2", {1, 3, 2}}});
    host.report = "earlier text\r\n";
    ASSERT_TRUE(RunCurveFit(request({1}), host));
    EXPECT_EQ(host.report, "earlier text\r\n" + kHeader +
                               "\tLinear Model:         \ty=1+0.5*X\r\n"
                               "\t                      R2=\t0.25\r\n\r\n");
    EXPECT_TRUE(msgs.shown().empty());
    EXPECT_EQ(host.drawScenes, 1);
    EXPECT_EQ(host.viewFits, 1);
    EXPECT_EQ(gPlotKind, 4);

    ASSERT_EQ(gGraphs->FunSurfs.Count(), 2);
    EXPECT_EQ(gScene->FunSurfs.Count(), 2);
    EXPECT_EQ(host.lines, (std::vector<std::string>{"Scatter Plot: y=", "Linear Model: y=1+0.5*X"}));
    const auto scatter = graphAt(1), line = graphAt(2);
    EXPECT_EQ(scatter->StepV, 2);
    EXPECT_EQ(scatter->ScatterColor, 255);
    EXPECT_DOUBLE_EQ(scatter->VertTab3D(0, 2)->X, 3);
    EXPECT_DOUBLE_EQ(scatter->VertTab3D(0, 2)->Y, 2);
    EXPECT_EQ(line->StepV, 99);
    EXPECT_EQ(line->LineColor, 0x800000);
    for (long i = 0; i < 100; ++i) {
        const double X = 1 + 0.02 * static_cast<double>(i);
        EXPECT_NEAR(line->VertTab3D(0, i)->X, X, 1e-12);
        EXPECT_NEAR(line->VertTab3D(0, i)->Y, 1 + 0.5 * X, 1e-12);
    }
    EXPECT_NEAR(line->VertTab3D(0, 99)->X, 2.98, 1e-12);
}

TEST_F(CurveFitRun, AllTenModelsMatchIndependentValues) {
    setDocument({{"Var1", {1, 2, 3, 4, 5}}, {"Var2", {2.0, 5.9, 11.8, 16.1, 24.8}}});
    ASSERT_TRUE(RunCurveFit(request({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), host));
    EXPECT_EQ(host.report,
              kHeader +
                  "\tLinear Model:         \ty=-4.62+5.58*X\r\n\t                      R2=\t0.9796619555\r\n"
                  "\tInversive(1) Model:   \ty=22.7592001056+(-23.2975184794)/X\r\n\t                      R2=\t0.7187777678\r\n"
                  "\tInversive(2) Model:   \ty=1/(-0.094897123+0.5829885921/X)\r\n\t                      R2=\t0.9891724598\r\n"
                  "\tLogarithmn Model:     \ty=-0.482075746+13.1614595106*log(X)\r\n\t                      R2=\t0.8804809232\r\n"
                  "\tExponential Model:    \ty=exp(0.3733944377+0.6039259866*X)\r\n\t                      R2=\t0.9402870611\r\n"
                  "\tXY Logarithmn Model:  \ty=exp(0.7033022445+1.5476477378*log(X))\r\n\t                      R2=\t0.997565133\r\n"
                  "\tS Model:              \ty=exp(3.5406480389+(-2.968194835)*(1/X))\r\n\t                      R2=\t0.9559722725\r\n"
                  "\tX Root Model:         \ty=-17.6869856248+17.7796491414*sqr(X)\r\n\t                      R2=\t0.9421979614\r\n"
                  "\tY Root Model:         \ty=(0.6396572029+0.8714981523*X)^2\r\n\t                      R2=\t0.9924998765\r\n"
                  "\tXY Root Model:        \ty=(-1.4926620869+2.8314397174*sqr(X))^2\r\n\t                      R2=\t0.9924304978\r\n"
                  "\r\n");
    ASSERT_EQ(gGraphs->FunSurfs.Count(), 11);
    // Curves come from the model texts, so from the rounded a and b.
    const auto expo = graphAt(6), yroot = graphAt(10), xyroot = graphAt(11);
    EXPECT_EQ(expo->NameS, "Exponential Model: y=exp(0.3733944377+0.6039259866*X)");
    EXPECT_EQ(xyroot->LineColor, 0x0000FF);
    for (long i = 0; i < 100; i += 11) {
        const double X = expo->VertTab3D(0, i)->X;
        EXPECT_NEAR(X, 1 + 0.04 * static_cast<double>(i), 1e-12);
        EXPECT_NEAR(expo->VertTab3D(0, i)->Y / std::exp(0.3733944377 + 0.6039259866 * X), 1, 1e-12);
        EXPECT_NEAR(yroot->VertTab3D(0, i)->Y, std::pow(0.6396572029 + 0.8714981523 * X, 2), 1e-9);
        EXPECT_NEAR(xyroot->VertTab3D(0, i)->Y, std::pow(-1.4926620869 + 2.8314397174 * std::sqrt(X), 2), 1e-9);
    }
}

TEST_F(CurveFitRun, EachDataCheckStopsTheRunKeepingTheEarlierModels) {
    const char* xZero = "At lease one of independent variable values is equal to 0.";
    struct Case {
        int model;
        std::vector<double> x, y;
        const char* message;
    };
    const std::vector<Case> cases = {
        {2, {1, 0, 2}, {1, 2, 3}, xZero},
        {3, {1, 2, 3}, {1, 0, 3}, "At lease one of dependent variable values is equal to 0."},
        {3, {0, 2, 3}, {1, 2, 3}, xZero},
        {4, {1, -1, 2}, {1, 2, 3}, "At lease one of independent variable values is <= 0."},
        {5, {1, 2, 3}, {1, 0, 3}, "At lease one of dependent variable values is <= 0."},
        {6, {1, 2, 3}, {1, -2, 3}, "At lease one of variable values is <= 0."},
        {7, {1, 2, 3}, {1, -2, 3}, "At lease one of dependent variable values is <= 0."},
        {7, {1, 0, 3}, {1, 2, 3}, xZero},
        {8, {1, -2, 3}, {1, 2, 3}, "At lease one of independent variable values is < 0."},
        {9, {1, 2, 3}, {1, -2, 3}, "At lease one of dependent variable values is < 0."},
        {10, {1, 2, 3}, {1, 2, -3}, "At lease one of variable values is < 0."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        setDocument({{"Var1", c.x}, {"Var2", c.y}});
        FakeHost h;
        msgs.clear();
        // Linear first, then the model and every model after it.
        CurveFitRequest r = request({1});
        for (int m = c.model; m <= kCurveModelCount; ++m) r.models[static_cast<std::size_t>(m - 1)] = true;
        EXPECT_FALSE(RunCurveFit(r, h));
        EXPECT_EQ(msgs.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(msgs.shown().at(0).icon, platform::MsgIcon::None);
        // Linear stays reported and plotted; no later model, no final line, no zoom.
        EXPECT_EQ(h.report.rfind(kHeader + "\tLinear Model:", 0), 0u);
        EXPECT_EQ(std::count(h.report.begin(), h.report.end(), '\n'), 5);
        EXPECT_EQ(h.lines.size(), 2u);
        EXPECT_EQ(h.lines.back().rfind("Linear Model: y=", 0), 0u);
        EXPECT_EQ(gGraphs->FunSurfs.Count(), 2);
        EXPECT_EQ(h.drawScenes + h.viewFits, 0);
    }
}

TEST_F(CurveFitRun, BadInputStopsWithAClearMessageAndKeepsTheReport) {
    struct Case {
        std::vector<std::pair<std::string, std::vector<double>>> columns;
        CurveFitRequest request;
        bool gridLoads;
        std::string message;  // "" when the grid loader spoke for itself
        bool header;          // whether the report header was written
    };
    CurveFitRequest noX = request({1});
    noX.xName.clear();
    CurveFitRequest gone = request({1});
    gone.yName = "Var9";
    gone.yColumn = 9;
    const std::vector<Case> cases = {
        {{{"Var1", {1, 2, 3}}, {"Var2", {1, 2, 3}}}, noX, true, "Please select variables first.", false},
        {{{"Var1", {1, 2}}, {"Var2", {1, 2}}}, request({1}), true, "The number of data points must be >=3.", false},
        {{{"Var1", {1}}, {"Var2", {1}}}, request({1}), true, "The number of data points must be >=3.", false},
        {{{"Var1", {1, 2, 3}}, {"Var2", {1, 2, 3}}}, gone, true, "The column \"Var9\" is not in the data.", false},
        {{{"Var1", {1, 2, 3}}, {"Var2", {1, 2, 3}}}, request({1}), false, "", false},
    };
    for (const Case& c : cases) {
        setDocument(c.columns);
        FakeHost h;
        h.report = "kept\r\n";
        h.gridLoads = c.gridLoads;
        msgs.clear();
        EXPECT_FALSE(RunCurveFit(c.request, h));
        EXPECT_EQ(msgs.texts(), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
        EXPECT_EQ(h.report, "kept\r\n");
        EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
    }
}

TEST_F(CurveFitRun, PlotOptionsAndNoModels) {
    setDocument({{"Var1", {1, 2, 3}}, {"Var2", {1, 3, 2}}});
    ASSERT_TRUE(RunCurveFit(request({1, 5}, false, false), host));
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
    EXPECT_NE(host.report.find("Exponential Model:"), std::string::npos);

    FakeHost empty;
    ASSERT_TRUE(RunCurveFit(request({}, false, false), empty));
    EXPECT_EQ(empty.report, kHeader + "\r\n");
    EXPECT_EQ(empty.drawScenes, 1);
    EXPECT_EQ(empty.viewFits, 1);

    FakeHost scatterOnly;
    ASSERT_TRUE(RunCurveFit(request({1}, true, false), scatterOnly));
    EXPECT_EQ(scatterOnly.lines, std::vector<std::string>{"Scatter Plot: y="});
}

// A model whose line is beyond the range of numbers is refused before anything is reported,
// whichever ticked model it is; a line of huge values that a Double holds is fitted.
TEST_F(CurveFitRun, FitsBeyondTheRangeOfNumbersAreRefusedLeavingAllAsItWas) {
    struct Case {
        std::vector<double> x, y;
        CurveFitRequest models;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{1e-300, 2e-300, 3e-300}, {-1e308, 0, 1e308}, request({5, 1}),
         "Linear Model: cannot be fitted: the values are too large for the model: its slope or intercept is beyond "
         "the range of numbers (1.79769313486232E+308)."},
        {{1, 4.9e-324, 3}, {1, 2, 3}, request({1, 2}),
         "Inversive(1) Model: cannot be fitted: data point 2 (x=4.94065645841247E-324, y=2) has no transformed value "
         "within the range of numbers."},
    };
    for (const Case& c : cases) {
        setDocument({{"Var1", c.x}, {"Var2", c.y}});
        FakeHost h;
        h.report = "kept\r\n";
        msgs.clear();
        EXPECT_FALSE(RunCurveFit(c.models, h));
        EXPECT_EQ(msgs.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(h.report, "kept\r\n");
        EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
    }
    // x about 1e200 and y about 1e300: the exact line y = 1e100 x.
    setDocument({{"Var1", {1e200, 2e200, 3e200}}, {"Var2", {1e300, 2e300, 3e300}}});
    ASSERT_TRUE(RunCurveFit(request({1}), host));
    EXPECT_NE(host.report.find("R2=\t1\r\n"), std::string::npos) << host.report;
}

TEST_F(CurveFitRun, DegenerateModelsAreReportedAndTheRunGoesOn) {
    // All x equal: no line for any model; all y equal: exact line, R2 undefined.
    setDocument({{"Var1", {2, 2, 2}}, {"Var2", {1, 2, 3}}, {"Var3", {4, 4, 4}}});
    ASSERT_TRUE(RunCurveFit(request({1, 2}), host));
    EXPECT_EQ(host.report, kHeader +
                               "\tLinear Model:         \tnot fitted: the independent variable values are all equal.\r\n"
                               "\tInversive(1) Model:   \tnot fitted: the independent variable values are all equal.\r\n"
                               "\r\n");
    EXPECT_EQ(host.lines.size(), 1u);  // the scatter only
    EXPECT_TRUE(msgs.shown().empty());

    FakeHost flat;
    setDocument({{"Var1", {1, 2, 3}}, {"Var2", {4, 4, 4}}});
    ASSERT_TRUE(RunCurveFit(request({1}), flat));
    EXPECT_EQ(flat.report, kHeader +
                               "\tLinear Model:         \ty=4+0*X\r\n"
                               "\t                      R2=\tundefined (the dependent variable values are all equal)\r\n"
                               "\r\n");
    ASSERT_EQ(gGraphs->FunSurfs.Count(), 2);
    EXPECT_DOUBLE_EQ(graphAt(2)->VertTab3D(0, 50)->Y, 4);
}

TEST_F(CurveFitRun, ColumnsAreFoundByTheLineChosen) {
    // Two columns named alike: the one the user picked supplies the values.
    setDocument({{"Var1", {1, 2, 3}}, {"Var1", {10, 20, 30}}, {"Var2", {1, 3, 2}}});
    CurveFitRequest r = request({1}, false, false);
    r.yColumn = 3;
    r.xColumn = 1;
    ASSERT_TRUE(RunCurveFit(r, host));
    EXPECT_NE(host.report.find("y=1+0.5*X"), std::string::npos);
    FakeHost second;
    r.xColumn = 2;
    ASSERT_TRUE(RunCurveFit(r, second));
    EXPECT_NE(second.report.find("y=1+0.05*X"), std::string::npos);

}

TEST_F(CurveFitRun, EmptyAndTextCellsNeverBecomePoints) {
    // A longer third column adds no (0, 0) points: rows with both chosen cells
    // empty are left out.
    setDocument({{"Var1", {1, 2, 3}}, {"Var2", {1, 3, 2}}, {"Var3", {1, 2, 3, 4, 5}}});
    ASSERT_TRUE(RunCurveFit(request({1}), host));
    EXPECT_NE(host.report.find("y=1+0.5*X\r\n\t                      R2=\t0.25\r\n"), std::string::npos);
    EXPECT_EQ(graphAt(1)->StepV, 2);

    // A chosen cell missing beside a filled one stops the run before anything
    // is reported; so does a text.
    setDocument({{"Var1", {1, 2, 3}}, {"Var2", {1, 3, 2, 5}}});
    FakeHost shortCol;
    EXPECT_FALSE(RunCurveFit(request({1, 2}), shortCol));
    EXPECT_EQ(msgs.texts().back(), "Column Var1, row 4: no number.");
    EXPECT_EQ(shortCol.report, "");
    setDocument({{"Var1", {1, 2, 3, 4}}, {"Var2", {1, 3, 2, 5}}});
    gGridValues.cell(2, 2) = GridCell::Text;
    EXPECT_FALSE(RunCurveFit(request({1}), shortCol));
    EXPECT_EQ(msgs.texts().back(), "Column Var2, row 2: no number.");
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
}

TEST_F(CurveFitRun, ACurvePointWithoutAValueIsMarkedUndefined) {
    // The abscissae cross 0 at X(50): Inverse(1) has no value there, and the
    // point must not keep a value of the scatter or an earlier model.
    setDocument({{"Var1", {-1, 0.5, 1}}, {"Var2", {3, 2, 5}}});
    ASSERT_TRUE(RunCurveFit(request({1, 2}), host));
    ASSERT_EQ(gGraphs->FunSurfs.Count(), 3);
    const auto inverse = graphAt(3);
    EXPECT_EQ(inverse->VertTab3D(0, 50)->X, 0);
    EXPECT_EQ(inverse->VertTab3D(0, 50)->Y, formula::UndefinedValue);
    EXPECT_NE(inverse->VertTab3D(0, 49)->Y, formula::UndefinedValue);
}

TEST_F(CurveFitRun, MoreRowsThanACurveHoldsShowTheFirstPoints) {
    std::vector<double> x(12000), y(12000);
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<double>(i + 1), y[i] = 2 * x[i] + 1;
    setDocument({{"Var1", x}, {"Var2", y}});
    ASSERT_TRUE(RunCurveFit(request({1}), host));
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{"The scatter plot shows the first 10001 of the 12000 data points."});
    EXPECT_EQ(graphAt(1)->StepV, 10000);
    EXPECT_NE(host.report.find("y=1+2*X"), std::string::npos);
    EXPECT_NE(host.report.find("R2=\t1\r\n"), std::string::npos);
}

}  // namespace
