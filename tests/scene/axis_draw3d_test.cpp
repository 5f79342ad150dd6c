// The 3-D axis frame on pixels: panels, grids, edges, numbers, axis lines and
// arrowheads for a known box and view, the state it leaves, and bad counts.
#include <GL/gl.h>

#include "axis_draw_fixture.h"
#include "scene/light.h"
#include "scene/material.h"

namespace {

class AxisDraw3D : public AxisDrawFixture {
protected:
    void SetUp() override {
        AxisDrawFixture::SetUp();
        gPlotKind = 3;
        gSceneScaleX = gSceneScaleY = gSceneScaleZ = 1;
        gSceneCenterX = gSceneCenterY = gSceneCenterZ = 5;
        axis.SetDefault();
    }
    // The box 0..10 on every axis (scene -5..5).
    void draw() { axis.Draw(2, 0, 10, 0, 10, 0, 10); }
    // Light and colour material as the graphs of a pass leave them.
    void litLikeAGraph() {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        Cls10().SetLight();
        glPopMatrix();
        glEnable(GL_COLOR_MATERIAL);
        glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
        Cls11().SetMaterial(4);
    }
    void expectStateLeftBehind() {
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
    Cls3 axis;
};

TEST_F(AxisDraw3D, BackPanelGridEdgesAndNumbersInTheFrontView) {
    view(10);
    axis.ShowYZPanel = true;
    axis.YZPanelColor = 0xFF8000;  // RGB(0, 128, 255)
    draw();
    const QImage img = gl.grab();
    EXPECT_TRUE(near(at(img, 2.5, 2.5), 0, 128, 255, 10));     // the back wall at the minimum of data x
    EXPECT_TRUE(near(at(img, -2.5, -2.5), 0, 128, 255, 10));
    EXPECT_TRUE(near(at(img, 0, 2.5), 204, 204, 204, 40));     // data-y grid line at the middle
    EXPECT_TRUE(near(at(img, 2.5, 0), 204, 204, 204, 40));     // data-z grid line at the middle
    EXPECT_TRUE(near(at(img, 2.5, -5), 0, 0, 0, 60));          // data-y edge
    EXPECT_TRUE(near(at(img, -5, 2.5), 0, 0, 0, 60));          // data-z edge
    EXPECT_TRUE(near(at(img, 8, 8), 255, 255, 255, 0));        // outside the frame
    // Blue numbers under the data-y edge and left of the data-z edge.
    EXPECT_GT(countIn(img, -7, -7.5, 6, -5.6, 0, 0, 255, 90), 30);
    EXPECT_GT(countIn(img, -9.5, -5.5, -5.6, 6, 0, 0, 255, 90), 30);
    EXPECT_EQ(countIn(img, 5.5, 5.5, 9.5, 9.5, 0, 0, 255, 90), 0);
    expectStateLeftBehind();
}

TEST_F(AxisDraw3D, PanelsFollowTheirFlagsAnd4DStartsWithoutGrids) {
    view(10);
    gPlotKind = 11;
    axis.SetDefault();
    draw();
    QImage img = gl.grab();
    EXPECT_TRUE(near(at(img, 0, 2.5), 255, 255, 255, 0));   // no grid lines
    EXPECT_TRUE(near(at(img, 2.5, -5), 0, 0, 0, 60));      // edges still drawn
    EXPECT_GT(countIn(img, -7, -7.5, 6, -5.6, 0, 0, 255, 90), 30);  // and numbers

    // The floor seen from above: pitch the view so +Y faces the viewer.
    gl.clearWhite();
    glDisable(GL_LIGHTING);
    view(10, 90);
    axis.ShowXYPanel = true;
    axis.XYPanelColor = 0x00FFFF;  // yellow
    draw();
    img = gl.grab();
    EXPECT_TRUE(near(at(img, 2.5, 2.5), 255, 255, 0, 10));
}

TEST_F(AxisDraw3D, AxisLinesReachBeyondTheStretchedBoxWithRedArrowheads) {
    // Box 10..20 on every axis: the lines meet at the data origin outside it.
    gSceneCenterX = gSceneCenterY = gSceneCenterZ = 15;
    axis.AxisStyle = 2;
    view(20);
    litLikeAGraph();
    axis.Draw(2, 10, 20, 10, 20, 10, 20);
    const QImage img = gl.grab();
    // Scene X line at y = -15 from data -2 (scene -17) to data 22 (scene 7).
    EXPECT_TRUE(near(at(img, -16.5, -15), 0, 0, 255, 90));
    EXPECT_TRUE(near(at(img, 0, -15), 0, 0, 255, 90));
    EXPECT_TRUE(near(at(img, 6.5, -15), 0, 0, 255, 90));
    EXPECT_TRUE(near(at(img, -18, -15), 255, 255, 255, 0));
    // The same for scene Y, seen at x = -15.
    EXPECT_TRUE(near(at(img, -15, -16.5), 0, 0, 255, 90));
    EXPECT_TRUE(near(at(img, -15, 6.5), 0, 0, 255, 90));
    // Red cones at the positive ends of scene X and Y.
    const auto reddish = [&](double x0, double y0, double x1, double y1) {
        int n = 0;
        for (double y = y0; y <= y1; y += 0.05)
            for (double x = x0; x <= x1; x += 0.05) {
                const QRgb p = at(img, x, y);
                n += (qRed(p) > 150 && qRed(p) - qGreen(p) > 80 && qRed(p) - qBlue(p) > 80) ? 1 : 0;
            }
        return n;
    };
    EXPECT_GT(reddish(7.0, -15.3, 7.5, -14.7), 20);
    EXPECT_GT(reddish(-15.3, 7.0, -14.7, 7.5), 20);
    EXPECT_EQ(reddish(-10, -10, 0, 0), 0);
    expectStateLeftBehind();
}

TEST_F(AxisDraw3D, BadLabelCountsStillDrawTheFrame) {
    struct Case { long x, y, z; };
    const Case cases[] = {{0, 2, 2}, {2, 51, 2}, {2, 2, -1}, {0, 0, 0}, {100000, 2, 2}};
    for (const Case& c : cases) {
        gl.clearWhite();
        glDisable(GL_LIGHTING);
        view(10);
        axis.LabelNumX = c.x;
        axis.LabelNumY = c.y;
        axis.LabelNumZ = c.z;
        axis.ShowYZPanel = true;
        draw();
        const QImage img = gl.grab();
        SCOPED_TRACE(testing::Message() << c.x << " " << c.y << " " << c.z);
        EXPECT_TRUE(near(at(img, 2.5, 2.5), 204, 204, 204, 10) || near(at(img, 2.4, 2.4), 204, 204, 204, 10));
        EXPECT_TRUE(near(at(img, 2.5, -5), 0, 0, 0, 60));  // edges
        EXPECT_GT(countIn(img, -9.5, -9.5, 9.5, 9.5, 0, 0, 255, 90), 10);  // titles at least
        expectStateLeftBehind();
    }
}

TEST_F(AxisDraw3D, PictureOfTheFrame) {
    view(11, 25, -35);
    litLikeAGraph();
    axis.ShowXYPanel = axis.ShowXZPanel = axis.ShowYZPanel = true;
    axis.LabelNumX = 5;
    axis.LabelNumY = 4;
    axis.TitleX = "time";
    draw();
    const QImage img = gl.grab();
    EXPECT_GT(testsupport::countNonWhite(img), 10000);
    gl.savePng("axis_frame_3d");

    gl.clearWhite();
    view(11, 25, -35);
    axis.AxisStyle = 2;
    axis.Draw(2, -4, 8, -2, 6, -3, 9);
    EXPECT_GT(testsupport::countNonWhite(gl.grab()), 500);
    gl.savePng("axis_lines_3d");
}

}  // namespace
