#pragma once
// Acting on a modal dialog from a test: the action runs once the dialog of
// the type asked for is the active modal window, however long it takes to
// open (the caller is blocked in the code that opens it).
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>

template <class D>
void whenShown(std::function<void(D*)> then, int triesLeft = 500) {
    QTimer::singleShot(triesLeft == 500 ? 0 : 10, [then, triesLeft] {
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
            then(d);
        } else if (triesLeft > 0) {
            whenShown<D>(then, triesLeft - 1);
        } else {
            ADD_FAILURE() << "no such dialog opened";
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
        }
    });
}
