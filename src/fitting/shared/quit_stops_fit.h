#pragma once
// While a fit runs off the window's thread, a quit asked for meanwhile
// (QCoreApplication::quit(), QApplication::closeAllWindows(), a window closed
// by code, as the main window's Exit does) first stops the fit, and then goes
// on as it would without one: its questions about unsaved data come once the
// fit has ended and the user's input reaches the windows again.
#include <QObject>
#include <functional>

class QuitStopsFit : public QObject {
public:
    // `stop` runs once, on the first such request, before Qt acts on it.
    explicit QuitStopsFit(std::function<void()> stop);
    ~QuitStopsFit() override;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    std::function<void()> stop_;
};
