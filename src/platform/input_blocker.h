#pragma once
// Keeps the user's input from every window but one while the program waits
// for work of its own: clicks, keys, shortcuts, drops and close box clicks
// meant for other windows are dropped, not queued, so none of them runs a
// command, then or afterwards. Only what comes from the window system is held
// back (spontaneous events, and the shortcuts its keys make): events the
// program sends itself, such as the closes of QCoreApplication::quit() or
// QWidget::close(), pass. Painting and timers go on.
#include <QObject>
#include <QPointer>

class QWidget;

class InputBlocker : public QObject {
public:
    // Blocks input to everything but `allowed` and its children (nothing when
    // null) from now until destroyed.
    explicit InputBlocker(QWidget* allowed = nullptr);
    ~InputBlocker() override;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    bool isAllowed(QObject* receiver) const;
    QPointer<QWidget> allowed_;
};
