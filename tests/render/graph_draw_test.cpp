// Cls9::Draw on pixels: a 2-D curve and its markers where the data say, the
// break at a sample without a value, the state the curve leaves, the 4-D data
// points, and the shared steps every kind runs.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <initializer_list>
#include <memory>
#include <utility>

#include "state/globals.h"
#include "formula/program.h"
#include "graph/graph.h"
#include "render/pixel_probe.h"
#include "scene/light.h"
#include "support/gl_offscreen.h"
#include "support/sample_graphs.h"

using testsupport::OffscreenGL;

namespace {

using namespace pixelprobe;

class GraphDraw : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        ASSERT_TRUE(gl.valid());
        gl.clearWhite();
        glDisable(GL_LIGHTING);
    }
    void TearDown() override { resetGlobals(); }

    // A curve in scene units (scales 1, centre 0) through the given points.
    std::shared_ptr<Cls9> curve(std::initializer_list<std::pair<double, double>> pts) {
        auto g = std::make_shared<Cls9>();
        g->GraphType = 4;
        g->StepU = 1;
        g->StepV = static_cast<long>(pts.size()) - 1;
        long j = 0;
        for (auto [x, y] : pts) {
            auto p = g->VertTab3D(0, j++);
            p->X = x;
            p->Y = y;
        }
        g->LineColor = 0x0000FF;  // red
        g->LineWidth = 3;
        g->ScatterColor = 0xFF0000;  // blue
        g->Symbol = 3;
        g->ScatterSize = 1;  // squares of half-size 0.07
        return g;
    }
    OffscreenGL gl{kSide, kSide};
};

TEST_F(GraphDraw, CurveLineAndMarkersWhereTheDataSay) {
    gPlotKind = 4;
    auto g = curve({{-0.8, -0.6}, {0.0, 0.6}, {0.8, -0.2}});
    g->Draw();
    const QImage img = gl.grab();
    gl.savePng("graph_draw_curve");
    // Markers on the points.
    EXPECT_TRUE(near(img, -0.8, -0.6, 0, 0, 255));
    EXPECT_TRUE(near(img, 0.0, 0.6, 0, 0, 255));
    EXPECT_TRUE(near(img, 0.8, -0.2, 0, 0, 255));
    // The line between them, in order.
    EXPECT_TRUE(near(img, -0.4, 0.0, 255, 0, 0));
    EXPECT_TRUE(near(img, 0.4, 0.2, 255, 0, 0));
    // Nothing joins the last point back to the first.
    EXPECT_TRUE(isWhite(at(img, 0.0, -0.4)));
    // The marker settings stay on the points.
    EXPECT_EQ(g->VertTab3D(0, 1)->Symbol, 3);
    EXPECT_EQ(g->VertTab3D(0, 1)->Color, 0xFF0000);
}

TEST_F(GraphDraw, CurveInDataUnitsGoesThroughTheSceneTransform) {
    gPlotKind = 4;
    gSceneScaleX = 10;
    gSceneScaleY = 100;
    gSceneCenterX = 0.5;
    gSceneCenterY = -0.2;
    auto g = curve({{10, 0}, {10, 50}});  // scene (0.5, 0.2)..(0.5, 0.7)
    g->Show2DScatter = false;
    g->Draw();
    const QImage img = gl.grab();
    EXPECT_TRUE(near(img, 0.5, 0.45, 255, 0, 0));
    EXPECT_TRUE(isWhite(at(img, 0.5, 0.1)));
    EXPECT_TRUE(isWhite(at(img, 0.5, 0.8)));
}

TEST_F(GraphDraw, UndefinedSampleBreaksTheCurve) {
    gPlotKind = 4;
    auto g = curve({{-0.8, 0.5}, {-0.4, 0.5}, {0.0, formula::UndefinedValue}, {0.4, -0.5}, {0.8, -0.5}});
    g->Draw();
    const QImage img = gl.grab();
    gl.savePng("graph_draw_undefined");
    EXPECT_TRUE(near(img, -0.6, 0.5, 255, 0, 0));   // before the gap
    EXPECT_TRUE(near(img, 0.6, -0.5, 255, 0, 0));   // after it
    EXPECT_TRUE(isWhite(at(img, -0.2, 0.3)));       // no segment into the gap
    EXPECT_TRUE(isWhite(at(img, 0.2, -0.2)));       // nor out of it
    EXPECT_FALSE(near(img, 0.0, formula::UndefinedValue, 0, 0, 255));  // no marker there
}

TEST_F(GraphDraw, LineOnlyMarkersOnlyOrNeither) {
    gPlotKind = 4;
    struct Case {
        bool line, scatter;
        bool redSeen, blueSeen;
    };
    for (const Case c : {Case{true, false, true, false}, Case{false, true, false, true}, Case{false, false, false, false}}) {
        gl.clearWhite();
        glDisable(GL_LIGHTING);
        auto g = curve({{-0.5, 0}, {0.5, 0}});
        g->Show2DLine = c.line;
        g->Show2DScatter = c.scatter;
        g->Draw();
        const QImage img = gl.grab();
        EXPECT_EQ(testsupport::countColor(img, 255, 0, 0) > 20, c.redSeen);
        EXPECT_EQ(testsupport::countColor(img, 0, 0, 255) > 20, c.blueSeen);
        // Lighting goes back on; smoothing and blending off.
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
    }
}

