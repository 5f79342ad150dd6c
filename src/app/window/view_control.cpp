// View control: mouse drags on the drawing area (zoom, rotate, move), the
// View menu, the standard views, zoom to fit and the toolbar.
#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>

#include "app/window/gl_view.h"
#include "state/globals.h"
#include "app/window/layout_model.h"
#include "app/window/main_window.h"
#include "graph/graph.h"
#include "platform/msgbox.h"
#include "scene/camera.h"
#include "document/scene.h"

namespace {
struct Button {
    int index;
    const char* key;
    const char* tooltip;
    const char* status;
    const char* icon;   // our drawing: :/icons/<icon>.svg
    const char* theme;  // the freedesktop name of the action, when there is one
};
// Separators (2, 5, 10, 18, 22, 25) have no entry.
constexpr Button kButtons[] = {
    {1, "barSaveBMP", "Save Image As BMP File", "Save image as bmp file", "save-image", "document-save-as"},
    {3, "barCopyBMP", "Copy Image As BMP", "Copy image as bmp", "copy-image", "edit-copy"},
    {4, "barDelete", "Delete A Graph", "Delete a graph", "delete-graph", "edit-delete"},
    {6, "barViewFront", "View From The Front", "View from the front", "view-front", nullptr},
    {7, "barViewRight", "View From The Right", "View from the right", "view-right", nullptr},
    {8, "barViewTop", "View From The Top", "View from the top", "view-top", nullptr},
    {9, "barViewISO", "View ISO", "View ISO", "view-iso", nullptr},
    {11, "barMove", "Move The Scene", "Move the scene", "move", nullptr},
    // A mode (the drag zooms either way), not the one step of the theme's zoom-in.
    {12, "barZoom", "Zoom In Or Zoom Out", "Zoom in or zoom out", "zoom", nullptr},
    {13, "barZoomAll", "Zoom To Fit", "Zoom to fit", "zoom-fit", "zoom-fit-best"},
    {14, "barRotX", "Rotate About X Axis", "Rotate about x axis", "rotate-x", nullptr},
    {15, "barRotY", "Rotate About Y Axis", "Rotate about y axis", "rotate-y", nullptr},
    {16, "barRotZ", "Rotate About Z Axis", "Rotate about z axis", "rotate-z", nullptr},
    {17, "barTrackBall", "Track Ball", "Rotate the scene", "trackball", nullptr},
    {19, "barModelPoint", "Point Model", "Point model", "model-point", nullptr},
    {20, "barModelGrid", "Grid Model", "Line model", "model-grid", nullptr},
    {21, "barModelSur", "Surface Model", "Surface model", "model-surface", nullptr},
    {23, "barLight", "Light", "Set light properties", "light", nullptr},
    {24, "barAxis", "Axis", "Set axis properties", "axis", nullptr},
    {26, "barHelp", "Help", "Help", "help", "help-contents"},
};
constexpr int kSeparators[] = {2, 5, 10, 18, 22, 25};

// The menu command behind the light, axis and help buttons.
const char* menuCommandOf(int index) {
    switch (index) {
        case 23: return "mnuDrawLight";
        case 24: return "mnuDrawAxis";
        case 26: return "mnuHelpCon";
        default: return nullptr;
    }
}

// The desktop theme's picture where it names the action, ours otherwise. The
// SVG scales to any icon size and screen density.
QIcon buttonIcon(const Button& b) {
    QIcon ours(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(b.icon)));
    return b.theme ? QIcon::fromTheme(QLatin1String(b.theme), ours) : ours;
}
}  // namespace

void frmF1::buildToolbar() {
    // The icons live in a static library: register them before the first use.
    Q_INIT_RESOURCE(icons);
    mButtons.fill(nullptr);
    int next = 0;
    for (int index = 1; index <= 26; ++index) {
        bool sep = false;
        for (int s : kSeparators) sep = sep || s == index;
        if (sep) {
            mButtons[index] = Toolbar1->addSeparator();
            continue;
        }
        const Button& b = kButtons[next++];
        QAction* a = Toolbar1->addAction(buttonIcon(b), QString::fromUtf8(b.tooltip));
        a->setObjectName(QString::fromUtf8(b.key));
        a->setToolTip(QString::fromUtf8(b.tooltip));
        a->setStatusTip(QString::fromUtf8(b.status));
        a->setData(index);
        mButtons[index] = a;
        connect(a, &QAction::triggered, this, [this, index] { Toolbar1_ButtonClick(index); });
    }
    Toolbar1->setMouseTracking(true);
    Toolbar1->installEventFilter(this);
}

