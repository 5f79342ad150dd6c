#pragma once
// The OK and Cancel row of the small dialogs: buttons named cmdOK and
// cmdCancel unless named otherwise, OK the default; Cancel (as Esc) rejects
// the dialog.
class QDialog;
class QHBoxLayout;
class QPushButton;

struct OkCancelRow {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* row;
};

OkCancelRow makeOkCancelRow(QDialog* dialog, const char* okName = "cmdOK", const char* cancelName = "cmdCancel");
