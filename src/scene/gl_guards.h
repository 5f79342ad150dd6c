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