TEST_F(GraphDraw, CurvesAndSurfacesLeaveLightingOffWhileTheLightIsOff) {
    gLight = std::make_shared<Cls10>();
    for (long kind : {4L, 3L}) {
        gPlotKind = kind;
        for (bool on : {true, false}) {
            gLight->Enabled = on;
            glEnable(GL_LIGHTING);
            if (kind == 4) curve({{-0.5, 0}, {0.5, 0}})->Draw();
            else testsupport::makeSurfaceGraph(8)->Draw();
            EXPECT_EQ(glIsEnabled(GL_LIGHTING) == GL_TRUE, on) << kind;
        }
    }
    gLight.reset();
}

TEST_F(GraphDraw, OnePointCurveDrawsOneMarker) {
    gPlotKind = 4;
    auto g = curve({{0.2, 0.3}});
    g->Draw();
    const QImage img = gl.grab();
    EXPECT_TRUE(near(img, 0.2, 0.3, 0, 0, 255));
    EXPECT_EQ(testsupport::countColor(img, 255, 0, 0), 0);
}

TEST_F(GraphDraw, SharedStepsRunForEveryKind) {
    GLint depth0 = 0, depth1 = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth0);
    Cls9 g;
    g.GraphType = 99;
    g.ColorName = "earth";
    g.Material = 5;
    g.Draw();
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth1);
    EXPECT_EQ(depth1, depth0);
    EXPECT_EQ(g.ColorNum, 5);  // EARTH loaded
    EXPECT_EQ(g.ColorB(0), 128);
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    GLint mode = 0;
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &mode);
    EXPECT_EQ(mode, GL_EMISSION);
    EXPECT_DOUBLE_EQ(g.GraphBox.MaxX, -9999999.0);  // the box was refreshed
    EXPECT_EQ(testsupport::countNonWhite(gl.grab()), 0);

    Cls9 h;
    h.ColorName = "@EARTH";  // the drawing entry takes plain names only
    h.Material = 4;
    h.Draw();
    EXPECT_EQ(h.ColorNum, 0);
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &mode);
    EXPECT_EQ(mode, GL_DIFFUSE);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(GraphDraw, ClipPlanesOnlyIn3DDocumentsWithTheClipFlag) {
    Cls9 g;
    g.GraphType = 6;
    g.SetPntNum(2);
    g.PntY(0) = 1;
    g.PntY(1) = 3;
    gClipSurface = true;
    gPlotKind = 4;
    g.Draw();
    EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
    gPlotKind = 3;
    gSceneScaleY = 2;
    g.Draw();
    EXPECT_TRUE(glIsEnabled(GL_CLIP_PLANE0));
    EXPECT_TRUE(glIsEnabled(GL_CLIP_PLANE1));
    GLdouble lower[4], upper[4];
    glGetClipPlane(GL_CLIP_PLANE0, lower);
    glGetClipPlane(GL_CLIP_PLANE1, upper);
    // Model-view is the identity, so the planes read back as given.
    EXPECT_DOUBLE_EQ(lower[1], 1);
    EXPECT_DOUBLE_EQ(lower[3], -0.5);  // keeps y >= 1 / 2
    EXPECT_DOUBLE_EQ(upper[1], -1);
    EXPECT_DOUBLE_EQ(upper[3], 1.5);   // keeps y <= 3 / 2
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CLIP_PLANE1);
}

TEST_F(GraphDraw, FloorOverlayGivesTheRenderersTheSurfacesOwnMinimum) {
    Cls9 g;
    g.GraphType = 6;
    g.StepU = g.StepV = 0;
    g.VertTab3D(0, 0)->Y = 4;
    g.ShowContour = true;
    gSceneScaleY = 2;
    gPlotKind = 3;
    g.Draw();
    EXPECT_DOUBLE_EQ(g.GraphBox.MinY, 4);
    EXPECT_DOUBLE_EQ(g.GraphColorRange.MinC, 4);
}

TEST_F(GraphDraw, VolumeDataPointsAreGreenAndSizedByValue) {
    gPlotKind = 11;
    Cls9 g;
    g.GraphType = 43;
    g.StepU = g.StepV = g.StepH = -1;  // no grid: only the points
    g.ShowIrregData = true;
    g.SetPntNum(3);
    // Data order (x, y, z) goes to scene (Z, X, Y): data y is across.
    const double across[3] = {-0.6, 0.0, 0.6};
    for (long t = 0; t < 3; ++t) {
        g.PntX(t) = 0;
        g.PntY(t) = across[t];
        g.PntZ(t) = 0.1;
        g.PntV(t) = 1 + t;  // sizes 2, 3.5, 5: radius 0.15, 0.225, 0.3
    }
    g.Draw();
    const QImage img = gl.grab();
    gl.savePng("graph_draw_volume_points");
    const double radius[3] = {0.15, 0.225, 0.3};
    for (int t = 0; t < 3; ++t) {
        EXPECT_TRUE(near(img, across[t] + radius[t] - 0.02, 0.1, 0, 255, 0)) << t;
        EXPECT_TRUE(isWhite(at(img, across[t], 0.1 + radius[t] + 0.03))) << t;
    }
    // Equal values do not divide by zero: every point gets the smallest size.
    for (long t = 0; t < 3; ++t) g.PntV(t) = 7;
    gl.clearWhite();
    glDisable(GL_LIGHTING);
    g.Draw();
    const QImage same = gl.grab();
    EXPECT_TRUE(near(same, 0.6 + 0.13, 0.1, 0, 255, 0));
    EXPECT_TRUE(isWhite(at(same, 0.6 + 0.18, 0.1)));
}

}  // namespace
