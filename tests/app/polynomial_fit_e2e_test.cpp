// Polynomial fitting end to end in the real main window: numbers into the
// grid, Fitting > Polynomial Fitting, the model and the columns chosen, OK;
// then the report, the graph list and its nodes, and the picture: the curve
// and its markers, the coloured surface with its data points, the slices with
// their contour lines.
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <charconv>
#include <cmath>
#include <functional>

#include "fitting/polynomial/polynomial_dialog.h"
#include "platform/grid_control.h"
#include "support/gl_offscreen.h"
#include "support/when_shown.h"
#include "fit_road_fixture.h"

namespace {

// In frmPoly: picks the model (0 .. 8 in the list), moves the named columns
// into rows x, y, z, v in turn and presses OK.
void chooseAndRun(frmPoly* d, int model, const std::vector<QString>& columns) {
    d->Combo1->setCurrentIndex(model);
    QPushButton* rowButtons[] = {d->Command1, d->Command2, d->Command3, d->Command4};
    for (std::size_t r = 0; r < columns.size(); ++r) {
        const auto found = d->List1->findItems(columns[r], Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        d->List1->setCurrentItem(found[0]);
        rowButtons[r]->click();
    }
    d->Command5->click();
}

// The report pane's lines from the last "Polynomial Fitting" on.
std::vector<std::string> lastReport(frmF1& w) {
    const std::string text = w.report()->toPlainText().toStdString();
    std::vector<std::string> lines;
    std::size_t at = text.rfind("Polynomial Fitting");
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? end : end + 1;
    }
    return lines;
}

double figureAfter(const std::string& line, const std::string& label) {
    const std::size_t at = line.find(label);
    return at == std::string::npos ? NAN : std::strtod(line.c_str() + at + label.size(), nullptr);
}

}  // namespace

class PolynomialFitRoad : public FitRoadTest {
protected:
    void run(int model, std::vector<QString> columns) {
        whenShown<frmPoly>([model, columns](frmPoly* d) {
            chooseAndRun(d, model, columns);
            if (d->isVisible()) d->Command6->click();
        });
        w->action("mnuDrawPoly")->trigger();
    }
};

TEST_F(PolynomialFitRoad, OneVariableReportsAndDrawsTheCurveAndMarkers) {
    // y = 1 - x + 0.5 x^2, typed into the grid as a user would for the first cell.
    std::vector<double> x, y;
    for (int i = 0; i <= 8; ++i) {
        x.push_back(i - 2);
        y.push_back(1 - (i - 2) + 0.5 * (i - 2) * (i - 2));
    }
    fillGrid({x, y});
    w->grid()->SetCellText(3, 1, "");
    w->grid()->SetActiveCell(3, 1);
    QTest::keyClicks(w->grid(), "0");
    QTest::keyClick(w->grid()->focusWidget() ? w->grid()->focusWidget() : w->grid(), Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits in a queued call
    ASSERT_EQ(w->grid()->CellText(3, 1), "0");
    gClipSurface = true;

    run(1, {"Var1", "Var2"});
    EXPECT_TRUE(boxes.shown().empty()) << (boxes.shown().empty() ? "" : boxes.shown()[0].text);
    const std::vector<std::string> lines = lastReport(*w);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "Polynomial Fitting");
    EXPECT_EQ(lines[1], "Unary Quadratic Model: y=b0+b1*x+b2*x^2");
    EXPECT_EQ(lines[2], "Independent:Var1");
    EXPECT_EQ(lines[3], "Dependent:  Var2");
    EXPECT_NEAR(figureAfter(lines[4], "\tb0=\t"), 1, 1e-9);
    EXPECT_NEAR(figureAfter(lines[5], "\tb1=\t"), -1, 1e-9);
    EXPECT_NEAR(figureAfter(lines[6], "\tb2=\t"), 0.5, 1e-9);
    EXPECT_NEAR(figureAfter(lines[7], "\tR2=\t"), 1, 1e-12);
    EXPECT_EQ(lines[8], "\tData points:\t9");
    EXPECT_EQ(lines[9], "");

    ASSERT_EQ(w->graphList()->count(), 2);
    EXPECT_EQ(w->graphList()->item(0)->text().toStdString().rfind("Polynomial Scatter: y=", 0), 0u);
    EXPECT_EQ(w->graphList()->item(1)->text().toStdString().rfind("Polynomial Curve: y=", 0), 0u);
    EXPECT_EQ(gPlotKind, 4);
    EXPECT_TRUE(gClipSurface);  // polynomial fitting leaves the clip option as it was
    const auto curve = gGraphs->FunSurfs.Item(2);
    EXPECT_EQ(curve->StepV, 99);
    EXPECT_NEAR(curve->VertTab3D(0, 99)->X, 6, 1e-12);
    EXPECT_NEAR(curve->VertTab3D(0, 99)->Y, 13, 1e-9);

    const QImage img = picture();
    savePicture(img, "polynomial_fit_curve");
    EXPECT_GT(testsupport::countColor(img, 0, 0, 255, 80), 30);   // the blue markers
    EXPECT_GT(testsupport::countColor(img, 255, 0, 0, 80), 100);  // the red curve
}

