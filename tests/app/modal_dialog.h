#pragma once
// Driving a modal dialog of the main window as a user would: the steps run
// once the dialog shows (its exec() is running); a dialog they leave open is
// cancelled afterwards, so no test can block on it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <functional>

#include "support/when_shown.h"

template <class D>
void whenModal(std::function<void(D*)> steps) {
    whenShown<D>([steps](D* d) {
        steps(d);
        if (auto* still = qobject_cast<QDialog*>(QApplication::activeModalWidget())) still->reject();
    });
}

// Replaces a box's text by typing.
inline void type(QLineEdit* box, const QString& text) {
    box->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Delete);
        return;
    }
    QTest::keyClicks(box, text);
}
