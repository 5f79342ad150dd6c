// The axis dialogs in the real window, driven from their menu items: a red
// XY panel on 4-D points, background style 19 on a fitted curve, the ratio
// boxes, what OK keeps and drops, and stored values outside the lists.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "app/scene_dialogs/axis2d_dialog.h"
#include "app/scene_dialogs/axis3d_dialog.h"
#include "modal_dialog.h"
#include "platform/color_swatch.h"
#include "scene/axis.h"
#include "support/gl_offscreen.h"
#include "window_fixture.h"
#include "support/pictures.h"

namespace {

bool reddish(QRgb p) { return qRed(p) > 90 && qGreen(p) * 3 < qRed(p) && qBlue(p) * 3 < qRed(p); }

int count(const QImage& img, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += test(img.pixel(x, y)) ? 1 : 0;
    return n;
}

}  // namespace

class AxisDialogs : public WindowTest {
protected:
    // A 4-D document with data points, zoomed to fit.
    void volumeDocument() {
        w->mnuFileNew4D();
        addVolume(60);
        w->mnuViewFit_Click();
    }
    // A fitted curve along the bottom of its box, rising at the right end,
    // so that the middle of the plot area stays free.
    void curveDocument() {
        addCurve("Linear", {0, 1, 2, 3, 4, 5}, {0, 0, 0, 0, 0, 10}, kCurveKindModel, 0x00A000);
        w->mnuViewFit_Click();
    }
};

TEST_F(AxisDialogs, RedXYPanelOn4DPoints) {
    volumeDocument();
    const QImage before = picture();
    ASSERT_EQ(count(before, reddish), 0);
    dialogs.answerColor(0x0000FF);
    const long frames = w->framesRendered();
    whenModal<frmF3>([](frmF3* d) {
        EXPECT_EQ(d->windowTitle(), "Axis Properties");
        d->SSTab1->setCurrentIndex(1);
        EXPECT_FALSE(d->Picture1->isEnabled());  // the panel starts hidden
        d->Check2->click();
        EXPECT_TRUE(d->Picture1->isEnabled());
        QTest::mouseClick(d->Picture1, Qt::LeftButton);
        savePicture(d->grab().toImage(), "axis3d_dialog_panel_tab");
        d->Command1->click();
    });
    w->action("mnuDrawAxis")->trigger();
    EXPECT_TRUE(gAxis->ShowXYPanel);
    EXPECT_EQ(gAxis->XYPanelColor, 0x0000FF);
    EXPECT_FALSE(gAxisDialogResult);  // cleared once the picture is redrawn
    EXPECT_GT(w->framesRendered(), frames);
    const QImage img = picture();
    savePicture(img, "axis3d_red_xy_panel");
    EXPECT_GT(count(img, reddish), 3000);
    // The points are still there.
    EXPECT_GT(testsupport::countColor(img, 0, 160, 0, 90), 50);
}

TEST_F(AxisDialogs, BackgroundStyle19OnAFittedCurve) {
    curveDocument();
    dialogs.queue({{true, {}, 0x0000FF, 0}, {true, {}, 0xFF0000, 0}});  // first colour red, second blue
    whenModal<frmF20>([](frmF20* d) {
        d->SSTab1->setCurrentIndex(3);
        EXPECT_EQ(d->markedThumbnail(), 1);  // the style of a new frame: 2
        d->Check4->click();
        QTest::mouseClick(d->Picture4, Qt::LeftButton);
        QTest::mouseClick(d->Picture5, Qt::LeftButton);
        QTest::mouseClick(d->Image1[18], Qt::LeftButton);
        EXPECT_EQ(d->markedThumbnail(), 18);
        EXPECT_TRUE(d->Shape1->isVisible());
        EXPECT_TRUE(d->Shape1->geometry().contains(d->Image1[18]->geometry()));
        savePicture(d->grab().toImage(), "axis2d_dialog_background_tab");
        d->Command1->click();
    });
    w->action("mnuDrawAxis")->trigger();
    EXPECT_TRUE(gAxis->ShowBackground);
    EXPECT_EQ(gAxis->BackStyle, 19);
    const QImage img = picture();
    savePicture(img, "axis2d_background_style_19");
    // The plot area: the pixels between red and blue.
    QRect area;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (qGreen(p) < 40 && qRed(p) + qBlue(p) > 200) area |= QRect(x, y, 1, 1);
        }
    ASSERT_GT(area.width(), 100);
    ASSERT_GT(area.height(), 100);
    // Style 19: the second colour at the corners, the first at the centre.
    const QRgb centre = img.pixel(area.center());
    EXPECT_GT(qRed(centre), 235) << qRed(centre) << " " << qBlue(centre);
    EXPECT_LT(qBlue(centre), 20);
    for (QPoint corner : {area.topLeft() + QPoint(4, 4), area.bottomRight() - QPoint(4, 4)}) {
        const QRgb c = img.pixel(corner);
        EXPECT_GT(qBlue(c), 225) << corner.x() << "," << corner.y();
        EXPECT_LT(qRed(c), 30);
    }
}

