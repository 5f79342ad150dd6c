#include "app/grid/grid_commands.h"

#include <QCoreApplication>
#include <QMenu>
#include <filesystem>

#include "app/grid/grid_dialogs_column.h"
#include "app/grid/grid_dialogs_option.h"
#include "app/grid/grid_loader.h"
#include "platform/common_dialog.h"
#include "platform/grid_control.h"
#include "platform/msgbox.h"

using platform::GridControl;
using platform::MsgBox;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

constexpr const char* kCelFilter = "(*.cel)|*.cel";

std::string trimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Save Data and Save Data As differ only in the dialog's title. True when
// the grid was saved.
bool saveData(GridControl& grid, const char* title) {
    platform::CommonDialog dlgSave;
    dlgSave.Filter = kCelFilter;
    dlgSave.FileName.clear();
    dlgSave.DialogTitle = title;
    dlgSave.ShowSave();
    const std::string name = dlgSave.FileName;  // with the filter's extension when none was typed
    if (name.empty()) return false;
    std::error_code ec;
    if (std::filesystem::exists(name, ec) &&
        MsgBox("File " + name + " exists already, would you like to override it?", MsgButtons::YesNo,
               MsgIcon::Question, "Note") != platform::MsgResult::Yes)
        return false;
    // A failed save has told the user already (GridControl::SaveFile).
    if (!grid.SaveFile(name)) return false;
    MsgBox("Save successful!", MsgButtons::Ok, MsgIcon::Exclamation, "Note");
    return true;
}

}  // namespace

bool LoadGridData(const platform::SparseGrid& grid) {
    std::string message;
    switch (LoadGridValues(grid, message)) {
        case GridLoad::Loaded: return true;
        case GridLoad::Empty: MsgBox(message); return false;
        case GridLoad::TooLarge: MsgBox(message, MsgButtons::Ok, MsgIcon::Critical, "Error"); return false;
    }
    return false;
}

bool LoadGridData(const GridControl& grid) { return LoadGridData(grid.Store()); }

bool GridDataMayBeDiscarded(GridControl& grid) {
    if (!grid.Modified()) return true;
    switch (MsgBox(kSaveGridQuestion, MsgButtons::YesNoCancel, MsgIcon::Exclamation, "Note")) {
        case platform::MsgResult::Yes: return saveData(grid, "Save");
        case platform::MsgResult::No: return true;
        default: return false;
    }
}

void mnuFileNew_Click(GridControl& grid) {
    if (!GridDataMayBeDiscarded(grid)) return;
    grid.SetAutoRedraw(false);
    grid.Clear();
    grid.SetShowRowNumbers(true);
    grid.SetShowGridLines(true);
    for (long i = 1; i < grid.Cols(); ++i) grid.SetCellText(0, i, "Var" + std::to_string(i));
    grid.SetAutoRedraw(true);
    grid.Refresh();
    grid.SetUnmodified();
}

void mnuFileOpen_Click(GridControl& grid) {
    platform::CommonDialog dlgSave;
    dlgSave.Filter = kCelFilter;
    dlgSave.Flags = 4;
    dlgSave.DialogTitle = "Open";
    dlgSave.FileName.clear();
    dlgSave.ShowOpen();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);  // the window repaints
    const std::string name = trimBlanks(dlgSave.FileName);
    // A name of nothing does nothing; a folder, pipe or device is refused
    // with a message by the load, before anything is read.
    std::error_code ec;
    if (name.empty() || !std::filesystem::exists(name, ec)) return;
    if (!GridDataMayBeDiscarded(grid)) return;
    grid.LoadFile(name);
}

void mnuFileSaveData_Click(GridControl& grid) { saveData(grid, "Save"); }
void mnuFileSaveDataAs_Click(GridControl& grid) { saveData(grid, "Save As"); }

void mnuGESet_Click(GridControl& grid, QWidget* parent) {
    frmOption dialog(grid, parent);
    dialog.exec();
}

void mnuGEVar_Click(GridControl& grid, QWidget* parent) {
    frmColumn dialog(grid, parent);
    dialog.exec();
}

void mnuGECut_Click(GridControl& grid) { grid.SelectionCut(); }
void mnuGECopy_Click(GridControl& grid) { grid.SelectionCopy(); }
void mnuGEPaste_Click(GridControl& grid) { grid.SelectionPaste(); }
void mnuGEDel_Click(GridControl& grid) { grid.SelectionDeleteContents(); }
void mnuGEInsertRow_Click(GridControl& grid) { grid.SelectionInsertRow(); }
void mnuGEInsertCol_Click(GridControl& grid) { grid.SelectionInsertCol(); }
void mnuGEDelRow_Click(GridControl& grid) { grid.SelectionDeleteRow(); }
void mnuGEDelCol_Click(GridControl& grid) { grid.SelectionDeleteCol(); }

bool GridPopupWanted(const GridControl& grid, int button, int x, int y) {
    return button == 2 && x > grid.ColumnWidth(0) && y > grid.RowHeight(0);
}

void Grid1_MouseDown(GridControl& grid, QMenu& mnuGE, int button, int /*shift*/, int x, int y) {
    if (!GridPopupWanted(grid, button, x, y)) return;
    mnuGE.popup(grid.mapToGlobal(QPoint(x + grid.frameWidth(), y + grid.frameWidth())));
}
