// Start-up pieces that need the document's classes.
#include <GL/gl.h>
#include <QTableWidget>

#include "app/globals.h"
#include "app/main_window.h"

void frmF1::createDocumentObjects() {}
void frmF1::showAxisFrame() {}
void frmF1::setUpGrid() {}
void frmF1::resetRotationQuat() { mRotationQuat = {0, 0, 0, 1}; }
void frmF1::buildFonts() {}
void frmF1::releaseFonts() {}
QWidget* frmF1::createGridWidget(QWidget* parent) { return new QTableWidget(1001, 11, parent); }
void frmF1::viewportChanged() {}
void frmF1::DrawScene() {}
void frmF1::Display(long) {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
void frmF1::mnuFileNew2D() { gPlotKind = 1; }
void frmF1::mnuFileNew3D() { gPlotKind = 3; }
void frmF1::mnuFileNew4D() { gPlotKind = 11; }
void frmF1::mnuViewFit_Click() {}
void frmF1::mnuViewFront_Click() {}
