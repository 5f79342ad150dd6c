#include "app/window/splitter_bar.h"

#include <QMouseEvent>

SplitterBar::SplitterBar(Qt::Orientation movesAlong, QWidget* parent) : QFrame(parent), mAlong(movesAlong) {
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    setCursor(movesAlong == Qt::Horizontal ? Qt::SplitHCursor : Qt::SplitVCursor);
    setDragColour(false);
}

void SplitterBar::setDragColour(bool dragging) {
    // Button face at rest, button shadow while dragged.
    QPalette p = palette();
    p.setColor(QPalette::Window, dragging ? palette().color(QPalette::Dark) : palette().color(QPalette::Button));
    setPalette(p);
}

void SplitterBar::mousePressEvent(QMouseEvent*) {
    mDragging = true;
    setDragColour(true);
}

void SplitterBar::mouseMoveEvent(QMouseEvent* e) {
    if (!mDragging) return;
    const QPointF pos = e->position();
    if (onDragMove) onDragMove(static_cast<int>(mAlong == Qt::Horizontal ? pos.x() : pos.y()));
}

void SplitterBar::mouseReleaseEvent(QMouseEvent*) {
    mDragging = false;
    setDragColour(false);
    if (onRelease) onRelease();
}