TEST_F(AxisDialogs, RatioBoxesFollowTheDataAxes) {
    volumeDocument();
    gAxisScaleMode = 3;
    gAxisRatioX = 2, gAxisRatioY = 3, gAxisRatioZ = 4;
    whenModal<frmF3>([](frmF3* d) {
        // X is the data x axis, scene Z.
        EXPECT_EQ(d->Text7->text(), "4");
        EXPECT_EQ(d->Text8->text(), "2");
        EXPECT_EQ(d->Text9->text(), "3");
        EXPECT_TRUE(d->Text7->isEnabled());
        type(d->Text7, "0.1");
        savePicture(d->grab().toImage(), "axis3d_dialog_general_tab");
        d->Command1->click();
    });
    w->action("mnuDrawAxis")->trigger();
    EXPECT_EQ(gAxisRatioZ, static_cast<double>(0.1f));
    EXPECT_EQ(gAxisRatioX, 2);
    EXPECT_EQ(gAxisRatioY, 3);
    whenModal<frmF3>([](frmF3* d) {
        EXPECT_EQ(d->Text7->text(), "0.100000001490116");
        d->Option3->click();  // "Square" disables the row and keeps the ratios
        EXPECT_FALSE(d->Text7->isEnabled());
        d->Command1->click();
    });
    w->action("mnuDrawAxis")->trigger();
    EXPECT_EQ(gAxisScaleMode, 1);
    EXPECT_EQ(gAxisRatioZ, static_cast<double>(0.1f));

    // The 2-D dialog's boxes are X and Y as they stand.
    w->mnuFileNew2D();
    curveDocument();
    gAxisScaleMode = 3;
    gAxisRatioX = 0.5, gAxisRatioY = 2;
    whenModal<frmF20>([](frmF20* d) {
        EXPECT_TRUE(d->Option3->isChecked());
        EXPECT_EQ(d->Text1->text(), "0.5");
        EXPECT_EQ(d->Text2->text(), "2");
        type(d->Text2, "1,5");
        savePicture(d->grab().toImage(), "axis2d_dialog_general_tab");
        d->Command1->click();
    });
    w->action("mnuGraphAxis")->trigger();
    EXPECT_EQ(gAxisRatioX, 0.5);
    EXPECT_EQ(gAxisRatioY, 1.5);
}

