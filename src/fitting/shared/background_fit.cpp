#include "fitting/shared/background_fit.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <optional>
#include <thread>
#include <utility>

#include "fitting/common/fit_progress.h"
#include "fitting/shared/fit_progress_box.h"
#include "fitting/shared/quit_stops_fit.h"
#include "platform/input_blocker.h"

namespace {

std::function<void(int)>& iterationProbe() {
    static std::function<void(int)> p;
    return p;
}

std::function<void()>& cancelProbe() {
    static std::function<void()> p;
    return p;
}

}  // namespace

void SetFitIterationProbe(std::function<void(int iteration)> p) { iterationProbe() = std::move(p); }
void SetFitCancelProbe(std::function<void()> p) { cancelProbe() = std::move(p); }

solver::FitResult FitWithProgress(const solver::NonlinearFitRequest& request) {
    FitProgress progress;
    // The worker fits its own copy: nothing it reads is within reach of the window.
    solver::NonlinearFitRequest own = request;
    own.options.progress = [&progress, testProbe = iterationProbe()](int iteration, double ssr) {
        if (testProbe) testProbe(iteration);
        return progress.report(iteration, ssr);
    };

    FitProgressBox box(progress, QApplication::activeWindow());
    QObject::connect(&box, &FitProgressBox::cancelRequested, [testProbe = cancelProbe()] {
        if (testProbe) testProbe();
    });
    std::optional<InputBlocker> blocker(std::in_place, &box);
    bool stopped = false;
    QTimer::singleShot(kFitProgressDelayMs, &box, [&box, &stopped] {
        if (!stopped) box.show();
    });

    QEventLoop loop;
    bool workerDone = false;  // seen on this thread
    solver::FitResult result;
    std::thread worker([&] {
        result = solver::fitNonlinear(own);
        QMetaObject::invokeMethod(
            &loop,
            [&] {
                workerDone = true;
                loop.quit();
            },
            Qt::QueuedConnection);
    });
    // Cancels the fit and waits for it to end (at its next iteration), then
    // frees the user's input: what comes after a stop may ask the user.
    const auto stop = [&] {
        stopped = true;
        box.reject();
        worker.join();
        blocker.reset();
        box.hide();
    };
    {
        const QuitStopsFit quitStops(stop);
        // Ends when the worker is done, or at once when the application exits
        // (QCoreApplication::exit()): every loop then returns straight away, so
        // the wait is not entered again but the fit stopped.
        loop.exec();
    }
    if (!stopped && !workerDone) stop();
    if (worker.joinable()) worker.join();
    box.hide();
    // A fit stopped for a quit is cancelled even if it ended meanwhile.
    if (stopped && result.status != solver::FitStatus::Cancelled) {
        result = {};
        result.status = solver::FitStatus::Cancelled;
        result.message = solver::kFitCancelledMessage;
    }
    return result;
}
