// The frame as the user sees it: 2-D pictures with the curve legend, the
// averaged 3-D passes, and the picture's lists freed on every redraw.
#include <GL/gl.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cmath>
#include <set>

#include "app/window/frame_overlay.h"
#include "scene/camera.h"
#include "support/gl_offscreen.h"
#include "window_fixture.h"
#include "support/pictures.h"

namespace {
const std::vector<double> kX{0, 1, 2, 3, 4, 5};
const std::vector<double> kY{0, 1, 4, 9, 16, 25};

// Pixels of colour (r, g, b) within the rectangle given in percent of the picture.
int countIn(const QImage& img, QRectF percent, int r, int g, int b) {
    const QRect px(int(percent.left() * img.width() / 100), int(percent.top() * img.height() / 100),
                   int(percent.width() * img.width() / 100), int(percent.height() * img.height() / 100));
    return testsupport::countColor(img.copy(px), r, g, b, 60);
}
}  // namespace

TEST(CurveLabel, PartAfterTheFirstColonAndOneCharacter) {
    struct Case {
        const char* name;
        const char* label;
    };
    for (const Case& c : std::vector<Case>{{"Linear: y=a+b*x", "y=a+b*x"},
                                           {"A:B:C", ":C"},
                                           {"NoColon", "oColon"},
                                           {"Title:", ""},
                                           {"", ""},
                                           {"x", ""}}) {
        EXPECT_EQ(curveLabel(c.name), c.label) << c.name;
    }
}

using FrameTest = WindowTest;

TEST_F(FrameTest, TwoDPictureShowsCurvesAndLegendOfFittedCurvesOnly) {
    addCurve("Scatter", kX, kY, kCurveKindScatter, 0xFF0000);  // blue markers
    w->mnuViewFit_Click();
    QImage img = picture();
    // No legend line for a scatter graph.
    EXPECT_EQ(countIn(img, {64, 30, 5, 3}, 255, 0, 0), 0);
    EXPECT_GT(testsupport::countColor(img, 0, 0, 255, 60), 6);  // the markers

    addCurve("Linear", kX, kY, kCurveKindModel, 0x0000FF);  // red line
    w->mnuViewFit_Click();
    img = picture();
    savePicture(img, "frame_2d");
    EXPECT_GT(testsupport::countColor(img, 255, 0, 0, 60), 50);
    // The legend's line at x 65..68 %, y 68 % from the bottom (32 % from the top).
    EXPECT_GT(countIn(img, {64, 30, 5, 4}, 255, 0, 0), 3);
    // And its label in black right of it.
    EXPECT_GT(countIn(img, {69, 29, 25, 6}, 0, 0, 0), 5);
}

TEST_F(FrameTest, ThreeDPassesAreAveraged) {
    w->mnuFileNew4D();
    addVolume(60);
    w->mnuViewFit_Click();
    ASSERT_EQ(gPlotKind, 11);
    const QImage img = picture();
    savePicture(img, "frame_3d");
    EXPECT_GT(testsupport::countNonWhite(img), 100);
    // Averaging jittered passes leaves intermediate shades along edges.
    std::set<int> greys;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) > 20 && qRed(p) < 235) greys.insert(qRed(p));
        }
    EXPECT_GE(greys.size(), 3u);
}

TEST_F(FrameTest, EveryRedrawFreesThePreviousPicture) {
    addCurve("Linear", kX, kY);
    w->DrawScene();
    const unsigned first = w->mSceneList;
    w->DrawScene();
    ASSERT_NE(w->mSceneList, 0u);
    w->drawingArea()->makeCurrent();
    if (first != w->mSceneList) {
        EXPECT_FALSE(glIsList(first));
    }
    EXPECT_TRUE(glIsList(w->mSceneList));
    w->drawingArea()->doneCurrent();
}

TEST_F(FrameTest, AGraphThatFailsToDrawLeavesNoListOpen) {
    auto g = addCurve("Linear", kX, kY);
    // A step count beyond the vertex grid makes the graph's drawing fail.
    g->StepV = 20000;
    w->DrawScene();
    w->Display(1);
    w->drawingArea()->makeCurrent();
    GLint open = -1;
    glGetIntegerv(GL_LIST_INDEX, &open);
    EXPECT_EQ(open, 0);
    w->drawingArea()->doneCurrent();
    // The program goes on drawing once the graph is sound again.
    g->StepV = static_cast<long>(kX.size()) - 1;
    w->DrawScene();
    EXPECT_GT(testsupport::countNonWhite(picture()), 20);
}