void frmF1::setButtonEnabled(int index, bool on) {
    if (index < 1 || index > 26 || !mButtons[index]) return;
    // A button that runs a menu command stays off while that command is not there.
    const char* command = menuCommandOf(index);
    if (command && !mActionWired.count(QString::fromUtf8(command))) on = false;
    mButtons[index]->setEnabled(on);
}

QAction* frmF1::toolbarButton(int index) const { return index >= 1 && index <= 26 ? mButtons[index] : nullptr; }

void frmF1::Toolbar1_MouseMove(const QPoint& pos) {
    QAction* a = Toolbar1->actionAt(pos);
    const QString text = a && !a->isSeparator() ? a->statusTip() : QString();
    StatusBar1->showMessage(text.isEmpty() ? QStringLiteral("Ready") : text);
}

bool frmF1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Toolbar1 && (event->type() == QEvent::MouseMove || event->type() == QEvent::HoverMove)) {
        const QPoint pos = event->type() == QEvent::MouseMove
                               ? static_cast<QMouseEvent*>(event)->position().toPoint()
                               : static_cast<QHoverEvent*>(event)->position().toPoint();
        Toolbar1_MouseMove(pos);
    }
    if (watched == List1->viewport() && event->type() == QEvent::MouseButtonPress)
        List1_MouseDown(static_cast<QMouseEvent*>(event));
    // The status tips of the actions would overwrite the panel text: keep ours.
    if (event->type() == QEvent::StatusTip) return true;
    return QMainWindow::eventFilter(watched, event);
}

void frmF1::Toolbar1_ButtonClick(int index) {
    switch (index) {
        case 1: mnuFileSave_Click(); break;
        case 3: mnuEditCopyAs_Click(); break;
        case 4: mnuEditDelete_Click(); break;
        case 6: mnuViewFront_Click(); break;
        case 7: setStandardView(0, 0, 90); break;
        case 8: setStandardView(0, -90, 0); break;
        case 9: setStandardView(0, -30, 45); break;
        case 11: setMouseMode(false, true, false); break;
        case 12: setMouseMode(true, false, false); break;
        case 13: mnuViewFit_Click(); break;
        case 14: setRotateMode(2); break;
        case 15: setRotateMode(3); break;
        case 16: setRotateMode(4); break;
        case 17: setRotateMode(1); break;
        case 19: case 20: case 21: setDrawingMode(index - 18); break;
        default:
            if (const char* command = menuCommandOf(index)) runCommand(command);
            break;
    }
}

void frmF1::runCommand(const char* actionName) {
    if (QAction* a = action(QString::fromUtf8(actionName)); a && a->isEnabled()) a->trigger();
}

void frmF1::setMouseMode(bool zoom, bool move, bool rotate) {
    mModeZoom = zoom;
    mModeMove = move;
    mModeRotate = rotate;
}

void frmF1::setRotateMode(long mode) {
    gRotateMode = mode;
    setMouseMode(false, false, true);
}

void frmF1::setStandardView(double roll, double pitch, double yaw) {
    gScene->RotRoll = roll;
    gScene->RotPitch = pitch;
    gScene->RotYaw = yaw;
    mUseTrackball = false;
    DrawScene();
    Display(gAnimStep);
}

void frmF1::mnuViewFront_Click() { setStandardView(0, 0, 0); }

void frmF1::setDrawingMode(long mode) {
    if (gScene->FunSurfs.Count() == 0) return;
    const int row = List1->currentRow();
    QListWidgetItem* item = row >= 0 ? List1->item(row) : nullptr;
    if (!item || item->checkState() != Qt::Checked) {
        platform::MsgBox("Select a function first.", platform::MsgButtons::Ok, platform::MsgIcon::Exclamation,
                         "Warning");
        return;
    }
    if (row + 1 > gGraphs->FunSurfs.Count()) return;
    const long id = gGraphs->FunSurfs.Item(row + 1)->ID;
    for (const auto& e : gScene->FunSurfs) {
        if (e.second->ID == id) {
            e.second->Show = mode;
            break;
        }
    }
    DrawScene();
    Display(gAnimStep);
}

void frmF1::mnuViewFit_Click() {
    if (gScene->FunSurfs.Count() == 0) return;
    // The centre the picture is compiled around, taken here: the zoom needs
    // no compile before it, so zoom and redraw are one compile.
    const Cls1 box = updateSceneCenter();
    double x0 = box.MinX - gSceneScaleX * gSceneCenterX, x1 = box.MaxX - gSceneScaleX * gSceneCenterX;
    double y0 = box.MinY - gSceneScaleY * gSceneCenterY, y1 = box.MaxY - gSceneScaleY * gSceneCenterY;
    double z0 = box.MinZ - gSceneScaleZ * gSceneCenterZ, z1 = box.MaxZ - gSceneScaleZ * gSceneCenterZ;
    gCamera->ZoomAll(x0, y0, z0, x1, y1, z1);
    gCamera->Zoom(2.5);
    gCamera->MoveView(-0.07, 0);
    DrawScene();
    Display(gAnimStep);
}

