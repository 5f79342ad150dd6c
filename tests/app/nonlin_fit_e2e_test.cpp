// Nonlinear curve fitting end to end in the real main window: data pasted or
// typed into the grid, Fitting > Nonlinear Curve Fitting, the columns chosen,
// the model typed with the keypad, the function list and the keyboard, the
// parameters listed in their dialog, the options set, OK; then the report,
// the graphs and the picture. Certified reference fits check the numbers.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <charconv>
#include <cmath>
#include <functional>

#include "fitting/shared/fit_progress_box.h"
#include "fitting/shared/held_fit.h"
#include "fitting/nonlinear/nonlin_dialog.h"
#include "fitting/shared/options_dialog.h"
#include "fitting/shared/parameter_dialog.h"
#include "fitting/solver/nist_file.h"
#include "fitting/shared/report_lines.h"
#include "platform/grid_control.h"
#include "support/gl_offscreen.h"
#include "support/when_shown.h"
#include "fit_dialog_driver.h"
#include "window_fixture.h"

namespace {

// In frmNonLin: the options dialog with a method (1 or 2) and a typed tolerance.
void setOptions(frmNonLin* d, long method, const QString& tolerance) {
    whenShown<frmNLOptions>([method, tolerance](frmNLOptions* o) {
        (method == 1 ? o->Option1 : o->Option2)->setChecked(true);
        o->Text2->selectAll();
        QTest::keyClicks(o->Text2, tolerance);
        o->Command1->click();
    });
    d->Command27->click();
}

// The lines of the last nonlinear report in the pane.
std::vector<std::string> lastReport(frmF1& w) {
    std::string text = w.report()->toPlainText().toStdString();
    text = text.substr(text.rfind("Nonlinear Curve Fitting"));
    std::string crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return reportLines(crlf);
}

}  // namespace

class NonLinFitRoad : public WindowTest {
protected:
    void fillGrid(const std::vector<double>& x, const std::vector<double>& y) {
        GridControl* g = w->grid();
        g->Clear();
        g->SetCellText(0, 1, "Var1");
        g->SetCellText(0, 2, "Var2");
        for (std::size_t i = 0; i < x.size(); ++i) {
            char buf[32];
            g->SetCellText(static_cast<long>(i) + 1, 1, std::string(buf, std::to_chars(buf, buf + 32, x[i]).ptr));
            g->SetCellText(static_cast<long>(i) + 1, 2, std::string(buf, std::to_chars(buf, buf + 32, y[i]).ptr));
        }
    }
};

TEST_F(NonLinFitRoad, AModelTypedAndFittedIsReportedListedAndDrawnInTheFrontView) {
    const nist::Problem misra = nist::readProblem(nist::dataDirectory() + "/Misra1a.dat");
    QString tsv;
    for (std::size_t i = 0; i < misra.x.size(); ++i) tsv += QString("%1\t%2\n").arg(misra.x[i]).arg(misra.y[i]);
    QGuiApplication::clipboard()->setText(tsv);
    w->grid()->SetActiveCell(1, 1);
    w->action("mnuGEPaste")->trigger();
    ASSERT_EQ(w->grid()->CellText(14, 2), "81.78");

    w->mnuFileNew3D();  // a 3-D document without graphs becomes a 2-D one without a question
    gScene->RotYaw = 45;
    whenShown<frmNonLin>([](frmNonLin* d) {
        chooseColumnsAndParameters<frmPara>(d, {{"a", "500"}, {"b", "0.0001"}});
        // a*(1-exp(-b*x)): keyboard, keypad and the function list.
        d->Text1->setFocus();
        QTest::keyClicks(d->Text1, "a");
        for (int k : {8, 13, 0, 4}) d->keys[static_cast<std::size_t>(k)]->click();  // * ( 1 -
        d->List5->setCurrentRow(3);                                                // exp()
        d->Command4->click();
        QTest::keyClicks(d->Text1, "-b");
        for (int k : {8, 17, 14, 14}) d->keys[static_cast<std::size_t>(k)]->click();  // * x ) )
        EXPECT_EQ(d->Text1->toPlainText(), "a*(1-exp(-b*x))");
        d->Command5->click();
    });
    w->action("mnuDrawNLR")->trigger();

    EXPECT_TRUE(boxes.shown().empty()) << (boxes.shown().empty() ? "" : boxes.shown()[0].text);
    const std::vector<std::string> lines = lastReport(*w);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "Nonlinear Curve Fitting");
    EXPECT_EQ(lines[1], "Independent:Var1");
    EXPECT_EQ(lines[2], "Dependent:  Var2");
    EXPECT_EQ(lines[3], "\tModel:\ty=a*(1-exp(-b*x))");
    const double a = labelledNumber(lines[4], "a"), b = labelledNumber(lines[5], "b");
    EXPECT_GE(nist::lre(a, misra.certified[0]), 5);
    EXPECT_GE(nist::lre(b, misra.certified[1]), 5);
    EXPECT_EQ(lines[6].rfind("\tFitted:\ty=", 0), 0u);
    EXPECT_NE(lines[6].find("*(1-exp(-"), std::string::npos);
    EXPECT_EQ(lines[6].find('E'), std::string::npos);  // formula text: no exponent form
    EXPECT_GE(nist::lre(labelledNumber(lines[7], "se(a)="), misra.certifiedSd[0]), 3);
    EXPECT_GE(nist::lre(labelledNumber(lines[8], "se(b)="), misra.certifiedSd[1]), 3);
    EXPECT_GT(labelledNumber(lines[9], "R2="), 0.999);
    EXPECT_GE(nist::lre(labelledNumber(lines[10], "SSR="), misra.rss), 5);
    EXPECT_GE(nist::lre(labelledNumber(lines[11], "s="), misra.rsd), 5);
    EXPECT_EQ(lines[12].rfind("\tIterations:\t", 0), 0u);
    EXPECT_NE(lines[12].find("(Levenberg-Marquardt)"), std::string::npos);
    EXPECT_EQ(lines[13], "");

    ASSERT_EQ(w->graphList()->count(), 2);
    EXPECT_EQ(w->graphList()->item(0)->text().toStdString(), "Scatter Plot: y=");
    EXPECT_EQ(w->graphList()->item(1)->text().toStdString(), "Nonlinear Model: " + lines[6].substr(9));
    EXPECT_EQ(gPlotKind, 4);
    EXPECT_EQ(gScene->RotRoll, 0);
    EXPECT_EQ(gScene->RotPitch, 0);
    EXPECT_EQ(gScene->RotYaw, 0);
    EXPECT_FALSE(w->mUseTrackball);
    const QImage img = picture();
    img.save(QStringLiteral(TRELVANE_BINARY_DIR "/pictures/nonlinear_fit_road.png"));
    EXPECT_GT(testsupport::countColor(img, 0, 0, 255, 80), 30);  // the blue markers
    EXPECT_GT(testsupport::countColor(img, 255, 0, 0, 80), 60);  // the red curve
}

