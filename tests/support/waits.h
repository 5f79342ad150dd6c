#pragma once
// What the tests wait for (a window, a dialog, a paint, a message) is the event
// itself, with one generous upper bound: a slow or busy machine only makes a
// test take longer, and only a fault reaches the bound.
#include <QOpenGLWidget>
#include <QSignalSpy>

namespace testsupport {

constexpr int kLongWaitMs = 60000;

// Lets every repaint of `area` asked for so far reach the screen: one more is
// asked for, which comes after them. False when it never came.
inline bool waitForPaint(QOpenGLWidget* area) {
    QSignalSpy swapped(area, &QOpenGLWidget::frameSwapped);
    area->update();
    return swapped.wait(kLongWaitMs);
}

}  // namespace testsupport
