// "Edit..." on a 2-D curve in the real main window: the dialog opens preset
// from the document's first graph; OK restyles that graph (its ID, name and
// data stay) and the picture; every other way out changes nothing, and the
// replace flag never outlives the dialog.
#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include "app/graph_dialogs/curve_edit_dialog.h"
#include "fitting/curve/curve_fit_dialog.h"
#include "../modal_dialog.h"
#include "platform/color_swatch.h"
#include "platform/grid_control.h"
#include "../window_fixture.h"
#include "support/pictures.h"

namespace {

// The curve's record (its ID, name, settings and points) and its kind.
std::string curveState(const Cls9& g) { return g.SaveTable() + std::to_string(g.CoordType); }

// Pixels within 40 of the colour &HBBGGRR on every channel.
long countColour(const QImage& img, long colour) {
    const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    long n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            n += std::abs(qRed(p) - r) < 40 && std::abs(qGreen(p) - g) < 40 && std::abs(qBlue(p) - b) < 40;
        }
    return n;
}

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

void typeInto(QComboBox* combo, const QString& text) { type(combo->lineEdit(), text); }

enum class Close { Button, Esc, CloseBox };

}  // namespace

class CurveEdit : public WindowTest {
protected:
    // A fitted model curve in red and the scatter of its data in blue, as the
    // curve fit's builder makes them; the curve is the first graph.
    std::shared_ptr<Cls9> curveAndScatter() {
        auto curve = addCurve("Linear", {0, 1, 2, 3}, {1, 3, 2, 5}, kCurveKindModel, 0x0000FF);
        addCurve("Data", {0, 1, 2, 3}, {1, 3, 2, 5}, kCurveKindScatter, 0xFF0000);
        w->mnuViewFit_Click();
        return curve;
    }
    // The picture once the redraws already asked for are done.
    QImage settledPicture() {
        settle();
        return picture();
    }
    void edit(std::function<void(frmF33*)> steps) { editFirstGraph<frmF33>(steps); }
};

TEST_F(CurveEdit, PresetsComeFromTheFirstGraphEvenWhenItIsHidden) {
    auto scatter = addCurve("Data", {0, 1, 2}, {1, 3, 2}, kCurveKindScatter, 0xFF8000);
    scatter->ScatterSize = 3;  // symbol 2 and line width 1 from the builder
    addCurve("Linear", {0, 1, 2}, {1, 2, 3}, kCurveKindModel, 0x0000FF);
    w->graphList()->item(0)->setCheckState(Qt::Unchecked);
    ASSERT_FALSE(w->IsGraphShown(scatter->ID));
    edit([&](frmF33* d) {
        EXPECT_EQ(d->windowTitle(), "2D Curve Properties");
        EXPECT_TRUE(d->Check1->isChecked());
        EXPECT_EQ(d->Combo1->currentIndex(), 0);
        EXPECT_EQ(d->Combo2->currentIndex(), 2);
        EXPECT_EQ(d->Combo3->currentIndex(), 1);
        EXPECT_EQ(d->Combo3->itemText(1), QString::fromUtf8("空心圆"));
        EXPECT_EQ(d->Picture1->color(), scatter->LineColor);
        EXPECT_EQ(d->Picture2->color(), 0xFF8000);
        d->Command2->click();
    });
}

