// The data grid's File menu items and its popup, wired to the grid commands.
#include <QMenu>

#include "app/grid/grid_commands.h"
#include "app/window/main_window.h"
#include "platform/grid_control.h"

void frmF1::wireGridCommands() {
    GridControl& g = *Grid1;
    connectAction("mnuFileNew", [&g] { mnuFileNew_Click(g); });
    connectAction("mnuFileOpen", [&g] { mnuFileOpen_Click(g); });
    connectAction("mnuFileSaveData", [&g] { mnuFileSaveData_Click(g); });
    connectAction("mnuFileSaveDataAs", [&g] { mnuFileSaveDataAs_Click(g); });
    connectAction("mnuGESet", [this, &g] { mnuGESet_Click(g, this); });
    connectAction("mnuGEVar", [this, &g] { mnuGEVar_Click(g, this); });
    connectAction("mnuGECut", [&g] { mnuGECut_Click(g); });
    connectAction("mnuGECopy", [&g] { mnuGECopy_Click(g); });
    connectAction("mnuGEPaste", [&g] { mnuGEPaste_Click(g); });
    connectAction("mnuGEDel", [&g] { mnuGEDel_Click(g); });
    connectAction("mnuGEInsertRow", [&g] { mnuGEInsertRow_Click(g); });
    connectAction("mnuGEInsertCol", [&g] { mnuGEInsertCol_Click(g); });
    connectAction("mnuGEDelRow", [&g] { mnuGEDelRow_Click(g); });
    connectAction("mnuGEDelCol", [&g] { mnuGEDelCol_Click(g); });
    connect(Grid1, &GridControl::MouseDown, this,
            [this](int button, int shift, int x, int y) { Grid1_MouseDown(*Grid1, *mnuGE, button, shift, x, y); });
}
