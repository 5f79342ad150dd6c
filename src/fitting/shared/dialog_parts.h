#pragma once
// Pieces every fitting dialog is made of: its window frame, buttons that
// never answer Enter, the list of grid columns and the one-line variable
// slots with their ">>"/"<<" buttons.
#include <QString>

#include "fitting/common/fitting_data.h"

class QDialog;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

// A fixed window with a close box and no minimise or maximise box; its size
// follows its layout.
void SetFixedDialogFrame(QDialog* dialog, const char* objectName, const char* caption);

// A button with its object name that Enter never presses.
QPushButton* MakeDialogButton(QWidget* parent, const char* objectName, const QString& caption);

// A label with its object name.
QLabel* MakeLabel(QWidget* parent, const char* objectName, const QString& caption);

// A list box one line tall: a variable slot holds one column at the most.
QListWidget* MakeSlotList(QWidget* parent, const char* objectName);

// FillColumnList: the names of the grid columns 1 .. gGridColumnCount in
// column order, each line knowing its column; the first line selected.
void FillColumnList(QListWidget* columns);

// ToggleVariableSlot: with the caption ">>" the selected column moves from
// the column list to the end of the slot (nothing when the list is empty),
// the caption becomes "<<", the list's selection stays at its place (or the
// new last line) and the slot's goes to the moved line; with any other
// caption the slot's selected column goes back to the end of the column list
// and is selected there, and the caption becomes ">>" (nothing when the slot
// is empty).
void ToggleVariableSlot(QPushButton* button, QListWidget* columns, QListWidget* slot);

// The column a slot holds (its name and the grid column it was listed
// under); an empty name when the slot is empty.
ChosenColumn SlotColumn(const QListWidget* slot);
