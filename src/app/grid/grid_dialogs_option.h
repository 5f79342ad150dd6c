#pragma once
// frmOption: the grid settings dialog ("Options"): the grid's numbers of rows
// and columns.
#include <QDialog>

class QLineEdit;
class QPushButton;
namespace platform {
class GridControl;
}

class frmOption : public QDialog {
    Q_OBJECT
public:
    explicit frmOption(platform::GridControl& grid, QWidget* parent = nullptr);

    QLineEdit* Text1;    // number of rows
    QLineEdit* Text2;    // number of columns
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    void cmdOK_Click();

private:
    platform::GridControl& grid_;
};
