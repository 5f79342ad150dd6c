#include "platform/input_blocker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close: return true;
    default: return false;
    }
}

}  // namespace

InputBlocker::InputBlocker(QWidget* allowed) : allowed_(allowed) { QCoreApplication::instance()->installEventFilter(this); }

InputBlocker::~InputBlocker() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool InputBlocker::isAllowed(QObject* receiver) const {
    if (!allowed_) return false;
    if (auto* w = qobject_cast<QWidget*>(receiver)) return w == allowed_ || allowed_->isAncestorOf(w);
    if (auto* window = qobject_cast<QWindow*>(receiver)) return window == allowed_->windowHandle();
    return false;
}

bool InputBlocker::eventFilter(QObject* receiver, QEvent* event) {
    return isUserInput(event->type()) && !isAllowed(receiver);
}
