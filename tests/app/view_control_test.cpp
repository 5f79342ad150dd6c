// The view as a user moves it: drags in each mouse mode, the standard views,
// the toolbar's commands and status texts, and the splitter bars.
#include <QApplication>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <cmath>

#include "scene/camera.h"
#include "window_fixture.h"
#include "support/pictures.h"

namespace {
const std::vector<double> kX{0, 1, 2, 3};
const std::vector<double> kY{0, 1, 4, 9};

void send(QWidget* target, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent e(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

// A left-button drag through the given points.
void drag(QWidget* area, std::initializer_list<QPointF> points) {
    auto it = points.begin();
    send(area, QEvent::MouseButtonPress, *it, Qt::LeftButton, Qt::LeftButton);
    for (++it; it != points.end(); ++it) send(area, QEvent::MouseMove, *it, Qt::NoButton, Qt::LeftButton);
    send(area, QEvent::MouseButtonRelease, *(points.end() - 1), Qt::LeftButton, Qt::NoButton);
}

double dot(const Quat& a, const Quat& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3]; }
}  // namespace

using ViewControlTest = WindowTest;

TEST_F(ViewControlTest, DragWithNoModeChangesNothing) {
    addCurve("A", kX, kY);
    const double width = gCamera->VolWidth;
    const Quat q = w->mRotationQuat;
    drag(w->drawingWidget(), {{50, 50}, {120, 90}});
    EXPECT_EQ(gCamera->VolWidth, width);
    EXPECT_EQ(w->mRotationQuat, q);
    EXPECT_FALSE(w->mUseTrackball);
}

TEST_F(ViewControlTest, ZoomDragScalesByTheHeightMoved) {
    addCurve("A", kX, kY);
    w->action("mnuViewZoom")->trigger();
    const double h = w->drawingWidget()->height();
    drag(w->drawingWidget(), {{60, 100}, {60, 150}});
    EXPECT_NEAR(w->mZoomFactor, 1 + 50.0 / h, 1e-12);
    // A drag upwards by the full height or more gives a factor <= 0: ignored.
    const double width = gCamera->VolWidth;
    drag(w->drawingWidget(), {{60, h}, {60, -1}});
    EXPECT_LE(w->mZoomFactor, 0);
    EXPECT_EQ(gCamera->VolWidth, width);
}

TEST_F(ViewControlTest, MoveDragPansTheCamera) {
    addCurve("A", kX, kY);
    w->action("mnuViewMove")->trigger();
    const double ref = gCamera->RefPos.X, eye = gCamera->EyePos.X;
    const double width = w->drawingWidget()->width();
    drag(w->drawingWidget(), {{10, 40}, {10 + width / 4, 40}});
    EXPECT_NE(gCamera->RefPos.X, ref);
    // Eye and reference point move together.
    EXPECT_NEAR(gCamera->EyePos.X - gCamera->RefPos.X, eye - ref, 1e-9);
}

TEST_F(ViewControlTest, TrackballContinuesFromTheViewOnScreen) {
    w->mnuFileNew3D();
    addCurve("A", kX, kY);
    w->action("mnuViewISO")->trigger();
    const Quat iso = w->mRotationQuat;
    EXPECT_GT(std::abs(iso[3]), 0.0);
    EXPECT_LT(std::abs(iso[3]), 1.0);
    w->action("mnuViewRotate")->trigger();
    drag(w->drawingWidget(), {{200, 200}, {203, 200}});
    EXPECT_TRUE(w->mUseTrackball);
    // A small step: the view is close to the ISO view, not back at the identity.
    EXPECT_GT(std::abs(dot(w->mRotationQuat, iso)), 0.999);
    EXPECT_NE(w->mRotationQuat, iso);
    // A standard view cancels the mouse rotation.
    w->action("mnuViewFront")->trigger();
    EXPECT_FALSE(w->mUseTrackball);
    EXPECT_EQ(gScene->RotPitch, 0);
}

TEST_F(ViewControlTest, RotateAboutXTurnsAboutSceneZOnly) {
    w->mnuFileNew3D();
    addCurve("A", kX, kY);
    w->action("mnuViewRotX")->trigger();
    EXPECT_EQ(gRotateMode, 2);
    drag(w->drawingWidget(), {{100, 100}, {160, 100}});
    EXPECT_NEAR(w->mStepQuat[0], 0, 1e-12);
    EXPECT_NEAR(w->mStepQuat[1], 0, 1e-12);
    EXPECT_GT(std::abs(w->mStepQuat[2]), 0);
}

TEST_F(ViewControlTest, DrawingModeButtonsNeedATickedCurrentLine) {
    auto a = addCurve("A", kX, kY);
    addCurve("B", kX, kY);
    w->graphList()->setCurrentRow(0);
    w->graphList()->item(0)->setCheckState(Qt::Unchecked);
    w->Toolbar1_ButtonClick(19);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Select a function first.");
    EXPECT_EQ(boxes.shown()[0].title, "Warning");
    w->graphList()->item(0)->setCheckState(Qt::Checked);
    w->graphList()->setCurrentRow(0);
    w->Toolbar1_ButtonClick(20);
    EXPECT_EQ(a->Show, 2);
    // No current line: nothing happens, nothing fails.
    w->graphList()->setCurrentRow(-1);
    w->Toolbar1_ButtonClick(21);
    EXPECT_EQ(a->Show, 2);
}

TEST_F(ViewControlTest, ZoomToFitWithNothingShownDoesNothing) {
    addCurve("A", kX, kY);
    w->graphList()->item(0)->setCheckState(Qt::Unchecked);
    const double width = gCamera->VolWidth, eye = gCamera->EyePos.X;
    w->action("mnuViewFit")->trigger();
    EXPECT_EQ(gCamera->VolWidth, width);
    EXPECT_EQ(gCamera->EyePos.X, eye);
}

TEST_F(ViewControlTest, StatusTextFollowsTheToolbarButton) {
    QToolBar* bar = w->toolbar();
    const QRect first = bar->actionGeometry(w->toolbarButton(1));
    w->Toolbar1_MouseMove(first.center());
    EXPECT_EQ(w->statusBarPane()->currentMessage().toStdString(), "Save image as bmp file");
    const QRect sep = bar->actionGeometry(w->toolbarButton(2));
    w->Toolbar1_MouseMove(sep.center());
    EXPECT_EQ(w->statusBarPane()->currentMessage().toStdString(), "Ready");
}

TEST_F(ViewControlTest, SplitterDragIsClampedAtItsLimits) {
    QWidget* bar = w->findChild<QWidget*>(QStringLiteral("Splitter"));
    ASSERT_NE(bar, nullptr);
    // Drag far to the left: the bar stops at 1000 twips.
    send(bar, QEvent::MouseButtonPress, {2, 5}, Qt::LeftButton, Qt::LeftButton);
    send(bar, QEvent::MouseMove, {-2000, 5}, Qt::NoButton, Qt::LeftButton);
    send(bar, QEvent::MouseButtonRelease, {-2000, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w->splitterLeft(), 1000);
    QWidget* bar2 = w->findChild<QWidget*>(QStringLiteral("Splitter2"));
    send(bar2, QEvent::MouseButtonPress, {5, 2}, Qt::LeftButton, Qt::LeftButton);
    send(bar2, QEvent::MouseMove, {5, -3000}, Qt::NoButton, Qt::LeftButton);
    send(bar2, QEvent::MouseButtonRelease, {5, -3000}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w->splitter2Top(), 2000);
}

TEST_F(ViewControlTest, DragDrawsSinglePassesAndTheReleaseTheAverage) {
    w->mnuFileNew4D();
    addVolume(20);
    w->action("mnuViewRotate")->trigger();
    QWidget* area = w->drawingWidget();
    send(area, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    send(area, QEvent::MouseMove, {120, 110}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(w->mScenePasses, 1);
    send(area, QEvent::MouseButtonRelease, {120, 110}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w->mScenePasses, 3);
}

namespace {
struct DragCase {
    const char* name;
    int document;        // 2, 3 or 4
    char mode;           // 'r' turn, 'm' pan, 'z' zoom
    QPointF from, to;
};
}  // namespace

// A drag compiles only the view around the graphs' lists; every step and the
// release must show what a full redraw shows at the same view. The zoom cases
// cross a marker sphere's detail, where the graphs must be compiled again.
TEST_F(ViewControlTest, DragPicturesAreTheFullRedrawsPictures) {
    const DragCase cases[] = {
        {"2-D pan", 2, 'm', {100, 100}, {160, 130}},
        {"2-D zoom", 2, 'z', {100, 100}, {100, 220}},
        {"3-D turn", 3, 'r', {200, 200}, {260, 230}},
        {"3-D zoom", 3, 'z', {100, 300}, {100, 60}},
        {"4-D turn", 4, 'r', {200, 200}, {150, 260}},
        {"4-D zoom in", 4, 'z', {100, 100}, {100, 400}},
        {"4-D pan", 4, 'm', {300, 200}, {220, 150}},
    };
    for (const DragCase& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.queue({platform::MsgResult::No});  // the last case's graphs are not saved
        if (c.document == 2) {
            w->mnuFileNew2D();
            for (int k = 0; k < 4; ++k) addCurve("c" + std::to_string(k), kX, {0.0 + k, 1.0 + k, 4.0, 9.0 - k});
            addCurve("markers", kX, kY, kCurveKindScatter);
        } else if (c.document == 3) {
            w->mnuFileNew3D();
            auto g = testsupport::makeSurfaceGraph(30);
            g->ID = ++gGraphCounter;
            gGraphs->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
            gScene->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
            w->addGraphLine(g->NameS);
        } else {
            w->mnuFileNew4D();
            addVolume(60);
        }
        w->action("mnuViewFit")->trigger();
        w->action("mnuViewISO")->trigger();
        gRotateMode = 1;
        w->mModeRotate = c.mode == 'r';
        w->mModeZoom = c.mode == 'z';
        w->mModeMove = c.mode == 'm';
        QWidget* area = w->drawingWidget();
        send(area, QEvent::MouseButtonPress, c.from, Qt::LeftButton, Qt::LeftButton);
        for (int s = 1; s <= 3; ++s) {
            const QPointF p = c.from + (c.to - c.from) * (s / 3.0);
            send(area, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
        }
        // The light takes its place under the view the last frame left, so a
        // pan's step is shown once more before it is compared.
        w->Display(gAnimStep);
        const QImage step = picture();
        w->DrawScene();
        w->Display(gAnimStep);
        EXPECT_EQ(differing(step, picture()), 0) << "during the drag";
        send(area, QEvent::MouseButtonRelease, c.to, Qt::LeftButton, Qt::NoButton);
        const QImage released = picture();
        EXPECT_EQ(w->mScenePasses, c.document == 2 ? 1 : 3);
        w->DrawScene();
        w->Display(gAnimStep);
        EXPECT_EQ(differing(released, picture()), 0) << "after the release";
    }
}
