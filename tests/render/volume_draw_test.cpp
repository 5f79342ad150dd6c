// A 4-D graph drawn on pixels (front view, scene scale 1, centre 0): slice
// colours where the field puts them, isosurfaces in their levels' colours, the
// drawing state a slice leaves behind, and bad input that must not stop the
// drawing.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "state/globals.h"
#include "graph/graph.h"
#include "render/colormap.h"
#include "render/pixel_probe.h"
#include "support/gl_offscreen.h"

using testsupport::OffscreenGL;

namespace {

using namespace pixelprobe;
using Field = std::function<double(double, double, double)>;

// A 4-D graph of steps intervals per axis over data x in x0..x1 and data y, z
// in -0.9..0.9, values from f, no slice, no level, no data point.
std::shared_ptr<Cls9> volume(long steps, double x0, double x1, const Field& f) {
    auto g = std::make_shared<Cls9>();
    g->GraphType = 43;
    g->ColorName = "Rainbow";
    g->FillStyle = 5;
    g->Material = 1;
    g->StepU = g->StepV = g->StepH = steps;
    for (long i = 0; i <= steps; ++i)
        for (long j = 0; j <= steps; ++j)
            for (long k = 0; k <= steps; ++k) {
                const double x = x0 + (x1 - x0) * i / steps, y = -0.9 + 1.8 * j / steps, z = -0.9 + 1.8 * k / steps;
                g->Reg4DX(i, j, k) = x;
                g->Reg4DY(i, j, k) = y;
                g->Reg4DZ(i, j, k) = z;
                g->Reg4DV(i, j, k) = f(x, y, z);
            }
    return g;
}

void addSlice(Cls9& g, char family, double position, long nodes) {
    long& count = family == 'Z' ? g.Slice4NumZ : family == 'X' ? g.Slice4NumX : g.Slice4NumY;
    const long s = ++count;
    (family == 'Z' ? g.Slice4Z : family == 'X' ? g.Slice4X : g.Slice4Y)(s) = position;
    auto& b1 = family == 'Z' ? g.Slice4XYXB : family == 'X' ? g.Slice4YZYB : g.Slice4ZXXB;
    auto& e1 = family == 'Z' ? g.Slice4XYXE : family == 'X' ? g.Slice4YZYE : g.Slice4ZXXE;
    auto& b2 = family == 'Z' ? g.Slice4XYYB : family == 'X' ? g.Slice4YZZB : g.Slice4ZXZB;
    auto& e2 = family == 'Z' ? g.Slice4XYYE : family == 'X' ? g.Slice4YZZE : g.Slice4ZXZE;
    b1(s) = b2(s) = 1;
    e1(s) = e2(s) = nodes;
    (family == 'Z' ? g.SliceZShowColor : family == 'X' ? g.SliceXShowColor : g.SliceYShowColor)(s) = true;
}

bool nearRgb(const QImage& img, double sx, double sy, const Rgb& c) {
    return near(img, sx, sy, static_cast<int>(c.r * 255), static_cast<int>(c.g * 255), static_cast<int>(c.b * 255));
}

class VolumeDraw : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        gPlotKind = 11;
        ASSERT_TRUE(gl.valid());
        gl.clearWhite();
        glDisable(GL_LIGHTING);
    }
    void TearDown() override { resetGlobals(); }
    OffscreenGL gl{kSide, kSide};
};

TEST_F(VolumeDraw, SliceColoursWhereTheFieldPutsThem) {
    // An X slice faces the viewer: scene X is data y, scene Y is data z.
    // Value y + z over -1.8..1.8; the Z and Y slices are seen edge-on.
    auto g = volume(10, -0.9, 0.9, [](double, double y, double z) { return y + z; });
    for (char f : {'Z', 'X', 'Y'}) addSlice(*g, f, 0.0, 11);
    g->Draw();
    const QImage img = gl.grab();
    gl.savePng("volume_draw_slices");
    ColorStopTable rainbow;
    SetColorMap(rainbow, "Rainbow", PresetNames::Graph);
    for (double sx : {-0.7, -0.3, 0.25, 0.65})
        for (double sy : {-0.65, -0.2, 0.35, 0.75})
            EXPECT_TRUE(nearRgb(img, sx, sy, LookupColor(rainbow, sx + sy, -1.8, 3.6))) << sx << ", " << sy;
}

