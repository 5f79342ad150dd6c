#include "platform/color_swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/color_convert.h"
#include "platform/common_dialog.h"

namespace platform {
ColorSwatch::ColorSwatch(QWidget* parent, long color) : QFrame(parent), color_(color & 0xFFFFFF) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
}

void ColorSwatch::setColor(long color) {
    color &= 0xFFFFFF;
    if (color == color_) return;
    color_ = color;
    update();
    emit colorChanged(color_);
}

bool ColorSwatch::PickSwatchColor() {
    if (!dialog_) return false;
    dialog_->Color = color_;
    if (!dialog_->ShowColor()) return false;
    setColor(dialog_->Color);
    return true;
}

QSize ColorSwatch::sizeHint() const { return {48, 20}; }

void ColorSwatch::paintEvent(QPaintEvent* event) {
    {
        QPainter p(this);
        QColor fill = ToQColor(color_);
        // A disabled swatch shows its colour faded towards the window's.
        if (!isEnabled()) {
            const QColor bg = palette().color(QPalette::Window);
            fill = QColor((fill.red() + 2 * bg.red()) / 3, (fill.green() + 2 * bg.green()) / 3,
                          (fill.blue() + 2 * bg.blue()) / 3);
        }
        p.fillRect(contentsRect(), fill);
        if (hasFocus()) {
            p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
            p.drawRect(contentsRect().adjusted(1, 1, -2, -2));
        }
    }
    QFrame::paintEvent(event);
}

void ColorSwatch::activate() {
    emit clicked();
    PickSwatchColor();
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        activate();
        return;
    }
    QFrame::mouseReleaseEvent(event);
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        activate();
        return;
    }
    QFrame::keyPressEvent(event);
}

}  // namespace platform
