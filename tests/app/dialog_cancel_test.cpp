// Cancel and refused input in the axis, light and view dialogs: Cancel (the
// button, Esc or the close box) after edits and colour picks leaves every
// setting and the picture as they were; a box that cannot be stored gets a
// message while the dialog stays open and nothing is written.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <sstream>

#include "app/scene_dialogs/axis2d_dialog.h"
#include "app/scene_dialogs/axis3d_dialog.h"
#include "app/dialog_kit/dialog_input.h"
#include "app/scene_dialogs/light_dialog.h"
#include "app/scene_dialogs/view_dialog.h"
#include "modal_dialog.h"
#include "platform/color_swatch.h"
#include "scene/axis.h"
#include "scene/camera.h"
#include "scene/light.h"
#include "window_fixture.h"

namespace {

// Every setting the four dialogs can write.
std::string settings() {
    std::ostringstream s;
    Cls3 a = axisFrame();
    s << a.Show << ' ' << a.AxisStyle << ' ';
    a.Show = true;  // the record of a hidden frame holds nothing else
    s << a.Save() << '|' << gAxisScaleMode << ' ' << gAxisRatioX << ' ' << gAxisRatioY << ' ' << gAxisRatioZ << '|'
      << gAxisDialogResult << '|';
    const Cls10& l = *gLight;
    s << l.Enabled << ' ' << l.TwoSides(0) << ' ' << l.GlobalAmbient(0);
    for (long i = 0; i < 4; ++i) s << ' ' << l.Position(i) << ' ' << l.Diffuse(i) << ' ' << l.Amission(i) << ' ' << l.Specular(i);
    s << '|' << gCamera->ProjectType;
    for (double v : {gViewMinX, gViewMaxX, gViewMinY, gViewMaxY, gViewMinZ, gViewMaxZ}) s << ' ' << v;
    return s.str();
}

QPushButton* button(QDialog* d, const char* name) { return d->findChild<QPushButton*>(QString::fromUtf8(name)); }

enum class Close { Button, Esc, CloseBox };

void cancel(QDialog* d, Close how) {
    if (how == Close::Button) button(d, "Command2")->click();
    if (how == Close::Esc) QTest::keyClick(d, Qt::Key_Escape);
    if (how == Close::CloseBox) d->close();
    EXPECT_FALSE(d->isVisible());
}

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

// Edits in every tab of each dialog, colour picks included.
void edit3D(QDialog* dialog) {
    auto* d = static_cast<frmF3*>(dialog);
    d->SSTab1->setCurrentIndex(1);
    d->Check2->click();
    click(d->Picture1);
    d->Combo1->setCurrentIndex(7);
    d->SSTab1->setCurrentIndex(2);
    d->Check5->click();
    click(d->Picture5);
    d->SSTab1->setCurrentIndex(3);
    type(d->Text1, "7");
    d->SSTab1->setCurrentIndex(4);
    type(d->Text4, "time");
    d->SSTab1->setCurrentIndex(0);
    d->Option5->click();
    type(d->Text7, "3");
    d->Option2->click();
    d->Check1->click();
}

void edit2D(QDialog* dialog) {
    auto* d = static_cast<frmF20*>(dialog);
    d->Check1->click();
    d->Check6->click();
    d->Option3->click();
    type(d->Text1, "4");
    d->SSTab1->setCurrentIndex(1);
    d->Check5->click();
    click(d->Picture1);
    d->Combo1->setCurrentIndex(4);
    d->SSTab1->setCurrentIndex(2);
    d->Check2->click();
    click(d->Picture2);
    d->SSTab1->setCurrentIndex(3);
    d->Check4->click();
    click(d->Picture4);
    click(d->Picture5);
    click(d->Image1[6]);
}

void editLight(QDialog* dialog) {
    auto* d = static_cast<frmF8*>(dialog);
    for (QCheckBox* c : {d->Check1, d->Check2, d->Check3}) c->click();
    for (QLineEdit* e : d->Text) type(e, "0.5");
}

void editView(QDialog* dialog) {
    auto* d = static_cast<frmF14*>(dialog);
    d->Option2->click();
    for (QLineEdit* e : d->Text) type(e, "7");
}

}  // namespace

