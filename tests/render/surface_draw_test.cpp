// The surface renderer on pixels, one table of styles with a picture each:
// polygon modes, shading, fill styles, textures, translucency, holes, the
// floor colour map and contours; then bad input that must draw what it can.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "formula/program.h"
#include "graph/graph.h"
#include "render/colormap.h"
#include "render/floor_contour.h"
#include "render/pixel_probe.h"
#include "state/globals.h"
#include "support/gl_offscreen.h"

namespace {

using namespace pixelprobe;
using testsupport::OffscreenGL;

// 8 x 8 cells over X, Z in -0.8..0.8 in scene units (X along the second
// index, Z along the first), height (X + 1) 0.4: 0.08 on the left to 0.72 on
// the right; Reg3DC holds the heights.
std::shared_ptr<Cls9> plate(const std::function<double(double, double)>& height = [](double x, double) {
    return (x + 1) * 0.4;
}) {
    auto g = std::make_shared<Cls9>();
    g->GraphType = 6;
    g->StepU = g->StepV = 8;
    for (long i = 0; i <= 8; ++i)
        for (long j = 0; j <= 8; ++j) {
            auto p = g->VertTab3D(i, j);
            p->X = -0.8 + 0.2 * j;
            p->Z = -0.8 + 0.2 * i;
            p->Y = height(p->X, p->Z);
            g->Reg3DC(i, j) = p->Y;
        }
    g->FillStyle = 5;
    g->ColorName = "Rainbow";
    g->Material = 1;
    g->SecondColor = 0x00FF00;
    return g;
}

// Screen position of scene (X, Z) seen from above.
double sx(double X) { return X; }
double sy(double Z) { return -Z; }
// Centre of cell (i, j) on the screen.
double cellX(long j) { return -0.7 + 0.2 * j; }
double cellY(long i) { return 0.7 - 0.2 * i; }

QRgb rgbOf(const Rgb& c) {
    return qRgb(int(std::lround(c.r * 255)), int(std::lround(c.g * 255)), int(std::lround(c.b * 255)));
}
bool close(QRgb a, QRgb b, int tol = 6) {
    return std::abs(qRed(a) - qRed(b)) <= tol && std::abs(qGreen(a) - qGreen(b)) <= tol &&
           std::abs(qBlue(a) - qBlue(b)) <= tol;
}
// The largest channel difference between the pixels on a cell's inner diagonal.
int spreadInCell(const QImage& img, long i, long j) {
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    for (double f = -0.07; f <= 0.07; f += 0.02) {
        const QRgb p = at(img, cellX(j) + f, cellY(i) + f);
        const int c[3] = {qRed(p), qGreen(p), qBlue(p)};
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], c[k]), hi[k] = std::max(hi[k], c[k]);
    }
    return std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
}

// Whether any pixel within two of the position is not white.
bool markedNear(const QImage& img, double x, double y) {
    const QPoint p0 = pixelOf(x, y);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (!isWhite(img.pixel(p0.x() + dx, p0.y() + dy))) return true;
    return false;
}

// A 64 x 64 picture in four quadrants, as seen: red top left, green top
// right, blue bottom left, yellow bottom right.
std::string quadrants(const QString& dir, const QString& name) {
    QImage img(64, 64, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(0, 0, 32, 32, Qt::red);
    p.fillRect(32, 0, 32, 32, Qt::green);
    p.fillRect(0, 32, 32, 32, Qt::blue);
    p.fillRect(32, 32, 32, 32, Qt::yellow);
    p.end();
    const QString path = dir + "/" + name;
    img.save(path, "BMP");
    return path.toStdString();
}

class SurfaceDraw : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        gPlotKind = 3;
        ASSERT_TRUE(gl.valid());
        fresh();
    }
    void TearDown() override { resetGlobals(); }
    // A white picture seen from above: screen x = X, screen y = -Z, nearer = higher.
    void fresh(QRgb background = qRgb(255, 255, 255)) {
        gl.clearWhite();
        glClearColor(qRed(background) / 255.f, qGreen(background) / 255.f, qBlue(background) / 255.f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(1, 1, 1, 1);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -5, 5);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotated(90, 1, 0, 0);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glShadeModel(GL_SMOOTH);
        glDisable(GL_TEXTURE_2D);
    }
    void light() {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        const GLfloat pos[4] = {0.6f, 1.0f, 0.2f, 0.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, pos);
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    }
    // The colour of the map at node height h of the plate (range 0.08 .. 0.72).
    Rgb mapColor(double h) {
        Cls9 g;
        g.ColorName = "Rainbow";
        return MapGraphValueToColor(g, h, 0.08, 0.64);
    }
    OffscreenGL gl{kSide, kSide};
    QTemporaryDir dir;
};

