// Surface and volume fitting end to end in the real main window: numbers in
// the grid, Fitting > Surface (Volume) Fitting, the columns chosen, the model
// typed with keypad, function list and keyboard, the parameters listed in
// their dialog, OK; then the report read back line by line, the graph's nodes
// against the model, and the picture. Exact data are recovered; a noisy set
// matches figures worked out apart from the program
// (tests/fitting/surface/reference_fit.py).
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <charconv>
#include <cmath>
#include <functional>
#include <regex>

#include "fitting/shared/report_lines.h"
#include "fitting/surface/surface_fit_dialog.h"
#include "fitting/surface/surface_option_dialogs.h"
#include "fitting/surface/volume_fit_dialog.h"
#include "support/gl_offscreen.h"
#include "support/when_shown.h"
#include "fit_dialog_driver.h"
#include "fit_road_fixture.h"

namespace {

// Presses the keypad key of the caption.
void key(FitDialog* d, const QString& caption) {
    for (QPushButton* k : d->keys)
        if (k->text() == caption) return k->click();
    ADD_FAILURE() << "no key " << caption.toStdString();
}

// Types "a*exp(-b*x)+c*y" with keyboard, keypad and the function list.
void typeDecayPlusC(FitDialog* d) {
    QTest::keyClicks(d->Text1, "a");
    key(d, "*");
    d->List5->setCurrentRow(3);  // exp()
    d->Command4->click();
    QTest::keyClicks(d->Text1, "-b");
    for (const char* k : {"*", "x", ")", "+"}) key(d, k);
    QTest::keyClicks(d->Text1, "c");
    for (const char* k : {"*", "y"}) key(d, k);
}

// The report lines from the last heading on.
std::vector<std::string> lastReport(frmF1& w, const std::string& heading) {
    std::string text = w.report()->toPlainText().toStdString();
    const std::size_t at = text.rfind(heading);
    if (at == std::string::npos) return {};
    std::string crlf;
    for (char c : text.substr(at)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return reportLines(crlf);
}

// A parameter line: TAB letter TAB a number text (no blank, no plus, no
// trailing zero), within `relative` of value. Returns the number text.
std::string expectParameterLine(const std::string& line, char letter, double value, double relative) {
    static const std::regex form(R"(\t[a-t]\t-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?(E[+-][0-9]{2,3})?)");
    EXPECT_TRUE(std::regex_match(line, form)) << line;
    EXPECT_EQ(line.substr(0, 3), std::string("\t") + letter + "\t");
    const double v = labelledNumber(line, std::string(1, letter));
    EXPECT_LE(std::abs(v - value), relative * std::abs(value)) << letter << " " << line;
    return line.substr(3);
}

void expectIterationsLine(const std::string& line) {
    static const std::regex form(R"(\tIterations:\t[1-9][0-9]* \(Levenberg-Marquardt\))");
    EXPECT_TRUE(std::regex_match(line, form)) << line;
}

}  // namespace

class SurfaceFitRoad : public FitRoadTest {
protected:
    // Fitting > Surface Fitting with the model typed as steps do it.
    void runSurface(const std::vector<Parameter>& parameters, const std::function<void(frmSurFit*)>& typeModel) {
        whenShown<frmSurFit>([parameters, typeModel](frmSurFit* d) {
            chooseColumnsAndParameters<frmPara2>(d, parameters);
            d->Text1->setFocus();
            typeModel(d);
            d->Command5->click();
            if (d->isVisible()) d->Command6->click();
        });
        w->action("mnuDrawSF")->trigger();
    }
};

TEST_F(SurfaceFitRoad, ExactDataAreRecoveredReportedAndDrawnAsAColouredSurfaceWithItsPoints) {
    // z = 2 exp(-0.5 x) - 0.25 y^2 on x = 0 .. 4, y = -2 .. 2.
    auto f = [](double x, double y) { return 2 * std::exp(-0.5 * x) - 0.25 * y * y; };
    std::vector<double> x, y, z;
    for (int i = 0; i <= 4; ++i)
        for (int j = -2; j <= 2; ++j) {
            x.push_back(i);
            y.push_back(j);
            z.push_back(f(i, j));
        }
    fillGrid({x, y, z});
    w->mnuFileNew2D();
    runSurface({{"a", "1"}, {"b", "0.1"}, {"c", "1"}}, [](frmSurFit* d) {
        typeDecayPlusC(d);
        for (const char* k : {"^", "2"}) key(d, k);
        EXPECT_EQ(d->Text1->toPlainText(), "a*exp(-b*x)+c*y^2");
    });

    EXPECT_TRUE(boxes.shown().empty()) << (boxes.shown().empty() ? "" : boxes.shown()[0].text);
    const std::vector<std::string> lines = lastReport(*w, "Surface Fitting");
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[0], "Surface Fitting");
    EXPECT_EQ(lines[1], "Independent:Var1");
    EXPECT_EQ(lines[2], "Independent:Var2");
    EXPECT_EQ(lines[3], "Dependent:  Var3");
    EXPECT_EQ(lines[4], "\tModel:\tz=a*exp(-b*x)+c*y^2");
    const std::string a = expectParameterLine(lines[5], 'a', 2, 1e-10);
    const std::string b = expectParameterLine(lines[6], 'b', 0.5, 1e-10);
    const std::string c = expectParameterLine(lines[7], 'c', -0.25, 1e-10);
    EXPECT_EQ(lines[8], "\tFitted:\tz=" + a + "*exp(-" + b + "*x)+(" + c + ")*y^2");
    for (int k = 0; k < 3; ++k)
        EXPECT_LT(labelledNumber(lines[9 + k], "se(" + std::string(1, static_cast<char>('a' + k)) + ")="), 1e-8);
    EXPECT_NEAR(labelledNumber(lines[12], "R2="), 1, 1e-12);
    EXPECT_LT(labelledNumber(lines[13], "SSR="), 1e-20);
    EXPECT_LT(labelledNumber(lines[14], "s="), 1e-10);
    expectIterationsLine(lines[15]);
    EXPECT_EQ(lines[16], "");

