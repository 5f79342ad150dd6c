#include "app/window/main_window.h"

#include <GL/gl.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QListWidget>
#include <QMenuBar>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/window/gl_view.h"
#include "app/grid/grid_commands.h"
#include "app/help/help.h"
#include "state/globals.h"
#include "formula/cls6.h"
#include "app/window/layout_model.h"
#include "app/window/splitter_bar.h"
#include "platform/accum_buffer.h"
#include "platform/gl_format.h"
#include "platform/grid_control.h"
#include "fitting/polynomial/polynomial_fit_host.h"
#include "platform/msgbox.h"
#include "state/fit_defaults.h"

namespace {
// Runs one step of a start-up sequence whose failing statements are skipped.
template <typename F>
void guarded(F&& step) {
    try {
        step();
    } catch (...) {
    }
}
}  // namespace

frmF1::frmF1(QWidget* parent) : frmF1(Options{}, parent) {}

frmF1::frmF1(Options options, QWidget* parent) : QMainWindow(parent), mOptions(options) {
    setWindowTitle(QStringLiteral("Trelvane"));
    setObjectName(QStringLiteral("frmF1"));
    resize(1024, 768);
    Form_Initialize();
    buildWidgets();
    buildMenus();
    buildToolbar();
    wireViewCommands();
    wireFittingCommands();
    wireGridCommands();
    wireDialogCommands();
    Form_Load();
}

frmF1::~frmF1() { releaseGL(); }

void frmF1::Form_Initialize() {
    gShowEvalMessages = false;
    formula::gShowEvalMessagesDefault = gShowEvalMessages;
    // Syntax errors of typed formulas reach the user as message boxes.
    formula::setSyntaxMessageSink([](const std::string& text) {
        platform::MsgBox(text, platform::MsgButtons::Ok, platform::MsgIcon::Critical, "Syntax Error");
    });
    createDocumentObjects();
}

void frmF1::Form_Load() {
    guarded([&] {
        Timer1 = new QTimer(this);
        Timer1->setInterval(100);
        Timer1->stop();
    });
    guarded([&] {
        gNonLinMethod = kDefaultNonLinMethod;
        gNonLinMaxIterations = kDefaultMaxIterations;
        gNonLinTolerance = kDefaultTolerance;
        gSurfMaxIterations = kDefaultMaxIterations;
        gSurfTolerance = kDefaultTolerance;
    });
    guarded([&] { Initialize(); });
    guarded([&] {
        gAnimStep = 1;
        gAnimStepCount = 10;
        gAnimRecordValue = 10;
    });
    guarded([&] { showAxisFrame(); });
    guarded([&] {
        gAxisDialogResult = false;
        gGraphCounter = 0;
        gRotateMode = 0;
    });
    guarded([&] {
        gSceneScaleX = gSceneScaleY = gSceneScaleZ = 1.0;
        gClipSurface = false;
        gAxisScaleMode = 1;
        gAxisRatioX = gAxisRatioY = gAxisRatioZ = 1.0;
        gViewMinX = -500, gViewMaxX = 500, gViewMinY = -500, gViewMaxY = 500, gViewMinZ = -500, gViewMaxZ = 500;
    });
    guarded([&] { setUpGrid(); });
    guarded([&] {
        const long T = toTwipsY(Toolbar1->sizeHint().height());
        const long S = toTwipsY(StatusBar1->sizeHint().height());
        // The client area is not laid out yet: its height is the window's less the menu bar.
        const int clientHeight = height() - menuBar()->sizeHint().height();
        const auto bars = layout::startBars(toTwipsY(clientHeight), T, S);
        mSplitter3Y = bars.splitter3Top;
        mSplitter2Y = bars.splitter2Top;
    });
    guarded([&] { mHelpFile = QCoreApplication::applicationDirPath() + QStringLiteral("/") + kHelpFileName; });
    guarded([&] { gReplaceSelectedGraph = false; });
    guarded([&] {
        gNewLine = "\r\n";
        gTabChar = "\t";
    });
    guarded([&] {
        Splitter->raise();
        Splitter2->raise();
    });
    guarded([&] { mModeRotate = mUseTrackball = mModeZoom = mModeMove = false; });
    guarded([&] { resetRotationQuat(); });
    guarded([&] { mnuFileNew2D(); });
}

bool frmF1::probeOpenGL() const {
    if (!mOptions.probeGL) return false;
    // A compatibility context must be possible on this platform; the offscreen
    // platform cannot host an OpenGL widget at all.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return false;
    QOpenGLContext probe;
    probe.setFormat(platform::glFormat());
    if (!probe.create()) return false;
    QOffscreenSurface surface;
    surface.setFormat(probe.format());
    surface.create();
    if (!probe.makeCurrent(&surface)) return false;
    const bool legacy = probe.format().profile() != QSurfaceFormat::CoreProfile;
    probe.doneCurrent();
    return legacy;
}

bool frmF1::Initialize() {
    // The drawing area is an OpenGL widget only when the platform could make a
    // compatibility context (probed once, when the panes were built).
    if (!picDraw) {
        platform::MsgBox("ChoosePixelFormat failed", platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        return false;
    }
    mGLContext = true;
    // The context itself exists once the drawing area is first shown; the
    // OpenGL defaults and fonts are set then (initializeGLState).
    return true;
}

void frmF1::initializeGLState() {
    if (mGLInitialized) return;
    if (!picDraw->context() || !picDraw->context()->isValid()) {
        mGLContext = false;
        platform::MsgBox("ChoosePixelFormat failed", platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        return;
    }
    mGLInitialized = true;
    glClearColor(1, 1, 1, 1);
    glEnable(GL_DITHER);
    glDepthFunc(GL_LEQUAL);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    buildFonts();
}

void frmF1::releaseGL() {
    if (!mGLInitialized || !picDraw) return;
    if (picDraw->makeContextCurrent()) {
        if (mSceneList) glDeleteLists(mSceneList, kPassLists);
        if (mGeometryList) glDeleteLists(mGeometryList, kGeometryLists);
        mSceneList = 0;
        mGeometryList = 0;
        releaseFonts();
        picDraw->doneCurrent();
    }
    mGLInitialized = false;
}

void frmF1::closeEvent(QCloseEvent* event) {
    // Exit and the close box alike: changed grid data are not lost unasked.
    if (!mUnloading && !GridDataMayBeDiscarded(*Grid1)) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmF1::Form_Unload() {
    // Every dialog still open closes first, the most recently opened first.
    const auto tops = QApplication::topLevelWidgets();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        QWidget* w = *it;
        if (w != this && w->isWindow() && w->isVisible() && w->parentWidget() == this) w->close();
    }
    for (QWidget* child : findChildren<QDialog*>()) child->close();
    mSpinning = false;
    mUnloading = true;
    releaseGL();
    mGLContext = false;
}

void frmF1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    Form_Resize();
}

void frmF1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}


void frmF1::appendReport(const std::string& text) {
    QString t = QString::fromStdString(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor c = Result->textCursor();
    c.movePosition(QTextCursor::End);
    c.insertText(t);
    Result->setTextCursor(c);
}

QAction* frmF1::action(const QString& objectName) const {
    auto it = mActions.find(objectName);
    return it == mActions.end() ? nullptr : it->second;
}
