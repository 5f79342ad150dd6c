#include "platform/gl_format.h"

namespace platform {
QSurfaceFormat glFormat() {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setVersion(2, 1);
    f.setDepthBufferSize(24);
    f.setSamples(0);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return f;
}

void setDefaultGLFormat() { QSurfaceFormat::setDefaultFormat(glFormat()); }
}  // namespace platform
