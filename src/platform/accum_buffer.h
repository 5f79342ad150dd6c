#pragma once
// AccumBuffer: an accumulation buffer of our own, because no Qt context has
// one. A float RGBA texture on its own framebuffer object carries the sum; the
// verbs match glAccum's GL_ACCUM and GL_RETURN and glClear of the accumulation
// buffer, so a frame can average jittered passes exactly.
#include <QMetaObject>
#include <QOpenGLFunctions>

class QOpenGLContext;

namespace platform {

class AccumBuffer {
public:
    AccumBuffer() = default;
    // Frees the GL objects when their context is current; otherwise they go
    // with the context (call release() with the context current to free them
    // earlier).
    ~AccumBuffer();
    AccumBuffer(const AccumBuffer&) = delete;
    AccumBuffer& operator=(const AccumBuffer&) = delete;

    // Each verb works on the current viewport of the current context and keeps
    // every GL state it touches, the framebuffer bindings included. The buffer
    // follows the viewport's size (a new size starts from a zero sum). They
    // return false and change nothing while a display list is being compiled
    // (framebuffer binds cannot go into a list), without a context, in another
    // context than the first one used, or when the GL objects cannot be made.
    bool clear();                        // sum := 0
    bool accumulate(float weight);       // sum += colour buffer x weight (weight 0..1)
    bool returnTo(float weight = 1.0f);  // colour buffer := sum x weight (weight 0..1), clamped to 0..1

    // Frees the GL objects; the context that made them must be current.
    void release();

    bool allocated() const { return fbo_ != 0; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    struct Viewport {
        int x = 0, y = 0, w = 0, h = 0;
    };
    bool prepare(Viewport& vp);
    bool create();
    bool allocate(int w, int h);
    void forget();
    // Binds the state for drawing one textured quad over the viewport, and undoes it.
    void beginQuad(GLuint texture, float weight);
    void endQuad();
    void drawQuad();

    QOpenGLContext* context_ = nullptr;
    QMetaObject::Connection contextGone_;
    QOpenGLFunctions gl_;
    GLuint fbo_ = 0;
    GLuint sumTexture_ = 0;   // RGBA32F: the running sum
    GLuint copyTexture_ = 0;  // RGBA8: the colour buffer of one accumulate
    int width_ = 0, height_ = 0;
    GLint savedProgram_ = 0;
    GLint savedActiveTexture_ = 0;
};

}  // namespace platform
