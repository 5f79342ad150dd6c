// A 4-D document in the real main window: one slice per family with contour
// lines and two isosurfaces, with the light on and off. The pixels must show each slice in
// the colours its values give where the field puts them, and each surface in
// its level's colour.
#include <GL/gl.h>
#include <GL/glu.h>

#include <QDir>
#include <array>

#include "render/colormap.h"
#include "scene/camera.h"
#include "scene/light.h"
#include "scene/trackball.h"
#include "support/gl_offscreen.h"
#include "window_fixture.h"
#include "support/pictures.h"

namespace {

class VolumeWindow : public WindowTest {
protected:
    // Data x, y, z in 0..10 on 21 nodes per axis, value x + y + z (0..30):
    // slices at z = 2, x = 2 and y = 2 over the whole grid, isosurfaces at 21
    // and 25 (planes cutting off the corner x = y = z = 10).
    std::shared_ptr<Cls9> addScene() {
        w->mnuFileNew4D();
        auto g = testsupport::makeVolumeGraph(20, 0);
        g->ShowIrregData = false;
        g->ColorName = "Rainbow";
        g->FillStyle = 5;
        g->Material = 4;  // "Metal", as the volume builders give it
        for (long i = 0; i <= 20; ++i)
            for (long j = 0; j <= 20; ++j)
                for (long k = 0; k <= 20; ++k) {
                    g->Reg4DX(i, j, k) = 0.5 * i;
                    g->Reg4DY(i, j, k) = 0.5 * j;
                    g->Reg4DZ(i, j, k) = 0.5 * k;
                    g->Reg4DV(i, j, k) = 0.5 * (i + j + k);
                }
        g->Slice4NumZ = g->Slice4NumX = g->Slice4NumY = 1;
        g->Slice4Z(1) = g->Slice4X(1) = g->Slice4Y(1) = 2;
        for (auto* r : {&g->Slice4XYXB, &g->Slice4XYYB, &g->Slice4YZYB, &g->Slice4YZZB, &g->Slice4ZXXB, &g->Slice4ZXZB})
            (*r)(1) = 1;
        for (auto* r : {&g->Slice4XYXE, &g->Slice4XYYE, &g->Slice4YZYE, &g->Slice4YZZE, &g->Slice4ZXXE, &g->Slice4ZXZE})
            (*r)(1) = 21;
        g->SliceZShowColor(1) = g->SliceXShowColor(1) = g->SliceYShowColor(1) = true;
        // Contour lines every 2 in the builders' grey.
        g->SliceZShowCont(1) = g->SliceXShowCont(1) = g->SliceYShowCont(1) = true;
        g->SliceZContLevels(1) = g->SliceXContLevels(1) = g->SliceYContLevels(1) = 2;
        g->SliceZContColor(1) = g->SliceXContColor(1) = g->SliceYContColor(1) = 0xC0C0C0;
        g->IsoSurfaceNum = 2;
        g->IsoSurValue(1) = 24;
        g->IsoSurValue(2) = 27;
        g->ID = ++gGraphCounter;
        gGraphs->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
        gScene->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
        w->addGraphLine("v=x+y+z");
        w->mnuViewFit_Click();
        return g;
    }

    // Where a data point (x, y, z) lands in the picture, as the frame draws
    // it: the camera's projection, the scene's rotation, the scene transform.
    QPoint pixelOf(double x, double y, double z) {
        w->drawingArea()->makeCurrent();
        gCamera->Projection(0, 0, 0, 0, 1.0);
        Vec4 zAxis{0, 0, 1, 0}, xAxis{1, 0, 0, 0}, yAxis{0, 1, 0, 0};
        Quat q1{}, q2{}, q3{};
        const double toRad = 3.1416 / 180.0;
        AxisToQuat(zAxis, gScene->RotRoll * toRad, q1);
        AxisToQuat(xAxis, gScene->RotPitch * toRad, q2);
        MultiplyQuats(q1, q2, q2);
        AxisToQuat(yAxis, gScene->RotYaw * toRad, q3);
        MultiplyQuats(q2, q3, q3);
        RotMatrix m{};
        BuildRotMatrix(m, q3);
        glMultMatrixd(m.data());
        GLdouble model[16], proj[16];
        GLint view[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, proj);
        glGetIntegerv(GL_VIEWPORT, view);
        GLdouble wx = 0, wy = 0, wz = 0;
        gluProject(y / gSceneScaleX - gSceneCenterX, z / gSceneScaleY - gSceneCenterY, x / gSceneScaleZ - gSceneCenterZ,
                   model, proj, view, &wx, &wy, &wz);
        w->drawingArea()->doneCurrent();
        const double ratio = w->drawingArea()->devicePixelRatioF();
        return {static_cast<int>(wx / ratio), static_cast<int>((view[3] - wy) / ratio)};
    }

    // Whether a pixel within two of p has (about) the colour.
    static bool near(const QImage& img, QPoint p, const Rgb& c, int tol) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const QRgb px = img.pixel(p.x() + dx, p.y() + dy);
                if (std::abs(qRed(px) - c.r * 255) < tol && std::abs(qGreen(px) - c.g * 255) < tol &&
                    std::abs(qBlue(px) - c.b * 255) < tol)
                    return true;
            }
        return false;
    }

    static Rgb colourOf(double v) {
        ColorStopTable rainbow;
        SetColorMap(rainbow, "Rainbow", PresetNames::Graph);
        return LookupColor(rainbow, v, 0, 30);
    }
};

// Whether a lit pixel keeps the order of the colour's channels (which of red,
// green and blue is stronger), as shading by a white light does.
bool sameChannelOrder(QRgb px, const Rgb& c) {
    const double want[3] = {c.r * 255, c.g * 255, c.b * 255};
    const int got[3] = {qRed(px), qGreen(px), qBlue(px)};
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b)
            if (std::abs(want[a] - want[b]) > 60 && (want[a] > want[b]) != (got[a] > got[b])) return false;
    return true;
}

TEST_F(VolumeWindow, SlicesAndIsosurfacesWithTheLightOnAndOff) {
    addScene();
    ASSERT_EQ(gPlotKind, 11);
    const QImage lit = picture();
    savePicture(lit, "volume_window_lit");
    savePicture(w->grab().toImage(), "volume_window_main");
    gLight->Enabled = false;
    w->DrawScene();
    w->Display(gAnimStep);
    const QImage unlit = picture();
    savePicture(unlit, "volume_window_unlit");

    // Points in view on each slice (the X slice at x = 2, the Y slice at
    // y = 2, the Z slice at z = 2) and on each surface (x + y + z = 24, 27).
    struct Probe {
        const char* what;
        double x, y, z;
    };
    const Probe probes[] = {
        {"X slice, high", 2, 9, 8},   {"X slice, low", 2, 9, 2.5},  {"Y slice, high", 9, 2, 8},
        {"Y slice, low", 9, 2, 2.5},  {"Z slice, far", 9, 8, 2},    {"Z slice, left", 8, 3, 2},
        {"Z slice, right", 3, 8, 2},  {"surface 27", 9, 9, 9},      {"surface 24", 9.5, 9.5, 5},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.what);
        const QPoint at = pixelOf(p.x, p.y, p.z);
        const Rgb want = colourOf(p.x + p.y + p.z);
        // Unlit, the colour map's colour itself.
        EXPECT_TRUE(near(unlit, at, want, 40)) << at.x() << ", " << at.y();
        // Lit, the shading changes the shade but not the kind of colour.
        EXPECT_TRUE(sameChannelOrder(lit.pixel(at), want)) << at.x() << ", " << at.y();
    }
}

}  // namespace