TEST_F(NonLinFitRoad, CertifiedReferenceFitsReadBackFromTheReport) {
    struct Case {
        const char* name;
        int start;    // 1 or 2
        long method;  // 1 Gauss-Newton, 2 Levenberg-Marquardt
        double digits;
        bool messageAllowed = false;  // a refusal is fine; a wrong fit never is
    };
    const std::vector<Case> cases = {
        {"Misra1a", 1, 2, 6}, {"Misra1a", 2, 2, 6}, {"DanWood", 1, 1, 6}, {"Roszman1", 1, 2, 6},
        {"Thurber", 1, 2, 5}, {"MGH09", 2, 2, 5},   {"MGH09", 1, 1, 5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " start " + std::to_string(c.start));
        const nist::Problem p = nist::readProblem(nist::dataDirectory() + "/" + c.name + ".dat");
        fillGrid(p.x, p.y);
        std::vector<Parameter> parameters;
        const std::vector<double>& start = c.start == 1 ? p.start1 : p.start2;
        for (std::size_t k = 0; k < start.size(); ++k) {
            char buf[32];
            parameters.push_back({QString(QChar('a' + static_cast<int>(k))),
                                  QString::fromStdString(std::string(buf, std::to_chars(buf, buf + 32, start[k]).ptr))});
        }
        boxes.clear();
        const QString model = QString::fromStdString(p.formula);
        const long method = c.method;
        whenShown<frmNonLin>([parameters, model, method](frmNonLin* d) {
            chooseColumnsAndParameters<frmPara>(d, parameters);
            setOptions(d, method, "1E-12");
            d->Text1->setFocus();
            QTest::keyClicks(d->Text1, model);
            d->Command5->click();
            if (d->isVisible()) d->Command6->click();
        });
        w->action("mnuDrawNLR")->trigger();
        if (!boxes.shown().empty()) {
            EXPECT_TRUE(c.messageAllowed) << boxes.shown()[0].text;
            continue;
        }
        const std::vector<std::string> lines = lastReport(*w);
        const std::size_t n = p.certified.size();
        ASSERT_EQ(lines.size(), 10 + 2 * n);
        EXPECT_EQ(lines[3], "\tModel:\ty=" + p.formula);
        for (std::size_t k = 0; k < n; ++k) {
            const std::string letter(1, static_cast<char>('a' + k));
            EXPECT_GE(nist::lre(labelledNumber(lines[4 + k], letter), p.certified[k]), c.digits) << letter;
            EXPECT_GE(nist::lre(labelledNumber(lines[5 + n + k], "se(" + letter + ")="), p.certifiedSd[k]), 4)
                << letter;
        }
        EXPECT_GE(nist::lre(labelledNumber(lines[6 + 2 * n], "SSR="), p.rss), c.digits);
        EXPECT_NE(lines[8 + 2 * n].find(c.method == 1 ? "(Gauss-Newton)" : "(Levenberg-Marquardt)"),
                  std::string::npos);
    }
    EXPECT_EQ(gNonLinTolerance, 1e-12);
}

