#include "scene/light.h"

#include <GL/gl.h>

#include "state/globals.h"

namespace {
template <class Arr>
void copy4(const Arr& a, GLfloat out[4]) {
    for (long i = 0; i < 4; ++i) out[i] = a(i);
}
}  // namespace

Cls10::Cls10() {
    TwoSides(0) = 1.0f;
    GlobalAmbient(0) = 1.0f;
    for (long i = 0; i < 4; ++i) {
        Position(i) = i < 3 ? 100.0f : 1.0f;
        Diffuse(i) = Amission(i) = Specular(i) = 1.0f;
    }
}

void Cls10::SetLight() const {
    if (!Enabled) {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
        glDisable(GL_LIGHT1);
        return;
    }
    GLfloat position[4], diffuse[4], ambient[4], specular[4];
    copy4(Position, position);
    copy4(Diffuse, diffuse);
    copy4(Amission, ambient);
    copy4(Specular, specular);
    // Light 1 is always a point light at the mirrored position.
    const GLfloat mirrored[4] = {-position[0], -position[1], -position[2], 1.0f};
    const GLfloat* positions[2] = {position, mirrored};
    const GLenum lights[2] = {GL_LIGHT0, GL_LIGHT1};
    for (int l = 0; l < 2; ++l) {
        glLightfv(lights[l], GL_POSITION, positions[l]);
        glLightfv(lights[l], GL_DIFFUSE, diffuse);
        glLightfv(lights[l], GL_AMBIENT, ambient);
        glLightfv(lights[l], GL_SPECULAR, specular);
    }
    // The light keeps one ambient value: a grey of that level, fully opaque.
    const float g = GlobalAmbient(0);
    const GLfloat modelAmbient[4] = {g, g, g, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, modelAmbient);
    glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, TwoSides(0));

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
}

void RestoreLighting() {
    if (!gLight || gLight->Enabled) glEnable(GL_LIGHTING);
}
