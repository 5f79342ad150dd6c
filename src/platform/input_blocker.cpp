#include "platform/input_blocker.h"

#include <QApplication>
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

// True for the window of a widget: it hands a close on to its widget, marked
// spontaneous only when the window system sent it. Qt marks the window's own
// close event spontaneous either way (QWidget::close() goes through the
// platform window too), so closes are judged at the widget.
bool isWidgetsWindow(QObject* receiver) {
    auto* window = qobject_cast<QWindow*>(receiver);
    if (!window) return false;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == window) return true;
    return false;
}

// Whether the event is the user's, from the window system. A shortcut comes
// from a key the user pressed but is sent without the spontaneous mark.
bool fromUser(QObject* receiver, const QEvent& event) {
    if (!isUserInput(event.type())) return false;
    if (event.type() == QEvent::Shortcut) return true;
    if (event.type() == QEvent::Close && isWidgetsWindow(receiver)) return false;
    return event.spontaneous();
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
    if (!fromUser(receiver, *event) || isAllowed(receiver)) return false;
    // A close event starts accepted: dropped as it is, it would still close the window.
    if (event->type() == QEvent::Close) event->ignore();
    return true;
}