TEST_F(PolynomialFitRoad, TwoVariablesDrawTheColouredSurfaceAndItsPoints) {
    // z = 2 + x - y + 0.5 x y + x^2 - 0.5 y^2 on a 5 x 5 grid of points.
    std::vector<double> x, y, z;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            const double xi = i - 2, yj = j - 2;
            x.push_back(xi);
            y.push_back(yj);
            z.push_back(2 + xi - yj + 0.5 * xi * yj + xi * xi - 0.5 * yj * yj);
        }
    fillGrid({x, y, z});
    run(4, {"Var1", "Var2", "Var3"});  // Binary Quadratic Model
    EXPECT_TRUE(boxes.shown().empty());
    const std::vector<std::string> lines = lastReport(*w);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[1], "Binary Quadratic Model: z=b0+b1*x+b2*y+b3*x*y+b4*x^2+b5*y^2");
    EXPECT_EQ(lines[3], "Independent:Var2");
    EXPECT_EQ(lines[4], "Dependent:  Var3");
    const double b[] = {2, 1, -1, 0.5, 1, -0.5};
    for (int k = 0; k < 6; ++k)
        EXPECT_NEAR(figureAfter(lines[5 + k], "\tb" + std::to_string(k) + "=\t"), b[k], 1e-9) << k;

    ASSERT_EQ(w->graphList()->count(), 1);
    EXPECT_EQ(w->graphList()->item(0)->text().toStdString().rfind("Polynomial Surface: z=", 0), 0u);
    EXPECT_EQ(gPlotKind, 3);
    const auto s = gGraphs->FunSurfs.Item(1);
    EXPECT_EQ(s->StepU, 30);
    EXPECT_EQ(s->PntNum(), 25);
    // Node (30, 0): x = 2 in depth, y = -2 across, the model's value up.
    EXPECT_NEAR(s->VertTab3D(30, 0)->Z, 2, 1e-12);
    EXPECT_NEAR(s->VertTab3D(30, 0)->X, -2, 1e-12);
    EXPECT_NEAR(s->VertTab3D(30, 0)->Y, 2 + 2 + 2 - 2 + 4 - 2, 1e-9);
    EXPECT_EQ((std::vector<double>{gScene->RotRoll, gScene->RotPitch, gScene->RotYaw}),
              (std::vector<double>{0, -30, 45}));

    const QImage img = picture();
    savePicture(img, "polynomial_fit_surface");
    savePicture(w->grab().toImage(), "polynomial_fit_surface_main_window");
    EXPECT_GT(testsupport::countColor(img, 0, 255, 0, 70), 200);  // the Rainbow map's green
    EXPECT_GT(testsupport::countColor(img, 255, 0, 0, 70), 200);  // and red
    const QImage noPoints = redrawnWith([&] { s->ShowIrregData = false; }, [&] { s->ShowIrregData = true; },
                                        "polynomial_fit_surface_no_points");
    EXPECT_GT(differing(img, noPoints), 100);  // the data points are seen
}

