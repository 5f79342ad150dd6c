#pragma once
// The data grid's commands: the File menu's data items, the grid's popup
// menu mnuGE and the grid loader with its messages. Free functions the main
// window calls from its handlers of the same names.
class QMenu;
class QWidget;
namespace platform {
class GridControl;
}

// Before changed grid data would be thrown away (New Data, Open Data, Exit,
// the window's close box): when the grid changed since it was last opened,
// saved or cleared, asks kSaveGridQuestion with Yes, No and Cancel. Yes saves
// first and goes on only when the save succeeded; No goes on; Cancel (or the
// box closed) stops. True when the command may go on.
inline constexpr const char* kSaveGridQuestion = "The grid data have changed. Save changes to file?";
bool GridDataMayBeDiscarded(platform::GridControl& grid);

// File menu.
void mnuFileNew_Click(platform::GridControl& grid);          // "New Data"
void mnuFileOpen_Click(platform::GridControl& grid);         // "Open Data ..."
void mnuFileSaveData_Click(platform::GridControl& grid);     // "Save Data ..."
void mnuFileSaveDataAs_Click(platform::GridControl& grid);   // "Save Data As ..."

// The grid's popup.
void mnuGESet_Click(platform::GridControl& grid, QWidget* parent);  // "Settings...": frmOption
void mnuGEVar_Click(platform::GridControl& grid, QWidget* parent);  // "Set Variables...": frmColumn
void mnuGECut_Click(platform::GridControl& grid);
void mnuGECopy_Click(platform::GridControl& grid);
void mnuGEPaste_Click(platform::GridControl& grid);
void mnuGEDel_Click(platform::GridControl& grid);
void mnuGEInsertRow_Click(platform::GridControl& grid);
void mnuGEInsertCol_Click(platform::GridControl& grid);
void mnuGEDelRow_Click(platform::GridControl& grid);
void mnuGEDelCol_Click(platform::GridControl& grid);

// The grid's MouseDown: a right press over the data cells (not over the
// names or the row numbers) pops mnuGE up at the mouse.
bool GridPopupWanted(const platform::GridControl& grid, int button, int x, int y);
void Grid1_MouseDown(platform::GridControl& grid, QMenu& mnuGE, int button, int shift, int x, int y);
