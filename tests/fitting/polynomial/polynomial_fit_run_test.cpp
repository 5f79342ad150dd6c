// The polynomial fit run: its numbers against values worked out apart from the
// program, the graphs it builds, the document it draws in, and every way it
// stops with nothing reported or built.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "fitting/shared/add_curve_graph.h"
#include "fitting/polynomial/polynomial_fit_run.h"
#include "formula/cls6.h"
#include "poly_fake_host.h"

namespace {

using Column = std::pair<std::string, std::vector<double>>;

// The nine model texts as the dialog shows them; the test computes its data
// from them through the formula engine, apart from the solver's term tables.
const char* const kModelTexts[9] = {
    "y=b0+b1*x",
    "y=b0+b1*x+b2*x^2",
    "y=b0+b1*x+b2*x^2+b3*x^3",
    "z=b0+b1*x+b2*y",
    "z=b0+b1*x+b2*y+b3*x*y+b4*x^2+b5*y^2",
    "z=b0+b1*x+b2*y+b3*x*y+b4*x^2+b5*y^2+b6*x*y^2+b7*x^2*y+b8*x^3+b9*y^3",
    "v=b0+b1*x+b2*y+b3*z",
    "v=b0+b1*x+b2*y+b3*z+b4*x*y+b5*x*z+b6*y*z+b7*x^2+b8*y^2+b9*z^2",
    "v=b0+b1*x+b2*y+b3*z+b4*x*y+b5*x*z+b6*y*z+b7*x^2+b8*y^2+b9*z^2+b10*x^2*y+b11*x^2*z+b12*x*y^2+b13*y^2*z+"
    "b14*x*z^2+b15*y*z^2+b16*x^3+b17*y^3+b18*z^3",
};

int variablesOf(int model) { return (model - 1) / 3 + 1; }

// The model's right-hand side with b0, b1, ... replaced by (value).
std::string withCoefficients(int model, const std::vector<double>& b) {
    const std::string text = kModelTexts[model - 1];
    std::string out;
    for (std::size_t i = text.find('=') + 1; i < text.size(); ++i) {
        if (text[i] != 'b') {
            out += text[i];
            continue;
        }
        char* end = nullptr;
        const long k = std::strtol(text.c_str() + i + 1, &end, 10);
        i = static_cast<std::size_t>(end - text.c_str()) - 1;
        char buf[64];
        std::snprintf(buf, sizeof buf, "(%.17g)", b.at(static_cast<std::size_t>(k)));
        out += buf;
    }
    return out;
}

// A grid of the variables' columns Var1.. over every point of values^vars,
// with the dependent column computed from the model.
std::vector<Column> exactGrid(int model, const std::vector<double>& b, const std::vector<double>& values) {
    const int vars = variablesOf(model);
    formula::Cls6 compiler;
    std::string postfix;
    EXPECT_EQ(compiler.InfixToPostfix(withCoefficients(model, b), postfix), 0);
    std::vector<Column> cols;
    for (int v = 0; v <= vars; ++v) cols.push_back({"Var" + std::to_string(v + 1), {}});
    std::size_t total = 1;
    for (int v = 0; v < vars; ++v) total *= values.size();
    for (std::size_t n = 0; n < total; ++n) {
        formula::Vars at{};
        std::size_t rest = n;
        for (int v = 0; v < vars; ++v, rest /= values.size()) {
            at[static_cast<std::size_t>(formula::kVarX + v)] = values[rest % values.size()];
            cols[static_cast<std::size_t>(v)].second.push_back(at[static_cast<std::size_t>(formula::kVarX + v)]);
        }
        double value = 0;
        EXPECT_TRUE(compiler.DoEvaluate(postfix, false, value, at));
        cols.back().second.push_back(value);
    }
    return cols;
}

PolynomialRunRequest request(int model, bool scatter = true, bool plotModel = true) {
    PolynomialRunRequest r;
    r.model = model;
    const int vars = variablesOf(model);
    for (int v = 1; v <= vars; ++v) r.independent.push_back({"Var" + std::to_string(v), v});
    r.dependent = {"Var" + std::to_string(vars + 1), vars + 1};
    r.plotScatter = scatter;
    r.plotModel = plotModel;
    return r;
}

// The figure after "<label>\t" in the report, read as a number.
double reported(const std::string& report, const std::string& label) {
    const std::size_t at = report.find("\t" + label + "\t");
    EXPECT_NE(at, std::string::npos) << label;
    if (at == std::string::npos) return NAN;
    return std::strtod(report.c_str() + at + label.size() + 2, nullptr);
}

double coefficient(const std::string& report, std::size_t k) { return reported(report, "b" + std::to_string(k) + "="); }

// The standard error on the line of coefficient k.
double standardError(const std::string& report, std::size_t k) {
    const std::size_t line = report.find("\tb" + std::to_string(k) + "=\t");
    const std::size_t at = report.find("\tse=\t", line);
    return std::strtod(report.c_str() + at + 5, nullptr);
}

class PolynomialFitRun : public ::testing::Test {
protected:
    PolyHost host;
    platform::MsgRecorder msgs;
};

TEST_F(PolynomialFitRun, ExactDataGiveTheirCoefficientsForEveryModel) {
    for (int model = 1; model <= 9; ++model) {
        SCOPED_TRACE(kModelTexts[model - 1]);
        std::vector<double> b;
        for (int k = 0; k < 19; ++k) b.push_back((k % 3 - 1) * 0.75 + 0.125 * k + (k == 4 ? 1e-3 : 0));
        // The trinary cubic on {-1, 0, 1, 2}^3; the others on a few more values.
        const std::vector<double> values =
            model == 9 ? std::vector<double>{-1, 0, 1, 2} : std::vector<double>{-1.5, -1, 0, 0.5, 1, 2, 3};
        setDocument(exactGrid(model, b, values));
        host = PolyHost{};
        ASSERT_TRUE(RunPolynomialFit(request(model), host)) << (msgs.shown().empty() ? "" : msgs.texts().back());
        const std::string text = kModelTexts[model - 1];
        const auto p = static_cast<std::size_t>(std::count(text.begin(), text.end(), 'b'));
        for (std::size_t k = 0; k < p; ++k) EXPECT_NEAR(coefficient(host.report, k), b[k], 1e-9) << "b" << k;
        EXPECT_EQ(host.report.find("\tb" + std::to_string(p) + "="), std::string::npos);
        EXPECT_NEAR(reported(host.report, "R2="), 1, 1e-12);
        EXPECT_EQ(reported(host.report, "Data points:"), std::pow(values.size(), variablesOf(model)));
    }
}

// Noisy data whose figures were worked out once in exact rational arithmetic:
// python3 tests/fitting/polynomial/reference_fits.py
TEST_F(PolynomialFitRun, NoisyDataMatchTheReferenceFigures) {
    struct Case {
        int model;
        std::vector<Column> grid;
        std::vector<double> b, se;
        double R2;
    };
    const std::vector<Case> cases = {
        {3,
         {{"Var1", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
          {"Var2", {1.19, 1.3, 0.9, 0.31, -0.55, -1.45, -2.55, -3.07, -4.12, -4.39, -3.88, -3.0}}},
         {1.137875457875458, 0.4401996151996152, -0.295017205017205, 0.02003237503237503},
         {0.12959216462017414, 0.10676697477380977, 0.02317727224314447, 0.0013828159069116006},
         0.9965642491517478},
        {5,
         {{"Var1", {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4}},
          {"Var2", {-1, 0, 1, 2, -1, 0, 1, 2, -1, 0, 1, 2, -1, 0, 1, 2, -1, 0, 1, 2}},
          {"Var3", {1.41, 2.1, 2.14, 1.6, -0.17, 1.34, 1.73, 1.22, -0.91, 0.67, 0.87, 1.46, -1.48, -0.37, 0.63,
                    1.16, -2.24, -0.13, 0.52, 1.44}}},
         {2.053585714285714, -1.0086714285714287, 0.4319, 0.2652, 0.09714285714285714, -0.3005},
         {0.12394823633898625, 0.1268513988518477, 0.0930834785533493, 0.03192736974408494, 0.030168528699734524,
          0.05048160404482781},
         0.9735920774683304},
        {8,
         {{"Var1", {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2}},
          {"Var2", {-1, -1, -1, 0, 0, 0, 1, 1, 1, -1, -1, -1, 0, 0, 0, 1, 1, 1, -1, -1, -1, 0, 0, 0, 1, 1, 1}},
          {"Var3", {1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3}},
          {"Var4", {2.03, 2.44, 3.25, 1.75, 2.49, 3.62, 0.66, 1.54, 3.32, 3.24, 3.45, 4.27, 2.66, 3.46,
                    4.3,  2.3,  3.36, 4.39, 5.37, 5.28, 5.69, 5.0,  5.61, 6.38, 4.36, 5.58, 6.52}}},
         {1.0601851851851851, 1.0166666666666666, -1.0827777777777778, 0.35805555555555557, 0.19333333333333333,
          -0.1575, 0.3616666666666667, 0.4461111111111111, -0.1938888888888889, 0.14944444444444444},
         {0.2642897043957492, 0.16863730580803063, 0.11279408293005853, 0.27493026062742926, 0.0473829923769494,
          0.0473829923769494, 0.0473829923769494, 0.06700967044530282, 0.06700967044530282, 0.06700967044530282},
         0.9926157041360094},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        setDocument(c.grid);
        host = PolyHost{};
        ASSERT_TRUE(RunPolynomialFit(request(c.model), host));
        for (std::size_t k = 0; k < c.b.size(); ++k) {
            EXPECT_NEAR(coefficient(host.report, k), c.b[k], 1e-9 * (1 + std::abs(c.b[k]))) << "b" << k;
            EXPECT_NEAR(standardError(host.report, k), c.se[k], 1e-9 * c.se[k]) << "se b" << k;
        }
        EXPECT_NEAR(reported(host.report, "R2="), c.R2, 1e-12);
    }
}

TEST_F(PolynomialFitRun, OneVariableGivesTheScatterAndTheCurve) {
    setDocument({{"Time", {0, 1, 2, 4}}, {"Speed", {1, 3, 9, 33}}});  // y = 1 + 2x^2
    PolynomialRunRequest named = request(2);
    named.independent[0].name = "Time";
    named.dependent.name = "Speed";
    ASSERT_TRUE(RunPolynomialFit(named, host));
    EXPECT_EQ(host.report.rfind("Polynomial Fitting\r\nUnary Quadratic Model: y=b0+b1*x+b2*x^2\r\nIndependent:Time\r\n"
              "Dependent:  Speed\r\n\tb0=\t",
                                0),
              0u);
    EXPECT_EQ(host.report.substr(host.report.size() - 4), "\r\n\r\n");
    EXPECT_EQ(host.drawScenes, 1);
    EXPECT_EQ(host.viewFits, 1);
    EXPECT_TRUE(host.newDocuments.empty());  // a new document is 2-D already
    EXPECT_EQ(gPlotKind, 4);
    ASSERT_EQ(host.lines.size(), 2u);
    EXPECT_EQ(host.lines[0].rfind("Polynomial Scatter: y=", 0), 0u);
    EXPECT_EQ(host.lines[1].rfind("Polynomial Curve: y=", 0), 0u);
    const auto scatter = graphAt(1), curve = graphAt(2);
    EXPECT_EQ(scatter->StepV, 3);
    EXPECT_EQ(scatter->ScatterColor, 0xFF0000);
    EXPECT_EQ(curve->StepV, 99);
    EXPECT_EQ(curve->LineColor, 255);
    EXPECT_NEAR(curve->VertTab3D(0, 0)->X, 0, 1e-12);
    EXPECT_NEAR(curve->VertTab3D(0, 99)->X, 4, 1e-12);
    const double x = curve->VertTab3D(0, 50)->X;
    EXPECT_NEAR(curve->VertTab3D(0, 50)->Y, 1 + 2 * x * x, 1e-9);

    // The name's model compiles to the fitted polynomial.
    formula::Cls6 compiler;
    std::string postfix;
    ASSERT_EQ(compiler.InfixToPostfix(curve->NameS.substr(std::string("Polynomial Curve: y=").size()), postfix), 0);
    formula::Vars at{};
    at[formula::kVarX] = 3;
    double value = 0;
    ASSERT_TRUE(compiler.DoEvaluate(postfix, false, value, at));
    EXPECT_NEAR(value, 19, 1e-9);

    // Plot options: only the curve, then nothing but the report.
    host = PolyHost{};
    setDocument({{"Var1", {0, 1, 2, 4}}, {"Var2", {1, 3, 9, 33}}});
    ASSERT_TRUE(RunPolynomialFit(request(2, false, true), host));
    EXPECT_EQ(host.lines.size(), 1u);
    ASSERT_TRUE(RunPolynomialFit(request(2, false, false), host));
    EXPECT_EQ(host.lines.size(), 1u);
    EXPECT_EQ(host.viewFits, 2);
}

TEST_F(PolynomialFitRun, TwoAndThreeVariablesGiveTheSurfaceAndTheVolume) {
    // z = 1 + x - 2y over x 0..3, y -1..1: the model's range on the grid is -1 .. 6.
    setDocument({{"Var1", {0, 3, 0, 3, 1}}, {"Var2", {-1, -1, 1, 1, 0}}, {"Var3", {3, 6, -1, 2, 2}}});
    gPlotKind = 4;
    ASSERT_TRUE(RunPolynomialFit(request(4), host));
    EXPECT_EQ(host.newDocuments, std::vector<long>{3});
    EXPECT_EQ(gPlotKind, 3);
    ASSERT_EQ(gGraphs->FunSurfs.Count(), 1);
    const auto s = graphAt(1);
    EXPECT_EQ(s->NameS.rfind("Polynomial Surface: z=", 0), 0u);
    EXPECT_EQ(s->StepU, 30);
    EXPECT_EQ(s->StepV, 30);
    // Node (i, j): Z = the i-th x, X = the j-th y.
    EXPECT_NEAR(s->VertTab3D(30, 0)->Z, 3, 1e-12);
    EXPECT_NEAR(s->VertTab3D(30, 0)->X, -1, 1e-12);
    EXPECT_NEAR(s->VertTab3D(30, 0)->Y, 6, 1e-9);
    EXPECT_NEAR(s->VertTab3D(0, 30)->Y, -1, 1e-9);
    EXPECT_EQ(s->ContourLevel, 0);  // (6 - -1) / 20 rounds to 0
    ASSERT_EQ(s->PntNum(), 5);
    EXPECT_EQ((std::vector<double>{s->PntX(1), s->PntY(1), s->PntZ(1)}), (std::vector<double>{-1, 6, 3}));

    // Three variables: a new 4-D document, 21 nodes per axis over the data's ranges.
    setDocument(exactGrid(7, {1, 1, 10, 100}, {0, 1, 2}));
    host = PolyHost{};
    gPlotKind = 3;
    ASSERT_TRUE(RunPolynomialFit(request(7), host));
    EXPECT_EQ(host.newDocuments, std::vector<long>{11});
    const auto v = graphAt(1);
    EXPECT_EQ(v->NameS.rfind("Polynomial Volume: v=", 0), 0u);
    EXPECT_EQ(v->StepH, 20);
    EXPECT_NEAR(v->Reg4DV(20, 20, 20), 1 + 2 + 20 + 200, 1e-9);
    EXPECT_NEAR(v->Reg4DZ(0, 0, 10), 1, 1e-12);
    EXPECT_EQ(v->PntNum(), 27);
    EXPECT_EQ(v->SliceXContLevels(1), 11);  // 222 / 20 = 11.1
    EXPECT_EQ(v->Slice4YZYE(1), 21);
    EXPECT_DOUBLE_EQ(v->Slice4Z(2), 1);

    // "Plot Model" cleared: the fit is reported, no surface or volume is built.
    host = PolyHost{};
    ASSERT_TRUE(RunPolynomialFit(request(7, true, false), host));
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
    EXPECT_NE(host.report.find("Trinary Linear Model"), std::string::npos);
}

TEST_F(PolynomialFitRun, TooManyRowsCutTheScatterWithANote) {
    std::vector<double> x, y;
    for (int i = 0; i < 10050; ++i) {
        x.push_back(i);
        y.push_back(2.0 * i);
    }
    setDocument({{"Var1", x}, {"Var2", y}});
    ASSERT_TRUE(RunPolynomialFit(request(1), host));
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{ScatterLimitMessage(10050)});
    EXPECT_EQ(graphAt(1)->StepV, kMaxCurvePoints - 1);
    EXPECT_EQ(reported(host.report, "Data points:"), 10050);
}

TEST_F(PolynomialFitRun, BadInputStopsWithNothingReportedOrBuilt) {
    struct Case {
        const char* what;
        std::vector<Column> grid;
        PolynomialRunRequest request;
        std::string message;
        int loads;
    };
    PolynomialRunRequest noDependent = request(1);
    noDependent.dependent = {};
    PolynomialRunRequest noZ = request(7);
    noZ.independent[2] = {};
    PolynomialRunRequest missing = request(1);
    missing.independent[0] = {"Gone", 1};
    const std::string lead = "The coefficients cannot all be determined: ";
    const std::vector<Case> cases = {
        {"no dependent", {{"Var1", {1, 2}}, {"Var2", {1, 2}}}, noDependent, "Please select variables first.", 0},
        {"a shown row empty", {{"Var1", {1}}}, noZ, "Please select variables first.", 0},
        {"fewer rows than coefficients", {{"Var1", {1, 2, 3}}, {"Var2", {1, 4, 9}}}, request(3),
         "There are fewer data points (3) than coefficients (4).", 1},
        {"a constant column", {{"Var1", {1, 2, 3, 4}}, {"Var2", {5, 5, 5, 5}}, {"Var3", {1, 2, 3, 5}}}, request(4),
         lead + "column Var2 (y) holds only 1 distinct value, and the model's powers of y up to y need at least 2.",
         1},
        {"collinear columns", {{"Var1", {1, 2, 3, 4}}, {"Var2", {2, 4, 6, 8}}, {"Var3", {1, 2, 3, 5}}}, request(4),
         lead + "columns Var1 (x) and Var2 (y) are collinear (on these data one is a straight-line function of the "
                "other), so the model's terms are linearly dependent.",
         1},
        {"a cubic whose x^3 is beyond a Double",
         {{"Var1", {1e200, 2e200, 3e200, 4e200, 5e200, 6e200}}, {"Var2", {1, 8, 27, 64, 125, 216}}}, request(3),
         "The fit cannot be written in numbers: the values of Var1 (x) are too large for the model's powers (the "
         "coefficient b3 of x^3 would be about 1E-600, below the smallest number, 2.2E-308).",
         1},
        {"a column no longer there", {{"Var1", {1, 2, 3}}, {"Var2", {1, 2, 3}}}, missing,
         "The column \"Gone\" is not in the data.", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setDocument(c.grid);
        host = PolyHost{};
        msgs.clear();
        EXPECT_FALSE(RunPolynomialFit(c.request, host));
        EXPECT_EQ(msgs.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(host.loads, c.loads);
        EXPECT_TRUE(host.report.empty());
        EXPECT_TRUE(host.newDocuments.empty());
        EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
        EXPECT_EQ(host.drawScenes + host.viewFits, 0);
    }

    // A gap beside a number stops the run naming the cell.
    setDocument({});
    setGridTexts({{"Var1", {"1", "2", "3", "4"}}, {"Var2", {"1", "", "3", "4"}}});
    host = PolyHost{};
    msgs.clear();
    EXPECT_FALSE(RunPolynomialFit(request(1), host));
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{"Column Var2, row 2: no number."});
    EXPECT_TRUE(host.report.empty());
}

// A line through x about 1e200 is fitted on scaled columns: its figures match the closed form
// in long double and are written in the number text, the graph is drawn.
TEST_F(PolynomialFitRun, HugeAbscissaeGiveTheLineInTheNumberText) {
    const std::vector<double> x = {1e200, 2e200, 3e200, 4e200, 5e200, 6e200}, y = {1, 8, 27, 64, 125, 216};
    setDocument({{"Var1", x}, {"Var2", y}});
    ASSERT_TRUE(RunPolynomialFit(request(1), host));
    long double mx = 0, my = 0, sxx = 0, sxy = 0, ssr = 0;
    for (std::size_t k = 0; k < 6; ++k) mx += x[k] / 6.0L, my += y[k] / 6.0L;
    for (std::size_t k = 0; k < 6; ++k) sxx += (x[k] - mx) * (x[k] - mx), sxy += (x[k] - mx) * (y[k] - my);
    const long double b = sxy / sxx, a = my - b * mx;
    for (std::size_t k = 0; k < 6; ++k) ssr += (y[k] - a - b * x[k]) * (y[k] - a - b * x[k]);
    const long double seB = std::sqrt(ssr / 4 / sxx);
    EXPECT_NEAR(coefficient(host.report, 0), static_cast<double>(a), 1e-12 * 216);
    EXPECT_NEAR(coefficient(host.report, 1) / static_cast<double>(b), 1, 1e-13);
    EXPECT_NEAR(standardError(host.report, 1) / static_cast<double>(seB), 1, 1e-12);
    // No figure is longer than the number text's longest form.
    for (std::size_t at = host.report.find("\t"); at != std::string::npos; at = host.report.find("\t", at + 1))
        EXPECT_LE(host.report.find_first_of("\t\r", at + 1) - at - 1, std::string("-1.23456789012345E-100").size());
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 2);
    EXPECT_TRUE(msgs.texts().empty());
}

TEST_F(PolynomialFitRun, ADeclinedNewDocumentKeepsEverything) {
    setDocument({{"Var1", {0, 1, 2, 0}}, {"Var2", {0, 0, 1, 1}}, {"Var3", {1, 2, 3, 4}}});
    AddCurveGraph(host, std::vector<double>{1, 2}, std::vector<double>{1, 2}, 2, kCurveKindModel, "Old", "x", 0);
    host.report = "old\r\n";
    host.declineNewDocument = true;
    EXPECT_FALSE(RunPolynomialFit(request(4), host));
    EXPECT_EQ(host.newDocuments, std::vector<long>{3});
    EXPECT_TRUE(msgs.shown().empty());  // the prompt was the message
    EXPECT_EQ(host.report, "old\r\n");
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
    EXPECT_EQ(gPlotKind, 4);
    EXPECT_EQ(host.drawScenes, 0);

    // Accepted: the old graphs go, the surface comes alone.
    host.declineNewDocument = false;
    ASSERT_TRUE(RunPolynomialFit(request(4), host));
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
    EXPECT_EQ(graphAt(1)->GraphType, 6);
    EXPECT_EQ(host.report.rfind("Polynomial Fitting\r\n", 0), 0u);

    // A one-variable fit in a 2-D document joins its graphs without asking.
    setDocument({{"Var1", {0, 1, 2}}, {"Var2", {0, 1, 4}}});
    host = PolyHost{};
    gPlotKind = 1;
    AddCurveGraph(host, std::vector<double>{1, 2}, std::vector<double>{1, 2}, 2, kCurveKindModel, "Old", "x", 0);
    ASSERT_TRUE(RunPolynomialFit(request(1), host));
    EXPECT_TRUE(host.newDocuments.empty());
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 3);
}

}  // namespace
