#pragma once
// A fit held at an iteration on its worker thread until the test releases it,
// so a test can act while a fit runs without depending on how long fits take;
// and a click posted as the window system queues one.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "fitting/shared/background_fit.h"

class HeldFit {
public:
    explicit HeldFit(int at) {
        SetFitIterationProbe([this, at](int iteration) {
            if (iteration != at) return;
            std::unique_lock lock(m_);
            held_ = true;
            cv_.notify_all();
            // Bounded, so a failed test never hangs on its worker.
            cv_.wait_for(lock, std::chrono::minutes(2), [this] { return released_; });
        });
    }
    ~HeldFit() {
        release();
        SetFitIterationProbe({});
    }
    HeldFit(const HeldFit&) = delete;
    HeldFit& operator=(const HeldFit&) = delete;

    bool held() {
        std::lock_guard lock(m_);
        return held_;
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
};

// Posts a left click at `at` in w (its middle when not given).
inline void postClick(QWidget* w, QPoint at = {-1, -1}) {
    const QPointF p = at.x() < 0 ? QPointF(w->width() / 2.0, w->height() / 2.0) : QPointF(at);
    const QPointF global = w->mapToGlobal(p);
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(w, new QMouseEvent(t, p, global, Qt::LeftButton,
                                                       t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                       Qt::NoModifier));
}