TEST_F(SurfaceDraw, TableOfStyles) {
    struct Style {
        const char* name;
        std::function<void(Cls9&)> set;
        std::function<void(const QImage&)> check;
        std::function<void()> before = [] {};
    };
    const std::string image = quadrants(dir.path(), "quadrants.bmp");
    const std::vector<Style> styles = {
        {"show1_points", [](Cls9& g) { g.Show = 1; },
         [](const QImage& img) {
             EXPECT_TRUE(markedNear(img, sx(-0.4), sy(0.0)));  // a node
             EXPECT_TRUE(isWhite(at(img, cellX(3), cellY(3))));  // inside a cell
         }},
        {"show2_lines", [](Cls9& g) { g.Show = 2; },
         [](const QImage& img) {
             EXPECT_TRUE(markedNear(img, sx(-0.4), cellY(3)));  // on an edge
             EXPECT_TRUE(isWhite(at(img, cellX(3), cellY(3))));
         }},
        {"show3_filled", [](Cls9& g) { g.Show = 3; },
         [](const QImage& img) {
             EXPECT_FALSE(isWhite(at(img, cellX(3), cellY(3))));
             EXPECT_TRUE(isWhite(at(img, 0.9, 0.9)));  // outside the plate
         }},
        {"smooth1_flat_corner_i_j1", [](Cls9& g) { g.Smoothness = 1; },
         [this](const QImage& img) {
             // Every cell in the colour of its corner (i, j + 1), the quad's last vertex.
             for (long j : {1, 4, 6}) {
                 const QRgb want = rgbOf(mapColor((-0.8 + 0.2 * (j + 1) + 1) * 0.4));
                 for (double f : {-0.08, 0.0, 0.08})
                     EXPECT_TRUE(close(at(img, cellX(j) + f, cellY(2)), want)) << "cell column " << j;
             }
         }},
        {"smooth2_blends_colours", [](Cls9& g) { g.Smoothness = 2; },
         [](const QImage& img) { EXPECT_GT(spreadInCell(img, 2, 3), 20); }},
        {"fill4_one_colour", [](Cls9& g) { g.FillStyle = 4; },
         [](const QImage& img) {
             EXPECT_TRUE(close(at(img, cellX(0), cellY(0)), qRgb(0, 255, 0)));
             EXPECT_TRUE(close(at(img, cellX(7), cellY(7)), qRgb(0, 255, 0)));
         }},
        {"fill5_colour_map", [](Cls9& g) { g.FillStyle = 5; },
         [this](const QImage& img) {
             // The lowest height takes the first stop, the highest the last.
             EXPECT_TRUE(close(at(img, -0.795, cellY(4)), rgbOf(mapColor(0.08)), 12));
             EXPECT_TRUE(close(at(img, 0.795, cellY(4)), qRgb(255, 0, 0), 12));
         }},
        {"texture_overlap", [&](Cls9& g) { g.ShowTex = true, g.TexName = image, g.TexMode = 1; },
         [](const QImage& img) {
             // Texture coordinate (1, 1) at node (0, 0): the picture turned and mirrored.
             EXPECT_TRUE(close(at(img, -0.5, 0.5), qRgb(0, 255, 0), 30));    // node (0, 0) side: its top right
             EXPECT_TRUE(close(at(img, 0.5, 0.5), qRgb(255, 255, 0), 30));   // node (0, V): bottom right
             EXPECT_TRUE(close(at(img, -0.5, -0.5), qRgb(255, 0, 0), 30));  // node (U, 0): top left
             EXPECT_TRUE(close(at(img, 0.5, -0.5), qRgb(0, 0, 255), 30));   // node (U, V): bottom left
         }},
        {"texture_blend", [&](Cls9& g) { g.ShowTex = true, g.TexName = image, g.TexMode = 2, g.FillStyle = 4; },
         [](const QImage& img) {
             // The picture tinted by the green of the corners: green stays, red goes black.
             EXPECT_TRUE(close(at(img, -0.5, 0.5), qRgb(0, 255, 0), 30));
             EXPECT_TRUE(close(at(img, -0.5, -0.5), qRgb(0, 0, 0), 30));
         }},
        {"alpha_half_over_red",
         [](Cls9& g) { g.FillStyle = 4, g.SecondColor = 0xFF0000, g.ShowTrans = true, g.TransAlpha = 0.5; },
         [](const QImage& img) {
             EXPECT_TRUE(close(at(img, cellX(4), cellY(4)), qRgb(128, 0, 127), 3));
             EXPECT_TRUE(close(at(img, 0.9, 0.9), qRgb(255, 0, 0), 3));
         },
         [this] { fresh(qRgb(255, 0, 0)); }},
        {"hole", [](Cls9& g) { g.VertTab3D(4, 4)->Y = formula::UndefinedValue; },
         [](const QImage& img) {
             for (long i : {3, 4})
                 for (long j : {3, 4}) EXPECT_TRUE(isWhite(at(img, cellX(j), cellY(i)))) << i << "," << j;
             EXPECT_FALSE(isWhite(at(img, cellX(2), cellY(4))));
             EXPECT_FALSE(isWhite(at(img, cellX(5), cellY(3))));
         }},
        {"floor_map",
         [](Cls9& g) {
             g.Smoothness = 0;  // no faces: the floor below shows
             g.ShowColormap = true;
             g.VertTab3D(0, 0)->Z = formula::UndefinedValue;
         },
         [this](const QImage& img) {
             EXPECT_TRUE(close(at(img, -0.795, cellY(4)), rgbOf(mapColor(0.08)), 12));
             EXPECT_TRUE(close(at(img, 0.795, cellY(4)), qRgb(255, 0, 0), 12));
             EXPECT_TRUE(isWhite(at(img, cellX(0), cellY(0))));  // the gap of the undefined node
         }},
        {"floor_contours",
         [](Cls9& g) {
             g.Smoothness = 0;
             g.ShowContour = true;
             g.ShowColormap = true;
             g.FillStyle = 4;
             g.SecondColor = 0xFFFF00;  // a cyan floor
             g.LineWidth = 2;
             g.ContourLevel = 2;
             for (long i = 0; i <= 8; ++i)
                 for (long j = 0; j <= 8; ++j) g.Reg3DC(i, j) = 2.0 * j + 1;  // levels every 2: lines mid-cell
         },
         [](const QImage& img) {
             for (long j : {1, 3, 6}) EXPECT_TRUE(near(img, cellX(j), 0.1, 0, 0, 0)) << j;
             EXPECT_TRUE(close(at(img, -0.4, 0.1), qRgb(0, 255, 255), 3));  // the floor between lines
         }},
    };
    for (const Style& style : styles) {
        SCOPED_TRACE(style.name);
        style.before();
        auto g = plate();
        style.set(*g);
        g->Draw();
        const QImage img = gl.grab();
        gl.savePng(std::string("surface_") + style.name);
        style.check(img);
        glFinish();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        fresh();
    }
}

