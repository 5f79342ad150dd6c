// CContour on pixels: rings in the scene where the placement puts them, the
// line state before and after, and the documents that draw nothing.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "render/contour.h"
#include "render/pixel_probe.h"
#include "state/globals.h"
#include "support/gl_offscreen.h"

namespace {

using namespace pixelprobe;
using testsupport::OffscreenGL;

// 21 x 21 nodes over -1..1 of x^2 + y^2 (node (i, j) at x = -1.1 + 0.1 j).
ContourGrid bowl() {
    ContourGrid g(21, 21);
    for (long i = 1; i <= 21; ++i)
        for (long j = 1; j <= 21; ++j) {
            const double x = -1.1 + 0.1 * j, y = -1.1 + 0.1 * i;
            g(i, j) = 100 * (x * x + y * y);
        }
    return g;
}

class ContourDraw : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        ASSERT_TRUE(gl.valid());
        gl.clearWhite();
        // Look down on the horizontal plane: scene (x, z) to the screen's (x, -y).
        glRotated(90, 1, 0, 0);
    }
    void TearDown() override { resetGlobals(); }
    OffscreenGL gl{kSide, kSide};
};

TEST_F(ContourDraw, RingsInTheirColourAndTheLineStateAfter) {
    gPlotKind = 3;
    ContourGrid g = bowl();
    glDisable(GL_LIGHTING);
    CContour().Contour(21, 21, 0.1, 0.1, g, -1.1, -1.1, -0.5, 25, 4, 0, 0x0000FF, 2, "Rainbow");
    const QImage img = gl.grab();
    gl.savePng("contour_rings");
    // Rings of radius 0.5 and 0.707 (levels 25 and 50) in red, none between.
    EXPECT_TRUE(near(img, 0.5, 0, 255, 0, 0));
    EXPECT_TRUE(near(img, 0, 0.5, 255, 0, 0));
    EXPECT_TRUE(near(img, -0.5, 0, 255, 0, 0));
    EXPECT_TRUE(near(img, 0.5, 0.5, 255, 0, 0));
    EXPECT_TRUE(isWhite(at(img, 0.6, 0)));
    EXPECT_TRUE(isWhite(at(img, 0, 0)));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 2.0f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ContourDraw, BadInputDrawsWhatItCanAndEnds) {
    struct Case {
        long kind, axis, level, width;
        bool drawn;
    };
    const Case cases[] = {
        {3, 1, 0, 0, true},     // interval 0: levels of their own; width 0: 1-pixel lines
        {3, 1, -5, 1, true},    // a negative interval too
        {11, 1, 25, 1, true},
        {11, 7, 25, 1, false},  // no such plane
        {4, 1, 25, 1, false},   // a 2-D document has no level step
    };
    for (const Case& c : cases) {
        gl.clearWhite();
        glRotated(90, 1, 0, 0);
        gPlotKind = c.kind;
        gContourSliceAxis = c.axis;
        ContourGrid g = bowl();
        CContour().Contour(21, 21, 0.1, 0.1, g, -1.1, -1.1, 0, c.level, 4, 0, 0, c.width, "");
        EXPECT_EQ(testsupport::countNonWhite(gl.grab()) > 50, c.drawn) << c.kind << "/" << c.axis << "/" << c.level;
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
}

TEST_F(ContourDraw, Contour3DRaisesValuesSetsTheLineStateAndDrawsNoLine) {
    gPlotKind = 3;
    ContourGrid g(2, 3);
    g(1, 1) = 0, g(1, 2) = 5, g(1, 3) = 10;  // levels 0, 5, 10 for 2 intervals
    g(2, 1) = 2.5, g(2, 2) = 7.5, g(2, 3) = 4.99995;
    glDisable(GL_LIGHTING);
    CContour().Contour3D(2, 3, 0.5, 0.5, 0, g, -1, -1, 2, 4, 0, 0x0000FF, 1, "");
    EXPECT_EQ(testsupport::countNonWhite(gl.grab()), 0);
    EXPECT_DOUBLE_EQ(g(1, 2), 5.00001);
    EXPECT_DOUBLE_EQ(g(2, 3), 4.99996);
    EXPECT_DOUBLE_EQ(g(2, 1), 2.5);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLdouble colour[4];
    glGetDoublev(GL_CURRENT_COLOR, colour);
    EXPECT_DOUBLE_EQ(colour[0], 1.0);  // the levels' colour, red
    // Equal extremes have no interval to step by: it ends at once.
    ContourGrid flat(3, 3);
    CContour().Contour3D(3, 3, 1, 1, 0, flat, 0, 0, 5, 5, 0, 0, 1, "Rainbow");
    CContour().Contour3D(2, 3, 1, 1, 0, g, 0, 0, -4, 5, 0, 0, 1, "Rainbow");  // no interval
    CContour().Contour3D(3, 3, 1, 1, 0, g, 0, 0, 2, 5, 0, 0, 1, "Rainbow");   // more rows than the grid
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
