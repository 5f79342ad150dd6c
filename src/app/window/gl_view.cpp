#include "app/window/gl_view.h"

#include <GL/gl.h>
#include <QMouseEvent>
#include <QOpenGLContext>

GLView::GLView(QWidget* parent) : QOpenGLWidget(parent) {
    setMouseTracking(true);
    // The frame may be drawn before a paint; the paint must not discard it.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
}

bool GLView::makeContextCurrent() {
    if (!context() || !context()->isValid()) return false;
    makeCurrent();
    return true;
}

int GLView::pixelWidth() const { return static_cast<int>(width() * devicePixelRatioF()); }
int GLView::pixelHeight() const { return static_cast<int>(height() * devicePixelRatioF()); }

void GLView::initializeGL() {
    if (onInitialize) onInitialize();
}

void GLView::paintGL() {
    if (onPaint) {
        onPaint();
    } else {
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
}

void GLView::resizeGL(int w, int h) {
    glViewport(0, 0, w, h);
    if (onResize) onResize();
}

void GLView::mousePressEvent(QMouseEvent* e) {
    if (onMousePress) onMousePress(e);
}
void GLView::mouseMoveEvent(QMouseEvent* e) {
    if (onMouseMove) onMouseMove(e);
}
void GLView::mouseReleaseEvent(QMouseEvent* e) {
    if (onMouseRelease) onMouseRelease(e);
}
