// The 2-D axes on pixels: grid lines at the tick values, the rectangle and
// its numbers, the background layouts, the state left behind and bad input.
#include <GL/gl.h>

#include <array>
#include <functional>
#include <memory>

#include "axis_draw_fixture.h"
#include "scene/background_layout.h"
#include "scene/light.h"

namespace {

// Data x 0..10 and y -1..1 as the scene box of a fitted curve gives them:
// box X -0.5..10.5, Y -1.1..1.1, scales 1 and 0.2, centre (5, 0, 0).
class AxisDraw2D : public AxisDrawFixture {
protected:
    void SetUp() override {
        AxisDrawFixture::SetUp();
        gPlotKind = 4;
        gSceneScaleX = 1;
        gSceneScaleY = 0.2;
        gSceneScaleZ = 1;
        gSceneCenterX = 5;
        view(8);
    }
    static constexpr double kMinX = -0.5, kMaxX = 10.5, kMinY = -1.1, kMaxY = 1.1;
    void background() { axis.DrawBackground(kMinX, kMaxX, kMinY, kMaxY, 0, 0); }
    void grid() { axis.Draw2DGrid(kMinX, kMaxX, kMinY, kMaxY, 0, 0); }
    void frame() { axis.Draw(2, kMinX, kMaxX, kMinY, kMaxY, 0, 0); }
    Cls3 axis;
};

TEST_F(AxisDraw2D, GridLinesAtTheTickValues) {
    axis.ShowprimaryGrid = true;
    grid();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    const QImage img = gl.grab();
    // Vertical lines at x = 0, 2, ..., 10 (scene -5 .. 5), none at 12.
    for (double x : {-5.0, -3.0, -1.0, 1.0, 3.0, 5.0}) EXPECT_TRUE(near(at(img, x, 1.25), 0, 255, 0, 30)) << x;
    for (double x : {-4.0, 0.0, 4.0}) EXPECT_TRUE(near(at(img, x, 1.25), 255, 255, 255, 0)) << x;
    // Horizontal lines at y = -1, -0.5, 0, 0.5, 1 (scene -5 .. 5 in steps of 2.5).
    for (double y : {-5.0, -2.5, 0.0, 2.5, 5.0}) EXPECT_TRUE(near(at(img, -4, y), 0, 255, 0, 30)) << y;
    EXPECT_TRUE(near(at(img, -4, 1.25), 255, 255, 255, 0));
}

TEST_F(AxisDraw2D, HiddenGridStillTurnsLightingOff) {
    glEnable(GL_LIGHTING);
    grid();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(testsupport::countNonWhite(gl.grab()), 0);
    GLfloat c[4];
    glGetFloatv(GL_CURRENT_COLOR, c);
    EXPECT_FLOAT_EQ(c[1], 1.0f);  // the grid colour is set all the same
}

TEST_F(AxisDraw2D, FrameWithTicksNumbersAndTitles) {
    axis.Show = true;
    axis.AxisColor = 0x0000FF;  // red
    axis.AxisWidth = 3;
    frame();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    const QImage img = gl.grab();
    EXPECT_TRUE(near(at(img, -5.5, 0.5), 255, 0, 0, 40));   // left side
    EXPECT_TRUE(near(at(img, 5.5, 0.5), 255, 0, 0, 40));    // right side
    EXPECT_TRUE(near(at(img, 0.5, 5.5), 255, 0, 0, 40));    // top
    EXPECT_TRUE(near(at(img, 0.5, 0.5), 255, 255, 255, 0)); // inside
    // Black ticks under the bottom edge at x = 0 and 2 and numbers below them.
    EXPECT_TRUE(near(at(img, -5, -5.62), 0, 0, 0, 90));
    EXPECT_TRUE(near(at(img, -3, -5.62), 0, 0, 0, 90));
    EXPECT_GT(countIn(img, -6, -6.4, 6, -5.9, 0, 0, 0, 100), 40);    // horizontal numbers
    EXPECT_GT(countIn(img, -7.5, -5.5, -5.8, 5.5, 0, 0, 0, 100), 40); // vertical numbers
    EXPECT_GT(countIn(img, -1, -7.4, 1, -6.8, 0, 0, 0, 100), 5);     // title "X"
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    gl.savePng("axis_frame_2d");
}

TEST_F(AxisDraw2D, BackgroundLayouts) {
    // C1 red, C2 blue, MID their mean.
    axis.ShowBackground = true;
    axis.BackColor = 0x0000FF;
    axis.BackColor2 = 0xFF0000;
    enum { R, B, M };
    const std::array<std::array<int, 3>, 3> rgb{{{255, 0, 0}, {0, 0, 255}, {128, 0, 128}}};
    struct Case { long style; int bl, br, tl, tr, centre; };
    const Case cases[] = {
        {1, R, R, R, R, R},  {2, R, R, B, B, M},  {3, B, B, R, R, M},  {6, B, R, B, R, M},
        {7, R, B, R, B, M},  {10, M, R, B, M, M}, {11, M, B, R, M, M}, {12, R, B, B, R, R},
        {13, B, R, R, B, B}, {14, R, M, M, B, M}, {15, B, M, M, R, M}, {16, B, R, R, B, R},
        {17, R, B, B, R, B}, {18, R, R, R, R, B}, {19, B, B, B, B, R},
        // two quads: outer edges and the middle line
        {5, R, R, R, R, B},  {4, B, B, B, B, R},  {9, R, R, R, R, B},  {8, B, B, B, B, R},
    };
    // Sample points just inside the corners and at the centre (scene units).
    const double l = -5.3, r = 5.3, b = -5.3, t = 5.3;
    for (const Case& c : cases) {
        gl.clearWhite();
        view(8);
        axis.BackStyle = c.style;
        background();
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        const QImage img = gl.grab();
        SCOPED_TRACE(testing::Message() << "style " << c.style);
        const auto expect = [&](double x, double y, int which) {
            const auto& e = rgb[static_cast<size_t>(which)];
            EXPECT_TRUE(near(at(img, x, y), e[0], e[1], e[2], 30)) << x << "," << y;
        };
        expect(l, b, c.bl);
        expect(r, b, c.br);
        expect(l, t, c.tl);
        expect(r, t, c.tr);
        expect(0.2, 0.2, c.centre);
        EXPECT_TRUE(near(at(img, -5.5, 0.7), 0, 0, 0, 60));  // black border
    }
    // Hidden: nothing at all, not even the border.
    gl.clearWhite();
    view(8);
    axis.ShowBackground = false;
    background();
    EXPECT_EQ(testsupport::countNonWhite(gl.grab()), 0);
}

TEST_F(AxisDraw2D, EveryStyleShadesAsItsLayoutSays) {
    // The colours the dialog's thumbnails take from the layout table are the
    // ones the drawing gives, all over the plot area.
    axis.ShowBackground = true;
    axis.BackColor = 0x3050C0;   // RGB(192, 80, 48)
    axis.BackColor2 = 0xF0E020;  // RGB(32, 224, 240)
    const Rgb c1 = SplitColor(axis.BackColor), c2 = SplitColor(axis.BackColor2);
    for (long style = 1; style <= 19; ++style) {
        gl.clearWhite();
        view(8);
        axis.BackStyle = style;
        background();
        const QImage img = gl.grab();
        // The plot area is scene -5.5..5.5 both ways; sample inside the border.
        for (int i = 1; i <= 9; ++i)
            for (int j = 1; j <= 9; ++j) {
                const double u = i / 10.0 - 0.013, v = j / 10.0 + 0.017;  // off the triangle edges
                const Rgb e = background::ColorAt(style, c1, c2, u, v, {1, 1, 1});
                const QRgb p = at(img, -5.5 + 11 * u, -5.5 + 11 * v);
                EXPECT_TRUE(near(p, int(e.r * 255 + 0.5), int(e.g * 255 + 0.5), int(e.b * 255 + 0.5), 4))
                    << "style " << style << " at " << u << "," << v << ": " << qRed(p) << " " << qGreen(p) << " "
                    << qBlue(p) << " for " << e.r * 255 << " " << e.g * 255 << " " << e.b * 255;
            }
    }
}

TEST_F(AxisDraw2D, LightingStaysOffWhileTheLightIsOff) {
    // Every unlit part of the frames turns lighting back on only for a lit scene.
    struct Case {
        const char* what;
        long kind, style;
        std::function<void()> draw;
    };
    const std::vector<Case> cases = {
        {"2-D frame", 4, 1, [this] { frame(); }},
        {"2-D background", 4, 1, [this] { background(); }},
        {"3-D panels", 3, 1, [this] { axis.Draw(2, 0, 10, 0, 10, 0, 10); }},
        {"3-D axis lines", 3, 2, [this] { axis.Draw(2, 0, 10, 0, 10, 0, 10); }},
    };
    gLight = std::make_shared<Cls10>();
    axis.Show = axis.ShowBackground = axis.ShowXYPanel = true;
    for (const Case& c : cases) {
        for (bool on : {true, false}) {
            gPlotKind = c.kind;
            axis.AxisStyle = c.style;
            gLight->Enabled = on;
            glEnable(GL_LIGHTING);
            c.draw();
            EXPECT_EQ(glIsEnabled(GL_LIGHTING) == GL_TRUE, on) << c.what;
        }
    }
    gLight.reset();
}

TEST_F(AxisDraw2D, CreationColoursGreenAtTheBottomWhiteAtTheTop) {
    axis.ShowBackground = true;
    background();
    const QImage img = gl.grab();
    EXPECT_TRUE(near(at(img, 0, -5.3), 0, 255, 0, 30));
    EXPECT_TRUE(near(at(img, 0, 5.3), 255, 255, 255, 30));
}

TEST_F(AxisDraw2D, FlatAndEmptyRangesStillDraw) {
    // An all-zero column (x 0..0), a reversed box, and an empty range at 0.
    struct Case { double minX, maxX, minY, maxY; };
    const Case cases[] = {{0, 0, -1.1, 1.1}, {10.5, -0.5, -1.1, 1.1}, {0, 0, 0, 0}, {-0.5, 10.5, 2.5, 2.5}};
    axis.Show = true;
    axis.ShowprimaryGrid = true;
    axis.ShowBackground = true;
    for (const Case& c : cases) {
        gl.clearWhite();
        view(8);
        axis.DrawBackground(c.minX, c.maxX, c.minY, c.maxY, 0, 0);
        axis.Draw2DGrid(c.minX, c.maxX, c.minY, c.maxY, 0, 0);
        axis.Draw(2, c.minX, c.maxX, c.minY, c.maxY, 0, 0);
        SCOPED_TRACE(testing::Message() << c.minX << ".." << c.maxX << " x " << c.minY << ".." << c.maxY);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        EXPECT_GT(testsupport::countNonWhite(gl.grab()), 0);
    }
}

TEST_F(AxisDraw2D, PictureOfThe2DAxes) {
    axis.Show = true;
    axis.ShowBackground = true;
    axis.ShowprimaryGrid = true;
    axis.PriGridColor = 0xC0C0C0;
    axis.BackStyle = 2;
    axis.BackColor = 0xFFE0C0;
    axis.TitleX = "time";
    axis.TitleY = "value";
    background();
    grid();
    frame();
    EXPECT_GT(testsupport::countNonWhite(gl.grab()), 10000);
    gl.savePng("axes_2d_background_grid");
}

}  // namespace
