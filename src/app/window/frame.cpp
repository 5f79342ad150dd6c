// The frame: DrawScene compiles the picture of the shown scene into display
// lists, Display shows them. The graphs and the axis frame are compiled once
// per change of the scene into a list of their own; the passes set the view
// (projection and rotation) and call it, so a drag compiles only the passes
// (DrawView). A 3-D or 4-D picture is three jittered passes averaged in our
// accumulation buffer; since framebuffer work cannot be compiled into a list,
// each pass is a list of its own and the averaging runs between them when the
// picture is shown. A 2-D picture is one pass.
#include <GL/gl.h>

#include <array>
#include <cmath>
#include <numeric>

#include "app/window/frame_overlay.h"
#include "app/window/gl_view.h"
#include "state/globals.h"
#include "app/window/main_window.h"
#include "graph/graph.h"
#include "platform/accum_buffer.h"
#include "scene/axis.h"
#include "scene/camera.h"
#include "scene/gl_guards.h"
#include "scene/light.h"
#include "scene/point.h"
#include "document/scene.h"
#include "scene/trackball.h"
#include "state/kinds.h"

namespace {

// Sub-pixel offsets of the three passes (the classic three-sample jitter table).
constexpr std::array<std::array<double, 2>, 3> kJitter{{{-0.373411, -0.250550}, {0.256263, 0.368119}, {0.117148, -0.117570}}};

bool isThreeD(long kind) {
    return kind == plot_kind::ThreeD || kind == plot_kind::ThreeDOther || kind == plot_kind::FourD;
}
bool isTwoD(long kind) { return kind == plot_kind::TwoDFitted || kind == plot_kind::TwoDGridOnly; }

// Closes the list being compiled even when drawing a graph throws.
class ListCompile {
public:
    explicit ListCompile(GLuint list) { glNewList(list, GL_COMPILE); }
    ~ListCompile() { glEndList(); }
    ListCompile(const ListCompile&) = delete;
    ListCompile& operator=(const ListCompile&) = delete;
};

// Each pass starts from the state the display set (the light on or off):
// what one pass leaves behind (the axis frame switches lighting on) must not
// reach the next.
constexpr GLbitfield kPassState =
    GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_COLOR_BUFFER_BIT | GL_LINE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT;

void drawAxisFrame() {
    long frame = 0;
    if (gScene->FunSurfs.Count() > 0 && gAxis && gAxis->Show) {
        gSceneBox = std::make_shared<Cls1>(gScene->GetBox(frame));
        const Cls1& b = *gSceneBox;
        gAxis->Draw(2, b.MinX, b.MaxX, b.MinY, b.MaxY, b.MinZ, b.MaxZ);
    }
}

}  // namespace

void frmF1::sceneRotation(RotMatrix& m) {
    if (mUseTrackball) {
        BuildRotMatrix(m, mRotationQuat);
        return;
    }
    const double toRad = 3.1416 / 180.0;
    Vec4 zAxis{0, 0, 1, 0}, xAxis{1, 0, 0, 0}, yAxis{0, 1, 0, 0};
    Quat q1{}, q2{}, q3{};
    AxisToQuat(zAxis, gScene->RotRoll * toRad, q1);
    AxisToQuat(xAxis, gScene->RotPitch * toRad, q2);
    MultiplyQuats(q1, q2, q2);
    AxisToQuat(yAxis, gScene->RotYaw * toRad, q3);
    MultiplyQuats(q2, q3, q3);
    BuildRotMatrix(m, q3);
    mRotationQuat = q3;
}

void frmF1::DrawScene() {
    if (mRedraws.holdScene()) return;
    if (!picDraw || !mGLInitialized || !picDraw->makeContextCurrent()) return;
    mRedraws.compiled();
    try {
        compileScene();
    } catch (...) {
        // A graph whose box cannot be computed leaves the last picture as it was.
    }
    picDraw->doneCurrent();
}

void frmF1::DrawView() {
    if (mRedraws.holdView()) return;
    // The graphs' lists hold while the document is the one they were compiled
    // for and the zoom keeps every marker sphere's detail; otherwise compile
    // everything again.
    if (!mGeometryList || mGeometryKind != gPlotKind || !SphereDetailsStillHold()) {
        DrawScene();
        return;
    }
    if (!picDraw || !mGLInitialized || !picDraw->makeContextCurrent()) return;
    try {
        compileView();
    } catch (...) {
        // A camera that cannot set its projection leaves the last picture.
    }
    picDraw->doneCurrent();
}

void frmF1::endRedrawBatch() {
    const RedrawGate::Owed owed = mRedraws.close();
    if (owed.scene)
        DrawScene();
    else if (owed.view)
        DrawView();
    if (owed.show) Display(gAnimStep);
}

void frmF1::redrawIfStale() {
    if (mRedraws.holding() || !mRedraws.sceneOwed()) return;
    DrawScene();
    Display(gAnimStep);
}

Cls1 frmF1::updateSceneCenter() {
    long frame = 0;
    const Cls1 box = gScene->GetBox(frame);
    // The midpoint does not overflow where the sum of the bounds would.
    gSceneCenterX = std::midpoint(box.MinX, box.MaxX) / gSceneScaleX;
    gSceneCenterY = std::midpoint(box.MinY, box.MaxY) / gSceneScaleY;
    gSceneCenterZ = std::midpoint(box.MinZ, box.MaxZ) / gSceneScaleZ;
    return box;
}

