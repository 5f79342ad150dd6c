// Cls4: view operations, and the matrices its projections leave in OpenGL.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cmath>
#include <limits>
#include <memory>

#include "state/globals.h"
#include "graph/graph.h"
#include "scene/camera.h"
#include "document/scene.h"
#include "scene/trackball.h"
#include "support/gl_offscreen.h"

namespace {

using Mat = std::array<double, 16>;

Mat glMatrix(GLenum which) {
    Mat m{};
    glGetDoublev(which, m.data());
    return m;
}

// The matrix OpenGL builds itself from the same call, for comparison.
template <class F>
Mat reference(GLenum mode, F&& load) {
    glMatrixMode(mode);
    glPushMatrix();
    glLoadIdentity();
    load();
    Mat m = glMatrix(mode == GL_PROJECTION ? GL_PROJECTION_MATRIX : GL_MODELVIEW_MATRIX);
    glPopMatrix();
    return m;
}

void expectMatrix(const Mat& got, const Mat& want, double tol = 1e-9) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(got[i], want[i], tol * (1 + std::fabs(want[i]))) << "element " << i;
}

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        gScene = std::make_shared<Cls8>();
    }
    void TearDown() override {
        gScene.reset();
        resetGlobals();
    }
    Cls4 cam;
};

TEST_F(CameraTest, StartValues) {
    EXPECT_EQ(cam.EyePos.Z, 1000);
    EXPECT_EQ(cam.VecUp(1), 1);
    EXPECT_EQ(cam.VolWidth, 40);
    EXPECT_EQ(cam.VolNear, 0.001);
    EXPECT_EQ(cam.ProjectType, 1);
    EXPECT_THROW(cam.VecUp(3), std::out_of_range);
}

TEST_F(CameraTest, ZoomOnlyByPositiveFactors) {
    for (double f : {0.0, -2.0}) {
        cam.Zoom(f);
        EXPECT_EQ(cam.VolWidth, 40);
    }
    cam.Zoom(2.5);
    EXPECT_EQ(cam.VolWidth, 100);
    EXPECT_EQ(cam.VolHeight, 100);
}

TEST_F(CameraTest, MoveViewShiftsEyeAndReferenceTogether) {
    cam.MoveView(0.25, -0.5);  // rect 40 x 40: r = (1,0,0), u = (0,1,0)
    EXPECT_DOUBLE_EQ(cam.EyePos.X, -10);
    EXPECT_DOUBLE_EQ(cam.RefPos.X, -10);
    EXPECT_DOUBLE_EQ(cam.EyePos.Y, 20);
    EXPECT_DOUBLE_EQ(cam.RefPos.Y, 20);
    EXPECT_DOUBLE_EQ(cam.EyePos.Z, 1000);
    // With the eye on the reference point there is no direction: nothing moves.
    cam.SetEye(1, 2, 3);
    cam.SetRef(1, 2, 3);
    cam.MoveView(0.5, 0.5);
    EXPECT_EQ(cam.EyePos.X, 1);
    EXPECT_TRUE(std::isfinite(cam.RefPos.Y));
}

TEST_F(CameraTest, ZoomAllFitsTheBoxAndKeepsTheEyeOffset) {
    gPlotKind = 3;
    gSceneScaleX = 2;
    gSceneScaleY = 1;
    gSceneScaleZ = 0.5;
    cam.ScreenWidth = 400;
    cam.ScreenHeight = 300;
    // Extents in scene units 10, 4 and 8.
    double x0 = 0, y0 = 2, z0 = -2, x1 = 20, y1 = 6, z1 = 2;
    cam.ZoomAll(x0, y0, z0, x1, y1, z1);
    EXPECT_DOUBLE_EQ(x1, 10);  // the caller's values are in scene units now
    EXPECT_DOUBLE_EQ(cam.VolHeight, 10);
    EXPECT_DOUBLE_EQ(cam.VolWidth, 10 * 400.0 / 300.0);
    EXPECT_DOUBLE_EQ(cam.RefPos.X, 5);
    EXPECT_DOUBLE_EQ(cam.RefPos.Y, 4);
    EXPECT_DOUBLE_EQ(cam.RefPos.Z, 0);
    EXPECT_DOUBLE_EQ(cam.EyePos.Z, 1000);
    EXPECT_DOUBLE_EQ(cam.EyePos.Y, 4);
    // A 2-D document with a fitted curve keeps Y at 0; a zero scale is not divided by.
    gPlotKind = 4;
    gSceneScaleY = 0;
    double a0 = 0, b0 = 5, c0 = 0, a1 = 10, b1 = 7, c1 = 0;
    cam.ZoomAll(a0, b0, c0, a1, b1, c1);
    EXPECT_EQ(cam.RefPos.Y, 0);
    EXPECT_EQ(cam.EyePos.Y, 0);
    EXPECT_TRUE(std::isfinite(cam.VolHeight));
}

