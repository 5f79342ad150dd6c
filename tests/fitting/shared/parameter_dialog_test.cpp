// frmPara: the parameter list kept sorted, the one refusal, Change and Remove
// of the selected entry, and OK or Cancel towards the fitting dialog's list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "fitting/shared/parameter_dialog.h"
#include "platform/msgbox.h"
#include "support/list_texts.h"

namespace {

class ParameterDialogTest : public ::testing::Test {
protected:
    // The dialog over a fitting dialog's list holding `entries`.
    std::unique_ptr<frmPara> open(const QStringList& entries) {
        target.clear();
        target.addItems(entries);
        return std::make_unique<frmPara>(target, nullptr);
    }
    static void type(frmPara& p, const QString& name, const QString& value) {
        p.Combo1->setCurrentText(name);
        p.Text2->setText(value);
    }
    QListWidget target;
    platform::MsgRecorder msgs;
};

TEST_F(ParameterDialogTest, OpensFromTheFittingDialogsListSortedWithTheFirstSelected) {
    auto p = open({});
    EXPECT_EQ(p->windowTitle(), "NCF: Parameters");
    EXPECT_EQ(p->Combo1->count(), 20);
    EXPECT_EQ(p->Combo1->itemText(19), "t");
    EXPECT_EQ(p->Combo1->currentText(), "a");
    EXPECT_EQ(p->Text2->text(), "");
    EXPECT_EQ(p->List1->count(), 0);
    EXPECT_EQ(p->Label3->text(), "The Parameter must be one of a,b,...,t, and must be in the order of a to t.");
    EXPECT_EQ(p->Frame1->title(), "Note");

    p = open({"c(3)", "A(1)", "b(2)"});
    p->show();
    p->grab().save(QStringLiteral(TRELVANE_BINARY_DIR "/pictures/frmPara.png"));
    EXPECT_EQ(texts(p->List1), (QStringList{"A(1)", "b(2)", "c(3)"}));
    EXPECT_EQ(p->List1->currentRow(), 0);
    EXPECT_EQ(p->Combo1->currentText(), "a");  // "A" is not one of the items: the combo keeps its text
    EXPECT_EQ(p->Text2->text(), "1");
    EXPECT_EQ(target.currentRow(), 2);
}

TEST_F(ParameterDialogTest, AddChangeAndRemove) {
    auto p = open({"b(2)"});
    type(*p, "a", "1");
    p->Command1->click();  // Add: sorted in; the last entry selected
    EXPECT_EQ(texts(p->List1), (QStringList{"a(1)", "b(2)"}));
    EXPECT_EQ(p->List1->currentRow(), 1);
    EXPECT_EQ(p->Combo1->currentText(), "b");
    EXPECT_EQ(p->Text2->text(), "2");
    EXPECT_TRUE(msgs.shown().empty());

    // A name already there is refused, for Add and for Change (also of the value only).
    for (QPushButton* b : {p->Command1, p->Command2}) {
        type(*p, "a", "5");
        msgs.clear();
        b->click();
        ASSERT_EQ(msgs.texts(), std::vector<std::string>{"The parameter names must be different."});
        EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::None);
        EXPECT_EQ(msgs.shown()[0].title, "Trelvane");
        EXPECT_EQ(texts(p->List1), (QStringList{"a(1)", "b(2)"}));
    }
    type(*p, "A", "5");  // the test is exact: "A" beside "a" is taken
    p->Command1->click();
    EXPECT_EQ(texts(p->List1), (QStringList{"a(1)", "A(5)", "b(2)"}));

    // Change: the selected entry goes, the new one takes its sorted place, nothing is selected.
    p->List1->setCurrentRow(0);
    type(*p, "d", "1");
    p->Command2->click();
    EXPECT_EQ(texts(p->List1), (QStringList{"A(5)", "b(2)", "d(1)"}));
    EXPECT_EQ(p->List1->currentRow(), -1);
    EXPECT_EQ(p->Combo1->currentText(), "d");
    EXPECT_EQ(p->Text2->text(), "1");
    // With nothing selected, Change and Remove leave every entry as it is.
    type(*p, "e", "9");
    p->Command2->click();
    p->Command3->click();
    EXPECT_EQ(texts(p->List1), (QStringList{"A(5)", "b(2)", "d(1)"}));

    // Remove of the last entry selects the new last one; of the only one leaves the boxes.
    p->List1->setCurrentRow(2);
    p->Command3->click();
    EXPECT_EQ(texts(p->List1), (QStringList{"A(5)", "b(2)"}));
    EXPECT_EQ(p->List1->currentRow(), 1);
    EXPECT_EQ(p->Combo1->currentText(), "b");
    p->List1->setCurrentRow(0);
    p->Command3->click();
    EXPECT_EQ(p->List1->currentRow(), 0);
    EXPECT_EQ(p->List1->currentItem()->text(), "b(2)");
    p->Command3->click();
    EXPECT_EQ(p->List1->count(), 0);
    EXPECT_EQ(p->Combo1->currentText(), "b");
    EXPECT_EQ(p->Text2->text(), "2");
}

TEST_F(ParameterDialogTest, OddEntriesAreReadWithoutFailing) {
    auto p = open({});
    type(*p, "ab", "1");
    p->Command1->click();
    type(*p, "", "");
    p->Command1->click();  // "()"
    type(*p, "c", "");
    p->Command1->click();  // "c()"
    EXPECT_EQ(texts(p->List1), (QStringList{"()", "ab(1)", "c()"}));
    p->List1->setCurrentRow(1);
    EXPECT_EQ(p->Combo1->currentText(), "a");
    EXPECT_EQ(p->Text2->text(), "(1");
    p->List1->setCurrentRow(0);
    EXPECT_EQ(p->Text2->text(), "");
    p->List1->setCurrentRow(2);
    EXPECT_EQ(p->Combo1->currentText(), "c");
    EXPECT_EQ(p->Text2->text(), "");
}

TEST_F(ParameterDialogTest, OkWritesTheListBackAndCancelLeavesItAlone) {
    auto p = open({"b(2)"});
    type(*p, "a", "1");
    p->Command1->click();
    p->List1->setCurrentRow(1);
    p->Command3->click();
    p->Command5->click();
    EXPECT_EQ(texts(&target), QStringList{"b(2)"});
    EXPECT_EQ(p->result(), QDialog::Rejected);

    p = open({"c(3)"});
    type(*p, "a", "1");
    p->Command1->click();
    p->Command4->click();
    EXPECT_EQ(texts(&target), (QStringList{"a(1)", "c(3)"}));
    EXPECT_EQ(p->result(), QDialog::Accepted);

    p = open({"a(1)"});
    p->List1->setCurrentRow(0);
    p->Command3->click();
    p->Command4->click();  // OK with an empty list empties the fitting dialog's
    EXPECT_EQ(target.count(), 0);

    // Esc is no button's key: the dialog stays.
    p = open({"a(1)"});
    p->show();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(p.get(), &esc);
    EXPECT_TRUE(p->isVisible());
}

}  // namespace
