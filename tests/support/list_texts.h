#pragma once
// The lines of a list box, for comparing with what a dialog should show.
#include <QListWidget>
#include <QStringList>

inline QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}
