// "Edit..." on a surface and on a 4-D graph in the real main window: the
// dialogs open preset from the document's first graph; OK restyles that graph
// (its ID, name and data stay) and the picture; Cancel after changes leaves
// record and pixels as they were; refused entries keep the dialog open.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <clocale>
#include <string>

#include "app/graph_dialogs/surface_edit_dialog.h"
#include "app/graph_dialogs/volume_edit_dialog.h"
#include "graph/slice_descriptor.h"
#include "../modal_dialog.h"
#include "platform/color_swatch.h"
#include "support/gl_offscreen.h"
#include "support/list_texts.h"
#include "../window_fixture.h"
#include "support/pictures.h"

namespace {

// The surface's nodes and values, to see that they stay.
std::string surfaceData(Cls9& g) {
    std::string out;
    for (long i = 0; i <= g.StepU; ++i)
        for (long j = 0; j <= g.StepV; ++j) {
            auto p = g.VertTab3D(i, j);
            out += std::to_string(p->X) + ',' + std::to_string(p->Y) + ',' + std::to_string(p->Z) + ',' +
                   std::to_string(g.Reg3DC(i, j)) + ' ';
        }
    return out;
}

// Every slice of a family, as its words.
std::vector<SliceLine> slices(const Cls9& g, SliceAxis axis, long count) {
    std::vector<SliceLine> out;
    for (long s = 1; s <= count; ++s) out.push_back(SliceOf(g, axis, s));
    return out;
}

class GraphEditWindow : public WindowTest {
protected:
    // The picture once the redraws already asked for are done.
    QImage settledPicture() {
        settle();
        return picture();
    }


    // "Edit..." and OK without a change, twice: the picture the graph's own
    // settings give, zoomed to fit as every OK does (the second zoom starts
    // from the scene centre of a picture already drawn after a fit).
    QImage pictureAfterUnchangedOk() {
        for (int i = 0; i < 2; ++i) {
            if (gPlotKind == 11)
                editFirstGraph<frmF31>([](frmF31* d) { d->Command1->click(); });
            else
                editFirstGraph<frmF12>([](frmF12* d) { d->Command3->click(); });
        }
        return settledPicture();
    }

    // Whether the dialog is still the open modal window.
    static bool stillOpen(QDialog* d) { return QApplication::activeModalWidget() == d && d->isVisible(); }

    // A 31 x 31 surface as the surface builders make it, the document's only graph.
    std::shared_ptr<Cls9> addSurface() { return addSurfaceDocument(30); }

