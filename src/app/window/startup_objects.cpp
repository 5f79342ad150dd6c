// Start-up pieces that need the document's classes: the objects of the
// document, the grid's first shape and the fonts.
#include <GL/gl.h>

#include "app/window/gl_view.h"
#include "state/globals.h"
#include "app/window/main_window.h"
#include "platform/accum_buffer.h"
#include "platform/grid_control.h"
#include "scene/axis.h"
#include "scene/camera.h"
#include "scene/gltext.h"
#include "scene/light.h"
#include "document/scene.h"

void frmF1::createDocumentObjects() {
    gGraphs = std::make_shared<Cls8>();
    gScene = std::make_shared<Cls8>();
    gCamera = std::make_shared<Cls4>();
    gCamera->SceneBox = [] {
        long frame = 0;
        return gScene ? gScene->GetBox(frame) : Cls1{};
    };
    gLight = std::make_shared<Cls10>();
    // Each start begins with a fresh axis frame (created on first use).
    gAxis.reset();
}

void frmF1::showAxisFrame() { axisFrame().Show = true; }

void frmF1::setUpGrid() {
    Grid1->SetRows(1001);
    Grid1->SetCols(11);
    Grid1->SetShowRowNumbers(true);
    for (long i = 1; i <= Grid1->Cols() - 1; ++i) {
        try {
            Grid1->SetCellAlignment(0, i, 10);
            Grid1->SetCellText(0, i, "Var" + std::to_string(i));
        } catch (...) {
            // A failing step of the header loop is skipped; the loop goes on.
        }
    }
    Grid1->SetUnmodified();  // nothing typed yet: nothing to ask about
}

void frmF1::resetRotationQuat() { Trackball(mRotationQuat, 0, 0, 0, 0); }

void frmF1::buildFonts() {
    BuildOutlineFont(gOutlineFont, "Arial", -6, 400, 0, 0);
    BuildOutlineFont(gOutlineFontBold, "Arial", -8, 700, 0, 0);
    BuildBitmapFont();
    mAccum = std::make_unique<platform::AccumBuffer>();
}

void frmF1::releaseFonts() {
    DeleteFontLists(gOutlineFont);
    DeleteFontLists(gOutlineFontBold);
    DeleteFontLists(gBitmapFont);
    if (mAccum) mAccum->release();
    mAccum.reset();
}

QWidget* frmF1::createGridWidget(QWidget* parent) {
    Grid1 = new GridControl(parent);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    return Grid1;
}

void frmF1::viewportChanged() {
    if (!picDraw || !mGLInitialized || !picDraw->makeContextCurrent()) return;
    long w = picDraw->pixelWidth(), h = picDraw->pixelHeight();
    gCamera->SetScreen(w, h);
    picDraw->doneCurrent();
}
