// The polynomial fitting dialog: its opening state, the list moves of its
// four rows, the model switches, the clip option, and OK closing only a
// completed run.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "fitting/polynomial/polynomial_dialog.h"
#include "poly_fake_host.h"

namespace {

QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

// Which of the rows x, y, z, v are shown, and the captions of Label3 .. Label5.
struct Rows {
    bool x, y, z, v;
    QString label3, label4, label5;
    bool operator==(const Rows&) const = default;
};

Rows rows(const frmPoly& d) {
    auto shown = [](const QLabel* l, const QPushButton* b, const QListWidget* s) {
        EXPECT_EQ(l->isHidden(), b->isHidden());
        EXPECT_EQ(l->isHidden(), s->isHidden());
        return !l->isHidden();
    };
    return {shown(d.Label2, d.Command1, d.List2), shown(d.Label3, d.Command2, d.List3),
            shown(d.Label4, d.Command3, d.List4), shown(d.Label5, d.Command4, d.List5),
            d.Label3->text(),  d.Label4->text(),  d.Label5->text()};
}

std::ostream& operator<<(std::ostream& os, const Rows& r) {
    return os << r.x << r.y << r.z << r.v << " " << r.label3.toStdString() << " / " << r.label4.toStdString()
              << " / " << r.label5.toStdString();
}

class PolynomialDialog : public ::testing::Test {
protected:
    void SetUp() override { setDocument({{"A", {0, 1, 2, 3}}, {"B", {1, 3, 2, 5}}, {"C", {0, 1, 4, 9}}}); }
    PolyHost host;
    platform::MsgRecorder msgs;
};

TEST_F(PolynomialDialog, OpensInItsDesignedState) {
    frmPoly d(host);
    EXPECT_EQ(d.windowTitle(), "Polynomial Fitting");
    EXPECT_EQ(texts(d.List1), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(d.List1->currentRow(), 0);
    EXPECT_EQ(d.List2->count() + d.List3->count() + d.List4->count() + d.List5->count(), 0);
    QStringList models;
    for (int i = 0; i < d.Combo1->count(); ++i) models << d.Combo1->itemText(i);
    EXPECT_EQ(models, (QStringList{"Unary Linear Model", "Unary Quadratic Model", "Unary Cubic Model",
                                   "Binary Linear Model", "Binary Quadratic Model", "Binary Cubic Model",
                                   "Trinary Linear Model", "Trinary Quadratic Model", "Trinary Cubic Model"}));
    EXPECT_EQ(d.Combo1->currentText(), "Unary Quadratic Model");
    EXPECT_FALSE(d.Combo1->isEditable());
    EXPECT_EQ(d.ModelNumber, 2);
    EXPECT_EQ(d.Text1->toPlainText(), "y=b0+b1*x+b2*x^2");
    EXPECT_FALSE(d.Text1->isEnabled());
    EXPECT_EQ(d.Label1->text(), "Model");
    EXPECT_EQ(d.Label2->text(), "Independent (x)");
    EXPECT_EQ(rows(d), (Rows{true, true, false, false, "Dependent (y)", "Independent (z)", "Dependent (v)"}));
    EXPECT_EQ(d.Frame1->title(), "Model Expression");
    for (QPushButton* b : {d.Command1, d.Command2, d.Command3, d.Command4}) EXPECT_EQ(b->text(), ">>");
    EXPECT_EQ(d.Command5->text(), "OK");
    EXPECT_EQ(d.Command6->text(), "Cancel");
    EXPECT_EQ(d.Check1->text(), "Plot Scatter");
    EXPECT_EQ(d.Check2->text(), "Plot Model");
    EXPECT_EQ(d.Check3->text(), "Clip Surface");
    EXPECT_TRUE(d.Check1->isChecked());
    EXPECT_TRUE(d.Check2->isChecked());
    EXPECT_FALSE(d.Check3->isChecked());
}

TEST_F(PolynomialDialog, ListMovesKeepEachColumnInOneList) {
    frmPoly d(host);
    d.Command1_Click();  // A to x
    EXPECT_EQ(texts(d.List1), (QStringList{"B", "C"}));
    EXPECT_EQ(d.List1->currentRow(), 0);
    EXPECT_EQ(texts(d.List2), QStringList{"A"});
    EXPECT_EQ(d.List2->currentRow(), 0);
    EXPECT_EQ(d.Command1->text(), "<<");
    d.Command1_Click();  // back at the end, selected
    EXPECT_EQ(texts(d.List1), (QStringList{"B", "C", "A"}));
    EXPECT_EQ(d.List1->currentRow(), 2);
    EXPECT_EQ(d.List2->count(), 0);
    EXPECT_EQ(d.Command1->text(), ">>");

    d.Command2_Click();  // the last line (A) to y: the line before it is selected
    EXPECT_EQ(d.List1->currentItem()->text(), "C");
    d.Combo1->setCurrentIndex(8);
    d.Command3_Click();  // C to z
    d.Command4_Click();  // B to v: the column list is empty
    EXPECT_EQ(d.List1->count(), 0);
    EXPECT_EQ((QStringList{texts(d.List3) + texts(d.List4) + texts(d.List5)}), (QStringList{"A", "C", "B"}));
    d.Command1_Click();  // nothing to move
    EXPECT_EQ(d.Command1->text(), ">>");
    EXPECT_EQ(d.List2->count(), 0);
    d.Command3_Click();  // "<<" on z
    EXPECT_EQ(texts(d.List1), QStringList{"C"});
    EXPECT_EQ(d.Command3->text(), ">>");
}

TEST_F(PolynomialDialog, ModelSwitchesSetTextsCaptionsAndRows) {
    const char* texts9[] = {"y=b0+b1*x", "y=b0+b1*x+b2*x^2", "y=b0+b1*x+b2*x^2+b3*x^3", "z=b0+b1*x+b2*y",
                            "z=b0+b1*x+b2*y+b3*x*y+b4*x^2+b5*y^2",
                            "z=b0+b1*x+b2*y+b3*x*y+b4*x^2+b5*y^2+b6*x*y^2+b7*x^2*y+b8*x^3+b9*y^3",
                            "v=b0+b1*x+b2*y+b3*z",
                            "v=b0+b1*x+b2*y+b3*z+b4*x*y+b5*x*z+b6*y*z+b7*x^2+b8*y^2+b9*z^2",
                            "v=b0+b1*x+b2*y+b3*z+b4*x*y+b5*x*z+b6*y*z+b7*x^2+b8*y^2+b9*z^2+b10*x^2*y+b11*x^2*z+"
                            "b12*x*y^2+b13*y^2*z+b14*x*z^2+b15*y*z^2+b16*x^3+b17*y^3+b18*z^3"};
    // In this order; "unchanged" captions keep what the model before left.
    struct Step {
        int index;
        Rows rows;
    };
    const Step steps[] = {
        {8, {true, true, true, true, "Independent (y)", "Independent (z)", "Dependent (v)"}},
        {0, {true, true, false, false, "Dependent (y)", "Independent (z)", "Dependent (v)"}},
        {3, {true, true, true, false, "Independent (y)", "Dependent (z)", "Dependent (v)"}},
        {4, {true, true, true, false, "Independent (y)", "Dependent (z)", "Dependent (v)"}},
        {2, {true, true, false, false, "Dependent (y)", "Dependent (z)", "Dependent (v)"}},
        {5, {true, true, true, false, "Independent (y)", "Dependent (z)", "Dependent (v)"}},
        {6, {true, true, true, true, "Independent (y)", "Independent (z)", "Dependent (v)"}},
        {7, {true, true, true, true, "Independent (y)", "Independent (z)", "Dependent (v)"}},
        {1, {true, true, false, false, "Dependent (y)", "Independent (z)", "Dependent (v)"}},
    };
    frmPoly d(host);
    for (const Step& s : steps) {
        d.Combo1->setCurrentIndex(s.index);
        EXPECT_EQ(d.ModelNumber, s.index + 1);
        EXPECT_EQ(d.Text1->toPlainText().toStdString(), texts9[s.index]);
        EXPECT_EQ(rows(d), s.rows) << "model " << s.index + 1;
    }

    // A hidden row keeps its column and shows it again.
    d.Combo1->setCurrentIndex(8);
    d.Command4_Click();  // A to v
    d.Combo1->setCurrentIndex(0);
    EXPECT_EQ(texts(d.List5), QStringList{"A"});
    EXPECT_EQ(texts(d.List1), (QStringList{"B", "C"}));
    d.Combo1->setCurrentIndex(6);
    EXPECT_FALSE(d.List5->isHidden());
    EXPECT_EQ(texts(d.List5), QStringList{"A"});
}

TEST_F(PolynomialDialog, ClipOptionIsWrittenAtOnceAndOutlivesCancel) {
    {
        frmPoly d(host);
        d.Check3->setChecked(true);
        EXPECT_TRUE(gClipSurface);
        d.Command6_Click();
    }
    EXPECT_TRUE(gClipSurface);
    frmPoly again(host);
    EXPECT_TRUE(again.Check3->isChecked());
    again.Check3->setChecked(false);
    EXPECT_FALSE(gClipSurface);
}

TEST_F(PolynomialDialog, OkClosesOnlyACompletedRun) {
    frmPoly d(host);
    d.show();
    d.Command1_Click();  // x = A; y left empty
    d.Command5_Click();
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{"Please select variables first."});
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(host.loads, 0);

    // Binary linear: z = C from the y and z rows, y = B.
    d.Combo1->setCurrentIndex(3);
    d.Command2_Click();  // B
    d.Command3_Click();  // C
    d.Check2->setChecked(false);
    d.Command5_Click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(host.report.rfind("Polynomial Fitting\r\nBinary Linear Model: z=b0+b1*x+b2*y\r\nIndependent:A\r\n"
                                "Independent:B\r\nDependent:  C\r\n",
                                0),
              0u);
    EXPECT_EQ(host.newDocuments, std::vector<long>{3});
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);  // "Plot Model" cleared
    EXPECT_EQ(host.viewFits, 1);
}

TEST_F(PolynomialDialog, CancelClosesAndDoesNothingElse) {
    frmPoly d(host);
    d.show();
    d.Command6->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_TRUE(host.report.empty());
    EXPECT_EQ(host.loads, 0);
}

}  // namespace
