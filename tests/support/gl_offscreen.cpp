#include "support/gl_offscreen.h"
#include "support/pictures.h"

#include "platform/gl_format.h"

#include <GL/gl.h>
#include <QDir>
#include <cstdlib>

namespace testsupport {

QSurfaceFormat compatibilityFormat() { return platform::glFormat(); }

OffscreenGL::OffscreenGL(int width, int height) : width_(width), height_(height) {
    surface_.setFormat(compatibilityFormat());
    surface_.create();
    context_.setFormat(compatibilityFormat());
    if (!context_.create()) return;
    if (!context_.makeCurrent(&surface_)) return;
    QOpenGLFramebufferObjectFormat ff;
    ff.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    ff.setSamples(0);
    fbo_ = std::make_unique<QOpenGLFramebufferObject>(width, height, ff);
    valid_ = fbo_->isValid() && fbo_->bind();
    if (valid_) clearWhite();
}

OffscreenGL::~OffscreenGL() {
    if (context_.isValid()) {
        context_.makeCurrent(&surface_);
        fbo_.reset();
        context_.doneCurrent();
    }
}

void OffscreenGL::makeCurrent() {
    context_.makeCurrent(&surface_);
    if (fbo_) fbo_->bind();
}

void OffscreenGL::clearWhite() {
    makeCurrent();
    glViewport(0, 0, width_, height_);
    glClearColor(1, 1, 1, 1);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

QImage OffscreenGL::grab() {
    makeCurrent();
    glFinish();
    QImage img(width_, height_, QImage::Format_RGBA8888);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, img.bits());
    img = img.mirrored();
    QImage out = img.convertToFormat(QImage::Format_RGB32);
    return out;
}

QRgb OffscreenGL::pixel(int x, int yFromTop) { return grab().pixel(x, yFromTop); }

std::string OffscreenGL::savePng(const std::string& name) {
    savePicture(grab(), name);
    return std::string(TRELVANE_BINARY_DIR) + "/pictures/" + name + ".png";
}

int countColor(const QImage& img, int r, int g, int b, int tol) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            QRgb p = img.pixel(x, y);
            if (std::abs(qRed(p) - r) <= tol && std::abs(qGreen(p) - g) <= tol && std::abs(qBlue(p) - b) <= tol) ++n;
        }
    return n;
}

int countNonWhite(const QImage& img, int tol) { return img.width() * img.height() - countColor(img, 255, 255, 255, tol); }

}  // namespace testsupport
