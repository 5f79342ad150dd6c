// A quit asked for while a fit from Fitting > Nonlinear Curve Fitting runs
// (held at an iteration): the fit is cancelled, nothing of it reaches the
// report, the graphs or the grid, and then the quit goes on as it does without
// a fit: the main window asks about the changed grid data; Cancel there keeps
// the program open and as it was, No ends it.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <functional>

#include "app/grid/grid_commands.h"
#include "fit_dialog_driver.h"
#include "fit_road_fixture.h"
#include "fitting/nonlinear/nonlin_dialog.h"
#include "fitting/shared/fit_progress_box.h"
#include "fitting/shared/held_fit.h"
#include "fitting/shared/parameter_dialog.h"
#include "fitting/solver/nist_file.h"
#include "support/when_shown.h"

namespace {

// The application's loop ended by the test itself: the program stayed open.
constexpr int kStayedOpen = 7;

}  // namespace

class FitQuitRoad : public FitRoadTest {
protected:
    void SetUp() override {
        FitRoadTest::SetUp();
        const nist::Problem misra = nist::readProblem(nist::dataDirectory() + "/Misra1a.dat");
        fillGrid({misra.x, misra.y});
        w->mnuFileNew2D();
        addCurve("Earlier: y=", {1, 2, 3}, {2, 1, 3});
        w->report()->setPlainText("Earlier report");
        kind = gPlotKind;
        grid = gridText();
    }

    std::string gridText() {
        std::string t;
        for (long r = 0; r <= 15; ++r)
            for (long c = 0; c <= 3; ++c) t += w->grid()->CellText(r, c) + "\t";
        return t;
    }

    // Runs the fitting road in the application's loop, as the program runs:
    // the fit held at its second iteration, where `quit` asks to quit; the
    // main window's question answered `answer`. The loop's exit code.
    int quitDuringFit(const std::function<void()>& quit, platform::MsgResult answer) {
        boxes.clear();
        boxes.queue({answer});
        HeldFit hold(2);
        whenShown<frmNonLin>([&](frmNonLin* d) {
            chooseColumnsAndParameters<frmPara>(d, {{"a", "500"}, {"b", "0.0001"}});
            QTest::keyClicks(d->Text1, "a*(1-exp(-b*x))");
            whenShown<FitProgressBox>([&](FitProgressBox*) {
                ASSERT_TRUE(QTest::qWaitFor([&] { return hold.held(); }, testsupport::kLongWaitMs));
                quit();
            });
            d->Command5->click();
            dialogKept = d->isVisible();
            if (dialogKept) d->Command6->click();
        });
        QTimer::singleShot(0, [this] {
            w->action("mnuDrawNLR")->trigger();
            if (w->isVisible()) QCoreApplication::exit(kStayedOpen);
        });
        const int code = QCoreApplication::exec();
        reached = hold.reached();
        return code;
    }

    // Nothing of the fit in the document, the report or the grid.
    void expectNothingApplied() {
        EXPECT_EQ(w->report()->toPlainText(), "Earlier report");
        EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
        EXPECT_EQ(w->graphList()->count(), 1);
        EXPECT_EQ(gPlotKind, kind);
        EXPECT_EQ(gridText(), grid);
        EXPECT_EQ(reached, 2);  // the fit stopped where it was held
    }

    long kind = 0;
    std::string grid;
    bool dialogKept = false;
    int reached = 0;
};

TEST_F(FitQuitRoad, AQuitCancelsTheFitThenAsksAndCancelThereKeepsTheProgramOpen) {
    struct Case {
        const char* what;
        std::function<void()> quit;
        bool dialogKept;  // closeAllWindows() closes the dialog before it asks
    };
    const std::vector<Case> cases = {
        {"QCoreApplication::quit()", [] { QCoreApplication::quit(); }, false},
        {"QApplication::closeAllWindows()", [] { QApplication::closeAllWindows(); }, false},
        {"the main window closed by code", [this] { w->close(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(quitDuringFit(c.quit, platform::MsgResult::Cancel), kStayedOpen);
        EXPECT_EQ(boxes.texts(), (std::vector<std::string>{kSaveGridQuestion, "The fit was cancelled."}));
        EXPECT_EQ(dialogKept, c.dialogKept);
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(w->mUnloading);
        expectNothingApplied();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(FitQuitRoad, AQuitAnsweredNoEndsTheProgramWithNothingOfTheFitApplied) {
    EXPECT_EQ(quitDuringFit([] { QCoreApplication::quit(); }, platform::MsgResult::No), 0);
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{kSaveGridQuestion, "The fit was cancelled."}));
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->mUnloading);
    expectNothingApplied();
}
