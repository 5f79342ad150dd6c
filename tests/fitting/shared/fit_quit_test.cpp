// A quit asked for during a held fit: the fit is cancelled and its worker has
// ended before the quit goes on; then the quit goes on as without a fit (a
// window asks before it closes and can be answered, the application's loop
// ends). QCoreApplication::exit() ends the wait at once, the fit cancelled.
#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

#include "fitting/shared/background_fit.h"
#include "fitting/shared/fit_progress_box.h"
#include "held_fit.h"
#include "nist_support.h"
#include "support/when_shown.h"

namespace {

solver::NonlinearFitRequest misra1a() {
    const nist::Problem p = nist::readProblem(nist::dataDirectory() + "/Misra1a.dat");
    return nist::makeRequest(p, p.start1, solver::FitMethod::LevenbergMarquardt, 1e-7, 1000);
}

// A window that asks before it closes, as the main window asks about unsaved
// data: the answer is a click on its button, which reaches it only when no
// fit holds the user's input back.
class AskingWindow : public QWidget {
public:
    AskingWindow() : answer_(new QPushButton("No", this)) {
        QObject::connect(answer_, &QPushButton::clicked, [this] { answered = true; });
    }
    bool answered = false;
    QWidget* modalWhenAsked = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override {
        modalWhenAsked = QApplication::activeModalWidget();
        QTest::mouseClick(answer_, Qt::LeftButton);
        event->setAccepted(answered);
    }

private:
    QPushButton* answer_;
};

// The application's loop ended by the test itself: no quit went through.
constexpr int kNoQuit = 7;

}  // namespace

TEST(FitQuit, AQuitCancelsAHeldFitAndThenClosesTheWindowsAsWithoutAFit) {
    const solver::NonlinearFitRequest req = misra1a();
    struct Case {
        const char* what;
        std::function<void(QWidget*)> quit;
    };
    const std::vector<Case> cases = {
        {"QCoreApplication::quit()", [](QWidget*) { QCoreApplication::quit(); }},
        {"QApplication::closeAllWindows()", [](QWidget*) { QApplication::closeAllWindows(); }},
        {"the window closed by code", [](QWidget* w) { w->close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AskingWindow window;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, testsupport::kLongWaitMs));
        HeldFit hold(3);
        whenShown<FitProgressBox>([&](FitProgressBox*) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return hold.held(); }, testsupport::kLongWaitMs));
            c.quit(&window);
        });
        solver::FitResult r;
        QTimer::singleShot(0, [&] {
            r = FitWithProgress(req);
            if (window.isVisible()) QCoreApplication::exit(kNoQuit);
        });
        EXPECT_EQ(QCoreApplication::exec(), 0);
        EXPECT_TRUE(window.answered);                // asked when input reached it again
        EXPECT_EQ(window.modalWhenAsked, nullptr);  // the progress box had gone
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(r.status, solver::FitStatus::Cancelled);
        EXPECT_EQ(hold.reached(), 3);  // the worker stopped where it was held
    }
}

// The test never lets the fit go on: only the fit's own cancel does. So the
// wait ending at all, with the fit cancelled at the iteration where it was
// held, shows that the worker was cancelled and joined, not waited for in a
// loop that returns at once while the application exits.
TEST(FitQuit, ExitDuringAHeldFitCancelsItAndEndsTheWait) {
    const solver::NonlinearFitRequest req = misra1a();
    HeldFit hold(3);
    whenShown<FitProgressBox>([&](FitProgressBox*) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return hold.held(); }, testsupport::kLongWaitMs));
        QCoreApplication::exit(3);
    });
    solver::FitResult r;
    bool returned = false;
    QTimer::singleShot(0, [&] {
        r = FitWithProgress(req);
        returned = true;
    });
    EXPECT_EQ(QCoreApplication::exec(), 3);
    EXPECT_TRUE(returned);
    EXPECT_EQ(r.status, solver::FitStatus::Cancelled);
    EXPECT_EQ(r.message, "The fit was cancelled.");
    EXPECT_EQ(hold.reached(), 3);
}
