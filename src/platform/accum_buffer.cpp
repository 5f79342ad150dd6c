#include "platform/accum_buffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <QObject>
#include <QOpenGLContext>

namespace platform {

namespace {

// The framebuffers bound on entry; put back on every exit.
class FramebufferGuard {
public:
    explicit FramebufferGuard(QOpenGLFunctions& gl) : gl_(gl) {
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw_);
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read_);
    }
    ~FramebufferGuard() {
        gl_.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(draw_));
        gl_.glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read_));
    }
    FramebufferGuard(const FramebufferGuard&) = delete;
    FramebufferGuard& operator=(const FramebufferGuard&) = delete;

private:
    QOpenGLFunctions& gl_;
    GLint draw_ = 0, read_ = 0;
};

bool compilingList() {
    GLint list = 0;
    glGetIntegerv(GL_LIST_INDEX, &list);
    return list != 0;
}

float clamp01(float w) { return w < 0.0f ? 0.0f : (w > 1.0f ? 1.0f : w); }

}  // namespace

AccumBuffer::~AccumBuffer() {
    if (context_ && QOpenGLContext::currentContext() == context_) release();
    QObject::disconnect(contextGone_);
}

void AccumBuffer::forget() {
    QObject::disconnect(contextGone_);
    context_ = nullptr;
    fbo_ = sumTexture_ = copyTexture_ = 0;
    width_ = height_ = 0;
}

void AccumBuffer::release() {
    if (!context_ || QOpenGLContext::currentContext() != context_) return;
    if (fbo_) gl_.glDeleteFramebuffers(1, &fbo_);
    const GLuint textures[2] = {sumTexture_, copyTexture_};
    glDeleteTextures(2, textures);
    forget();
}

bool AccumBuffer::create() {
    context_ = QOpenGLContext::currentContext();
    gl_.initializeOpenGLFunctions();
    // The context's objects die with it; then only the names are dropped.
    contextGone_ = QObject::connect(context_, &QOpenGLContext::aboutToBeDestroyed, context_, [this] { forget(); },
                                    Qt::DirectConnection);
    gl_.glGenFramebuffers(1, &fbo_);
    GLuint textures[2] = {0, 0};
    glGenTextures(2, textures);
    sumTexture_ = textures[0];
    copyTexture_ = textures[1];
    return fbo_ != 0 && sumTexture_ != 0 && copyTexture_ != 0;
}

bool AccumBuffer::allocate(int w, int h) {
    glPushAttrib(GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    GLint unpackBuffer = 0;
    glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &unpackBuffer);
    gl_.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    const struct {
        GLuint name;
        GLint format;
        GLenum type;
    } layers[2] = {{sumTexture_, GL_RGBA32F, GL_FLOAT}, {copyTexture_, GL_RGBA8, GL_UNSIGNED_BYTE}};
    for (const auto& t : layers) {
        glBindTexture(GL_TEXTURE_2D, t.name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, t.format, w, h, 0, GL_RGBA, t.type, nullptr);
    }
    gl_.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(unpackBuffer));
    glPopClientAttrib();
    glPopAttrib();

    FramebufferGuard guard(gl_);
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    gl_.glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, sumTexture_, 0);
    const bool complete = gl_.glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    width_ = complete ? w : 0;
    height_ = complete ? h : 0;
    return complete;
}

bool AccumBuffer::prepare(Viewport& vp) {
    QOpenGLContext* current = QOpenGLContext::currentContext();
    if (!current || (context_ && current != context_) || compilingList()) return false;
    GLint v[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, v);
    vp = {v[0], v[1], v[2], v[3]};
    if (vp.w < 1 || vp.h < 1) return false;
    if (!context_ && !create()) {
        release();
        return false;
    }
    if (vp.w == width_ && vp.h == height_) return true;
    // A new size starts from a zero sum, as a resized window's buffer would.
    return allocate(vp.w, vp.h) && clear();
}

void AccumBuffer::beginQuad(GLuint texture, float weight) {
    glGetIntegerv(GL_CURRENT_PROGRAM, &savedProgram_);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &savedActiveTexture_);
    gl_.glUseProgram(0);
    gl_.glActiveTexture(GL_TEXTURE0);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // Whatever the scene left enabled must not touch the copy.
    for (GLenum cap : {GL_LIGHTING, GL_DEPTH_TEST, GL_STENCIL_TEST, GL_SCISSOR_TEST, GL_ALPHA_TEST, GL_CULL_FACE,
                       GL_FOG, GL_DITHER, GL_COLOR_MATERIAL, GL_COLOR_LOGIC_OP, GL_POLYGON_STIPPLE, GL_POLYGON_SMOOTH,
                       GL_TEXTURE_1D, GL_TEXTURE_3D, GL_TEXTURE_CUBE_MAP, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T,
                       GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q, GL_COLOR_SUM, GL_FRAMEBUFFER_SRGB, GL_BLEND})
        glDisable(cap);
    GLint clipPlanes = 0;
    glGetIntegerv(GL_MAX_CLIP_PLANES, &clipPlanes);
    for (GLint i = 0; i < clipPlanes; ++i) glDisable(static_cast<GLenum>(GL_CLIP_PLANE0 + i));
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    const float w = clamp01(weight);
    glColor4f(w, w, w, w);
}

void AccumBuffer::drawQuad() {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
}

void AccumBuffer::endQuad() {
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glPopAttrib();
    gl_.glActiveTexture(static_cast<GLenum>(savedActiveTexture_));
    gl_.glUseProgram(static_cast<GLuint>(savedProgram_));
}

bool AccumBuffer::clear() {
    Viewport vp;
    if (!prepare(vp)) return false;
    FramebufferGuard guard(gl_);
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glPopAttrib();
    return true;
}

bool AccumBuffer::accumulate(float weight) {
    Viewport vp;
    if (!prepare(vp)) return false;
    FramebufferGuard guard(gl_);
    // The colour buffer as it stands: the viewport of the bound read framebuffer.
    glPushAttrib(GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, copyTexture_);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, vp.x, vp.y, vp.w, vp.h);
    glPopAttrib();

    gl_.glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    beginQuad(copyTexture_, weight);
    glViewport(0, 0, vp.w, vp.h);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_BLEND);
    gl_.glBlendEquation(GL_FUNC_ADD);
    glBlendFunc(GL_ONE, GL_ONE);
    drawQuad();
    endQuad();
    return true;
}

bool AccumBuffer::returnTo(float weight) {
    Viewport vp;
    if (!prepare(vp)) return false;
    // Drawn into the bound draw framebuffer over the viewport; the colour
    // mask applies, as it does to glAccum's return.
    beginQuad(sumTexture_, weight);
    drawQuad();
    endQuad();
    return true;
}

}  // namespace platform