    // A 4-D graph as the volume builders make it: a 21^3 grid, 60 data
    // points, one X, one Y and two Z slices with contour lines.
    std::shared_ptr<Cls9> addVolumeGraph() {
        w->mnuFileNew4D();
        auto g = testsupport::makeVolumeGraph(20, 60);
        g->NameS = "Volume: v=x+y+z";
        g->ColorName = "Rainbow";
        g->FillStyle = 5;
        g->Material = 4;
        g->Slice4NumX = g->Slice4NumY = 1;
        g->Slice4NumZ = 2;
        ReadSliceDescriptor(*g, SliceAxis::X, 1, DefaultSliceDescriptor(0.5, 3, 21));
        ReadSliceDescriptor(*g, SliceAxis::Y, 1, DefaultSliceDescriptor(2.25, 3, 21));
        ReadSliceDescriptor(*g, SliceAxis::Z, 1, DefaultSliceDescriptor(0, 3, 21));
        ReadSliceDescriptor(*g, SliceAxis::Z, 2, DefaultSliceDescriptor(10.5, 3, 21));
        g->ID = ++gGraphCounter;
        gGraphs->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
        gScene->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
        w->addGraphLine(g->NameS);
        w->mnuViewFit_Click();
        return g;
    }
};

TEST_F(GraphEditWindow, SurfacePresetsThenOkRestylesTheSurface) {
    auto g = addSurface();
    const long id = g->ID;
    const std::string name = g->NameS;
    const std::string data = surfaceData(*g);
    const QImage before = pictureAfterUnchangedOk();
    savePicture(before, "surface_edit_before");
    editFirstGraph<frmF12>([&](frmF12* d) {
        EXPECT_EQ(d->windowTitle(), "3D Surface Properties");
        EXPECT_EQ(d->Combo1->currentText(), "Rainbow");
        EXPECT_EQ(d->Combo1->count(), 5);
        EXPECT_EQ(d->List1->count(), 13);
        EXPECT_EQ(d->List1->currentRow(), 4);  // Material 5, "Neon"
        EXPECT_EQ(d->List1->currentItem()->text(), "Neon");
        EXPECT_TRUE(d->Option10->isChecked());
        EXPECT_TRUE(d->Check1->isChecked());
        EXPECT_TRUE(d->Check2->isChecked());
        EXPECT_TRUE(d->Text2->isEnabled());
        EXPECT_EQ(d->Text2->text(), "1");
        EXPECT_TRUE(d->Check4->isChecked());
        EXPECT_FALSE(d->Check5->isChecked());
        EXPECT_FALSE(d->Text1->isEnabled());
        EXPECT_FALSE(d->Command1->isEnabled());
        EXPECT_TRUE(d->Option5->isChecked());
        EXPECT_FALSE(d->Slider1->isEnabled());
        // The grey map, flat shading, no floor contours.
        type(d->Combo1->lineEdit(), QStringLiteral("Grey"));
        d->Option8->click();
        d->Check2->click();
        EXPECT_FALSE(d->Text2->isEnabled());
        savePicture(d->grab().toImage(), "surface_edit_dialog");
        d->Command3->click();
    });
    EXPECT_EQ(g->ID, id);
    EXPECT_EQ(g->NameS, name);
    EXPECT_EQ(surfaceData(*g), data);
    EXPECT_EQ(g->ColorName, "Grey");
    EXPECT_EQ(g->Smoothness, 1);
    EXPECT_FALSE(g->ShowContour);
    EXPECT_EQ(g->ContourLevel, 0);
    EXPECT_EQ(g->StepU, 30);
    const QImage after = settledPicture();
    savePicture(after, "surface_edit_grey");
    EXPECT_GT(differing(before, after), 5000);
    // No colour of the rainbow is left: the faces are grey.
    EXPECT_GT(testsupport::countColor(before, 255, 0, 0, 50), 200);
    EXPECT_LT(testsupport::countColor(after, 255, 0, 0, 50), 20);
}

TEST_F(GraphEditWindow, SurfaceCancelAfterChangesKeepsRecordAndPixels) {
    auto g = addSurface();
    const std::string record = g->Save();
    const QImage before = settledPicture();
    editFirstGraph<frmF12>([&](frmF12* d) {
        type(d->Combo1->lineEdit(), QStringLiteral("Fiery"));
        d->Check1->click();
        d->Check6->click();
        d->Slider1->setValue(6);
        d->Command4->click();
    });
    EXPECT_EQ(g->Save(), record);
    EXPECT_EQ(differing(before, settledPicture()), 0);
}

TEST_F(GraphEditWindow, SurfaceTextureBrowseAndRefusedStep) {
    auto g = addSurface();
    const QImage before = pictureAfterUnchangedOk();
    const std::string record = g->Save();
    editFirstGraph<frmF12>([&](frmF12* d) {
        d->Check5->click();
        ASSERT_TRUE(d->Command1->isEnabled());
        type(d->Text1, QStringLiteral("/tmp/my texture.bmp"));
        dialogs.answerCancel();
        d->Command1->click();
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_EQ(dialogs.shown()[0].kind, platform::DialogKind::Open);
        EXPECT_EQ(dialogs.shown()[0].title, "打开");
        EXPECT_EQ(dialogs.shown()[0].filter, "(*.bmp)|*.bmp|*.jpg|*.jpg|*.gif|*.gif");
        EXPECT_EQ(d->Text1->text(), "/tmp/my texture.bmp");  // a cancelled browse keeps the path
        dialogs.answerFile("/tmp/wood.bmp");
        d->Command1->click();
        EXPECT_EQ(d->Text1->text(), "/tmp/wood.bmp");
        d->Text1->clear();

        // A step beyond a Long is refused; the dialog stays open, nothing changes.
        type(d->Text2, QStringLiteral("3000000000"));
        d->Command3->click();
        ASSERT_EQ(boxes.texts(), std::vector<std::string>{"Step must be a number from 0 to 2147483647."});
        EXPECT_TRUE(stillOpen(d));
        EXPECT_EQ(g->Save(), record);
        type(d->Text2, QStringLiteral("1"));
        d->Command3->click();
    });
    // An empty path with "Add Texture" stores a blank name: drawn untextured.
    EXPECT_TRUE(g->ShowTex);
    EXPECT_EQ(g->TexName, " ");
    const QImage after = settledPicture();
    savePicture(after, "surface_edit_blank_texture");
    EXPECT_EQ(differing(before, after), 0);
}

TEST_F(GraphEditWindow, VolumePresetsThenOkWithoutDataPoints) {
    auto g = addVolumeGraph();
    const long id = g->ID;
    const QImage before = pictureAfterUnchangedOk();
    savePicture(before, "volume_edit_before");
    editFirstGraph<frmF31>([&](frmF31* d) {
        EXPECT_EQ(d->windowTitle(), "4D Slice & Isosurface Properties");
        EXPECT_TRUE(d->Check10->isChecked());
        EXPECT_EQ(d->Combo1->currentText(), "Rainbow");
        EXPECT_EQ(texts(d->Editors[0].list), QStringList{"0.5 1 21 1 21 1 1 3 12632256 0 "});
        EXPECT_EQ(texts(d->Editors[1].list), QStringList{"2.25 1 21 1 21 1 1 3 12632256 0 "});
        EXPECT_EQ(texts(d->Editors[2].list),
                  (QStringList{"0 1 21 1 21 1 1 3 12632256 0 ", "10.5 1 21 1 21 1 1 3 12632256 0 "}));
        EXPECT_EQ(d->List4->count(), 0);
        EXPECT_EQ(d->Editors[0].list->objectName(), "List1");
        EXPECT_EQ(d->Editors[2].step->objectName(), "Text5");
        EXPECT_FALSE(d->Editors[0].from1->isEnabled());
        d->Check10->click();
        d->SSTab1->setCurrentIndex(1);
        savePicture(d->grab().toImage(), "volume_edit_dialog");
        d->Command1->click();
    });
    EXPECT_EQ(g->ID, id);
    EXPECT_EQ(g->NameS, "Volume: v=x+y+z");
    EXPECT_EQ(g->StepH, 20);
    EXPECT_EQ(g->PntNum(), 60);
    EXPECT_FALSE(g->ShowIrregData);
    EXPECT_EQ(g->Slice4NumZ, 2);
    const QImage after = settledPicture();
    savePicture(after, "volume_edit_no_points");
    // Only the data points are gone: a few hundred pixels of small spheres.
    EXPECT_GT(differing(before, after), 300);
    EXPECT_LT(differing(before, after), 10000);
}

TEST_F(GraphEditWindow, VolumeCancelAfterChangesKeepsRecordAndPixels) {
    auto g = addVolumeGraph();
    const std::string record = g->Save();
    const QImage before = settledPicture();
    editFirstGraph<frmF31>([&](frmF31* d) {
        d->Check10->click();
        d->Editors[0].add->click();
        d->Editors[2].list->setCurrentRow(0);
        d->Editors[2].del->click();
        type(d->Text19, QStringLiteral("12"));
        d->Command12->click();
        EXPECT_EQ(texts(d->List4), QStringList{"12"});
        d->Command2->click();
    });
    EXPECT_EQ(g->Save(), record);
    EXPECT_EQ(differing(before, settledPicture()), 0);
}

TEST_F(GraphEditWindow, VolumeAddRefusalsAndSwatches) {
    auto g = addVolumeGraph();
    const std::string record = g->Save();
    editFirstGraph<frmF31>([&](frmF31* d) {
        SliceEditor& x = d->Editors[0];
        // A cancelled colour dialog keeps the swatch.
        dialogs.answerCancel();
        QTest::mouseClick(x.swatch, Qt::LeftButton);
        EXPECT_EQ(x.swatch->color(), kSliceContourGrey);
        dialogs.answerColor(0x0000FF);
        QTest::mouseClick(x.swatch, Qt::LeftButton);
        EXPECT_EQ(x.swatch->color(), 0x0000FF);

        type(x.value, QStringLiteral("1 5"));
        x.add->click();
        type(x.value, QStringLiteral("4,5"));
        x.add->click();
        EXPECT_EQ(texts(x.list).last(), "4.5 1 21 1 21 1 1 20 255 0");
        type(x.step, QStringLiteral("-2"));
        x.add->click();
        type(x.step, QStringLiteral("2"));
        for (int i = x.list->count(); i < 50; ++i) x.add->click();
        EXPECT_EQ(x.list->count(), 50);
        x.add->click();
        EXPECT_EQ(x.list->count(), 50);
        type(d->Text19, QStringLiteral("abc"));
        d->Command12->click();
        EXPECT_EQ(d->List4->count(), 0);
        EXPECT_EQ(boxes.texts(), (std::vector<std::string>{"The value must be a number.",
                                                           "Step must be a number from 0 to 2147483647.",
                                                           "At most 50 slices along one axis.",
                                                           "The value must be a number."}));
        d->Editors[2].reset->click();
        EXPECT_EQ(d->Editors[2].list->count(), 0);
        EXPECT_EQ(d->Editors[2].step->text(), "20");
        x.reset->click();
        EXPECT_EQ(x.step->text(), "30");
        EXPECT_EQ(x.swatch->color(), 0x0000FF);
        EXPECT_TRUE(stillOpen(d));
        d->Command2->click();
    });
    EXPECT_EQ(g->Save(), record);
}

// Under a locale whose decimal point is a comma, "Edit..." and OK unchanged
// keep every slice where it was.
TEST_F(GraphEditWindow, VolumeUnchangedOkUnderACommaLocaleKeepsEverySlice) {
    auto g = addVolumeGraph();
    g->IsoSurfaceNum = 1;
    g->IsoSurValue(1) = 22.5;
    const std::vector<SliceLine> x = slices(*g, SliceAxis::X, 1), y = slices(*g, SliceAxis::Y, 1),
                                 z = slices(*g, SliceAxis::Z, 2);
    const QLocale saved;
    const std::string savedC = std::setlocale(LC_ALL, nullptr);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // where the system has it
    editFirstGraph<frmF31>([&](frmF31* d) {
        EXPECT_EQ(texts(d->List4), QStringList{"22.5"});
        d->Command1->click();
    });
    QLocale::setDefault(saved);
    std::setlocale(LC_ALL, savedC.c_str());
    EXPECT_EQ(slices(*g, SliceAxis::X, g->Slice4NumX), x);
    EXPECT_EQ(slices(*g, SliceAxis::Y, g->Slice4NumY), y);
    EXPECT_EQ(slices(*g, SliceAxis::Z, g->Slice4NumZ), z);
    EXPECT_EQ(g->IsoSurfaceNum, 1);
    EXPECT_EQ(g->IsoSurValue(1), 22.5);
}

}  // namespace