TEST_F(NonLinFitRoad, TheRoadSwitchesToA2DDocumentOrStops) {
    fillGrid({1, 2, 3}, {1, 3, 2});
    // A 4-D document with graphs: Cancel at the question keeps it and opens no dialog.
    w->mnuFileNew4D();
    addVolume(5);
    gClipSurface = true;
    boxes.queue({platform::MsgResult::Cancel});
    w->action("mnuDrawNLR")->trigger();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Save changes to file?"});
    EXPECT_EQ(gPlotKind, 11);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 1);
    EXPECT_FALSE(gClipSurface);

    // "No": a new 2-D document, the dialog, and after Cancel the Front view.
    boxes.clear();
    boxes.queue({platform::MsgResult::No});
    whenShown<frmNonLin>([](frmNonLin* d) { d->Command6->click(); });
    w->action("mnuDrawNLR")->trigger();
    EXPECT_EQ(gPlotKind, 1);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
    EXPECT_EQ(w->graphList()->count(), 0);

    // An empty grid: the loader's message and no dialog.
    w->grid()->Clear();
    boxes.clear();
    w->action("mnuDrawNLR")->trigger();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"Please input your data first."});
}

// A fit that runs on: the progress box shows its iteration, Cancel stops it and
// leaves the grid, the document, the report and the dialog as they were; a
// click on the Fitting menu made meanwhile opens nothing, then or afterwards,
// and a click on the main window's close box neither asks nor closes.
TEST_F(NonLinFitRoad, ACancelledFitChangesNothingAndAClickMeanwhileRunsNoCommand) {
    const nist::Problem misra = nist::readProblem(nist::dataDirectory() + "/Misra1a.dat");
    fillGrid(misra.x, misra.y);
    w->mnuFileNew2D();
    addCurve("Earlier: y=", {1, 2, 3}, {2, 1, 3});
    w->report()->setPlainText("Earlier report");
    QMenuBar* bar = w->menuBar();
    QAction* fittingMenu = nullptr;
    for (QAction* a : bar->actions())
        if (a->text() == "F&itting") fittingMenu = a;
    ASSERT_NE(fittingMenu, nullptr);
    const QPoint onFitting = bar->actionGeometry(fittingMenu).center();
    // Without a fit running, the posted click opens the menu.
    postClick(bar, onFitting);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 60000));
    QApplication::activePopupWidget()->close();
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 60000));

    const auto gridText = [this] {
        std::string t;
        for (long r = 0; r <= 15; ++r)
            for (long c = 0; c <= 3; ++c) t += w->grid()->CellText(r, c) + "\t";
        return t;
    };
    const std::string grid = gridText();
    const std::string report = w->report()->toPlainText().toStdString();
    const int graphs = gGraphs->FunSurfs.Count();
    const long kind = gPlotKind;

    HeldFit hold(2);
    bool boxShown = false, dialogKept = false;
    whenShown<frmNonLin>([&](frmNonLin* d) {
        chooseColumnsAndParameters<frmPara>(d, {{"a", "500"}, {"b", "0.0001"}});
        QTest::keyClicks(d->Text1, "a*(1-exp(-b*x))");
        const QStringList parameters = {d->List2->item(0)->text(), d->List2->item(1)->text()};
        whenShown<FitProgressBox>(
            [&](FitProgressBox* box) {
                boxShown = true;
                ASSERT_TRUE(QTest::qWaitFor([&] { return hold.held(); }, 60000));
                EXPECT_TRUE(QTest::qWaitFor([&] { return box->Label1->text().startsWith("Iteration 1\n"); }, 60000))
                    << box->Label1->text().toStdString();
                postClick(bar, onFitting);
                postClick(d->Command5);
                QTest::qWait(0);
                EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
                clickCloseBox(w.get());
                box->Command1->click();
                hold.release();
            });
        d->Command5->click();
        // The dialog stays open with what it held.
        dialogKept = d->isVisible() && d->Text1->toPlainText() == "a*(1-exp(-b*x))" && d->List2->count() == 2 &&
                     d->List2->item(0)->text() == parameters[0] && d->List2->item(1)->text() == parameters[1] &&
                     d->List3->count() == 1 && d->List4->count() == 1;
        d->Command6->click();
    });
    w->action("mnuDrawNLR")->trigger();

    EXPECT_TRUE(boxShown);
    EXPECT_TRUE(dialogKept);
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{"The fit was cancelled."});
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(gridText(), grid);
    EXPECT_EQ(w->report()->toPlainText().toStdString(), report);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), graphs);
    EXPECT_EQ(w->graphList()->count(), 1);
    EXPECT_EQ(gPlotKind, kind);
    // Nothing posted during the fit is replayed now.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