    ASSERT_EQ(w->graphList()->count(), 1);
    EXPECT_EQ(w->graphList()->item(0)->text().toStdString(), "Surface Fit: " + lines[8].substr(9));
    EXPECT_EQ(gPlotKind, 3);
    EXPECT_EQ((std::vector<double>{gScene->RotRoll, gScene->RotPitch, gScene->RotYaw}),
              (std::vector<double>{0, -30, 45}));
    const auto s = gGraphs->FunSurfs.Item(1);
    EXPECT_EQ(s->StepU, 30);
    EXPECT_EQ(s->PntNum(), 25);
    for (auto [i, j] : {std::pair{0L, 0L}, {30L, 30L}, {7L, 19L}, {30L, 15L}}) {
        const double xi = 4.0 * static_cast<double>(i) / 30, yj = -2 + 4.0 * static_cast<double>(j) / 30;
        EXPECT_NEAR(s->VertTab3D(i, j)->Z, xi, 1e-12);
        EXPECT_NEAR(s->VertTab3D(i, j)->X, yj, 1e-12);
        EXPECT_NEAR(s->VertTab3D(i, j)->Y, f(xi, yj), 1e-10);
    }

    const QImage img = picture();
    savePicture(img, "surface_fit_road");
    savePicture(w->grab().toImage(), "surface_fit_road_main_window");
    EXPECT_GT(testsupport::countColor(img, 0, 255, 0, 70), 200);  // the Rainbow map's green
    EXPECT_GT(testsupport::countColor(img, 255, 0, 0, 70), 100);  // and red
    EXPECT_GT(testsupport::countColor(img, 0, 0, 255, 70), 100);  // and blue
    const QImage noPoints = redrawnWith([&] { s->ShowIrregData = false; }, [&] { s->ShowIrregData = true; },
                                        "surface_fit_road_no_points");
    EXPECT_GT(differing(img, noPoints), 50);  // the data points are seen
}

TEST_F(SurfaceFitRoad, ANoisySetMatchesTheFiguresWorkedOutApart) {
    const std::vector<double> z = {5.06, 3.38, 2.9,  3.62, 5.3,  3.77, 2.8,  2.29, 2.36, 3.91, 3.26, 2.01, 1.59,
                                   2.02, 3.06, 2.61, 1.36, 1.03, 1.45, 2.74, 2.31, 1.15, 0.4,  1.35, 2.64};
    std::vector<double> x, y;
    for (int i = 0; i <= 4; ++i)
        for (int j = -2; j <= 2; ++j) {
            x.push_back(i);
            y.push_back(j);
        }
    fillGrid({x, y, z});
    runSurface({{"a", "1"}, {"b", "0.1"}, {"c", "1"}},
               [](frmSurFit* d) { QTest::keyClicks(d->Text1, "a*exp(-b*x)+c*y^2"); });
    EXPECT_TRUE(boxes.shown().empty()) << (boxes.shown().empty() ? "" : boxes.shown()[0].text);
    const std::vector<std::string> lines = lastReport(*w, "Surface Fitting");
    ASSERT_EQ(lines.size(), 17u);
    struct Figure {
        std::size_t line;
        const char* label;
        double reference, relative;
    };
    const Figure figures[] = {
        {5, "a", 3.15702018727233, 1e-9},
        {6, "b", 0.38907552596568003, 1e-9},
        {7, "c", 0.44818987103811351, 1e-9},
        {9, "se(a)=", 0.082865382455213749, 1e-6},
        {10, "se(b)=", 0.020884100032055564, 1e-6},
        {11, "se(c)=", 0.021087473933720368, 1e-6},
        {12, "R2=", 0.97985257093557021, 1e-10},
        {13, "SSR=", 0.69771401101112706, 1e-9},
        {14, "s=", 0.17808501685368846, 1e-9},
    };
    for (const Figure& f : figures) {
        const double v = labelledNumber(lines[f.line], f.label);
        EXPECT_LE(std::abs(v - f.reference), f.relative * f.reference) << f.label << " " << v;
    }
}

