// frmNonLin: its designed state, the keypad and function list at the caret,
// the variable slots, the load step and OK over the fit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include "../shared/fake_host.h"
#include "fitting/nonlinear/nonlin_dialog.h"
#include "fitting/shared/options_dialog.h"
#include "fitting/shared/parameter_dialog.h"
#include "support/list_texts.h"
#include "support/when_shown.h"

namespace {

// Sets the model text with the caret at p and, when given, a selection from p to end.
void setText(QPlainTextEdit* t, const QString& text, int p, int end = -1) {
    t->setPlainText(text);
    QTextCursor c = t->textCursor();
    c.setPosition(p);
    if (end >= 0) c.setPosition(end, QTextCursor::KeepAnchor);
    t->setTextCursor(c);
}

class NonLinDialog : public ::testing::Test {
protected:
    void SetUp() override { setDocument({{"A", {1, 2, 3}}, {"B", {1, 3, 2}}, {"C", {0, 1, 2}}}); }
    FakeHost host;
    platform::MsgRecorder msgs;
};

TEST_F(NonLinDialog, OpensInItsDesignedState) {
    gNonLinCurveColor = 0x00FF00;
    frmNonLin d(host);
    EXPECT_EQ(d.objectName(), "frmNonLin");
    EXPECT_EQ(d.windowTitle(), "Nonlinear Curve Fitting");
    EXPECT_EQ(gNonLinCurveColor, 255);  // red again at every load
    EXPECT_EQ(texts(d.List1), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(d.List1->currentRow(), 0);
    EXPECT_EQ(d.List2->count() + d.List3->count() + d.List4->count(), 0);
    EXPECT_EQ(d.Text1->toPlainText(), "");
    EXPECT_TRUE(d.Check1->isChecked());
    EXPECT_TRUE(d.Check2->isChecked());
    const std::vector<std::pair<const char*, const char*>> captions = {
        {"Command1", "Parameters..."}, {"Command2", ">>"},    {"Command3", ">>"}, {"Command4", "Insert"},
        {"Command5", "OK"},            {"Command6", "Cancel"}, {"Command27", "Options"},
        {"Label1", "Independent (x)"}, {"Label4", "Dependent (y)"},
        {"Label2", "Model Expression ( f(x,a,...) )"},        {"Label3", "Functions"},
        {"Check1", "Plot Scatter"},    {"Check2", "Plot Model"}};
    for (const auto& [name, caption] : captions) {
        const auto* w = d.findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        const QString text = w->property("text").toString();
        EXPECT_EQ(text.toStdString(), caption) << name;
    }
    const char* keys = "123+-456*/789()0.x^B";
    for (int k = 0; k < 20; ++k) {
        const auto* key = d.findChild<QPushButton*>(QString("Command%1").arg(7 + k));
        ASSERT_NE(key, nullptr) << k;
        EXPECT_EQ(key->text(), QString(QChar(keys[k])));
        EXPECT_FALSE(key->autoDefault());
    }
    ASSERT_EQ(d.List5->count(), 28);
    EXPECT_EQ(d.List5->item(0)->text(), "abs()");
    EXPECT_EQ(d.List5->item(8)->text(), "sqr()");
    EXPECT_EQ(d.List5->item(27)->text(), "actanh()");
    EXPECT_EQ(d.List5->currentRow(), 0);
    // OK, Cancel, Options down the right edge, in that order.
    d.show();
    d.grab().save(QStringLiteral(TRELVANE_BINARY_DIR "/pictures/frmNonLin.png"));
    EXPECT_LT(d.Command5->y(), d.Command6->y());
    EXPECT_LT(d.Command6->y(), d.Command27->y());
    EXPECT_FALSE(d.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(NonLinDialog, KeysInsertAtTheCaretAndBDeletesBeforeIt) {
    frmNonLin d(host);
    struct Case {
        const char* what;
        QString text;
        int caret, selectionEnd;
        std::function<void()> press;
        QString result;
        int caretAfter;
    };
    const std::vector<Case> cases = {
        {"a key before a selection", "ab", 1, 2, [&] { d.keys[0]->click(); }, "a1b", 2},
        {"x at the end", "a*", 2, -1, [&] { d.keys[17]->click(); }, "a*x", 3},
        {"Insert adds the function without its bracket", "a*", 2, -1,
         [&] {
             d.List5->setCurrentRow(8);
             d.Command4->click();
         },
         "a*sqr(", 6},
        {"B deletes before the caret", "ab", 1, -1, [&] { d.Command26->click(); }, "b", 0},
        {"B before a selection", "abc", 1, 3, [&] { d.Command26->click(); }, "bc", 0},
        {"B at the start does nothing", "ab", 0, -1, [&] { d.Command26->click(); }, "ab", 0},
        {"B after a line break removes it whole", "a\nb", 2, -1, [&] { d.Command26->click(); }, "ab", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setText(d.Text1, c.text, c.caret, c.selectionEnd);
        c.press();
        EXPECT_EQ(d.Text1->toPlainText(), c.result);
        EXPECT_EQ(d.Text1->textCursor().position(), c.caretAfter);
        EXPECT_FALSE(d.Text1->textCursor().hasSelection());
    }
}

TEST_F(NonLinDialog, SlotsHoldOneColumnEachAndGiveItBackAtTheEnd) {
    frmNonLin d(host);
    d.Command2->click();  // A to x
    EXPECT_EQ(texts(d.List3), QStringList{"A"});
    EXPECT_EQ(d.Command2->text(), "<<");
    EXPECT_EQ(texts(d.List1), (QStringList{"B", "C"}));
    EXPECT_EQ(d.List1->currentItem()->text(), "B");
    d.Command3->click();  // B to y
    EXPECT_EQ(texts(d.List4), QStringList{"B"});
    d.Command2->click();  // A back, to the end
    EXPECT_EQ(texts(d.List1), (QStringList{"C", "A"}));
    EXPECT_EQ(d.List1->currentItem()->text(), "A");
    EXPECT_EQ(d.Command2->text(), ">>");
    EXPECT_EQ(d.List3->count(), 0);

    // The last line chosen: the new last line is selected.
    d.List1->setCurrentRow(1);
    d.Command2->click();
    EXPECT_EQ(d.List1->currentItem()->text(), "C");

    // One column: the second slot stays empty and keeps ">>".
    setDocument({{"Only", {1, 2}}});
    frmNonLin one(host);
    one.Command2->click();
    one.Command3->click();
    EXPECT_EQ(one.List1->count(), 0);
    EXPECT_EQ(one.List4->count(), 0);
    EXPECT_EQ(one.Command3->text(), ">>");
}

TEST_F(NonLinDialog, OkClosesOnlyAfterAFitAndARefusalKeepsEverythingTyped) {
    setDocument({{"A", {1, 2, 3}}, {"B", {1, 3, 2}}});
    frmNonLin d(host);
    d.show();
    d.Text1->setPlainText("a+b*x");
    d.List2->addItem("a(0)");
    d.Command2->click();
    d.Command3->click();
    d.Command5->click();  // one parameter short
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{"The model uses the parameter b, which has no starting value."});
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.result(), 0);
    EXPECT_EQ(d.Text1->toPlainText(), "a+b*x");
    EXPECT_EQ(texts(d.List2), QStringList{"a(0)"});
    EXPECT_EQ(texts(d.List3), QStringList{"A"});
    EXPECT_TRUE(host.report.empty());

    d.List2->addItem("b(0)");
    d.Command5->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(host.report.rfind("Nonlinear Curve Fitting\r\nIndependent:A\r\nDependent:  B\r\n", 0), 0u);
}

TEST_F(NonLinDialog, ParametersAndOptionsOpenTheirDialogs) {
    frmNonLin d(host);
    d.List2->addItem("b(2)");
    whenShown<frmPara>([](frmPara* p) {
        EXPECT_EQ(p->windowTitle(), "NCF: Parameters");
        p->Combo1->setCurrentText("a");
        p->Text2->setText("1");
        p->Command1->click();
        p->Command4->click();
    });
    d.Command1->click();
    EXPECT_EQ(texts(d.List2), (QStringList{"a(1)", "b(2)"}));

    whenShown<frmNLOptions>([](frmNLOptions* o) {
        o->Option1->setChecked(true);
        o->Command1->click();
    });
    d.Command27->click();
    EXPECT_EQ(gNonLinMethod, 1);
}

}  // namespace
