// Cls9::DrawLegend on pixels: the bands of the colour map, black ticks and
// labels where their values lie, the one label of a flat range, graphs that
// have no legend, and a legend unlit and filled whatever the scene left on.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "graph/graph.h"
#include "scene/gltext.h"
#include "state/globals.h"
#include "support/gl_offscreen.h"

namespace {

using testsupport::OffscreenGL;

constexpr int kSide = 400;

class LegendDraw : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        ASSERT_TRUE(gl.valid());
        BuildBitmapFont();
        ASSERT_NE(gBitmapFont, 0u);
        overlay();
    }
    void TearDown() override {
        DeleteFontLists(gBitmapFont);
        resetGlobals();
    }
    // The frame's overlay: 0..100 on both axes, identity model-view; and the
    // state a scene may leave: lit by a green material, wire frame, blending,
    // thick lines.
    void overlay() {
        gl.clearWhite();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 100, 0, 100, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        const GLfloat green[4] = {0, 1, 0, 1};
        glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, green);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glEnable(GL_BLEND);
        glLineWidth(6);
        glShadeModel(GL_FLAT);
    }
    // Pixel at overlay position (x, y).
    QRgb at(const QImage& img, double x, double y) {
        return img.pixel(int(x / 100 * kSide), int((100 - y) / 100 * kSide));
    }
    // Black pixels in the overlay rectangle x0..x1, y0..y1.
    int blackIn(const QImage& img, double x0, double x1, double y0, double y1) {
        int n = 0;
        for (int px = int(x0 / 100 * kSide); px < int(x1 / 100 * kSide); ++px)
            for (int py = int((100 - y1) / 100 * kSide); py < int((100 - y0) / 100 * kSide); ++py) {
                const QRgb c = img.pixel(px, py);
                n += qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60;
            }
        return n;
    }
    static bool close(QRgb c, int r, int g, int b, int tol = 16) {
        return std::abs(qRed(c) - r) <= tol && std::abs(qGreen(c) - g) <= tol && std::abs(qBlue(c) - b) <= tol;
    }
    static std::shared_ptr<Cls9> legendGraph(long kind) {
        auto g = std::make_shared<Cls9>();
        g->GraphType = kind;
        g->FillStyle = 5;
        g->ColorName = "Rainbow";
        return g;
    }
    OffscreenGL gl{kSide, kSide};
};

TEST_F(LegendDraw, RainbowBandsAndLabelsUnlitAndFilled) {
    struct Case {
        const char* name;
        std::function<void(Cls9&)> set;
        double low, high;  // the scene's vertical range handed in
    };
    const Case cases[] = {
        {"legend_surface", [](Cls9& g) { g.GraphBox.MinY = 0; }, -50, 100},
        {"legend_volume", [](Cls9& g) { g.MinW = 0, g.MaxW = 100; }, 0, 1},
        // With a floor overlay the bar starts 3 scene units above the scene's bottom.
        {"legend_floor", [](Cls9& g) { g.ShowColormap = true, g.GraphBox.MinY = -99; }, -6, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        overlay();
        gSceneScaleY = 2;
        auto g = legendGraph(std::string(c.name) == "legend_volume" ? 43 : 6);
        c.set(*g);
        g->DrawLegend(0, 1, 0, 1, c.low, c.high, c.low, c.high, 0, 1);
        const QImage img = gl.grab();
        gl.savePng(c.name);
        // Five bands, each stop's colour at its edge: y 30, 38, 46, 54, 62, 70.
        EXPECT_TRUE(close(at(img, 83.5, 30.6), 153, 102, 255));
        EXPECT_TRUE(close(at(img, 83.5, 38.0), 0, 0, 255));
        EXPECT_TRUE(close(at(img, 83.5, 46.0), 0, 255, 0));
        EXPECT_TRUE(close(at(img, 83.5, 54.0), 255, 255, 0));
        EXPECT_TRUE(close(at(img, 83.5, 62.0), 255, 102, 0));
        EXPECT_TRUE(close(at(img, 83.5, 69.4), 255, 0, 0));
        // Labels 0, 20 .. 100 in black beside the bar at their heights, nothing between.
        for (double y = 30; y <= 70; y += 8) EXPECT_GT(blackIn(img, 86, 96, y, y + 3), 4) << y;
        EXPECT_EQ(blackIn(img, 86, 96, 34.5, 37.5), 0);
        // Thin black ticks and frame.
        EXPECT_GT(blackIn(img, 82, 82.5, 45.5, 46.5), 0);
        EXPECT_EQ(blackIn(img, 83, 84, 40, 44), 0);
        // What the scene had set is back.
        GLint mode[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, mode);
        EXPECT_EQ(mode[0], GL_LINE);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        GLint shade = 0;
        glGetIntegerv(GL_SHADE_MODEL, &shade);
        EXPECT_EQ(shade, GL_SMOOTH);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
}

TEST_F(LegendDraw, FlatRangeShowsOneLabelHalfway) {
    auto g = legendGraph(6);
    g->GraphBox.MinY = 5;
    g->DrawLegend(0, 1, 0, 1, 5, 5, 5, 5, 0, 1);
    const QImage img = gl.grab();
    gl.savePng("legend_flat");
    EXPECT_GT(blackIn(img, 86, 96, 50, 53), 4);
    EXPECT_EQ(blackIn(img, 86, 96, 30, 48), 0);
    EXPECT_EQ(blackIn(img, 86, 96, 55, 72), 0);
    // One colour, the one a flat surface shows: the map's start.
    EXPECT_TRUE(close(at(img, 83.5, 31), 153, 102, 255));
    EXPECT_TRUE(close(at(img, 83.5, 69), 153, 102, 255));
    // A constant 4-D value: the blue of a zero range.
    overlay();
    auto v = legendGraph(43);
    v->MinW = v->MaxW = 2.5;
    v->DrawLegend(0, 1, 0, 1, 0, 1, 0, 1, 0, 1);
    const QImage vol = gl.grab();
    EXPECT_TRUE(close(at(vol, 83.5, 60), 0, 0, 255));
    EXPECT_GT(blackIn(vol, 86, 96, 50, 53), 4);
}

TEST_F(LegendDraw, OnlyColourMappedSurfacesAndVolumesHaveOne) {
    for (const auto& [kind, fill] : {std::pair{6L, 4L}, std::pair{43L, 4L}, std::pair{4L, 5L}, std::pair{0L, 5L}}) {
        overlay();
        auto g = legendGraph(kind);
        g->FillStyle = fill;
        g->MaxW = 1;
        g->DrawLegend(0, 1, 0, 1, 0, 1, 0, 1, 0, 1);
        EXPECT_EQ(testsupport::countNonWhite(gl.grab()), 0) << kind << "/" << fill;
    }
}

}  // namespace
