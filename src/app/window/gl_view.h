#pragma once
// The drawing area picDraw: an OpenGL widget whose life-cycle hooks hand over
// to the main window (context set-up, paint).
#include <QOpenGLWidget>
#include <functional>

class GLView : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit GLView(QWidget* parent = nullptr);
    std::function<void()> onInitialize;   // context just made current for the first time
    std::function<void()> onPaint;        // paint with the context current
    std::function<void()> onResize;       // the framebuffer was made anew
    std::function<void(QMouseEvent*)> onMousePress, onMouseMove, onMouseRelease;
    // Makes the context current when it exists; false otherwise.
    bool makeContextCurrent();
    // Device pixels of the drawing area (the viewport size).
    int pixelWidth() const;
    int pixelHeight() const;

protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeGL(int w, int h) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};