void frmF1::picDraw_MouseDown(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        mLastX = e->position().x();
        mLastY = e->position().y();
        mSpinning = false;
    } else if (e->button() == Qt::RightButton) {
        const bool any = gGraphs->FunSurfs.Count() > 0;
        for (const char* n : {"mnuFunEdit", "mnuGraphCopyAs", "mnuGraphDelAll"}) setMenuEnabled(n, any);
        GraphEdit->popup(e->globalPosition().toPoint());
    }
}

void frmF1::picDraw_MouseMove(QMouseEvent* e) {
    mViewHeight = layout::roundHalfEven(drawingWidget()->height());
    mViewWidth = layout::roundHalfEven(drawingWidget()->width());
    if (e->buttons() != Qt::LeftButton || mViewWidth <= 0 || mViewHeight <= 0) return;
    mDragging = mModeZoom || mModeRotate || mModeMove;
    const double X = e->position().x(), Y = e->position().y();
    const double w = static_cast<double>(mViewWidth), h = static_cast<double>(mViewHeight);
    if (mModeZoom) {
        mZoomFactor = 1 - (mLastY - Y) / h;
        mLastX = X;
        mLastY = Y;
        gCamera->Zoom(mZoomFactor);
        DrawView();
        Display(gAnimStep);
    }
    if (mModeRotate) {
        const double x1 = (2 * mLastX - w) / w, y1 = (h - 2 * mLastY) / h;
        const double x2 = (2 * X - w) / w, y2 = (h - 2 * Y) / h;
        Trackball(mStepQuat, x1, y1, x2, y2);
        mUseTrackball = true;
        SpinStep();
        mLastX = X;
        mLastY = Y;
    }
    if (mModeMove) {
        const double dx = (X - mLastX) / w, dy = (mLastY - Y) / h;
        gCamera->MoveView(dx, dy);
        mLastX = X;
        mLastY = Y;
        DrawView();
        Display(gAnimStep);
    }
}

void frmF1::picDraw_MouseUp(QMouseEvent*) {
    // The drag drew single passes; the view at rest gets its averaged picture.
    if (mDragging) {
        mDragging = false;
        DrawView();
        Display(gAnimStep);
    }
}

void frmF1::SpinStep() {
    MultiplyQuats(mStepQuat, mRotationQuat, mRotationQuat);
    DrawView();
    Display(gAnimStep);
}

void frmF1::wireViewCommands() {
    connectAction("mnuViewMove", [this] { setMouseMode(false, true, false); });
    connectAction("mnuViewZoom", [this] { setMouseMode(true, false, false); });
    connectAction("mnuViewFit", [this] { mnuViewFit_Click(); });
    connectAction("mnuViewRotX", [this] { setRotateMode(2); });
    connectAction("mnuViewRotY", [this] { setRotateMode(3); });
    connectAction("mnuViewRotZ", [this] { setRotateMode(4); });
    connectAction("mnuViewRotate", [this] { setRotateMode(1); });
    connectAction("mnuViewFront", [this] { mnuViewFront_Click(); });
    connectAction("mnuViewRight", [this] { setStandardView(0, 0, 90); });
    connectAction("mnuViewTop", [this] { setStandardView(0, -90, 0); });
    connectAction("mnuViewISO", [this] { setStandardView(0, -30, 45); });
    connectAction("mnuFileSave", [this] { mnuFileSave_Click(); });
    connectAction("mnuEditCopyAs", [this] { mnuEditCopyAs_Click(); });
    connectAction("mnuGraphCopyAs", [this] { mnuEditCopyAs_Click(); });
    connectAction("mnuEditDelete", [this] { mnuEditDelete_Click(); });
    connectAction("mnuEditDelAll", [this] { mnuEditDelAll_Click(); });
    connectAction("mnuFunDelete", [this] { mnuEditDelete_Click(); });
    connectAction("mnuFunDelAll", [this] { DeleteAllGraphs(); });
    connectAction("mnuGraphDelAll", [this] { DeleteAllGraphs(); });
    if (picDraw) {
        picDraw->onMousePress = [this](QMouseEvent* e) { picDraw_MouseDown(e); };
        picDraw->onMouseMove = [this](QMouseEvent* e) { picDraw_MouseMove(e); };
        picDraw->onMouseRelease = [this](QMouseEvent* e) { picDraw_MouseUp(e); };
    }
    List1->viewport()->installEventFilter(this);
    connect(List1, &QListWidget::itemChanged, this, [this](QListWidgetItem*) { List1_ItemCheck(); });
}
