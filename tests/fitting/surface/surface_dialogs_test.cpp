// frmSurFit and frmVolFit as configurations of the fitting dialog, the
// "Clip Surface" flag and how a close restores it, the parameter dialogs
// keeping the order of arrival, and the shared options with their range check.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "../shared/fake_host.h"
#include "fitting/surface/surface_fit_dialog.h"
#include "fitting/surface/surface_option_dialogs.h"
#include "fitting/surface/volume_fit_dialog.h"
#include "support/list_texts.h"
#include "support/when_shown.h"

namespace {

class SurfaceDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        setDocument({{"A", {1, 2, 3, 4}}, {"B", {1, 3, 2, 5}}, {"C", {2, 7, 6, 12}}, {"D", {0, 1, 0, 1}}});
    }
    FakeHost host;
    platform::MsgRecorder msgs;
};

std::string caption(const QWidget& d, const char* name) {
    const auto* w = d.findChild<QWidget*>(name);
    return w ? w->property("text").toString().toStdString() : std::string("<none>");
}

TEST_F(SurfaceDialogs, TheTwoConfigurationsDifferOnlyAsDesigned) {
    frmSurFit s(host);
    frmVolFit v(host);
    struct Row {
        const char* control;
        std::string surface, volume;
    };
    const std::vector<Row> rows = {
        {"Label1", "Independent (x)", "Independent (x)"},
        {"Label4", "Independent (y)", "Independent (y)"},
        {"Label5", "Dependent (z)", "Independent (z)"},
        {"Label6", "<none>", "Dependent (v)"},
        {"Label2", "Model Expression ( f(x,y,a,...) )", "Model Expression ( f(x,y,z,a,...) )"},
        {"Command29", "<none>", ">>"},
        {"Check3", "Clip Surface", "<none>"},
        {"Command28", "Options", "Options"},
        {"Command1", "Parameters...", "Parameters..."},
        {"Check1", "Plot Scatter", "Plot Scatter"},
        {"Check2", "Plot Model", "Plot Model"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(caption(s, r.control), r.surface) << r.control;
        EXPECT_EQ(caption(v, r.control), r.volume) << r.control;
    }
    EXPECT_EQ(s.windowTitle(), "Surface Fitting");
    EXPECT_EQ(v.windowTitle(), "Volume Fitting");
    EXPECT_EQ(s.objectName(), "frmSurFit");
    EXPECT_EQ(v.objectName(), "frmVolFit");
    const char* keys = "123+-456*/789()0.^xy";
    for (FitDialog* d : {static_cast<FitDialog*>(&s), static_cast<FitDialog*>(&v)}) {
        SCOPED_TRACE(d->windowTitle().toStdString());
        for (int k = 0; k < 20; ++k)
            EXPECT_EQ(caption(*d, QString("Command%1").arg(8 + k).toLatin1().constData()), std::string(1, keys[k]));
        EXPECT_EQ(texts(d->List1), (QStringList{"A", "B", "C", "D"}));
        EXPECT_EQ(d->List2->count(), 0);
        d->show();
        d->grab().save(QStringLiteral(TRELVANE_BINARY_DIR "/pictures/") + d->objectName() + ".png");
        // Options, OK, Cancel down the right edge.
        EXPECT_LT(d->optionsButton->y(), d->Command5->y());
        EXPECT_LT(d->Command5->y(), d->Command6->y());
        EXPECT_FALSE(d->windowFlags() & Qt::WindowMaximizeButtonHint);
        d->hide();
    }
    // Four slots: a column goes to one of them only, and back to the end of the list.
    v.List1->setCurrentRow(0);
    v.Command29->click();
    EXPECT_EQ(texts(v.List7), QStringList{"A"});
    EXPECT_EQ(v.Command29->text(), "<<");
    v.Command2->click();
    v.Command29->click();
    EXPECT_EQ(texts(v.List1), (QStringList{"C", "D", "A"}));
    EXPECT_EQ(texts(v.List3), QStringList{"B"});
}

TEST_F(SurfaceDialogs, ClipSurfaceIsWrittenAtOnceAndACloseWithoutAFitPutsItBack) {
    struct Case {
        const char* what;
        bool before;
        std::function<void(frmSurFit&)> close;
        bool after;
    };
    const std::vector<Case> cases = {
        {"Cancel", false, [](frmSurFit& d) { d.Command6->click(); }, false},
        {"the close box", true, [](frmSurFit& d) { d.close(); }, true},
        {"Esc", false, [](frmSurFit& d) { QTest::keyClick(&d, Qt::Key_Escape); }, false},
        {"OK with a refused fit, then Cancel", true,
         [](frmSurFit& d) {
             d.Command5->click();  // no columns chosen
             EXPECT_TRUE(d.isVisible());
             d.Command6->click();
         },
         true},
        {"OK with a completed fit", false,
         [](frmSurFit& d) {
             for (QPushButton* b : {d.Command2, d.Command3, d.Command7}) {
                 d.List1->setCurrentRow(0);
                 b->click();
             }
             d.Text1->setPlainText("a+b*x+c*y");
             d.List2->addItems({"a(0)", "b(0)", "c(0)"});
             d.Command5->click();
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gClipSurface = c.before;
        frmSurFit d(host);
        EXPECT_EQ(d.Check3->isChecked(), c.before);
        EXPECT_EQ(gClipSurface, c.before);
        d.show();
        d.Check3->click();
        EXPECT_EQ(gClipSurface, !c.before);  // at once
        c.close(d);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(gClipSurface, c.after);
    }
}

TEST_F(SurfaceDialogs, ParameterDialogsKeepTheOrderOfArrival) {
    using Open = std::function<std::unique_ptr<ParameterDialog>(QListWidget&)>;
    const std::vector<std::pair<const char*, Open>> dialogs = {
        {"SF: Parameters", [](QListWidget& l) { return std::make_unique<frmPara2>(l, nullptr); }},
        {"VF: Parameters", [](QListWidget& l) { return std::make_unique<frmPara3>(l, nullptr); }},
    };
    for (const auto& [title, open] : dialogs) {
        SCOPED_TRACE(title);
        QListWidget target;
        auto p = open(target);
        EXPECT_EQ(p->windowTitle(), title);
        auto add = [&p](const char* name, const char* value) {
            p->Combo1->setCurrentText(name);
            p->Text2->setText(value);
            p->Command1->click();
        };
        add("b", "2");
        add("a", "1");
        EXPECT_EQ(texts(p->List1), (QStringList{"b(2)", "a(1)"}));
        EXPECT_EQ(p->List1->currentRow(), 1);  // the new entry is selected
        add("c", "3");
        // Change moves the changed entry to the end.
        p->List1->setCurrentRow(0);
        p->Combo1->setCurrentText("d");
        p->Text2->setText("2");
        p->Command2->click();
        EXPECT_EQ(texts(p->List1), (QStringList{"a(1)", "c(3)", "d(2)"}));
        msgs.clear();
        add("a", "5");
        EXPECT_EQ(msgs.texts(), std::vector<std::string>{"The parameter names must be different."});
        p->Command4->click();
        EXPECT_EQ(texts(&target), (QStringList{"a(1)", "c(3)", "d(2)"}));
        // Opened again, it starts from the fitting dialog's list in its order.
        EXPECT_EQ(texts(open(target)->List1), (QStringList{"a(1)", "c(3)", "d(2)"}));
    }
}

TEST_F(SurfaceDialogs, VolumeParametersTabBackwardsFromTheNameBox) {
    QListWidget target;
    frmPara3 p(target, nullptr);
    const QStringList order = {"Combo1", "Command5", "Command4", "Command3", "Command2", "Command1", "List1", "Text2"};
    QStringList chain;
    QWidget* w = p.Combo1;
    for (int n = 0; n < 200 && chain.size() < order.size(); ++n, w = w->nextInFocusChain())
        if (order.contains(w->objectName()) && !chain.contains(w->objectName())) chain << w->objectName();
    EXPECT_EQ(chain, order);
    p.show();
    QApplication::setActiveWindow(&p);
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(),
                              "Combo1", testsupport::kLongWaitMs);
}

TEST_F(SurfaceDialogs, OptionsAreSharedCheckedAndKeptByCancel) {
    {
        frmSurFitOptions o(nullptr);
        EXPECT_EQ(o.windowTitle(), "Surface: Options");
        EXPECT_EQ(o.Label1->text(), "Maximum Number");
        EXPECT_EQ(o.Label2->text(), "Tollerance");
        EXPECT_EQ(o.Text1->text(), "200");
        EXPECT_EQ(o.Text2->text(), "1E-07");
    }
    struct Case {
        QString count, tolerance;
        std::string message;  // "" for accepted
        long storedCount;
        double storedTolerance;
    };
    const std::vector<Case> cases = {
        {"50", "1e-8", "", 50, 1e-8},
        {"12.5", "0.001", "", 12, 0.001},
        {"13.5", "0.5", "", 14, 0.5},
        {"0", "1E-07", "The maximum number of iterations must be between 1 and 100000.", 0, 0},
        {"100001", "1E-07", "The maximum number of iterations must be between 1 and 100000.", 0, 0},
        {"1E20", "1E-07", "The maximum number of iterations must be between 1 and 100000.", 0, 0},
        {"", "1E-07", "The maximum number of iterations must be between 1 and 100000.", 0, 0},
        {"200", "1E-16", "The tolerance must be between 1E-15 and 0.5.", 0, 0},
        {"200", "0,001", "The tolerance must be between 1E-15 and 0.5.", 0, 0},  // the comma ends the number
        {"200", "0.6", "The tolerance must be between 1E-15 and 0.5.", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count.toStdString() + " " + c.tolerance.toStdString());
        gSurfMaxIterations = 7;
        gSurfTolerance = 1e-3;
        msgs.clear();
        frmSurFitOptions o(nullptr);
        o.show();
        o.Text1->setText(c.count);
        o.Text2->setText(c.tolerance);
        o.Command1->click();
        if (c.message.empty()) {
            EXPECT_TRUE(msgs.shown().empty());
            EXPECT_EQ(gSurfMaxIterations, c.storedCount);
            EXPECT_EQ(gSurfTolerance, c.storedTolerance);
            EXPECT_FALSE(o.isVisible());
        } else {
            EXPECT_EQ(msgs.texts(), std::vector<std::string>{c.message});
            EXPECT_TRUE(o.isVisible());
            EXPECT_EQ(gSurfMaxIterations, 7);
            EXPECT_EQ(gSurfTolerance, 1e-3);
            o.Command2->click();  // Cancel stores nothing
            EXPECT_EQ(gSurfMaxIterations, 7);
        }
    }
    // Stored from the surface dialog, shown by the volume dialog's options.
    gSurfMaxIterations = 50;
    gSurfTolerance = 1e-8;
    frmVolFit v(host);
    QStringList shown;
    whenShown<frmSurFitOptions>([&shown](frmSurFitOptions* o) {
        shown << o->Text1->text() << o->Text2->text();
        o->Command2->click();
    });
    v.Command28->click();
    EXPECT_EQ(shown, (QStringList{"50", "1E-08"}));
}

}  // namespace