TEST_F(SurfaceFitRoad, AVolumeFitIsReportedAndDrawnAsSlicesWithContoursAndItsPoints) {
    // v = 3 exp(-0.25 x) + 0.5 y z on x = 0 .. 3, y = 0 .. 2, z = -1 .. 1.
    auto f = [](double x, double y, double z) { return 3 * std::exp(-0.25 * x) + 0.5 * y * z; };
    std::vector<double> x, y, z, v;
    for (int i = 0; i <= 3; ++i)
        for (int j = 0; j <= 2; ++j)
            for (int k = -1; k <= 1; ++k) {
                x.push_back(i);
                y.push_back(j);
                z.push_back(k);
                v.push_back(f(i, j, k));
            }
    fillGrid({x, y, z, v});
    gClipSurface = true;
    whenShown<frmVolFit>([](frmVolFit* d) {
        chooseColumnsAndParameters<frmPara3>(d, {{"a", "1"}, {"b", "0.1"}, {"c", "1"}});
        d->Text1->setFocus();
        typeDecayPlusC(d);
        key(d, "*");
        QTest::keyClicks(d->Text1, "z");  // no key for z
        EXPECT_EQ(d->Text1->toPlainText(), "a*exp(-b*x)+c*y*z");
        d->Command5->click();
        if (d->isVisible()) d->Command6->click();
    });
    w->action("mnuDrawVF")->trigger();
    EXPECT_FALSE(gClipSurface);

    EXPECT_TRUE(boxes.shown().empty()) << (boxes.shown().empty() ? "" : boxes.shown()[0].text);
    const std::vector<std::string> lines = lastReport(*w, "Volume Fitting");
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], "Volume Fitting");
    EXPECT_EQ(lines[1], "Independent:Var1");
    EXPECT_EQ(lines[2], "Independent:Var2");
    EXPECT_EQ(lines[3], "Independent:Var3");
    EXPECT_EQ(lines[4], "Dependent:  Var4");
    EXPECT_EQ(lines[5], "\tModel:\tv=a*exp(-b*x)+c*y*z");
    const std::string a = expectParameterLine(lines[6], 'a', 3, 1e-10);
    const std::string b = expectParameterLine(lines[7], 'b', 0.25, 1e-10);
    const std::string c = expectParameterLine(lines[8], 'c', 0.5, 1e-10);
    EXPECT_EQ(lines[9], "\tFitted:\tv=" + a + "*exp(-" + b + "*x)+" + c + "*y*z");
    EXPECT_NEAR(labelledNumber(lines[13], "R2="), 1, 1e-12);
    EXPECT_LT(labelledNumber(lines[14], "SSR="), 1e-20);
    expectIterationsLine(lines[16]);
    EXPECT_EQ(lines[17], "");

    ASSERT_EQ(w->graphList()->count(), 1);
    EXPECT_EQ(w->graphList()->item(0)->text().toStdString(), "v=" + lines[9].substr(11));
    EXPECT_EQ(gPlotKind, 11);
    const auto g = gGraphs->FunSurfs.Item(1);
    EXPECT_EQ((std::vector<long>{g->StepU, g->StepV, g->StepH, g->PntNum()}), (std::vector<long>{20, 20, 20, 36}));
    for (auto [i, j, k] : {std::tuple{0L, 0L, 0L}, {20L, 20L, 20L}, {5L, 13L, 17L}}) {
        const double xi = 3.0 * static_cast<double>(i) / 20, yj = 2.0 * static_cast<double>(j) / 20,
                     zk = -1 + 2.0 * static_cast<double>(k) / 20;
        EXPECT_NEAR(g->Reg4DX(i, j, k), xi, 1e-12);
        EXPECT_NEAR(g->Reg4DY(i, j, k), yj, 1e-12);
        EXPECT_NEAR(g->Reg4DZ(i, j, k), zk, 1e-12);
        EXPECT_NEAR(g->Reg4DV(i, j, k), f(xi, yj, zk), 1e-10);
    }
    // The default slices: x = 0, y = 0, z = -1 and 0, nodes 1 .. 21, contour
    // interval (4 - 0.417) / 20 rounded to 0.
    EXPECT_EQ((std::vector<double>{g->Slice4X(1), g->Slice4Y(1), g->Slice4Z(1), g->Slice4Z(2)}),
              (std::vector<double>{0, 0, -1, 0}));
    EXPECT_EQ((std::vector<long>{g->Slice4YZYE(1), g->Slice4ZXXE(1), g->Slice4XYYE(2), g->SliceXContLevels(1),
                                 g->SliceZContColor(2)}),
              (std::vector<long>{21, 21, 21, 0, 12632256}));

    const QImage img = picture();
    savePicture(img, "volume_fit_road");
    savePicture(w->grab().toImage(), "volume_fit_road_main_window");
    EXPECT_GT(testsupport::countColor(img, 0, 255, 0, 80), 100);  // the slices' colour map
    EXPECT_GT(testsupport::countColor(img, 255, 0, 0, 80), 30);
    auto contours = [&](bool on) {
        g->SliceXShowCont(1) = g->SliceYShowCont(1) = g->SliceZShowCont(1) = g->SliceZShowCont(2) = on;
    };
    const QImage noContours = redrawnWith([&] { contours(false); }, [&] { contours(true); },
                                          "volume_fit_road_no_contours");
    EXPECT_GT(differing(img, noContours), 200);  // contour lines with the interval 0
    const QImage noPoints = redrawnWith([&] { g->ShowIrregData = false; }, [&] { g->ShowIrregData = true; },
                                        "volume_fit_road_no_points");
    EXPECT_GT(differing(img, noPoints), 50);
}

