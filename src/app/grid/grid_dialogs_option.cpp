#include "app/grid/grid_dialogs_option.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/dialog_kit/grid_dialogs_buttons.h"
#include "app/dialog_kit/grid_number.h"
#include "platform/grid_control.h"
#include "platform/msgbox.h"

frmOption::frmOption(platform::GridControl& grid, QWidget* parent)
    : QDialog(parent),
      Text1(new QLineEdit(this)),
      Text2(new QLineEdit(this)),
      grid_(grid) {
    const OkCancelRow buttons = makeOkCancelRow(this);
    cmdOK = buttons.ok;
    cmdCancel = buttons.cancel;
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("Options"));
    Text1->setObjectName(QStringLiteral("Text1"));
    Text2->setObjectName(QStringLiteral("Text2"));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Number of rows:"), Text1);
    form->addRow(QStringLiteral("Number of columns:"), Text2);
    form->addRow(buttons.row);
    connect(cmdOK, &QPushButton::clicked, this, &frmOption::cmdOK_Click);
    Text1->setText(QString::number(grid_.Rows()));
    Text2->setText(QString::number(grid_.Cols()));
}

void frmOption::cmdOK_Click() {
    long rows = 0, cols = 0;
    if (!GridSizeFromText(Text1->text().toStdString(), rows) || !GridSizeFromText(Text2->text().toStdString(), cols)) {
        platform::MsgBox("The number of rows or columns of the grid must be a value between 1 and 65536.",
                         platform::MsgButtons::Ok, platform::MsgIcon::Critical, "Error");
        return;
    }
    grid_.SetRows(rows);
    grid_.SetCols(cols);
    accept();
}