TEST_F(AxisDialogs, FrameTabsAreStoredOnlyForAShownPanelFrame) {
    struct Case {
        const char* what;
        bool lineStyle, hide;
        bool stored;
    };
    const Case cases[] = {{"panel style, shown", false, false, true},
                          {"line style", true, false, false},
                          {"hidden", false, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        volumeDocument();
        axisFrame().AxisStyle = 1;
        axisFrame().Show = true;
        whenModal<frmF3>([&c](frmF3* d) {
            d->SSTab1->setCurrentIndex(4);
            type(d->Text4, "time");
            d->SSTab1->setCurrentIndex(3);
            type(d->Text1, "5");
            d->SSTab1->setCurrentIndex(2);
            d->Check5->click();
            d->SSTab1->setCurrentIndex(0);
            if (c.lineStyle) d->Option2->click();
            if (c.hide) d->Check1->click();
            // The tabs that OK would drop cannot be edited.
            EXPECT_EQ(d->SSTab1->isTabEnabled(3), c.stored);
            d->Command1->click();
        });
        w->action("mnuDrawAxis")->trigger();
        EXPECT_EQ(gAxis->AxisStyle, c.lineStyle ? 2 : 1);
        EXPECT_EQ(gAxis->Show, !c.hide);
        EXPECT_EQ(gAxis->TitleX, c.stored ? "time" : "X");
        EXPECT_EQ(gAxis->LabelNumX, c.stored ? 5 : 2);
        EXPECT_EQ(gAxis->ShowXYXGrid, c.stored);  // a 4-D document starts without grids
        w->DeleteAllGraphs();
    }
}

TEST_F(AxisDialogs, StoredValuesOutsideTheListsSelectNothing) {
    struct Case {
        long material, width, style;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{14, 7, 25}, Case{-3, -1, -4}}) {
        SCOPED_TRACE(testing::Message() << c.material << " " << c.width << " " << c.style);
        w->mnuFileNew3D();
        axisFrame().XYPanelMaterial = c.material;
        whenModal<frmF3>([](frmF3* d) {
            EXPECT_EQ(d->Combo1->currentIndex(), -1);
            d->Command1->click();
        });
        w->action("mnuDrawAxis")->trigger();
        EXPECT_EQ(gAxis->XYPanelMaterial, 0);  // an empty list stores material 0

        w->mnuFileNew2D();
        axisFrame().AxisWidth = c.width;
        axisFrame().BackStyle = c.style;
        whenModal<frmF20>([](frmF20* d) {
            EXPECT_EQ(d->Combo1->currentIndex(), -1);
            EXPECT_EQ(d->markedThumbnail(), 1);
            d->Command1->click();
        });
        w->action("mnuDrawAxis")->trigger();
        EXPECT_EQ(gAxis->AxisWidth, c.width);  // nothing chosen: the width stays
        EXPECT_EQ(gAxis->BackStyle, 2);
    }
    // Within the lists: the stored entries, and a chosen width.
    axisFrame().AxisWidth = 2;
    whenModal<frmF20>([](frmF20* d) {
        EXPECT_EQ(d->Combo1->currentText(), "2");
        d->Combo1->setCurrentIndex(2);
        d->Command1->click();
    });
    w->action("mnuDrawAxis")->trigger();
    EXPECT_EQ(gAxis->AxisWidth, 3);
}

TEST_F(AxisDialogs, AxisOpensTheDialogOfTheDocumentAndRedrawsOnlyAfterOK) {
    struct Case {
        long kind;
        const char* command;
        bool ok;
    };
    const Case cases[] = {{1, "mnuDrawAxis", true},  {4, "mnuGraphAxis", false}, {3, "barAxis", true},
                          {11, "mnuDrawAxis", false}, {3, "mnuGraphAxis", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.command);
        gPlotKind = c.kind;
        const bool twoD = c.kind == 1 || c.kind == 4;
        const long frames = w->framesRendered();
        bool opened = false;
        const auto press = [&c, &opened](QDialog* d, QPushButton* ok, QPushButton* cancel) {
            opened = true;
            (c.ok ? ok : cancel)->click();
            EXPECT_FALSE(d->isVisible());
        };
        if (twoD) whenModal<frmF20>([&](frmF20* d) { press(d, d->Command1, d->Command2); });
        else whenModal<frmF3>([&](frmF3* d) { press(d, d->Command1, d->Command2); });
        if (std::string(c.command) == "barAxis") w->Toolbar1_ButtonClick(24);
        else w->action(c.command)->trigger();
        EXPECT_TRUE(opened);
        EXPECT_EQ(w->framesRendered() > frames, c.ok);
        EXPECT_FALSE(gAxisDialogResult);
    }
}
