#include "fitting/shared/dialog_parts.h"

#include <QDialog>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "state/globals.h"

namespace {

// The grid column a list line stands for, kept with the line so that equal
// column names stay apart.
constexpr int kColumnRole = Qt::UserRole;

}  // namespace

void SetFixedDialogFrame(QDialog* dialog, const char* objectName, const char* caption) {
    dialog->setObjectName(objectName);
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    if (dialog->layout()) dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* MakeDialogButton(QWidget* parent, const char* objectName, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

QLabel* MakeLabel(QWidget* parent, const char* objectName, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(objectName);
    return label;
}

QListWidget* MakeSlotList(QWidget* parent, const char* objectName) {
    auto* list = new QListWidget(parent);
    list->setObjectName(objectName);
    list->setFixedHeight(list->fontMetrics().height() + 2 * list->frameWidth() + 6);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

void FillColumnList(QListWidget* columns) {
    columns->clear();
    const long count = std::min(gGridColumnCount, static_cast<long>(gGridColumnNames.size()) - 1);
    for (long i = 1; i <= count; ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(gGridColumnNames[static_cast<std::size_t>(i)]));
        item->setData(kColumnRole, static_cast<qlonglong>(i));
        columns->addItem(item);
    }
    if (columns->count() > 0) columns->setCurrentRow(0);
}

void ToggleVariableSlot(QPushButton* button, QListWidget* columns, QListWidget* slot) {
    if (button->text() == ">>") {
        if (columns->count() == 0) return;
        button->setText("<<");
        const int k = std::max(columns->currentRow(), 0);
        QListWidgetItem* item = columns->takeItem(k);
        slot->addItem(item);
        if (columns->count() > 0) columns->setCurrentRow(k < columns->count() ? k : k - 1);
        slot->setCurrentItem(item);
    } else {
        if (slot->count() == 0) return;
        button->setText(">>");
        const int k = std::max(slot->currentRow(), 0);
        QListWidgetItem* item = slot->takeItem(k);
        if (slot->count() > 0) slot->setCurrentRow(k < slot->count() ? k : k - 1);
        columns->addItem(item);
        columns->setCurrentItem(item);
    }
}

ChosenColumn SlotColumn(const QListWidget* slot) {
    if (slot->count() == 0) return {};
    const QListWidgetItem* item = slot->item(0);
    return {item->text().toStdString(), static_cast<long>(item->data(kColumnRole).toLongLong())};
}