class DialogCancel : public WindowTest {
protected:
    void document(long kind) {
        if (kind == 11) {
            w->mnuFileNew4D();
            addVolume(40);
        } else {
            addCurve("Linear", {0, 1, 2, 3}, {1, 3, 2, 5});
        }
        w->mnuViewFit_Click();
    }
};

TEST_F(DialogCancel, CancelAfterEditsLeavesSettingsAndPicture) {
    struct Case {
        const char* what;
        const char* command;
        long kind;
        void (*edit)(QDialog*);
        Close how;
    };
    const Case cases[] = {
        {"3-D axis, Cancel", "mnuDrawAxis", 11, edit3D, Close::Button},
        {"3-D axis, Esc", "mnuGraphAxis", 11, edit3D, Close::Esc},
        {"2-D axis, close box", "mnuDrawAxis", 4, edit2D, Close::CloseBox},
        {"2-D axis, Esc", "mnuDrawAxis", 4, edit2D, Close::Esc},
        {"light, Cancel", "mnuDrawLight", 11, editLight, Close::Button},
        {"light, Esc", "mnuGraphLight", 11, editLight, Close::Esc},
        {"view, Cancel", "mnuViewSet", 4, editView, Close::Button},
        {"view, close box", "mnuViewSet", 11, editView, Close::CloseBox},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        document(c.kind);
        const std::string before = settings();
        // The redraws already asked for are done before the dialog opens.
        settle();
        const QImage picture0 = picture();
        settle();
        const long frames = w->framesRendered();
        for (long colour : {0x0000FF, 0xFF0000, 0x00FFFF, 0xFF00FF}) dialogs.answerColor(colour);
        whenModal<QDialog>([&c](QDialog* d) {
            c.edit(d);
            cancel(d, c.how);
        });
        w->action(c.command)->trigger();
        EXPECT_EQ(settings(), before);
        EXPECT_EQ(w->framesRendered(), frames);
        EXPECT_EQ(picture(), picture0);
        EXPECT_TRUE(boxes.shown().empty());
        dialogs.queue({});
        w->DeleteAllGraphs();
    }
}

TEST_F(DialogCancel, CancelledColourPickKeepsTheColour) {
    document(11);
    axisFrame().ShowXYPanel = true;
    axisFrame().XYPanelColor = 0x00C000;
    dialogs.answerCancel();
    whenModal<frmF3>([](frmF3* d) {
        d->SSTab1->setCurrentIndex(1);
        click(d->Picture1);
        EXPECT_EQ(d->Picture1->color(), 0x00C000);
        d->Command1->click();
    });
    w->action("mnuDrawAxis")->trigger();
    EXPECT_EQ(gAxis->XYPanelColor, 0x00C000);

    w->mnuFileNew2D();
    document(4);
    axisFrame().AxisColor = 0x804020;
    dialogs.answerCancel();
    whenModal<frmF20>([](frmF20* d) {
        d->SSTab1->setCurrentIndex(1);
        click(d->Picture1);
        d->Command1->click();
    });
    w->action("mnuDrawAxis")->trigger();
    EXPECT_EQ(gAxis->AxisColor, 0x804020);
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown()[1].color, 0x804020);  // the dialog opened on the swatch's colour
}