void frmF1::compileScene() {
    ++mScenesCompiled;
    long frame = 0;
    updateSceneCenter();

    // Shapes that markers call are compiled, and textures uploaded, before the
    // picture's lists open (lists cannot be compiled inside one another).
    PrepareMarkerLists();
    gScene->PrepareTextures();

    // The superseded picture goes before a new one is compiled.
    if (mSceneList) glDeleteLists(mSceneList, kPassLists);
    mSceneList = 0;
    mScenePasses = 0;
    if (mGeometryList) glDeleteLists(mGeometryList, kGeometryLists);
    mGeometryList = glGenLists(kGeometryLists);
    mGeometryKind = gPlotKind;
    if (!mGeometryList) return;

    ClearSphereDetailRecord();
    try {
        // The graphs in scene coordinates, once per change of the scene: the
        // view's projection and rotation are applied around them by the
        // passes, so a drag recompiles only those.
        ListCompile list(mGeometryList + kGraphsList);
        if (isThreeD(gPlotKind)) {
            gScene->Draw(frame);
            drawAxisFrame();
        } else if (isTwoD(gPlotKind)) {
            if (gScene->FunSurfs.Count() > 0) {
                Cls1 b = gScene->GetBox(frame);
                if (gPlotKind == plot_kind::TwoDFitted) gAxis->DrawBackground(b.MinX, b.MaxX, b.MinY, b.MaxY, b.MinZ, b.MaxZ);
                b = gScene->GetBox(frame);
                gAxis->Draw2DGrid(b.MinX, b.MaxX, b.MinY, b.MaxY, b.MinZ, b.MaxZ);
            }
            gScene->Draw(frame);
            drawAxisFrame();
        }
    } catch (...) {
        // A graph that fails to draw leaves the picture as far as it came; the
        // list is closed by ListCompile.
    }
    try {
        ListCompile overlay(mGeometryList + kOverlayList);
        drawOverlay(gPlotKind, *gScene);
    } catch (...) {
    }
    compileView();
}

void frmF1::compileView() {
    // The frame in the framebuffer is of the lists about to go: the next
    // paint draws the new ones.
    mFrameFresh = false;
    if (mSceneList) glDeleteLists(mSceneList, kPassLists);
    mSceneList = glGenLists(kPassLists);
    mScenePasses = 0;
    if (!mSceneList) return;

    RotMatrix md{};
    sceneRotation(md);
    std::array<GLfloat, 16> m{};
    for (int i = 0; i < 16; ++i) m[i] = static_cast<GLfloat>(md[i]);

    if (isThreeD(gPlotKind)) {
        // While the mouse drags the view only the last pass is drawn (the
        // picture of a context without accumulation); the release draws
        // the averaged picture.
        const int first = mDragging ? 2 : 0;
        for (int k = first; k < 3; ++k) {
            ListCompile list(mSceneList + k - first);
            AttribGuard state(kPassState);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            gCamera->Projection(kJitter[k][0], kJitter[k][1], 0, 0, 1.0);
            glMultMatrixf(m.data());
            glCallList(mGeometryList + kGraphsList);
            mScenePasses = k + 1 - first;
        }
    } else if (isTwoD(gPlotKind)) {
        ListCompile list(mSceneList);
        glMultMatrixf(m.data());
        glCallList(mGeometryList + kGraphsList);
        mScenePasses = 1;
    }
}

void frmF1::Display(long /*lngAnimStep*/) {
    if (!picDraw || !mGLInitialized) return;
    if (mGLPainting) {
        renderFrame();
        return;
    }
    if (mRedraws.holdShow()) return;
    // Outside a paint the picture is drawn at once into the drawing area's
    // framebuffer, so that every step of a drag is drawn before the next mouse
    // event; the next paint only puts it on the screen.
    if (!picDraw->makeContextCurrent()) return;
    renderFrame();
    picDraw->doneCurrent();
    mFrameFresh = true;
    picDraw->update();
}

void frmF1::renderFrame() {
    // The lights take their place in this frame's camera view: set before
    // it, they would stand in the last frame's view, and the first frame
    // after a zoom or turn would be lit unlike every later paint of it.
    gCamera->Projection(0, 0, 0, 0, 1.0);
    gLight->SetLight();
    glShadeModel(GL_SMOOTH);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (mSceneList) {
        glPushMatrix();
        if (mScenePasses == 3) {
            mAccum->clear();
            for (int k = 0; k < 3; ++k) {
                glCallList(mSceneList + k);
                mAccum->accumulate(1.0f / 3.0f);
            }
            mAccum->returnTo(1.0f);
        } else if (mScenePasses == 1) {
            glCallList(mSceneList);
        }
        if (mGeometryList) glCallList(mGeometryList + kOverlayList);
        glPopMatrix();
    }
    // Blended lines and markers leave alpha below 1; the drawing area is
    // composed onto the window with its alpha, so make it opaque.
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(clear[0], clear[1], clear[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glFinish();
    ++mFramesRendered;
}

void frmF1::picDraw_Paint() {
    // A frame just drawn by Display is still in the framebuffer: show it as it is.
    if (mFrameFresh) {
        mFrameFresh = false;
        return;
    }
    mGLPainting = true;
    Display(gAnimStep);
    mGLPainting = false;
}