// Zoom to fit never stores a view it cannot draw with: a box without extent
// (a single point) or beyond the Doubles leaves the camera as it was.
TEST_F(CameraTest, ZoomAllKeepsTheViewForABoxWithoutUsableExtent) {
    gPlotKind = 3;
    gSceneScaleX = gSceneScaleY = gSceneScaleZ = 1;
    const double inf = std::numeric_limits<double>::infinity(), big = 1.7e308;
    const double boxes[][6] = {
        {5, 5, 5, 5, 5, 5}, {0, 0, 0, inf, 1, 1}, {-big, 0, 0, big, 1, 1}, {NAN, 0, 0, 1, 1, 1}};
    for (const auto& b : boxes) {
        cam.VolHeight = 30;
        cam.SetRef(1, 2, 3);
        double x0 = b[0], y0 = b[1], z0 = b[2], x1 = b[3], y1 = b[4], z1 = b[5];
        cam.ZoomAll(x0, y0, z0, x1, y1, z1);
        EXPECT_EQ(cam.VolHeight, 30) << b[0] << ".." << b[3];
        EXPECT_EQ(cam.RefPos.X, 1) << b[0] << ".." << b[3];
    }
}

TEST_F(CameraTest, StandardViewTypes) {
    cam.SetEye(0, 0, 0);  // on the reference point: distance 50
    cam.SetViewType(3);
    EXPECT_EQ(cam.EyePos.Y, 50);
    EXPECT_EQ(cam.VecUp(2), 1);
    cam.SetViewType(11);
    EXPECT_EQ(cam.EyePos.Y, 50);
    cam.SetViewType(9);  // isometric: the up vector is the world up made perpendicular
    const double k = 50 / std::sqrt(3.0);
    EXPECT_NEAR(cam.EyePos.X, k, 1e-9);
    const Vec4 d{-1, -1, -1, 0}, up{cam.VecUp(0), cam.VecUp(1), cam.VecUp(2), 0};
    EXPECT_NEAR(DotProduct(d, up), 0.0, 1e-12);
    EXPECT_GT(up[1], 0);
}

TEST_F(CameraTest, RotateViewTurnsTheReferenceAboutTheEye) {
    cam.RotateView(3.14159265358979 / 2, 0, 1, 0);  // a quarter turn about Y
    EXPECT_NEAR(cam.RefPos.X, -1000, 1e-6);
    EXPECT_NEAR(cam.RefPos.Z, 1000, 1e-6);
    EXPECT_EQ(cam.EyePos.Z, 1000);
}

TEST_F(CameraTest, SetScreenStoresAZeroHeightAsOne) {
    testsupport::OffscreenGL gl(64, 64);
    ASSERT_TRUE(gl.valid());
    long w = 400, h = 0;
    cam.SetScreen(w, h);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(cam.ScreenHeight, 1);
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ(vp[2], 400);
    EXPECT_EQ(vp[3], 0);
    cam.SetViewRect(0, 10);
    EXPECT_DOUBLE_EQ(cam.VolWidth, 4000);
}

