#include "fitting/shared/quit_stops_fit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <utility>

namespace {

// A close the program sends (not the user's close box: the window system's
// closes are spontaneous) to a window of its own; popups and tooltips close
// themselves and quit nothing.
bool closesAWindowByCode(QObject* receiver, const QEvent& event) {
    if (event.type() != QEvent::Close || event.spontaneous()) return false;
    auto* w = qobject_cast<QWidget*>(receiver);
    if (!w || !w->isWindow() || !w->isVisible()) return false;
    const Qt::WindowType type = w->windowType();
    return type != Qt::Popup && type != Qt::ToolTip;
}

}  // namespace

QuitStopsFit::QuitStopsFit(std::function<void()> stop) : stop_(std::move(stop)) {
    QCoreApplication::instance()->installEventFilter(this);
}

QuitStopsFit::~QuitStopsFit() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool QuitStopsFit::eventFilter(QObject* receiver, QEvent* event) {
    const bool quit = event->type() == QEvent::Quit && receiver == QCoreApplication::instance();
    if (stop_ && (quit || closesAWindowByCode(receiver, *event))) std::exchange(stop_, {})();
    return false;
}
