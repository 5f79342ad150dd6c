// Cls10 and Cls11: the light and material state they leave in OpenGL.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

#include "scene/light.h"
#include "scene/material.h"
#include "support/gl_offscreen.h"

namespace {

using V4 = std::array<float, 4>;

V4 light(GLenum l, GLenum what) {
    V4 v{};
    glGetLightfv(l, what, v.data());
    return v;
}

V4 material(GLenum what) {
    V4 v{};
    glGetMaterialfv(GL_FRONT, what, v.data());
    return v;
}

void expectV4(const V4& got, const V4& want) {
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(got[i], want[i], 1e-6) << i;
}

class LightTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.valid());
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_COLOR_MATERIAL);
    }
    testsupport::OffscreenGL gl{32, 32};
};

TEST_F(LightTest, NewLightIsTwoMirroredWhitePointLights) {
    Cls10 l;
    l.SetLight();
    expectV4(light(GL_LIGHT0, GL_POSITION), {100, 100, 100, 1});
    expectV4(light(GL_LIGHT1, GL_POSITION), {-100, -100, -100, 1});
    for (GLenum lt : {GL_LIGHT0, GL_LIGHT1})
        for (GLenum c : {GL_DIFFUSE, GL_AMBIENT, GL_SPECULAR}) expectV4(light(lt, c), {1, 1, 1, 1});
    GLfloat two = 0;
    glGetFloatv(GL_LIGHT_MODEL_TWO_SIDE, &two);
    EXPECT_NE(two, 0.0f);
    V4 amb{};
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, amb.data());
    expectV4(amb, {1, 1, 1, 1});
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
}

TEST_F(LightTest, DirectionalLightZeroAndDisabledLight) {
    Cls10 l;
    l.Position(3) = 0;
    l.Amission(0) = 0.25f;  // the lights' ambient colour, not an emission
    l.GlobalAmbient(0) = 0.5f;
    l.SetLight();
    expectV4(light(GL_LIGHT0, GL_POSITION), {100, 100, 100, 0});
    expectV4(light(GL_LIGHT1, GL_POSITION), {-100, -100, -100, 1});
    expectV4(light(GL_LIGHT1, GL_AMBIENT), {0.25f, 1, 1, 1});
    V4 amb{};
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, amb.data());
    expectV4(amb, {0.5f, 0.5f, 0.5f, 1});

    Cls10 off;
    off.Enabled = false;
    off.Position(0) = 7;
    off.SetLight();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    expectV4(light(GL_LIGHT0, GL_POSITION), {100, 100, 100, 0});  // nothing was sent
}

TEST_F(LightTest, PositionFollowsTheModelViewAtTheCall) {
    glTranslatef(0, 0, -1000);
    Cls10 l;
    l.SetLight();
    expectV4(light(GL_LIGHT0, GL_POSITION), {100, 100, -900, 1});
}

TEST(LightIndex, OutOfRangeIndexesThrow) {
    Cls10 l;
    EXPECT_THROW(l.GlobalAmbient(1), std::out_of_range);
    EXPECT_THROW(l.TwoSides(1), std::out_of_range);
    EXPECT_THROW(l.Position(4), std::out_of_range);
    EXPECT_THROW(l.Specular(-1) = 2, std::out_of_range);
    Cls11 m;
    EXPECT_THROW(m.Shininess(1), std::out_of_range);
}

TEST(MaterialTable, NamesInListOrderAndStoredValues) {
    const char* names[] = {"Artdeco", "Autumn", "Glass",  "Metal",  "Neon",     "Recoco", "Santefe",
                           "Sheen",   "Silky",  "Spring", "Summer", "Tropical", "Winter"};
    for (long c = 1; c <= 13; ++c) {
        ASSERT_NE(materialPreset(c), nullptr);
        EXPECT_STREQ(materialPreset(c)->name, names[c - 1]);
    }
    EXPECT_EQ(materialPreset(0), nullptr);
    EXPECT_EQ(materialPreset(14), nullptr);
    EXPECT_FLOAT_EQ(materialPreset(1)->diffuse[3], 0.832432f);
    for (const auto* arr : {&materialPreset(3)->ambient, &materialPreset(3)->diffuse, &materialPreset(3)->specular,
                            &materialPreset(3)->emission})
        EXPECT_FLOAT_EQ((*arr)[3], 0.34747f);
    EXPECT_FLOAT_EQ(materialPreset(4)->specular[1], 0.887978f);
    EXPECT_FLOAT_EQ(materialPreset(13)->shininess, 128.0f);
}

TEST_F(LightTest, SetMaterialSendsThePresetToBothFaces) {
    Cls11 m;
    m.SetMaterial(5);
    expectV4(material(GL_AMBIENT), {0, 0, 0, 0});
    expectV4(material(GL_DIFFUSE), {0, 0, 0, 0});
    expectV4(material(GL_SPECULAR), {0.622449f, 0.622449f, 0.622449f, 0});
    expectV4(material(GL_EMISSION), {0.018841f, 0.940276f, 1, 0});
    GLfloat shin[4] = {};
    glGetMaterialfv(GL_BACK, GL_SHININESS, shin);
    EXPECT_NEAR(shin[0], 6.5306112f, 1e-5);
    V4 back{};
    glGetMaterialfv(GL_BACK, GL_EMISSION, back.data());
    expectV4(back, {0.018841f, 0.940276f, 1, 0});

    // Unknown codes on a new material send zeros; on a loaded one they keep it.
    for (long code : {0L, 14L}) {
        Cls11 fresh;
        fresh.SetMaterial(code);
        expectV4(material(GL_SPECULAR), {0, 0, 0, 0});
        glGetMaterialfv(GL_FRONT, GL_SHININESS, shin);
        EXPECT_EQ(shin[0], 0.0f);
    }
    m.SetMaterial(99);
    expectV4(material(GL_EMISSION), {0.018841f, 0.940276f, 1, 0});
}

}  // namespace
