// The light and view dialogs in the real window, driven from their menu
// items: an unlit picture shows its flat colours, "Perspective" changes the
// 3-D picture at once, and what the boxes show and store.
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "app/scene_dialogs/light_dialog.h"
#include "app/scene_dialogs/view_dialog.h"
#include "modal_dialog.h"
#include "scene/axis.h"
#include "scene/camera.h"
#include "scene/light.h"
#include "support/gl_offscreen.h"
#include "window_fixture.h"
#include "support/pictures.h"

class LightViewDialogs : public WindowTest {
protected:
    // A 4-D document with data points and the three back panels in one colour.
    void panelledVolume(long colour) {
        w->mnuFileNew4D();
        addVolume(40);
        Cls3& a = axisFrame();
        a.ShowXYPanel = a.ShowXZPanel = a.ShowYZPanel = true;
        a.XYPanelColor = a.XZPanelColor = a.YZPanelColor = colour;
        w->mnuViewFit_Click();
    }
};

TEST_F(LightViewDialogs, UnlitPanelsShowTheirFlatColour) {
    panelledVolume(0x3080C0);  // RGB(192, 128, 48)
    const QImage lit = picture();
    savePicture(lit, "light_on_panels");
    const int flatBefore = testsupport::countColor(lit, 192, 128, 48, 1);
    whenModal<frmF8>([](frmF8* d) {
        EXPECT_EQ(d->windowTitle(), "Light Properties");
        EXPECT_TRUE(d->Check1->isChecked());
        EXPECT_EQ(d->Text[0]->text(), "100");  // X
        EXPECT_EQ(d->Text[15]->text(), "1");   // W
        savePicture(d->grab().toImage(), "light_dialog");
        d->Check1->click();
        d->Command1->click();
    });
    w->action("mnuDrawLight")->trigger();
    EXPECT_FALSE(gLight->Enabled);
    const QImage unlit = picture();
    savePicture(unlit, "light_off_panels");
    // Whole panels in their own colour, where lighting shaded them before.
    EXPECT_GT(testsupport::countColor(unlit, 192, 128, 48, 1), 5000);
    EXPECT_LT(flatBefore, 500);
}

TEST_F(LightViewDialogs, LightBoxesStoreSinglesAndCancelStoresNothing) {
    w->mnuFileNew3D();
    whenModal<frmF8>([](frmF8* d) {
        type(d->Text[15], "0");      // W: a direction
        type(d->Text[3], "0.25");    // diffuse R
        type(d->Text[14], "-1,5");   // specular A
        d->Check2->click();
        d->Command1->click();
    });
    w->action("mnuGraphLight")->trigger();
    EXPECT_EQ(gLight->Position(3), 0.0f);
    EXPECT_EQ(gLight->Diffuse(0), 0.25f);
    EXPECT_EQ(gLight->Specular(3), -1.5f);
    EXPECT_EQ(gLight->TwoSides(0), 0.0f);
    EXPECT_EQ(gLight->GlobalAmbient(0), 1.0f);
    EXPECT_TRUE(boxes.shown().empty());
    whenModal<frmF8>([](frmF8* d) {
        EXPECT_EQ(d->Text[15]->text(), "0");
        EXPECT_EQ(d->Text[3]->text(), "0.25");
        EXPECT_FALSE(d->Check2->isChecked());
    });
    w->Toolbar1_ButtonClick(23);
}

TEST_F(LightViewDialogs, PerspectiveChangesThe3DPictureAtOnce) {
    panelledVolume(0xCCCCCC);
    const QImage ortho = picture();
    savePicture(ortho, "view_ortho");
    whenModal<frmF14>([](frmF14* d) {
        EXPECT_EQ(d->windowTitle(), "View Setting");
        EXPECT_TRUE(d->Option1->isChecked());
        const char* shown[6] = {"-500", "500", "-500", "500", "-500", "500"};
        for (int i = 0; i < 6; ++i) EXPECT_EQ(d->Text[static_cast<size_t>(i)]->text(), shown[i]);
        savePicture(d->grab().toImage(), "view_dialog");
        d->Option2->click();
        d->Command1->click();
    });
    w->action("mnuViewSet")->trigger();
    EXPECT_EQ(gCamera->ProjectType, 2);
    const QImage perspective = picture();
    savePicture(perspective, "view_perspective");
    EXPECT_GT(differing(ortho, perspective), 2000);
    EXPECT_GT(testsupport::countNonWhite(perspective), 2000);
}

TEST_F(LightViewDialogs, ViewBoxesAreCleanedAndStored) {
    whenModal<frmF14>([](frmF14* d) {
        type(d->Text[0], " 1,5 ");
        type(d->Text[1], "");
        type(d->Text[2], "1e3");
        type(d->Text[5], "- 2");
        d->Command1->click();
    });
    w->action("mnuViewSet")->trigger();
    EXPECT_EQ(gViewMinX, 1.5);
    EXPECT_EQ(gViewMaxX, 0);
    EXPECT_EQ(gViewMinY, 1000);
    EXPECT_EQ(gViewMaxY, 500);
    EXPECT_EQ(gViewMaxZ, -2);
    whenModal<frmF14>([](frmF14* d) {
        EXPECT_EQ(d->Text[0]->text(), "1.5");
        EXPECT_EQ(d->Text[1]->text(), "0");
    });
    w->action("mnuViewSet")->trigger();
}
