// The dialog: designed state, list moves, and OK closing only a completed run.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "../shared/fake_host.h"
#include "fitting/curve/curve_fit_dialog.h"
#include "support/list_texts.h"

namespace {

class CurveFitDialog : public ::testing::Test {
protected:
    void SetUp() override { setDocument({{"Var1", {1, 2, 3}}, {"Var2", {1, 3, 2}}, {"Var3", {0, 1, 2}}}); }
    FakeHost host;
    platform::MsgRecorder msgs;
};

TEST_F(CurveFitDialog, OpensInItsDesignedState) {
    frmCurveFit dlg(host);
    EXPECT_EQ(dlg.windowTitle(), "Curve Fitting");
    EXPECT_EQ(texts(dlg.List1), (QStringList{"Var1", "Var2", "Var3"}));
    EXPECT_EQ(dlg.List1->currentRow(), 0);
    EXPECT_EQ(dlg.List2->count() + dlg.List3->count(), 0);
    EXPECT_EQ(dlg.Command1->text(), ">>");
    EXPECT_EQ(dlg.Label1->text(), "Independent (x)");
    EXPECT_EQ(dlg.Label2->text(), "Dependent (y)");
    EXPECT_EQ(dlg.Frame1->title(), "Models");
    const QStringList captions = {"Linear", "Inverse(1)", "Inverse(2)", "Logarithmic", "Exponential",
                                  "XY Logarithmic", "S", "X Root", "Y Root", "XY Root", "Plot Scatter",
                                  "Plot Model(s)"};
    for (int i = 0; i < 12; ++i) {
        const auto* box = dlg.findChild<QCheckBox*>(QString("Check%1").arg(i + 1));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), captions[i]);
        EXPECT_EQ(box->isChecked(), i == 0 || i == 1 || i == 4 || i >= 10) << i;
        EXPECT_TRUE(box->isEnabled());
    }
    EXPECT_NE(dlg.findChild<QPushButton*>("Command3"), nullptr);
}

TEST_F(CurveFitDialog, ListMovesKeepEachColumnInOneList) {
    frmCurveFit dlg(host);
    dlg.List1->setCurrentRow(2);
    dlg.Command1_Click();  // Var3 (the last line) to x
    EXPECT_EQ(texts(dlg.List2), QStringList{"Var3"});
    EXPECT_EQ(dlg.Command1->text(), "<<");
    EXPECT_EQ(dlg.List1->currentRow(), 1);  // k - 1 when k was the last
    dlg.List1->setCurrentRow(0);
    dlg.Command2_Click();  // Var1 to y
    EXPECT_EQ(texts(dlg.List3), QStringList{"Var1"});
    EXPECT_EQ(texts(dlg.List1), QStringList{"Var2"});
    EXPECT_EQ(dlg.List1->currentRow(), 0);

    dlg.Command1_Click();  // "<<": Var3 back at the end
    EXPECT_EQ(texts(dlg.List1), (QStringList{"Var2", "Var3"}));
    EXPECT_EQ(dlg.List1->currentRow(), 1);
    EXPECT_EQ(dlg.Command1->text(), ">>");
    EXPECT_EQ(dlg.List2->count(), 0);

    // Moving from an empty column list changes nothing.
    dlg.Command1_Click();
    dlg.List1->setCurrentRow(0);
    frmCurveFit empty(host);
    empty.List1->clear();
    empty.Command1_Click();
    EXPECT_EQ(empty.Command1->text(), ">>");
}

TEST_F(CurveFitDialog, OkClosesOnlyACompletedRun) {
    frmCurveFit dlg(host);
    dlg.show();
    dlg.Command3_Click();  // nothing chosen
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{"Please select variables first."});
    EXPECT_TRUE(dlg.isVisible());

    // x = Var3 holds a 0: Inverse(1) stops the run after Linear.
    dlg.List1->setCurrentRow(2);
    dlg.Command1_Click();
    dlg.List1->setCurrentRow(1);
    dlg.Command2_Click();
    dlg.Command3_Click();
    EXPECT_EQ(msgs.texts().back(), "At lease one of independent variable values is equal to 0.");
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(host.viewFits, 0);
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 2);

    // The choices stay: without Inverse(1) the run completes (Linear and
    // Exponential) and the dialog closes.
    dlg.Check[1]->setChecked(false);
    dlg.Command3_Click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(host.drawScenes, 1);
    EXPECT_EQ(host.viewFits, 1);
    const std::string header = "Curve Fitting\r\nIndependent:Var3\r\nDependent:  Var2\r\n";
    const auto second = host.report.rfind(header);
    ASSERT_NE(second, 0u);
    EXPECT_EQ(host.report.find(header), 0u);
    EXPECT_NE(host.report.find("Exponential Model:", second), std::string::npos);
    EXPECT_EQ(host.report.substr(host.report.size() - 4), "\r\n\r\n");
}

TEST_F(CurveFitDialog, CancelClosesAndDoesNothingElse) {
    frmCurveFit dlg(host);
    dlg.show();
    dlg.Command4_Click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_TRUE(host.report.empty());
    EXPECT_EQ(host.loads, 0);
}

}  // namespace
