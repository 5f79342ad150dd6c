#include "app/grid_dialogs_column.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/grid_dialogs_buttons.h"
#include "platform/grid_control.h"

frmColumn::frmColumn(platform::GridControl& grid, QWidget* parent)
    : QDialog(parent),
      txtColTitle(new QLineEdit(this)),
      mActiveColumn(grid.ActiveCellCol()),
      grid_(grid) {
    const OkCancelRow buttons = makeOkCancelRow(this);  // Esc presses Cancel
    cmdOK = buttons.ok;
    cmdCancel = buttons.cancel;
    setObjectName(QStringLiteral("frmColumn"));
    txtColTitle->setObjectName(QStringLiteral("txtColTitle"));
    auto* box = new QVBoxLayout(this);
    box->addWidget(new QLabel(QStringLiteral("Variable Name:"), this));
    box->addWidget(txtColTitle);
    box->addLayout(buttons.row);
    connect(cmdOK, &QPushButton::clicked, this, &frmColumn::cmdOK_Click);
    setWindowTitle(QStringLiteral("Set Variables - Column ") + QString::number(mActiveColumn));
    // A grid without data columns has no name to edit.
    const bool hasColumn = mActiveColumn >= 1 && mActiveColumn < grid_.Cols();
    if (hasColumn) txtColTitle->setText(QString::fromStdString(grid_.CellText(0, mActiveColumn)));
    cmdOK->setEnabled(hasColumn);
}

void frmColumn::cmdOK_Click() {
    grid_.SetCellText(0, mActiveColumn, txtColTitle->text().toStdString());
    grid_.Refresh();
    accept();
}
