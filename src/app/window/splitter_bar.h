#pragma once
// One of the three bars that split the main window's panes. It only reports
// the drag; the window moves the bar, applies the limits and lays out.
#include <QFrame>
#include <functional>

class SplitterBar : public QFrame {
    Q_OBJECT
public:
    SplitterBar(Qt::Orientation movesAlong, QWidget* parent);
    Qt::Orientation movesAlong() const { return mAlong; }
    bool dragging() const { return mDragging; }
    // Called with the pointer's offset within the bar (pixels along the bar's axis).
    std::function<void(int offset)> onDragMove;
    std::function<void()> onRelease;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void setDragColour(bool dragging);
    Qt::Orientation mAlong;
    bool mDragging = false;
};
