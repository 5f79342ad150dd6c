// frmNLOptions: the settings shown as number texts, read back on OK with a
// range check, and a cancel (of the options or of the colour) changing nothing.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "fitting/shared/options_dialog.h"
#include "platform/common_dialog.h"
#include "platform/msgbox.h"
#include "state/globals.h"

namespace {

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { resetGlobals(); }
    platform::MsgRecorder msgs;
    platform::DialogRecorder colours;
};

TEST_F(OptionsDialogTest, ShowsTheSettingsAsNumberTexts) {
    frmNLOptions d(nullptr);
    EXPECT_EQ(d.windowTitle(), "Non-Linear: Options");
    EXPECT_TRUE(d.Option2->isChecked());
    EXPECT_EQ(d.Text1->text(), "200");
    EXPECT_EQ(d.Text2->text(), "1E-07");
    EXPECT_EQ(d.Label2->text(), "Tollerance");
    EXPECT_EQ(d.Label1->text(), "Maximum Number");
    EXPECT_EQ(d.Frame1->title(), "Methods");
    EXPECT_EQ(d.Frame2->title(), "Iteration");
    EXPECT_EQ(d.Frame3->title(), "Color");
    EXPECT_EQ(d.Label3->text(), "Curve Color");
    EXPECT_EQ(d.swatchColour(), 255);
    EXPECT_EQ(d.Picture1->palette().color(QPalette::Window), QColor(255, 0, 0));
    d.show();
    d.grab().save(QStringLiteral(TRELVANE_BINARY_DIR "/pictures/frmNLOptions.png"));

    gNonLinMethod = 1;
    gNonLinMaxIterations = 50;
    gNonLinTolerance = 0.5;
    frmNLOptions again(nullptr);
    EXPECT_TRUE(again.Option1->isChecked());
    EXPECT_EQ(again.Text1->text(), "50");
    EXPECT_EQ(again.Text2->text(), "0.5");
    again.Command1->click();  // unedited: stored unchanged
    EXPECT_EQ(gNonLinMaxIterations, 50);
    EXPECT_EQ(gNonLinTolerance, 0.5);
    EXPECT_EQ(gNonLinMethod, 1);
}

TEST_F(OptionsDialogTest, OkStoresWhatIsInRangeAndRefusesTheRest) {
    struct Case {
        const char *count, *tolerance;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"12.5", "1e-9", ""},
        {"0", "1e-7", "The maximum number of iterations must be between 1 and 100000."},
        {"-5", "1e-7", "The maximum number of iterations must be between 1 and 100000."},
        {"4294967296", "1e-7", "The maximum number of iterations must be between 1 and 100000."},
        {"200", "0,001", "The tolerance must be between 1E-15 and 0.5."},
        {"200", "2", "The tolerance must be between 1E-15 and 0.5."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        resetGlobals();
        frmNLOptions d(nullptr);
        d.show();
        d.Option1->setChecked(true);
        d.Text1->setText(c.count);
        d.Text2->setText(c.tolerance);
        msgs.clear();
        d.Command1->click();
        if (c.message.empty()) {
            EXPECT_TRUE(msgs.shown().empty());
            EXPECT_FALSE(d.isVisible());
            EXPECT_EQ(gNonLinMethod, 1);
            EXPECT_EQ(gNonLinMaxIterations, 12);
            EXPECT_EQ(gNonLinTolerance, 1e-9);
        } else {
            EXPECT_EQ(msgs.texts(), std::vector<std::string>{c.message});
            EXPECT_TRUE(d.isVisible());  // the dialog stays open, nothing stored
            EXPECT_EQ(gNonLinMethod, 2);
            EXPECT_EQ(gNonLinMaxIterations, 200);
            EXPECT_EQ(gNonLinTolerance, 1e-7);
        }
    }
}

TEST_F(OptionsDialogTest, ACancelChangesNothing) {
    gNonLinCurveColor = 255;
    {
        frmNLOptions d(nullptr);
        colours.answerCancel();  // Cancel in the colour dialog keeps the swatch
        d.Picture1_Click();
        EXPECT_EQ(d.swatchColour(), 255);
        ASSERT_EQ(colours.shown().size(), 1u);
        EXPECT_EQ(colours.shown()[0].color, 255);  // the colour dialog starts from the swatch
        colours.answerColor(0x00FF00);
        d.Picture1_Click();
        EXPECT_EQ(d.swatchColour(), 0x00FF00);
        EXPECT_EQ(gNonLinCurveColor, 255);  // only OK stores it
        d.Option1->setChecked(true);
        d.Text1->setText("7");
        d.Command2->click();  // Cancel
    }
    EXPECT_EQ(gNonLinCurveColor, 255);
    EXPECT_EQ(gNonLinMethod, 2);
    EXPECT_EQ(gNonLinMaxIterations, 200);

    frmNLOptions d(nullptr);
    colours.answerColor(0x123456);
    d.Picture1_Click();
    d.Command1->click();
    EXPECT_EQ(gNonLinCurveColor, 0x123456);
}

}  // namespace
