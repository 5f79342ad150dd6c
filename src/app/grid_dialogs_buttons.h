#pragma once
// The OK and Cancel row of the grid's small dialogs: buttons named cmdOK and
// cmdCancel, OK the default; Cancel (as Esc) rejects the dialog.
class QDialog;
class QHBoxLayout;
class QPushButton;

struct OkCancelRow {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* row;
};

OkCancelRow makeOkCancelRow(QDialog* dialog);