TEST_F(SurfaceFitRoad, TheRoadsMakeTheirDocumentOrStop) {
    fillGrid({{1, 2, 3}, {1, 3, 2}, {0, 1, 1}, {2, 2, 2}});
    struct Case {
        const char* what;
        std::function<void()> before;
        const char* action;
        std::vector<platform::MsgResult> answers;
        std::vector<std::string> messages;
        bool dialog;
        long kind, graphs;
        bool clip;
    };
    const auto curveDocument = [this] {
        w->mnuFileNew2D();
        addCurve("Scatter Plot", {1, 2}, {1, 2});
        gPlotKind = 4;
    };
    const auto volumeDocument = [this] {
        w->mnuFileNew4D();
        addVolume(5);
    };
    const std::vector<std::string> question = {"Save changes to file?"};
    using R = platform::MsgResult;
    const std::vector<Case> cases = {
        {"surface over curves, Cancel", curveDocument, "mnuDrawSF", {R::Cancel}, question, false, 4, 1, true},
        {"surface over curves, No", curveDocument, "mnuDrawSF", {R::No}, question, true, 3, 0, true},
        {"surface over an empty 2-D document", [this] { w->mnuFileNew2D(); }, "mnuDrawSF", {}, {}, true, 3, 0, true},
        {"surface over a volume: no question", volumeDocument, "mnuDrawSF", {}, {}, true, 11, 1, true},
        {"volume over a volume, Cancel", volumeDocument, "mnuDrawVF", {R::Cancel}, question, false, 11, 1, false},
        {"volume over a volume, No", volumeDocument, "mnuDrawVF", {R::No}, question, true, 11, 0, false},
        {"volume over an empty 3-D document", [this] { w->mnuFileNew3D(); }, "mnuDrawVF", {}, {}, true, 11, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (gGraphs->FunSurfs.Count() > 0) {  // start from an empty document
            boxes.queue({R::No});
            w->mnuFileNew2D();
        }
        c.before();
        gClipSurface = true;
        boxes.clear();
        boxes.queue(c.answers);
        bool shown = false;
        if (std::string(c.action) == "mnuDrawSF")
            whenShown<frmSurFit>([&shown](frmSurFit* d) { shown = true, d->Command6->click(); });
        else
            whenShown<frmVolFit>([&shown](frmVolFit* d) { shown = true, d->Command6->click(); });
        w->action(c.action)->trigger();
        if (!c.dialog) {  // no dialog opened: end the pending watcher
            testsupport::stopWatchers();
            if (QWidget* m = QApplication::activeModalWidget()) m->close();
        }
        EXPECT_EQ(boxes.texts(), c.messages);
        EXPECT_EQ(shown, c.dialog);
        EXPECT_EQ(gPlotKind, c.kind);
        EXPECT_EQ(gGraphs->FunSurfs.Count(), c.graphs);
        EXPECT_EQ(gClipSurface, c.clip);
    }
    w->grid()->Clear();
    boxes.clear();
    w->action("mnuDrawSF")->trigger();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Please input your data first."});
}
