#include "app/dialog_kit/grid_dialogs_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

OkCancelRow makeOkCancelRow(QDialog* dialog, const char* okName, const char* cancelName) {
    OkCancelRow r{new QPushButton(QStringLiteral("OK"), dialog), new QPushButton(QStringLiteral("Cancel"), dialog),
                  new QHBoxLayout};
    r.ok->setObjectName(QString::fromUtf8(okName));
    r.cancel->setObjectName(QString::fromUtf8(cancelName));
    r.ok->setDefault(true);
    r.row->addStretch();
    r.row->addWidget(r.ok);
    r.row->addWidget(r.cancel);
    QObject::connect(r.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return r;
}