TEST_F(CurveEdit, OkRestylesTheCurveAndItsPictureKeepingIdentityAndData) {
    auto curve = curveAndScatter();
    const long id = curve->ID;
    const std::string name = curve->NameS;
    const QImage before = settledPicture();
    const long redBefore = countColour(before, 0x0000FF);
    ASSERT_GT(redBefore, 20);
    ASSERT_EQ(countColour(before, 0x00C000), 0);
    const long frames = w->framesRendered();

    dialogs.answerColor(0x00C000);
    edit([](frmF33* d) {
        savePicture(d->grab().toImage(), "curve_edit_dialog");
        click(d->Picture1);
        EXPECT_EQ(d->Picture1->color(), 0x00C000);
        typeInto(d->Combo1, "5");
        d->Command1->click();
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_TRUE(boxes.shown().empty());
    ASSERT_EQ(gGraphs->FunSurfs.Count(), 2);
    EXPECT_EQ(gGraphs->FunSurfs.Item(1).get(), curve.get());
    EXPECT_EQ(curve->ID, id);
    EXPECT_EQ(curve->NameS, name);
    EXPECT_EQ(curve->StepV, 3);
    EXPECT_EQ(curve->VertTab3D(0, 3)->Y, 5);
    EXPECT_EQ(curve->LineColor, 0x00C000);
    EXPECT_EQ(curve->LineWidth, 5);
    EXPECT_EQ(w->graphList()->count(), 2);
    EXPECT_GT(w->framesRendered(), frames);

    const QImage after = settledPicture();
    savePicture(before, "curve_edit_before");
    savePicture(after, "curve_edit_after");
    EXPECT_EQ(countColour(after, 0x0000FF), 0);
    EXPECT_GT(countColour(after, 0x00C000), 3 * redBefore);  // five pixels wide instead of one
}

TEST_F(CurveEdit, EveryWayOutButOkChangesNothing) {
    auto curve = curveAndScatter();
    const std::string state = curveState(*curve);
    for (Close how : {Close::Button, Close::Esc, Close::CloseBox}) {
        SCOPED_TRACE(static_cast<int>(how));
        const QImage before = settledPicture();
        const long frames = w->framesRendered();
        dialogs.answerColor(0x00C000);
        dialogs.answerColor(0x00FFFF);
        edit([how](frmF33* d) {
            click(d->Picture1);
            click(d->Picture2);
            typeInto(d->Combo1, "7");
            d->Combo2->setCurrentIndex(6);
            d->Combo3->setCurrentIndex(4);
            d->Check1->click();
            if (how == Close::Button) d->Command2->click();
            if (how == Close::Esc) QTest::keyClick(d, Qt::Key_Escape);
            if (how == Close::CloseBox) d->close();
            EXPECT_FALSE(d->isVisible());
        });
        EXPECT_EQ(curveState(*curve), state);
        EXPECT_EQ(w->framesRendered(), frames);
        EXPECT_EQ(settledPicture(), before);
        dialogs.queue({});
    }
}

TEST_F(CurveEdit, ValuesOutsideTheListsSurviveAnUnchangedOk) {
    auto curve = curveAndScatter();
    curve->LineWidth = 12;
    curve->ScatterSize = 0;
    curve->ScatterColor = 0x405060;
    dialogs.answerCancel();
    edit([](frmF33* d) {
        EXPECT_EQ(d->Combo1->currentText(), "12");
        EXPECT_EQ(d->Combo2->currentText(), "0");
        click(d->Picture2);  // the colour dialog answered Cancel
        EXPECT_EQ(d->Picture2->color(), 0x405060);
        d->Command1->click();
    });
    EXPECT_EQ(curve->LineWidth, 12);
    EXPECT_EQ(curve->ScatterSize, 0);
    EXPECT_EQ(curve->ScatterColor, 0x405060);
    // OK's fixed settings of a 2-D curve.
    EXPECT_EQ(curve->FillStyle, 4);
    EXPECT_EQ(curve->Material, 4);
}

TEST_F(CurveEdit, RefusedWidthOrSizeKeepsTheDialogOpenAndChangesNothing) {
    auto curve = curveAndScatter();
    const std::string state = curveState(*curve);
    edit([](frmF33* d) {
        typeInto(d->Combo1, "-2");
        d->Command1->click();
        EXPECT_TRUE(d->isVisible());
        typeInto(d->Combo1, "2");
        typeInto(d->Combo2, "3000000000");
        d->Command1->click();
        EXPECT_TRUE(d->isVisible());
        d->Command2->click();
    });
    EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"Line Width must be a number from 0 to 2147483647.",
                                                       "Size must be a number from 0 to 2147483647."}));
    EXPECT_EQ(curveState(*curve), state);
}

TEST_F(CurveEdit, ACurveFitAfterEditAddsNewGraphs) {
    auto curve = curveAndScatter();
    const std::string state = curveState(*curve);
    edit([](frmF33* d) { d->Command2->click(); });
    for (long row = 1; row <= 3; ++row) {
        w->grid()->SetCellText(row, 1, std::to_string(row));
        w->grid()->SetCellText(row, 2, std::to_string(row * row));
    }
    w->graphList()->setCurrentRow(0);
    whenModal<frmCurveFit>([](frmCurveFit* d) {
        for (auto [name, button] : {std::pair{"Var1", d->Command1}, std::pair{"Var2", d->Command2}}) {
            d->List1->setCurrentItem(d->List1->findItems(name, Qt::MatchExactly).value(0));
            button->click();
        }
        for (int i = 0; i < 10; ++i) d->Check[i]->setChecked(i == 0);
        d->Command3->click();
    });
    w->action("mnuDrawCF")->trigger();
    EXPECT_EQ(gGraphs->FunSurfs.Count(), 4);
    EXPECT_EQ(w->graphList()->count(), 4);
    EXPECT_EQ(curveState(*curve), state);
}

TEST_F(CurveEdit, RightClickOffersEditOnlyWithGraphs) {
    auto rightClick = [this] {
        QTest::mouseClick(w->drawingWidget(), Qt::RightButton, {}, QPoint(50, 50));
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_NE(popup, nullptr);
        if (!popup) return false;
        EXPECT_EQ(popup->objectName(), "GraphEdit");
        EXPECT_TRUE(popup->actions().contains(w->action("mnuFunEdit")));
        popup->close();
        return w->action("mnuFunEdit")->isEnabled();
    };
    EXPECT_FALSE(rightClick());
    curveAndScatter();
    EXPECT_TRUE(rightClick());
    EXPECT_FALSE(gReplaceSelectedGraph);
}
