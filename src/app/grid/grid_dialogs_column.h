#pragma once
// frmColumn: the variable name dialog ("Set Variables"): the name of the
// grid column of the active cell.
#include <QDialog>

class QLineEdit;
class QPushButton;
namespace platform {
class GridControl;
}

class frmColumn : public QDialog {
    Q_OBJECT
public:
    explicit frmColumn(platform::GridControl& grid, QWidget* parent = nullptr);

    QLineEdit* txtColTitle;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    long mActiveColumn;

    void cmdOK_Click();

private:
    platform::GridControl& grid_;
};
