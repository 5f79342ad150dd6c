#pragma once
// Acting on a modal dialog from a test: the action runs once the dialog of
// the type asked for is the active modal window, however long it takes to
// open (the caller is blocked in the code that opens it).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <functional>

#include "support/waits.h"

namespace testsupport {

// Watchers started before the last stopWatchers() end without acting.
inline int& watcherGeneration() {
    static int generation = 0;
    return generation;
}
inline void stopWatchers() { ++watcherGeneration(); }

template <class D>
void watchFor(std::function<void(D*)> then, QDeadlineTimer deadline, int generation, int delayMs) {
    QTimer::singleShot(delayMs, [then, deadline, generation] {
        if (generation != watcherGeneration()) return;
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
            then(d);
        } else if (!deadline.hasExpired()) {
            watchFor<D>(then, deadline, generation, 10);
        } else {
            ADD_FAILURE() << "no such dialog opened";
            if (QWidget* other = QApplication::activeModalWidget()) other->close();
        }
    });
}

}  // namespace testsupport

template <class D>
void whenShown(std::function<void(D*)> then) {
    testsupport::watchFor<D>(then, QDeadlineTimer(testsupport::kLongWaitMs), testsupport::watcherGeneration(), 0);
}
