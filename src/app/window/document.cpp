// The document: new 2-D, 3-D and 4-D documents, the graph list whose check
// marks decide what is shown, Delete and Delete All, and the image commands.
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolBar>

#include "app/window/gl_view.h"
#include "state/globals.h"
#include "app/window/main_window.h"
#include "graph/graph.h"
#include "platform/common_dialog.h"
#include "platform/image_export.h"
#include "platform/msgbox.h"
#include "scene/axis.h"
#include "scene/light.h"
#include "document/scene.h"
#include "state/kinds.h"

namespace {
// Toolbar buttons and menu items a 2-D document disables.
constexpr int kOffIn2D[] = {6, 7, 8, 9, 14, 15, 16, 17, 19, 20, 21, 23};
constexpr const char* kMenusOffIn2D[] = {"mnuViewRotX",  "mnuViewRotY",  "mnuViewRotZ", "mnuViewRotate",
                                         "mnuViewFront", "mnuViewRight", "mnuViewTop",  "mnuViewISO",
                                         "mnuDrawLight", "mnuGraphLight"};
constexpr int kOnAlways[] = {1, 3, 4, 11, 12, 13, 24, 26};
constexpr const char* kMenusOnAlways[] = {"mnuGraphAxis", "mnuViewSet"};
}  // namespace

void frmF1::applyEnableState(bool twoD) {
    for (int i : kOnAlways) setButtonEnabled(i, true);
    for (int i : kOffIn2D) setButtonEnabled(i, !twoD);
    for (const char* n : kMenusOnAlways) setMenuEnabled(n, true);
    for (const char* n : kMenusOffIn2D) setMenuEnabled(n, !twoD);
}

void frmF1::SetToolbar2D() { applyEnableState(true); }
void frmF1::SetToolbar3D() { applyEnableState(false); }

void frmF1::setMenuEnabled(const char* name, bool on) {
    // An item whose command is not there stays disabled.
    QAction* a = action(QString::fromUtf8(name));
    if (a) a->setEnabled(on && mActionWired.count(a->objectName()));
}

bool frmF1::newDocument(long kind) {
    if (gGraphs->FunSurfs.Count() > 0) {
        const auto answer = platform::MsgBox("Save changes to file?", platform::MsgButtons::YesNoCancel,
                                             platform::MsgIcon::Exclamation, "Note");
        if (answer == platform::MsgResult::Yes) {
            mImageSaved = false;
            mnuFileSave_Click();
            if (!mImageSaved) return false;
        } else if (answer != platform::MsgResult::No) {
            return false;
        }
        DeleteAllGraphs();
        Result->clear();
        mImageSaved = false;
    }
    const bool threeD = kind != plot_kind::TwoD;
    if (threeD) {
        gLight->Position(0) = 100;
        gLight->Position(1) = 100;
        gScene->RotRoll = 0, gScene->RotPitch = -30, gScene->RotYaw = 45;
    } else {
        gScene->RotRoll = gScene->RotPitch = gScene->RotYaw = 0;
    }
    mModeZoom = mModeMove = mModeRotate = false;
    gPlotKind = kind;
    if (threeD) axisFrame().SetDefault();
    if (threeD) SetToolbar3D(); else SetToolbar2D();
    return true;
}

void frmF1::mnuFileNew2D() { newDocument(plot_kind::TwoD); }
void frmF1::mnuFileNew3D() { newDocument(plot_kind::ThreeD); }
void frmF1::mnuFileNew4D() { newDocument(plot_kind::FourD); }

bool frmF1::IsGraphShown(long id) const {
    for (const auto& e : gScene->FunSurfs)
        if (e.second->ID == id) return true;
    return false;
}

void frmF1::List1_ItemCheck() {
    const long n = gGraphs->FunSurfs.Count();
    for (long i = 1; i <= n && i - 1 < List1->count(); ++i) {
        const auto& g = gGraphs->FunSurfs.Item(i);
        const bool ticked = List1->item(static_cast<int>(i - 1))->checkState() == Qt::Checked;
        if (!ticked && IsGraphShown(g->ID)) {
            gScene->FunSurfs.Remove(Cls8::KeyOf(g->ID));
        } else if (ticked && !IsGraphShown(g->ID)) {
            gScene->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
        }
    }
    // A line being added draws nothing: its adder draws once for all its graphs.
    if (mQuietTick) {
        invalidatePicture();
        return;
    }
    DrawScene();
    Display(gAnimStep);
}

void frmF1::addGraphLine(const std::string& name) {
    // Adding the line and ticking it runs the check handler, as a user's tick
    // would, but without its redraw: a fit adds several graphs, then zooms to
    // fit, and the picture is compiled once for all of it.
    auto* item = new QListWidgetItem(QString::fromStdString(name));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    List1->addItem(item);
    mQuietTick = true;
    item->setCheckState(Qt::Checked);
    mQuietTick = false;
}

void frmF1::DeleteGraph(long index) {
    if (gGraphs->FunSurfs.Count() == 0) return;
    // With no current line there is no graph to delete.
    if (index < 1 || index > gGraphs->FunSurfs.Count()) return;
    const std::shared_ptr<Cls9> g = gGraphs->FunSurfs.Item(index);
    if (IsGraphShown(g->ID)) gScene->FunSurfs.Remove(Cls8::KeyOf(g->ID));
    gGraphs->FunSurfs.Remove(Cls8::KeyOf(g->ID));
    {
        const QSignalBlocker block(List1);
        delete List1->takeItem(static_cast<int>(index - 1));
        List1->setCurrentRow(-1);
    }
    DrawScene();
    Display(gAnimStep);
}

void frmF1::DeleteAllGraphs() {
    gScene->FunSurfs.Clear();
    gGraphs->FunSurfs.Clear();
    {
        const QSignalBlocker block(List1);
        List1->clear();
    }
    gGraphCounter = 0;
    DrawScene();
    Display(gAnimStep);
}

void frmF1::mnuEditDelete_Click() { DeleteGraph(List1->currentRow() + 1); }
void frmF1::mnuEditDelAll_Click() { DeleteAllGraphs(); }

void frmF1::List1_MouseDown(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) FunEdit->popup(e->globalPosition().toPoint());
}

void frmF1::mnuFileSave_Click() {
    platform::CommonDialog dlgSave;
    dlgSave.FileName.clear();
    dlgSave.CancelError = false;
    dlgSave.Filter = "*.bmp|*.bmp";
    dlgSave.DialogTitle = "Save";
    if (!dlgSave.ShowSave() || dlgSave.FileName.empty()) return;
    if (!picDraw || !picDraw->makeContextCurrent()) return;
    // The picture as shown, drawn once more from its compiled lists in the
    // drawing area's own context: outside a paint another context may be
    // current, and the paint handler would draw into that one.
    if (mGLInitialized) renderFrame();
    // Counts as saved only when the file was written completely.
    if (platform::saveImage(dlgSave.FileName, picDraw->pixelWidth(), picDraw->pixelHeight())) mImageSaved = true;
    picDraw->doneCurrent();
}

void frmF1::mnuEditCopyAs_Click() {
    if (!picDraw || !picDraw->makeContextCurrent()) return;
    platform::copyImageToClipboard(gScene->FunSurfs.Count() > 0, picDraw->pixelWidth(), picDraw->pixelHeight());
    picDraw->doneCurrent();
}
