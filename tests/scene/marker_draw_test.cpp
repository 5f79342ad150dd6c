// The data markers on pixels: each flat symbol where and how large it should
// be, the line width each leaves, and the 3-D sphere from its shared list.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "state/globals.h"
#include "scene/point.h"
#include "render/pixel_probe.h"
#include "support/gl_offscreen.h"

using testsupport::OffscreenGL;

namespace {

using namespace pixelprobe;

class Markers : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        ASSERT_TRUE(gl.valid());
        gl.clearWhite();
    }
    void TearDown() override { resetGlobals(); }

    Cls2 marker(long symbol, double size) {
        Cls2 p;
        p.X = 0.5;
        p.Y = -0.25;
        p.Color = 0x0000FF;  // red in &HBBGGRR
        p.Symbol = symbol;
        p.Size = size;
        return p;
    }
    OffscreenGL gl{kSide, kSide};
};

TEST_F(Markers, FlatSymbolsCoverTheirShape) {
    gPlotKind = 4;
    const double x0 = 0.5, y0 = -0.25;
    struct Probe {
        double dx, dy;
        bool red;  // else white
    };
    struct Case {
        long symbol;
        std::vector<Probe> probes;
    };
    // Size 2: circles radius 0.15, square/diamond/cross half-size 0.14, triangle 0.16.
    const std::vector<Case> cases = {
        {1, {{0, 0, true}, {0.12, 0, true}, {0, -0.12, true}, {0.2, 0, false}, {0.12, 0.12, false}}},
        {2, {{0, 0, false}, {0.1, 0, false}, {0.2, 0, false}}},
        {3, {{0, 0, true}, {0.12, 0.12, true}, {-0.12, -0.12, true}, {0.17, 0, false}}},
        {4, {{0, 0, true}, {0, -0.14, true}, {0.14, -0.14, true}, {-0.12, 0.1, false}, {0, 0.2, false}}},
        {5, {{0, 0, true}, {0.1, 0, true}, {0, -0.1, true}, {0.1, 0.1, false}}},
        {6, {{0, 0, true}, {0.1, 0, true}, {0, 0.1, true}, {0.1, 0.1, false}, {0.2, 0, false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.symbol);
        gl.clearWhite();
        marker(c.symbol, 2).Draw();
        const QImage img = gl.grab();
        for (const auto& p : c.probes) {
            const QRgb px = at(img, x0 + p.dx, y0 + p.dy);
            if (p.red)
                EXPECT_TRUE(isRed(px)) << p.dx << "," << p.dy;
            else
                EXPECT_TRUE(isWhite(px)) << p.dx << "," << p.dy;
        }
    }
}

TEST_F(Markers, HollowCircleHasAWhiteInsideAndAColouredRim) {
    gPlotKind = 1;
    // Paint the background grey so the white fill shows.
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    marker(2, 2).Draw();
    const QImage img = gl.grab();
    EXPECT_TRUE(isWhite(at(img, 0.5, -0.25)));
    EXPECT_TRUE(isWhite(at(img, 0.5 + 0.1, -0.25)));
    EXPECT_GT(testsupport::countColor(img, 255, 0, 0, 80), 60);  // the rim
    EXPECT_NEAR(qRed(at(img, 0.5 + 0.25, -0.25)), 128, 2);  // outside stays grey
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_FLOAT_EQ(width, 1.0f);
}

TEST_F(Markers, CrossHairLeavesItsSizeAsLineWidth) {
    gPlotKind = 4;
    marker(6, 3).Draw();
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_FLOAT_EQ(width, 3.0f);
    marker(6, 0).Draw();  // a zero width is refused without an error
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_FLOAT_EQ(width, 3.0f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(Markers, SizeZeroKeepsCirclesAndCollapsesTheRest) {
    gPlotKind = 4;
    marker(1, 0).Draw();  // radius 0.05, about 6 pixels
    EXPECT_TRUE(isRed(at(gl.grab(), 0.5 + 0.03, -0.25)));
    for (long s : {3L, 4L, 5L}) {
        gl.clearWhite();
        marker(s, 0).Draw();
        EXPECT_EQ(testsupport::countNonWhite(gl.grab()), 0) << s;
    }
}

TEST_F(Markers, UnknownSymbolsDrawNothingIn2DButASphereIn3D) {
    for (long s : {0L, 7L}) {
        gPlotKind = 4;
        gl.clearWhite();
        glColor3f(0, 1, 0);
        marker(s, 1).Draw();
        EXPECT_EQ(testsupport::countNonWhite(gl.grab()), 0) << s;
        GLfloat colour[4];
        glGetFloatv(GL_CURRENT_COLOR, colour);
        EXPECT_FLOAT_EQ(colour[1], 1.0f) << "no colour is set";

        gPlotKind = 3;
        gl.clearWhite();
        marker(s, 1).Draw();  // radius 0.1
        const QImage img = gl.grab();
        EXPECT_TRUE(isRed(at(img, 0.5, -0.25))) << s;
        EXPECT_TRUE(isRed(at(img, 0.5 + 0.08, -0.25))) << s;
        EXPECT_TRUE(isWhite(at(img, 0.5 + 0.12, -0.25))) << s;
    }
}

// Spheres come from one list made before the picture's list is compiled;
// inside the picture's list each marker only calls it.
TEST_F(Markers, SpheresCompiledIntoAPictureListDrawTheSame) {
    gPlotKind = 11;
    PrepareMarkerLists();
    const GLuint picture = glGenLists(1);
    glNewList(picture, GL_COMPILE);
    PrepareMarkerLists();  // inside a compile: must not nest lists
    for (int i = 0; i < 3; ++i) {
        Cls2 p = marker(1, 1 + i);
        p.X = -0.6 + 0.6 * i;
        p.Y = 0;
        p.Draw();
    }
    glEndList();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    gl.clearWhite();
    glCallList(picture);
    const QImage img = gl.grab();
    gl.savePng("markers_spheres");
    EXPECT_TRUE(isRed(at(img, -0.6 + 0.09, 0)));   // radius 0.1
    EXPECT_TRUE(isWhite(at(img, -0.6 + 0.12, 0)));
    EXPECT_TRUE(isRed(at(img, 0.6 + 0.18, 0)));    // radius 0.2
    EXPECT_TRUE(isWhite(at(img, 0.6 + 0.22, 0)));
    glDeleteLists(picture, 1);
}

TEST_F(Markers, PictureOfAllSymbols) {
    gPlotKind = 4;
    for (long s = 1; s <= 6; ++s) {
        Cls2 p = marker(s, 2);
        p.X = -0.75 + 0.3 * (s - 1);
        p.Y = 0;
        p.Color = s % 2 ? 0xFF0000 : 0x0000FF;
        p.Draw();
    }
    const std::string path = gl.savePng("markers_2d");
    EXPECT_FALSE(path.empty());
    EXPECT_GT(testsupport::countNonWhite(gl.grab()), 1000);
}

}  // namespace