TEST_F(SurfaceDraw, VertexNormalsShadeAcrossCellsFaceNormalsWithin) {
    auto bumps = [](double x, double z) { return 0.3 * std::sin(4 * x) * std::cos(4 * z); };
    for (const long smooth : {2L, 3L}) {
        fresh();
        light();
        auto g = plate(bumps);
        g->FillStyle = 4;
        g->SecondColor = 0xFFFFFF;
        g->Smoothness = smooth;
        g->Draw();
        const QImage img = gl.grab();
        gl.savePng("surface_lit_smooth" + std::to_string(smooth));
        int most = 0;
        for (long i = 1; i < 7; ++i)
            for (long j = 1; j < 7; ++j) most = std::max(most, spreadInCell(img, i, j));
        // One normal per cell lights it evenly; a normal per corner does not.
        if (smooth == 2) {
            EXPECT_LE(most, 2);
        } else {
            EXPECT_GT(most, 10);
        }
    }
}

TEST_F(SurfaceDraw, FloorContoursGetTheGridSpreadOverTheBox) {
    auto g = plate();
    g->ShowContour = true;
    g->ContourLevel = 3;
    g->LineWidth = 2;
    g->ColorName = "Earth";
    gSceneScaleY = 2;
    g->GetBox();
    const auto c = FloorContourArguments(*g);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->m, 9);
    EXPECT_EQ(c->n, 9);
    EXPECT_DOUBLE_EQ(c->dx, 0.2);
    EXPECT_DOUBLE_EQ(c->dy, 0.2);
    EXPECT_DOUBLE_EQ(c->x0, -1.0);
    EXPECT_DOUBLE_EQ(c->y0, -1.0);
    // The box's MinY is the floor margin's: GetBox lowered it by 3 x the scale.
    EXPECT_DOUBLE_EQ(c->Z, g->GraphBox.MinY - 6);
    EXPECT_EQ(c->lngLevel, 3);
    EXPECT_EQ(c->fstFillStyle, 4);
    EXPECT_EQ(c->lngFirstColor, 0);
    EXPECT_EQ(c->lngSecondColor, 0);
    EXPECT_EQ(c->lngLineWidth, 2);
    EXPECT_EQ(c->strColorName, "Earth");
    EXPECT_DOUBLE_EQ(c->S0(1, 1), g->Reg3DC(0, 0));
    EXPECT_DOUBLE_EQ(c->S0(9, 3), g->Reg3DC(8, 2));
    // Beyond the 61 nodes of Reg3DC there is no floor.
    g->StepU = 61;
    EXPECT_FALSE(FloorContourArguments(*g).has_value());
}