TEST_F(PolynomialFitRoad, ThreeVariablesDrawTheSlicesWithContoursOverAValueRangeOfOne) {
    // v = (x + y + 2 z) / 4 on {0, 0.5, 1}^3: the model's range is 0 .. 1, so
    // every default slice has the contour interval 0 and the tracer's own levels.
    std::vector<double> x, y, z, v;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) {
                x.push_back(0.5 * i);
                y.push_back(0.5 * j);
                z.push_back(0.5 * k);
                v.push_back((0.5 * i + 0.5 * j + k) / 4);
            }
    fillGrid({x, y, z, v});
    run(6, {"Var1", "Var2", "Var3", "Var4"});  // Trinary Linear Model
    EXPECT_TRUE(boxes.shown().empty());
    const std::vector<std::string> lines = lastReport(*w);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[1], "Trinary Linear Model: v=b0+b1*x+b2*y+b3*z");
    EXPECT_NEAR(figureAfter(lines[9], "\tb3=\t"), 0.5, 1e-9);
    EXPECT_EQ(lines[11], "\tData points:\t27");

    ASSERT_EQ(w->graphList()->count(), 1);
    EXPECT_EQ(gPlotKind, 11);
    const auto g = gGraphs->FunSurfs.Item(1);
    EXPECT_EQ(g->NameS.rfind("Polynomial Volume: v=", 0), 0u);
    EXPECT_EQ(g->StepH, 20);
    EXPECT_NEAR(g->Reg4DV(20, 20, 20), 1, 1e-9);
    EXPECT_EQ((std::vector<long>{g->SliceXContLevels(1), g->SliceYContLevels(1), g->SliceZContLevels(2)}),
              (std::vector<long>{0, 0, 0}));

    const QImage img = picture();
    savePicture(img, "polynomial_fit_volume");
    savePicture(w->grab().toImage(), "polynomial_fit_volume_main_window");
    EXPECT_GT(testsupport::countColor(img, 0, 255, 0, 80), 100);  // the slices' colour map
    EXPECT_GT(testsupport::countColor(img, 255, 0, 0, 80), 30);
    auto contours = [&](bool on) {
        g->SliceXShowCont(1) = g->SliceYShowCont(1) = g->SliceZShowCont(1) = g->SliceZShowCont(2) = on;
    };
    const QImage noContours = redrawnWith([&] { contours(false); }, [&] { contours(true); },
                                          "polynomial_fit_volume_no_contours");
    EXPECT_GT(differing(img, noContours), 200);  // contour lines with the interval 0
}

TEST_F(PolynomialFitRoad, BadInputKeepsTheDialogOpenAndTheDocumentAsItWas) {
    fillGrid({{1, 2, 3, 4, 5}, {2, 4, 6, 8, 10}, {1, 3, 2, 5, 4}});
    run(0, {"Var1", "Var2"});  // a 2-D document with two graphs
    ASSERT_EQ(w->graphList()->count(), 2);
    const std::string before = w->report()->toPlainText().toStdString();

    boxes.clear();
    boxes.queue({platform::MsgResult::Cancel});  // "Save changes to file?" declined
    std::vector<bool> openAfterOk;
    whenShown<frmPoly>([&openAfterOk](frmPoly* d) {
        auto pick = [d](int row, QPushButton* button) {
            d->List1->setCurrentRow(row);
            button->click();
        };
        d->Combo1->setCurrentIndex(3);  // Binary Linear Model
        pick(0, d->Command2);           // y = Var1, x left empty
        d->Command5->click();
        openAfterOk.push_back(d->isVisible());
        d->Command2->click();   // Var1 back: Var2, Var3, Var1
        pick(2, d->Command1);   // x = Var1
        pick(0, d->Command2);   // y = Var2 = 2 x
        pick(0, d->Command3);   // z = Var3
        d->Command5->click();
        openAfterOk.push_back(d->isVisible());
        d->Command2->click();   // Var2 back
        d->Command3->click();   // Var3 back: Var2, Var3
        pick(1, d->Command2);   // y = Var3
        pick(0, d->Command3);   // z = Var2: a sound fit, for a new 3-D document
        d->Command5->click();
        openAfterOk.push_back(d->isVisible());
        d->Command6->click();
    });
    w->action("mnuDrawPoly")->trigger();
    ASSERT_EQ(boxes.texts().size(), 3u);
    EXPECT_EQ(boxes.texts()[0], "Please select variables first.");
    EXPECT_EQ(boxes.texts()[1].rfind("The coefficients cannot all be determined: columns Var1 (x) and Var2 (y) are "
                                     "collinear",
                                     0),
              0u)
        << boxes.texts()[1];
    EXPECT_EQ(boxes.texts()[2], "Save changes to file?");
    EXPECT_EQ(openAfterOk, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(w->graphList()->count(), 2);
    EXPECT_EQ(gPlotKind, 4);
    EXPECT_EQ(w->report()->toPlainText().toStdString(), before);
}
