// A 61 x 61 surface in the real main window: faces in the colours of the
// map, the floor colour map and the floor contours below it, the legend at the
// right, and one texture however often the picture is redrawn.
#include <GL/gl.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "scene/texture.h"
#include "support/gl_offscreen.h"
#include "window_fixture.h"
#include "support/pictures.h"

namespace {

// Pixel at percent (x from the left, y from the bottom) of the picture.
QRgb at(const QImage& img, double x, double y) {
    return img.pixel(int(x * img.width() / 100), int((100 - y) * img.height() / 100) - 1);
}
bool close(QRgb c, int r, int g, int b, int tol = 30) {
    return std::abs(qRed(c) - r) <= tol && std::abs(qGreen(c) - g) <= tol && std::abs(qBlue(c) - b) <= tol;
}
// Pixels left of the legend that are darker in a than in b.
int darker(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() * 78 / 100; ++x)
            n += qGray(a.pixel(x, y)) + 40 < qGray(b.pixel(x, y));
    return n;
}
// Pixels left of the legend that differ.
int differingLeftOfLegend(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() * 78 / 100; ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

class SurfaceWindowTest : public WindowTest {
protected:
    std::shared_ptr<Cls9> addSurface() { return addSurfaceDocument(60); }
};

TEST_F(SurfaceWindowTest, FacesFloorMapContoursAndLegend) {
    auto g = addSurface();
    ASSERT_EQ(gPlotKind, 3);
    const QImage full = picture();
    savePicture(full, "window_surface_61x61");
    savePicture(w->grab().toImage(), "window_surface_main_window");

    // Legend: the Rainbow bands at the right edge and black labels beside them.
    EXPECT_TRUE(close(at(full, 83.5, 30.8), 153, 102, 255));
    EXPECT_TRUE(close(at(full, 83.5, 46), 0, 255, 0));
    EXPECT_TRUE(close(at(full, 83.5, 69.2), 255, 0, 0));
    int labels = 0;
    for (int y = full.height() * 29 / 100; y < full.height() * 72 / 100; ++y)
        for (int x = full.width() * 86 / 100; x < full.width() * 95 / 100; ++x)
            labels += qRed(full.pixel(x, y)) < 60 && qGreen(full.pixel(x, y)) < 60;
    EXPECT_GT(labels, 40);
    // The faces show the whole map, from the violet start to red.
    EXPECT_GT(testsupport::countColor(full, 255, 0, 0, 50), 200);
    EXPECT_GT(testsupport::countColor(full, 0, 255, 0, 60), 200);

    // The floor colour map and the contour lines are each seen in the picture.
    auto without = [&](bool& overlay, const std::string& name) {
        overlay = false;
        w->DrawScene();
        w->Display(1);
        const QImage img = picture();
        savePicture(img, name);
        overlay = true;
        return img;
    };
    const QImage noFloor = without(g->ShowColormap, "window_surface_no_floor_map");
    EXPECT_GT(differingLeftOfLegend(full, noFloor), 2000);
    const QImage noContours = without(g->ShowContour, "window_surface_no_contours");
    EXPECT_GT(darker(full, noContours), 500);
    EXPECT_LT(darker(noContours, full), 50);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(SurfaceWindowTest, RedrawsKeepOneTexture) {
    QTemporaryDir dir;
    QImage img(100, 60, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    const QString file = dir.path() + "/skin.jpg";
    ASSERT_TRUE(img.save(file, "JPG"));
    auto g = addSurface();
    g->ShowTex = true;
    g->TexName = file.toStdString();
    g->TexMode = 1;
    for (int i = 0; i < 100; ++i) w->DrawScene();
    w->Display(1);
    const QImage textured = picture();
    savePicture(textured, "window_surface_textured");
    EXPECT_GT(testsupport::countColor(textured, 0, 128, 128, 40), 1000);
    w->drawingArea()->makeCurrent();
    EXPECT_EQ(LiveTextureCount(), 1u);
    w->drawingArea()->doneCurrent();
}

}  // namespace
