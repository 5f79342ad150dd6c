#pragma once
// The OpenGL surface format of every context the program makes: a legacy
// compatibility profile with a depth buffer and no multisampling (read-back of
// pixels and the accumulation passes rely on single-sampled buffers).
#include <QSurfaceFormat>

namespace platform {
QSurfaceFormat glFormat();
// Must run before the QApplication exists.
void setDefaultGLFormat();
}  // namespace platform