TEST_F(FrameTest, DisplayReachesTheScreenAtOnce) {
    addCurve("Linear", kX, kY);
    const long before = w->framesRendered();
    QSignalSpy shown(w->drawingArea(), &QOpenGLWidget::frameSwapped);
    w->DrawScene();
    w->Display(1);
    EXPECT_EQ(w->framesRendered(), before + 1);
    // The screen shows the frame without drawing it again.
    ASSERT_TRUE(shown.wait(testsupport::kLongWaitMs));
    EXPECT_EQ(w->framesRendered(), before + 1);
    EXPECT_GT(testsupport::countNonWhite(w->grab().toImage()), 20);
}

// Save Image writes the picture on screen (the 4-D picture in the ISO view),
// drawn at most once more and only in the drawing area's own context: a
// context someone else left current is not drawn into. Both roads: the menu
// item, and Yes to "Save changes to file?" before a new document.
TEST_F(FrameTest, SaveImageWritesThePictureOnScreenDrawnOnceInItsOwnContext) {
    QTemporaryDir dir;
    for (const bool prompt : {false, true}) {
        SCOPED_TRACE(prompt ? "Yes to the prompt" : "Save Image");
        w->DeleteAllGraphs();
        w->mnuFileNew4D();
        addVolume(60);
        w->mnuViewFit_Click();
        const QImage screen = picture();

        testsupport::OffscreenGL other(32, 32);
        ASSERT_TRUE(other.valid());
        other.makeCurrent();
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(1, 0, 0, 1);  // a clear drawn into this context shows red

        const std::string file = dir.filePath(prompt ? "prompt.bmp" : "menu.bmp").toStdString();
        dialogs.answerFile(file);
        const long compiles = w->scenesCompiled(), frames = w->framesRendered();
        if (prompt) {
            boxes.queue({platform::MsgResult::Yes});
            w->mnuFileNew2D();
            EXPECT_EQ(gGraphs->FunSurfs.Count(), 0);
        } else {
            w->action("mnuFileSave")->trigger();
            EXPECT_EQ(w->scenesCompiled(), compiles);
            EXPECT_LE(w->framesRendered(), frames + 1);
        }

        const QImage saved(QString::fromStdString(file));
        ASSERT_FALSE(saved.isNull());
        EXPECT_EQ(differing(saved.convertToFormat(QImage::Format_RGB32), screen.convertToFormat(QImage::Format_RGB32)),
                  0);
        other.makeCurrent();
        EXPECT_EQ(testsupport::countColor(other.grab(), 0, 255, 0, 0), 32 * 32);
    }
}

TEST_F(FrameTest, CopyAsBmpPutsThePictureOnTheClipboard) {
    QGuiApplication::clipboard()->clear();
    // Nothing shown: nothing happens.
    w->action("mnuEditCopyAs")->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
    addCurve("Linear", kX, kY, kCurveKindModel, 0x0000FF);
    w->mnuViewFit_Click();
    w->action("mnuEditCopyAs")->trigger();
    const QImage img = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), w->drawingArea()->pixelWidth());
    EXPECT_EQ(img.height(), w->drawingArea()->pixelHeight());
    EXPECT_GT(testsupport::countColor(img, 255, 0, 0, 60), 30);
    EXPECT_FALSE(QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/temp.bmp")));
}

// A fit of values near the largest Double does not spoil the picture: the
// scene stays finite, the axes keep their numbers, and once the wild graph
// is gone the next graph fills the picture as it would have.
TEST_F(FrameTest, AWildGraphLeavesThePictureValid) {
    const double big = 1.7e308;
    addCurve("Wild", {1, 2, 3, 4}, {-big, -1e308, 1e308, big}, kCurveKindModel, 0xFF0000);  // blue
    addCurve("Later", {1, 2, 3, 4}, {1, 2, 3, 4}, kCurveKindModel, 0x0000FF);             // red
    w->mnuViewFit_Click();
    for (double v : {gSceneCenterX, gSceneCenterY, gSceneScaleX, gSceneScaleY, gCamera->VolHeight,
                     gCamera->RefPos.X, gCamera->RefPos.Y}) {
        EXPECT_TRUE(std::isfinite(v)) << v;
    }
    QImage img = picture();
    savePicture(img, "frame_wild_graph");
    EXPECT_GT(testsupport::countColor(img, 0, 0, 255, 60), 50);  // the wild curve, across the picture
    // The numbers of the Y axis, left of the frame (black text).
    EXPECT_GT(countIn(img, {0, 10, 20, 80}, 0, 0, 0), 100);

    w->DeleteGraph(1);
    w->mnuViewFit_Click();
    img = picture();
    savePicture(img, "frame_after_wild_graph");
    // The later curve now runs corner to corner: red in the lower left and
    // the upper right quarter of the picture.
    EXPECT_GT(countIn(img, {5, 50, 45, 45}, 255, 0, 0), 20);
    EXPECT_GT(countIn(img, {45, 5, 45, 45}, 255, 0, 0), 20);
}
