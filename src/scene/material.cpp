#include "scene/material.h"

#include <GL/gl.h>

namespace {

// Values as stored (Singles); the odd alphas of "Artdeco" and "Glass" are kept.
const MaterialValues kPresets[13] = {
    {"Artdeco", {0.936975f, 0.092326f, 0.42843f, 0}, {0.536861f, 0.0529f, 0.24549f, 0.832432f},
     {0.805292f, 0.765198f, 0.747416f, 0}, {0, 0, 0, 0}, 106.551296f},
    {"Autumn", {0.098983f, 0.056561f, 0.03206f, 0}, {0.395932f, 0.226244f, 0.128242f, 0},
     {1, 0.464407f, 0.4753f, 0}, {0, 0, 0, 0}, 127.30816f},
    {"Glass", {0.187004f, 0.074884f, 0, 0.34747f}, {0.748016f, 0.299537f, 0, 0.34747f},
     {0.836364f, 0.836364f, 0.836364f, 0.34747f}, {0, 0, 0, 0.34747f}, 117.915136f},
    {"Metal", {0.133333f, 0.092532f, 0, 0}, {0.49697f, 0.344891f, 0, 0},
     {1, 0.887978f, 0, 0}, {0, 0, 0, 0}, 118.690944f},
    {"Neon", {0, 0, 0, 0}, {0, 0, 0, 0},
     {0.622449f, 0.622449f, 0.622449f, 0}, {0.018841f, 0.940276f, 1, 0}, 6.5306112f},
    {"Recoco", {0.187004f, 0.180659f, 0.067227f, 0}, {0.748016f, 0.722635f, 0.268909f, 0},
     {0.412121f, 0.412121f, 0.412121f, 0}, {0, 0, 0, 0}, 103.175808f},
    {"Santefe", {0.20373f, 0.083248f, 0.083248f, 0}, {0.799639f, 0.326749f, 0.326749f, 0},
     {0.327377f, 0.135466f, 0, 0}, {0, 0, 0, 0}, 9.7959168f},
    {"Sheen", {0, 0.001073f, 0.078571f, 0}, {0, 0.004294f, 0.314286f, 0},
     {0.364672f, 0.833805f, 0.909091f, 0}, {0, 0, 0, 0}, 81.454592f},
    {"Silky", {0.171143f, 0.170799f, 0.171534f, 0}, {0.684572f, 0.683198f, 0.686136f, 0},
     {0.693878f, 0.033555f, 0.313623f, 0}, {0, 0, 0, 0}, 9.1428608f},
    {"Spring", {0.253968f, 0.228701f, 0.079806f, 0}, {1, 0.900511f, 0.314236f, 0},
     {0.872449f, 0.247119f, 0.254214f, 0}, {0, 0, 0, 0}, 128},
    {"Summer", {0.098983f, 0.056561f, 0.03206f, 0}, {0.395932f, 0.226244f, 0.128242f, 0},
     {0.192616f, 0.110064f, 0.062388f, 0}, {0, 0, 0, 0}, 3.459456f},
    {"Tropical", {0.226102f, 0.193685f, 0.020767f, 0}, {0.904409f, 0.774741f, 0.083067f, 0},
     {0.095591f, 0.095591f, 0.095591f, 0}, {0, 0, 0, 0}, 10},
    {"Winter", {0.048649f, 0.048649f, 0.048649f, 0}, {0.205405f, 0.205405f, 0.205405f, 0},
     {0.686486f, 0.676818f, 0.684159f, 0}, {0, 0, 0, 0}, 128},
};

template <class Arr>
void load(Arr& dest, const std::array<float, 4>& src) {
    for (long i = 0; i < 4; ++i) dest(i) = src[static_cast<std::size_t>(i)];
}

}  // namespace

const MaterialValues* materialPreset(long code) {
    if (code < 1 || code > 13) return nullptr;
    return &kPresets[code - 1];
}

void Cls11::LoadPreset(long materType) {
    const MaterialValues* p = materialPreset(materType);
    if (!p) return;
    load(Ambient, p->ambient);
    load(Diffuse, p->diffuse);
    load(Specular, p->specular);
    load(Emission, p->emission);
    Shininess(0) = p->shininess;
}

void Cls11::SetMaterial(long materType) {
    LoadPreset(materType);
    GLfloat diffuse[4], specular[4], emission[4], ambient[4];
    for (long i = 0; i < 4; ++i) {
        diffuse[i] = Diffuse(i);
        specular[i] = Specular(i);
        emission[i] = Emission(i);
        ambient[i] = Ambient(i);
    }
    const GLfloat shininess = Shininess(0);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &shininess);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
}
