#pragma once
// Scoped OpenGL state: what a drawing routine pushes it pops, also when it
// ends early.
#include <GL/gl.h>

class MatrixGuard {
public:
    MatrixGuard() { glPushMatrix(); }
    ~MatrixGuard() { glPopMatrix(); }
    MatrixGuard(const MatrixGuard&) = delete;
    MatrixGuard& operator=(const MatrixGuard&) = delete;
};

// Pushes the attribute groups of mask and pops them when it ends; compiled
// into a display list, the pop is replayed where the list is called.
class AttribGuard {
public:
    explicit AttribGuard(GLbitfield mask) { glPushAttrib(mask); }
    ~AttribGuard() { glPopAttrib(); }
    AttribGuard(const AttribGuard&) = delete;
    AttribGuard& operator=(const AttribGuard&) = delete;
};
