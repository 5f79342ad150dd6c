#include "fitting/shared/background_fit.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <thread>
#include <utility>

#include "fitting/common/fit_progress.h"
#include "fitting/shared/fit_progress_box.h"
#include "platform/input_blocker.h"

namespace {

std::function<void(int)>& probe() {
    static std::function<void(int)> p;
    return p;
}

}  // namespace

void SetFitIterationProbe(std::function<void(int iteration)> p) { probe() = std::move(p); }

solver::FitResult FitWithProgress(const solver::NonlinearFitRequest& request) {
    FitProgress progress;
    // The worker fits its own copy: nothing it reads is within reach of the window.
    solver::NonlinearFitRequest own = request;
    own.options.progress = [&progress, testProbe = probe()](int iteration, double ssr) {
        if (testProbe) testProbe(iteration);
        return progress.report(iteration, ssr);
    };

    FitProgressBox box(progress, QApplication::activeWindow());
    const InputBlocker blocker(&box);
    QEventLoop loop;
    QTimer::singleShot(kFitProgressDelayMs, &box, [&box] { box.show(); });

    std::atomic<bool> done{false};
    solver::FitResult result;
    std::thread worker([&] {
        result = solver::fitNonlinear(own);
        done.store(true);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    while (!done.load()) loop.exec();
    worker.join();
    box.hide();
    return result;
}