TEST_F(VolumeDraw, ContourLinesWhereTheFieldCrossesTheirLevels) {
    // The X slice facing the viewer with value y + z and lines every 1 in
    // black: the levels -1, 0 and 1 are the diagonals y + z = -1, 0, 1.
    auto g = volume(10, -0.9, 0.9, [](double, double y, double z) { return y + z; });
    addSlice(*g, 'X', 0.0, 11);
    g->SliceXShowCont(1) = true;
    g->SliceXContLevels(1) = 1;
    g->SliceXContColor(1) = 0;
    g->LineWidth = 2;
    g->Draw();
    EXPECT_EQ(gContourSliceAxis, 2);
    const QImage img = gl.grab();
    gl.savePng("volume_draw_contours");
    for (double sx : {-0.6, -0.1, 0.45}) EXPECT_TRUE(near(img, sx, -sx, 0, 0, 0)) << sx;  // level 0
    for (double sx : {0.2, 0.5}) {
        EXPECT_TRUE(near(img, sx, 1 - sx, 0, 0, 0)) << sx;     // level 1
        EXPECT_FALSE(near(img, sx, 0.5 - sx, 0, 0, 0)) << sx;  // halfway between levels
    }
    // The lines leave lighting as they found it.
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(VolumeDraw, SlicesRestoreTheLightingForWhatFollows) {
    // With the light off a Z slice must not leave lighting on: the data point
    // drawn after it stays green, and later drawing finds the state it had.
    auto g = volume(4, -0.9, 0.9, [](double x, double, double) { return x; });
    addSlice(*g, 'Z', -0.45, 5);
    addSlice(*g, 'X', 0.45, 5);
    g->SliceXShowColor(1) = false;
    g->ShowIrregData = true;
    g->SetPntNum(2);
    for (long t = 0; t < 2; ++t) g->PntX(t) = 0.8, g->PntY(t) = -0.5, g->PntZ(t) = 0.5, g->PntV(t) = 1;
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    g->Draw();
    glEndList();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    gl.clearWhite();
    glDisable(GL_LIGHTING);
    glCallList(list);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_LINE);
    const QImage img = gl.grab();
    gl.savePng("volume_draw_light_off");
    EXPECT_TRUE(near(img, -0.5, 0.5, 0, 255, 0));
    glDeleteLists(list, 1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(VolumeDraw, IsosurfacesInTheirLevelsColours) {
    // A thin slab in data x with value y + 10 x: level -1 runs through its
    // left half, level 1 through its right half, both almost facing the viewer.
    auto g = volume(10, -0.1, 0.1, [](double x, double y, double) { return y + 10 * x; });
    g->IsoSurfaceNum = 2;
    g->IsoSurValue(1) = -1;
    g->IsoSurValue(2) = 1;
    g->ColorName = "";
    g->Draw();
    const QImage img = gl.grab();
    gl.savePng("volume_draw_isosurfaces");
    EXPECT_EQ(g->ColorName, "Rainbow");
    ColorStopTable rainbow;
    SetColorMap(rainbow, "Rainbow", PresetNames::Graph);
    const Rgb left = LookupColor(rainbow, -1, -1.9, 3.8), right = LookupColor(rainbow, 1, -1.9, 3.8);
    for (double sy : {-0.6, 0.0, 0.6}) {
        EXPECT_TRUE(nearRgb(img, -0.45, sy, left)) << sy;
        EXPECT_TRUE(nearRgb(img, 0.45, sy, right)) << sy;
    }
}

TEST_F(VolumeDraw, BadInputNeitherThrowsNorLeavesAnOpenBegin) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        std::function<void(Cls9&)> spoil;
    };
    const Case cases[] = {
        {"60 slices", [](Cls9& g) { g.Slice4NumZ = 60; }},
        {"150 levels", [](Cls9& g) { g.IsoSurfaceNum = 150; }},
        {"positions anywhere", [&](Cls9& g) { g.Slice4Z(1) = nan, g.Slice4X(1) = 1e300, g.Slice4Y(1) = -7; }},
        {"ranges anywhere", [](Cls9& g) { g.Slice4XYXB(1) = -5, g.Slice4XYXE(1) = 400, g.Slice4YZZB(1) = 9, g.Slice4YZZE(1) = 2; }},
        {"levels outside the values", [](Cls9& g) { g.IsoSurValue(1) = -50, g.IsoSurValue(2) = 1e308; }},
        {"a flat axis", [](Cls9& g) {
             for (long i = 0; i <= 4; ++i)
                 for (long j = 0; j <= 4; ++j)
                     for (long k = 0; k <= 4; ++k) g.Reg4DZ(i, j, k) = 0.3;
         }},
        {"fill style 4", [](Cls9& g) { g.FillStyle = 4; }},
        {"contour steps of 0 and below", [](Cls9& g) {
             g.SliceZShowCont(1) = g.SliceXShowCont(1) = g.SliceYShowCont(1) = true;
             g.SliceZContLevels(1) = 0, g.SliceXContLevels(1) = -5, g.SliceYContLevels(1) = 0;
         }},
        {"no value anywhere", [&](Cls9& g) {
             for (long i = 0; i <= 4; ++i)
                 for (long j = 0; j <= 4; ++j)
                     for (long k = 0; k <= 4; ++k) g.Reg4DV(i, j, k) = nan;
         }},
        {"steps of 0", [](Cls9& g) { g.StepU = 0; }},
        {"steps of -1", [](Cls9& g) { g.StepU = g.StepV = g.StepH = -1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gl.clearWhite();
        auto g = volume(4, -0.9, 0.9, [](double x, double y, double z) { return x * x + y * y + z * z; });
        for (char f : {'Z', 'X', 'Y'}) addSlice(*g, f, 0.0, 21);
        g->IsoSurfaceNum = 2;
        g->IsoSurValue(1) = 0.3;
        g->IsoSurValue(2) = 0.8;
        g->ShowIrregData = true;
        g->SetPntNum(1);
        g->PntX(0) = 0.5, g->PntY(0) = 0.5, g->PntZ(0) = 0.5, g->PntV(0) = 1;
        c.spoil(*g);
        EXPECT_NO_THROW(g->Draw());
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        // The data point is drawn whatever the grid.
        EXPECT_TRUE(near(gl.grab(), 0.5, 0.5, 0, 255, 0));
    }
}

}  // namespace
