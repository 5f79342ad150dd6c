#pragma once
// frmF1: the main window. Holds the data grid, the graph list, the report pane
// and the drawing area; starts the program and owns the document's picture.
// Handlers keep the names of the menu items and events they serve.
#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <set>
#include <memory>
#include <string>

#include "app/window/redraw_gate.h"
#include "scene/trackball.h"

class Cls1;
class QAction;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMouseEvent;
class QPoint;
class QPlainTextEdit;
class QStatusBar;
class QTimer;
class QToolBar;
class QWidget;
class GLView;
struct CurveFitHost;
struct PolynomialFitHost;
class SplitterBar;
namespace platform {
class GridControl;
}
using platform::GridControl;
namespace platform {
class AccumBuffer;
}

class frmF1 : public QMainWindow {
    Q_OBJECT
public:
    // glAvailable false starts the window as on a machine without any usable
    // OpenGL (tests use it; the real start-up probes the platform).
    struct Options {
        bool probeGL = true;
    };
    explicit frmF1(QWidget* parent = nullptr);
    explicit frmF1(Options options, QWidget* parent = nullptr);
    ~frmF1() override;

    // Start-up and shut-down.
    bool Initialize();
    bool glAvailable() const { return mGLContext; }
    // Frames drawn so far (tests read it to see that a change was shown).
    long framesRendered() const { return mFramesRendered; }
    // Pictures compiled so far (each a full redraw; tests count them).
    long scenesCompiled() const { return mScenesCompiled; }

    // The frame: compile the picture, show it.
    void DrawScene();
    // A new view of the same scene (a drag's step): only the view is compiled
    // again around the graphs' lists, and the picture stays what DrawScene
    // would give.
    void DrawView();
    void Display(long lngAnimStep);
    // While a RedrawBatch lives, DrawScene, DrawView and Display only note
    // that they are wanted; when the last batch ends the picture is compiled
    // and shown once. Batches nest.
    class RedrawBatch {
    public:
        explicit RedrawBatch(frmF1& w) : w_(w) { w_.mRedraws.open(); }
        ~RedrawBatch() { w_.endRedrawBatch(); }
        RedrawBatch(const RedrawBatch&) = delete;
        RedrawBatch& operator=(const RedrawBatch&) = delete;

    private:
        frmF1& w_;
    };
    // The graphs changed and the picture is drawn later, by the zoom to fit
    // or the batch that ends the change; redrawIfStale draws it at once when
    // nothing did (and no batch holds it back).
    void invalidatePicture() { mRedraws.sceneStale(); }
    void redrawIfStale();

    // Documents.
    void mnuFileNew2D();
    void mnuFileNew3D();
    void mnuFileNew4D();

    // Zoom to fit; the fitting and property dialogs call it after adding graphs.
    void mnuViewFit_Click();
    void mnuViewFront_Click();

    // Panes, for the dialogs and tests.
    GridControl* grid() const { return Grid1; }
    QListWidget* graphList() const { return List1; }
    QPlainTextEdit* report() const { return Result; }
    GLView* drawingArea() const { return picDraw; }
    QWidget* drawingWidget() const { return picDrawWidget; }
    QToolBar* toolbar() const { return Toolbar1; }
    QMenu* gridPopup() const { return mnuGE; }
    QStatusBar* statusBarPane() const { return StatusBar1; }
    QAction* action(const QString& objectName) const;
    // Appends text to the report pane; CR LF pairs become line breaks.
    void appendReport(const std::string& text);

    // Layout, in twips: the bars' positions (read by tests).
    long splitterLeft() const { return mSplitterX; }
    long splitter2Top() const { return mSplitter2Y; }
    long splitter3Top() const { return mSplitter3Y; }
    void Form_Resize();

    // Document and graph list.
    void List1_ItemCheck();
    void DeleteGraph(long index);
    void DeleteAllGraphs();
    bool IsGraphShown(long id) const;
    // Adds a ticked line for a graph already added to both scenes. It draws
    // nothing: whoever adds graphs draws once they are all in (the picture is
    // owed until then, see invalidatePicture).
    void addGraphLine(const std::string& name);
    void mnuEditDelete_Click();
    void mnuEditDelAll_Click();
    void mnuFileSave_Click();
    void mnuEditCopyAs_Click();

    // Axis, light and view dialogs; Help.
    void mnuDrawAxis_Click();
    void mnuDrawLight_Click();
    // "Edit...": the property dialog of the first graph of the document.
    void mnuFunEdit_Click();
    void mnuViewSet_Click();
    void mnuHelpCon_Click();
    void mnuHelpHome_Click();
    void mnuHelpCus_Click();
    void mnuHelpAbout_Click();
    // The help file's full path (tests point it elsewhere).
    QString helpFile() const { return mHelpFile; }
    void setHelpFile(const QString& path) { mHelpFile = path; }

    // Fitting menu.
    bool LoadGridData();
    // What the fitting dialogs and graph builders need of this window.
    CurveFitHost& curveHost();
    PolynomialFitHost& polynomialHost();
    void mnuDrawCF_Click();
    void mnuDrawNLR_Click();
    void mnuDrawPoly_Click();
    // Surface Fitting: a 2-D document becomes a new 3-D one (stopping when
    // declined); the grid, then frmSurFit. Nothing follows the dialog.
    void mnuDrawSF_Click();
    // Volume Fitting: the clip option off, always a new 4-D document
    // (stopping when declined); the grid, then frmVolFit.
    void mnuDrawVF_Click();