TEST_F(SurfaceDraw, BadInputDrawsWhatItCanAndKeepsTheData) {
    struct Case {
        const char* name;
        std::function<void(Cls9&)> set;
        bool drawn;
    };
    const std::vector<Case> cases = {
        {"step 0", [](Cls9& g) { g.StepU = 0; }, false},
        {"step beyond the grid", [](Cls9& g) { g.StepV = 10001; }, false},
        {"floor of a grid beyond Reg3DC",
         [](Cls9& g) {
             g.StepU = 62;
             for (long j = 0; j <= 8; ++j) g.VertTab3D(62, j)->X = 1;
             g.ShowColormap = g.ShowContour = true;
         },
         true},
        {"Show 0", [](Cls9& g) { g.Show = 0; }, true},
        {"Show 7", [](Cls9& g) { g.Show = 7; }, true},
        {"Smoothness 9", [](Cls9& g) { g.Smoothness = 9; }, false},
        {"missing texture", [](Cls9& g) { g.ShowTex = true, g.TexName = "/no/such/file.bmp", g.TexMode = 1; }, true},
        {"blank texture name", [](Cls9& g) { g.ShowTex = true, g.TexName = " ", g.TexMode = 1; }, true},
        {"contour interval 0", [](Cls9& g) { g.ShowContour = true, g.ContourLevel = 0; }, true},
        {"contour interval -3", [](Cls9& g) { g.ShowContour = true, g.ContourLevel = -3; }, true},
        {"line width 0", [](Cls9& g) { g.ShowContour = true, g.ContourLevel = 1, g.LineWidth = 0; }, true},
        {"flat", [](Cls9& g) {
             for (long i = 0; i <= 8; ++i)
                 for (long j = 0; j <= 8; ++j) g.VertTab3D(i, j)->Y = 0.5, g.Reg3DC(i, j) = 0.5;
             g.ShowColormap = g.ShowContour = true;
         }, true},
        {"every height undefined", [](Cls9& g) {
             for (long i = 0; i <= 8; ++i)
                 for (long j = 0; j <= 8; ++j)
                     g.VertTab3D(i, j)->Y = formula::UndefinedValue, g.Reg3DC(i, j) = formula::UndefinedValue;
             g.ShowColormap = g.ShowContour = true;
         }, false},
        {"huge and infinite coordinates", [](Cls9& g) {
             g.VertTab3D(2, 2)->Y = 1e308;
             g.VertTab3D(3, 3)->X = INFINITY;
             g.ShowContour = true, g.ContourLevel = 1;
         }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh();
        auto g = plate();
        c.set(*g);
        std::vector<double> before;
        for (long i = 0; i <= 8; ++i)
            for (long j = 0; j <= 8; ++j) before.push_back(g->Reg3DC(i, j)), before.push_back(g->VertTab3D(i, j)->Y);
        try {
            g->Draw();
        } catch (const std::out_of_range&) {
            // A step beyond the vertex grid: the box cannot be taken (the frame catches this).
        }
        glFinish();  // an open group would make this an error
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        EXPECT_EQ(testsupport::countNonWhite(gl.grab()) > 100, c.drawn);
        // The renderer's end step: lighting on (unless the box failed before it ran).
        EXPECT_EQ(glIsEnabled(GL_LIGHTING), g->StepV <= 10000);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        std::vector<double> after;
        for (long i = 0; i <= 8; ++i)
            for (long j = 0; j <= 8; ++j) after.push_back(g->Reg3DC(i, j)), after.push_back(g->VertTab3D(i, j)->Y);
        EXPECT_EQ(after, before);
    }
}

}  // namespace