TEST_F(CameraTest, OrthographicProjectionMatchesOpenGL) {
    testsupport::OffscreenGL gl(400, 300);
    ASSERT_TRUE(gl.valid());
    glViewport(0, 0, 400, 300);
    cam.Projection(0, 0, 0, 0, 1.0);
    expectMatrix(glMatrix(GL_PROJECTION_MATRIX), reference(GL_PROJECTION, [] { glOrtho(-20, 20, -20, 20, 0.001, 2000); }));
    expectMatrix(glMatrix(GL_MODELVIEW_MATRIX), reference(GL_MODELVIEW, [] { gluLookAt(0, 0, 1000, 0, 0, 0, 0, 1, 0); }));
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    // First accumulation pass on a 40 x 30 rectangle.
    cam.VolHeight = 30;
    cam.Projection(-0.373411, -0.250550);
    expectMatrix(glMatrix(GL_PROJECTION_MATRIX), reference(GL_PROJECTION, [] {
                     glOrtho(-20 + 0.0373411, 20 + 0.0373411, -15 + 0.025055, 15 + 0.025055, 0.001, 2000);
                 }));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(CameraTest, PerspectiveProjectionAndItsNearPlane) {
    testsupport::OffscreenGL gl(200, 200);
    ASSERT_TRUE(gl.valid());
    gPlotKind = 3;
    auto g = std::make_shared<Cls9>();
    g->ID = 1;
    g->GraphType = 4;
    g->StepV = 1;
    g->VertTab3D(0, 1)->X = 10;
    g->VertTab3D(0, 1)->Y = 4;
    g->VertTab3D(0, 1)->Z = 8;
    gScene->FunSurfs.Add(g, "1");
    cam.ProjectType = 2;
    cam.SceneBox = [] {
        long frame = 0;
        return gScene->GetBox(frame);
    };
    cam.Projection(0, 0);
    expectMatrix(glMatrix(GL_PROJECTION_MATRIX), reference(GL_PROJECTION, [] { glFrustum(-20, 20, -20, 20, 990, 2000); }));
    EXPECT_EQ(cam.VolNear, 0.01);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    // Extents of 1000 data units or more, and the empty scene, would put the
    // near plane behind the eye or past the far plane: it stays in front.
    g->VertTab3D(0, 1)->X = 5000;
    cam.Projection(0, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    const Mat p = glMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NE(p[15], 1.0);  // a perspective matrix, not the identity
    gScene->FunSurfs.Clear();
    cam.Projection(0, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(glMatrix(GL_PROJECTION_MATRIX)[11], -1.0);
}

TEST_F(CameraTest, OtherProjectTypesLoadOnlyTheView) {
    testsupport::OffscreenGL gl(100, 100);
    ASSERT_TRUE(gl.valid());
    cam.ProjectType = 5;
    cam.Projection(0, 0);
    expectMatrix(glMatrix(GL_PROJECTION_MATRIX), reference(GL_PROJECTION, [] {}));
    expectMatrix(glMatrix(GL_MODELVIEW_MATRIX), reference(GL_MODELVIEW, [] { gluLookAt(0, 0, 1000, 0, 0, 0, 0, 1, 0); }));
}

TEST_F(CameraTest, ZeroViewportGetsNoShift) {
    testsupport::OffscreenGL gl(64, 64);
    ASSERT_TRUE(gl.valid());
    glViewport(0, 0, 0, 0);
    cam.Projection(-0.373411, -0.250550);
    const Mat p = glMatrix(GL_PROJECTION_MATRIX);
    for (double v : p) EXPECT_TRUE(std::isfinite(v));
}

// The trackball's matrix goes to glMultMatrix in index order: a drag to the
// right must bring the front of the scene (+Z) towards the right (+X).
TEST_F(CameraTest, TrackballDragTurnsTheSceneWithTheMouse) {
    testsupport::OffscreenGL gl(64, 64);
    ASSERT_TRUE(gl.valid());
    gRotateMode = 1;
    Quat q{};
    Trackball(q, -0.1, 0.0, 0.1, 0.0);
    RotMatrix m{};
    BuildRotMatrix(m, q);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMultMatrixd(m.data());
    const Mat g = glMatrix(GL_MODELVIEW_MATRIX);
    // Column-major: the image of (0, 0, 1) is column 2.
    EXPECT_GT(g[8], 0.3);
    EXPECT_NEAR(g[9], 0.0, 1e-12);
    // An upward drag brings the front up (+Y).
    Trackball(q, 0.0, -0.1, 0.0, 0.1);
    BuildRotMatrix(m, q);
    glLoadIdentity();
    glMultMatrixd(m.data());
    EXPECT_GT(glMatrix(GL_MODELVIEW_MATRIX)[9], 0.3);
}

}  // namespace