TEST_F(DialogCancel, RefusedBoxKeepsTheDialogOpenAndWritesNothing) {
    using dialoginput::LabelCountMessage;
    using dialoginput::RatioMessage;
    using dialoginput::SingleMessage;
    const std::string illegal = dialoginput::kIllegalData;
    struct Case {
        const char* command;
        long kind;
        std::function<void(QDialog*)> edit;
        std::string message, title;
    };
    // Each case also makes changes OK would store, so that "nothing written" shows.
    const auto axis3D = [](const char* box, const char* text, bool custom) {
        return [=](QDialog* dialog) {
            auto* d = static_cast<frmF3*>(dialog);
            type(d->Text4, "time");
            d->Check2->click();
            if (custom) d->Option5->click();
            type(d->findChild<QLineEdit*>(box), text);
        };
    };
    const auto axis2D = [](const char* box, const char* text) {
        return [=](QDialog* dialog) {
            auto* d = static_cast<frmF20*>(dialog);
            d->Check1->click();
            d->Option3->click();
            type(d->findChild<QLineEdit*>(box), text);
        };
    };
    const auto light = [](int box, const char* text) {
        return [=](QDialog* dialog) {
            auto* d = static_cast<frmF8*>(dialog);
            d->Check1->click();
            type(d->Text[0], "7");
            type(d->Text[static_cast<size_t>(box - 1)], text);
        };
    };
    const auto view = [](int box, const char* text) {
        return [=](QDialog* dialog) {
            auto* d = static_cast<frmF14*>(dialog);
            d->Option2->click();
            type(d->Text[0], "3");
            type(d->Text[static_cast<size_t>(box - 1)], text);
        };
    };
    const std::vector<Case> cases = {
        {"mnuDrawAxis", 11, axis3D("Text7", "0", true), RatioMessage("Ratio X"), "Trelvane"},
        {"mnuDrawAxis", 11, axis3D("Text8", "1e39", true), RatioMessage("Ratio Y"), "Trelvane"},
        {"mnuDrawAxis", 11, axis3D("Text9", "abc", true), RatioMessage("Ratio Z"), "Trelvane"},
        {"mnuDrawAxis", 11, axis3D("Text1", "0", false), LabelCountMessage("X Axis Intervals"), "Trelvane"},
        {"mnuDrawAxis", 11, axis3D("Text2", "51", false), LabelCountMessage("Y Axis Intervals"), "Trelvane"},
        {"mnuDrawAxis", 11, axis3D("Text3", "2,x", false), LabelCountMessage("Z Axis Intervals"), "Trelvane"},
        {"mnuDrawAxis", 4, axis2D("Text1", "0"), RatioMessage("Ratio X"), "Trelvane"},
        {"mnuDrawAxis", 4, axis2D("Text2", "-1"), RatioMessage("Ratio Y"), "Trelvane"},
        {"mnuDrawAxis", 4, axis2D("Text1", ""), RatioMessage("Ratio X"), "Trelvane"},
        {"mnuDrawLight", 11, light(16, "abc"), SingleMessage("Light Position W"), "Trelvane"},
        {"mnuDrawLight", 11, light(4, "1e39"), SingleMessage("Diffuse light color R"), "Trelvane"},
        {"mnuDrawLight", 11, light(13, "1,5x"), SingleMessage("Specular light color G"), "Trelvane"},
        {"mnuViewSet", 11, view(1, "abc"), illegal, "Error"},
        {"mnuViewSet", 11, view(4, "1-2"), illegal, "Error"},
        {"mnuViewSet", 4, view(6, "1e999"), illegal, "Error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << ": " << c.message);
        document(c.kind);
        const std::string before = settings();
        settle();
        const long frames = w->framesRendered();
        boxes.clear();
        whenModal<QDialog>([&c, this](QDialog* d) {
            c.edit(d);
            button(d, "Command1")->click();
            EXPECT_EQ(QApplication::activeModalWidget(), d);
            EXPECT_TRUE(d->isVisible());
            ASSERT_EQ(boxes.shown().size(), 1u);
            EXPECT_EQ(boxes.shown()[0].text, c.message);
            EXPECT_EQ(boxes.shown()[0].title, c.title);
            EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Exclamation);
            button(d, "Command2")->click();
        });
        w->action(c.command)->trigger();
        EXPECT_EQ(settings(), before);
        EXPECT_EQ(w->framesRendered(), frames);
        w->DeleteAllGraphs();
    }
}
