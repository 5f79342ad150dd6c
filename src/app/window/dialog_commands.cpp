// The commands that open the axis, light and view dialogs, and the Help menu.
#include <QAction>

#include "app/help/about_dialog.h"
#include "app/scene_dialogs/axis2d_dialog.h"
#include "app/scene_dialogs/axis3d_dialog.h"
#include "app/help/help.h"
#include "app/scene_dialogs/light_dialog.h"
#include "app/window/main_window.h"
#include "app/scene_dialogs/view_dialog.h"
#include "state/globals.h"
#include "state/kinds.h"

void frmF1::mnuDrawAxis_Click() {
    if (plot_kind::isTwoD(gPlotKind)) {
        frmF20 dialog(this);
        dialog.exec();
    } else {
        frmF3 dialog(this);
        dialog.exec();
    }
    if (gAxisDialogResult) {
        DrawScene();
        Display(gAnimStep);
        gAxisDialogResult = false;
    }
}

// The light and the projection are compiled into the picture, so their OK
// redraws it.
void frmF1::mnuDrawLight_Click() {
    frmF8 dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    DrawScene();
    Display(gAnimStep);
}

void frmF1::mnuViewSet_Click() {
    frmF14 dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    DrawScene();
    Display(gAnimStep);
}

void frmF1::mnuHelpCon_Click() { OpenHelp(mHelpFile.toStdString()); }
void frmF1::mnuHelpHome_Click() { ShowNoWebPage(mHelpFile.toStdString()); }
void frmF1::mnuHelpCus_Click() { ShowNoWebPage(mHelpFile.toStdString()); }

void frmF1::mnuHelpAbout_Click() {
    frmF2 dialog(mHelpFile.toStdString(), this);
    dialog.exec();
}

void frmF1::wireDialogCommands() {
    connectAction("mnuDrawAxis", [this] { mnuDrawAxis_Click(); });
    connectAction("mnuGraphAxis", [this] { mnuDrawAxis_Click(); });
    connectAction("mnuDrawLight", [this] { mnuDrawLight_Click(); });
    connectAction("mnuGraphLight", [this] { mnuDrawLight_Click(); });
    connectAction("mnuFunEdit", [this] { mnuFunEdit_Click(); });
    connectAction("mnuViewSet", [this] { mnuViewSet_Click(); });
    connectAction("mnuHelpCon", [this] { mnuHelpCon_Click(); });
    connectAction("mnuHelpHome", [this] { mnuHelpHome_Click(); });
    connectAction("mnuHelpCus", [this] { mnuHelpCus_Click(); });
    connectAction("mnuHelpAbout", [this] { mnuHelpAbout_Click(); });
}