    // View control.
    void picDraw_MouseDown(QMouseEvent* e);
    void picDraw_MouseMove(QMouseEvent* e);
    void picDraw_MouseUp(QMouseEvent* e);
    void Toolbar1_ButtonClick(int index);
    void Toolbar1_MouseMove(const QPoint& pos);
    QAction* toolbarButton(int index) const;
    double mLastX = 0, mLastY = 0;
    long mViewWidth = 0, mViewHeight = 0;
    double mZoomFactor = 1.0;
    bool mDragging = false;   // a drag is under way: the picture is one pass

    // Private state shared by the frame, the document and the view control.
    Quat mRotationQuat{0, 0, 0, 1};
    Quat mStepQuat{0, 0, 0, 1};
    bool mUseTrackball = false;
    bool mModeZoom = false, mModeMove = false, mModeRotate = false;
    bool mSpinning = false;
    bool mUnloading = false;
    bool mImageSaved = false;
    // The picture's lists. The geometry (compiled once per change of the
    // scene): the graphs and axis frame at +kGraphsList, the overlay at
    // +kOverlayList. The passes (compiled per view): +0..+2, one pass at +0
    // for 2-D and during a drag, each setting the view and calling the graphs.
    unsigned mGeometryList = 0;
    long mGeometryKind = 0;   // the document kind the geometry was compiled for
    unsigned mSceneList = 0;
    int mScenePasses = 0;
    long mFramesRendered = 0;
    long mScenesCompiled = 0;
    static constexpr int kGraphsList = 0;
    static constexpr int kOverlayList = 1;
    static constexpr int kGeometryLists = 2;
    static constexpr int kPassLists = 3;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class GLView;
    void Form_Initialize();
    void Form_Load();
    void Form_Unload();
    void buildWidgets();
    void buildMenus();
    QAction* addMenuItem(QMenu* menu, const char* name, const char* caption, const char* shortcut);
    // Enables the item and runs handler when it is triggered.
    void connectAction(const char* name, std::function<void()> handler);
    QWidget* createGridWidget(QWidget* parent);
    void viewportChanged();   // the drawing area's size goes to the camera
    void initializeGLState();   // the OpenGL half of Initialize, once the context exists
    void releaseGL();
    void picDraw_Paint();
    bool probeOpenGL() const;
    void compileScene();                // DrawScene with the context current
    // Sets the scene centre (gSceneCenterX/Y/Z) from the shown graphs' box,
    // as the next compile will, and returns the box.
    Cls1 updateSceneCenter();
    void endRedrawBatch();
    void compileView();                 // the passes over the compiled geometry
    void renderFrame();                 // Display with the context current
    void sceneRotation(RotMatrix& m);   // the picture's rotation; stores it in mRotationQuat
    // Start-up pieces that need the scene's and the grid's classes.
    void createDocumentObjects();
    void showAxisFrame();
    void setUpGrid();
    void resetRotationQuat();
    void buildFonts();
    void releaseFonts();

    bool newDocument(long kind);   // false when the user declined
    // The road of Curve Fitting and Nonlinear Curve Fitting: clip off, a new
    // 2-D document unless the document is 2-D (stopping when it is declined),
    // the grid loaded, the dialog, the Front view.
    void curveFittingRoad(const std::function<void()>& showDialog);
    void applyEnableState(bool twoD);
    void setMenuEnabled(const char* name, bool on);
    void SetToolbar2D();
    void SetToolbar3D();
    void List1_MouseDown(QMouseEvent* e);
    void buildToolbar();
    void setButtonEnabled(int index, bool on);
    void wireViewCommands();
    void wireFittingCommands();
    void wireGridCommands();
    void wireDialogCommands();
    void runCommand(const char* actionName);
    void setMouseMode(bool zoom, bool move, bool rotate);
    void setRotateMode(long mode);
    void setStandardView(double roll, double pitch, double yaw);
    void setDrawingMode(long mode);
    void SpinStep();

    // Splitter bars.
    void splitterReleased(SplitterBar* bar);

    // Twips <-> pixels of this screen.
    int toPixelsX(long twips) const;
    int toPixelsY(long twips) const;
    long toTwipsX(int pixels) const;
    long toTwipsY(int pixels) const;

    Options mOptions;
    bool mGLContext = false;
    bool mGLInitialized = false;
    bool mGLPainting = false;
    bool mFrameFresh = false;   // the framebuffer holds the frame Display just drew
    bool mQuietTick = false;    // addGraphLine's tick: the check handler draws nothing
    RedrawGate mRedraws;
    std::unique_ptr<platform::AccumBuffer> mAccum;
    std::unique_ptr<PolynomialFitHost> mFitHost;
    bool mSplitterDrag = false;
    long mSplitterX = 5220, mSplitter2Y = 0, mSplitter3Y = 0;

    QWidget* mClient = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    GridControl* Grid1 = nullptr;
    QWidget* mGridWidget = nullptr;     // the grid pane as placed by the layout
    QListWidget* List1 = nullptr;
    QPlainTextEdit* Result = nullptr;
    GLView* picDraw = nullptr;          // null when no OpenGL is available
    QWidget* picDrawWidget = nullptr;    // the drawing area, GL or the white stand-in
    SplitterBar* Splitter = nullptr;
    SplitterBar* Splitter2 = nullptr;
    SplitterBar* Splitter3 = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* FunEdit = nullptr;    // the graph list's popup
    QMenu* GraphEdit = nullptr;  // the drawing area's popup
    QMenu* mnuGE = nullptr;      // the grid's popup (GEdit)
    std::map<QString, QAction*> mActions;
    std::set<QString> mActionWired;
    std::array<QAction*, 27> mButtons{};   // toolbar buttons by index 1..26
    QString mHelpFile;
};
