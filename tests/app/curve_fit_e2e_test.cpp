// The curve fitting road end to end in the real main window: data typed into
// the grid, Fitting > Curve Fitting, columns and models chosen, OK; then the
// report, the graph list, the picture and the Front view.
#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "fitting/curve/curve_fit_dialog.h"
#include "platform/grid_control.h"
#include "support/gl_offscreen.h"
#include "window_fixture.h"

namespace {

// Types text into a grid cell as a user would: make it current, type, Enter.
void typeCell(GridControl* grid, long row, long col, const QString& text) {
    grid->SetActiveCell(row, col);
    QTest::keyClicks(grid, text);
    QTest::keyClick(grid->focusWidget() ? grid->focusWidget() : grid, Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits in a queued call
}

// Chooses x and y in the dialog, ticks exactly the given models (1..10) and presses OK.
void chooseAndRun(frmCurveFit* d, const QString& x, const QString& y, std::vector<int> models) {
    auto pick = [d](const QString& name, QPushButton* button) {
        const auto found = d->List1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        d->List1->setCurrentItem(found[0]);
        button->click();
    };
    pick(x, d->Command1);
    pick(y, d->Command2);
    for (int i = 1; i <= 10; ++i) {
        const bool on = std::find(models.begin(), models.end(), i) != models.end();
        d->Check[i - 1]->setChecked(on);
    }
    d->Command3->click();
}

// Runs `inDialog` on the modal dialog once it shows; `closeAfter` presses Cancel
// when the run leaves the dialog open.
void whenDialogShows(std::function<void(frmCurveFit*)> inDialog, bool closeAfter = false) {
    QTimer::singleShot(0, [inDialog, closeAfter] {
        auto* d = qobject_cast<frmCurveFit*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        inDialog(d);
        if (closeAfter && d->isVisible()) d->Command4->click();
    });
}

}  // namespace

class CurveFitRoad : public WindowTest {
protected:
    void typeColumns(const std::vector<QString>& x, const std::vector<QString>& y) {
        for (size_t i = 0; i < x.size(); ++i) typeCell(w->grid(), static_cast<long>(i) + 1, 1, x[i]);
        for (size_t i = 0; i < y.size(); ++i) typeCell(w->grid(), static_cast<long>(i) + 1, 2, y[i]);
    }
};

TEST_F(CurveFitRoad, LinearFitReportedListedAndDrawnInFrontView) {
    typeColumns({"1", "2", "3"}, {"1", "3", "2"});
    ASSERT_EQ(w->grid()->CellText(3, 2), "2");
    w->mnuFileNew3D();  // a 3-D document without graphs: switched to 2-D without a prompt
    gScene->RotYaw = 45;
    whenDialogShows([](frmCurveFit* d) { chooseAndRun(d, "Var1", "Var2", {1}); });
    w->action("mnuDrawCF")->trigger();

    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(w->report()->toPlainText().toStdString(),
              "Curve Fitting\n"
              "Independent:Var1\n"
              "Dependent:  Var2\n"
              "\tLinear Model:         \ty=1+0.5*X\n"
              "\t                      R2=\t0.25\n"
              "\n");
    ASSERT_EQ(w->graphList()->count(), 2);
    EXPECT_EQ(w->graphList()->item(0)->text().toStdString(), "Scatter Plot: y=");
    EXPECT_EQ(w->graphList()->item(1)->text().toStdString(), "Linear Model: y=1+0.5*X");
    EXPECT_EQ(gPlotKind, 4);
    EXPECT_EQ(gScene->RotYaw, 0);
    EXPECT_FALSE(w->mUseTrackball);
    const QImage img = picture();
    img.save(QStringLiteral(TRELVANE_BINARY_DIR "/pictures/curve_fit_road.png"));
    // The window as composed on the screen shows the same colours.
    const QImage window = w->grab().toImage();
    window.save(QStringLiteral(TRELVANE_BINARY_DIR "/pictures/main_window_after_curve_fit.png"));
    EXPECT_GT(testsupport::countColor(window, 255, 0, 0, 80), 6);
    EXPECT_EQ(testsupport::countColor(window, 0, 255, 255, 60), 0);
    EXPECT_GT(testsupport::countColor(img, 255, 0, 0, 80), 6);   // the red scatter markers
    EXPECT_GT(testsupport::countColor(img, 0, 0, 128, 60), 30);  // the Linear model's curve
}

TEST_F(CurveFitRoad, DataCheckStopsTheRunKeepingEarlierModels) {
    typeColumns({"0", "1", "2", "3"}, {"1", "3", "2", "5"});
    whenDialogShows(
        [](frmCurveFit* d) {
            chooseAndRun(d, "Var1", "Var2", {1, 2, 4});
            EXPECT_TRUE(d->isVisible());  // the dialog stays open after a stopped run
        },
        true);
    w->action("mnuDrawCF")->trigger();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "At lease one of independent variable values is equal to 0.");
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::None);
    EXPECT_EQ(boxes.shown()[0].title, "Trelvane");
    const std::string report = w->report()->toPlainText().toStdString();
    EXPECT_NE(report.find("Linear Model:"), std::string::npos);
    EXPECT_EQ(report.find("Inversive(1)"), std::string::npos);
    EXPECT_EQ(report.find("Logarithmn"), std::string::npos);
    ASSERT_EQ(w->graphList()->count(), 2);  // the scatter and the Linear curve stay
}

TEST_F(CurveFitRoad, EmptyGridAsksForDataAndOpensNoDialog) {
    w->action("mnuDrawCF")->trigger();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Please input your data first.");
    EXPECT_EQ(w->graphList()->count(), 0);
}

TEST_F(CurveFitRoad, DeclinedNewDocumentStopsTheCommand) {
    typeColumns({"1", "2", "3"}, {"1", "3", "2"});
    w->mnuFileNew4D();
    addVolume(5);
    boxes.queue({platform::MsgResult::Cancel});
    w->action("mnuDrawCF")->trigger();  // no dialog may open: nothing answers it
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Save changes to file?"});
    EXPECT_EQ(gPlotKind, 11);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
    EXPECT_FALSE(gClipSurface);
}
