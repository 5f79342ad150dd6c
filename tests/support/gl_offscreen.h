#pragma once
// An OpenGL compatibility context drawing into an offscreen framebuffer, for
// tests that check pixels without a window.
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>
#include <memory>
#include <string>

namespace testsupport {

QSurfaceFormat compatibilityFormat();

class OffscreenGL {
public:
    OffscreenGL(int width = 256, int height = 256);
    ~OffscreenGL();
    bool valid() const { return valid_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void makeCurrent();
    // Clears to white with depth, sets the viewport to the whole buffer and
    // an orthographic projection of -1..1 on both axes.
    void clearWhite();
    QImage grab();                       // the framebuffer, top row first, alpha forced to 255
    QRgb pixel(int x, int yFromTop);     // one pixel of grab()
    // Saves grab() as <build>/pictures/<name>.png and returns the path.
    std::string savePng(const std::string& name);

private:
    int width_, height_;
    bool valid_ = false;
    QOffscreenSurface surface_;
    QOpenGLContext context_;
    std::unique_ptr<QOpenGLFramebufferObject> fbo_;
};

// Counts pixels in img whose colour is within tol of (r,g,b) on every channel.
int countColor(const QImage& img, int r, int g, int b, int tol = 40);
// Counts pixels that are not (near) white.
int countNonWhite(const QImage& img, int tol = 10);

}  // namespace testsupport
