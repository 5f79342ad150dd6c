#include "app/grid/grid_dialogs_column.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialog_kit/grid_dialogs_buttons.h"
#include "platform/cell_text.h"
#include "platform/grid_control.h"
#include "platform/msgbox.h"

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
    // Longer than a name may be, so a long name is refused, never cut.
    txtColTitle->setMaxLength(2 * platform::kMaxCellChars + 2);
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
    const std::string name = txtColTitle->text().toStdString();
    if (const auto fault = platform::CheckCellText(name); fault != platform::CellTextFault::None) {
        platform::MsgBox(platform::CellTextMessage(fault, 0, mActiveColumn), platform::MsgButtons::Ok,
                         platform::MsgIcon::Critical, "Error");
        return;
    }
    grid_.SetCellText(0, mActiveColumn, name);
    grid_.Refresh();
    accept();
}
