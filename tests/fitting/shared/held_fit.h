#pragma once
// A fit held at an iteration on its worker thread until the test releases it
// or the window asks the fit to stop, so a test can act while a fit runs
// without depending on how long fits take; and the user's input as the window
// system delivers it (spontaneous events), which a running fit keeps from
// every window but its progress box.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "fitting/shared/background_fit.h"

class HeldFit {
public:
    explicit HeldFit(int at) {
        SetFitIterationProbe([this, at](int iteration) {
            std::unique_lock lock(m_);
            reached_ = iteration;
            if (iteration != at) return;
            held_ = true;
            cv_.notify_all();
            // Bounded, so a failed test never hangs on its worker.
            cv_.wait_for(lock, std::chrono::minutes(2), [this] { return released_; });
        });
        SetFitCancelProbe([this] { release(); });
    }
    ~HeldFit() {
        release();
        SetFitIterationProbe({});
        SetFitCancelProbe({});
    }
    HeldFit(const HeldFit&) = delete;
    HeldFit& operator=(const HeldFit&) = delete;

    bool held() {
        std::lock_guard lock(m_);
        return held_;
    }
    // The last iteration the worker came to.
    int reached() {
        std::lock_guard lock(m_);
        return reached_;
    }
    void release() {
        std::lock_guard lock(m_);
        released_ = true;
        cv_.notify_all();
    }

private:
    std::mutex m_;
    std::condition_variable cv_;
    bool held_ = false, released_ = false;
    int reached_ = 0;
};

// Queues a left click at `at` in w (its middle when not given), delivered when
// the event loop next runs, as the window system delivers one.
inline void postClick(QWidget* w, QPoint at = {-1, -1}) {
    QTimer::singleShot(0, w, [w, at] {
        QTest::mouseClick(w, Qt::LeftButton, {}, at.x() < 0 ? w->rect().center() : at);
    });
}

// A click on the close box of w's window, as the window system delivers it.
inline void clickCloseBox(QWidget* w) {
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QCoreApplication::instance()->notify(w->window()->windowHandle(), &close);
}
