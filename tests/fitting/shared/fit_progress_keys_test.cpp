// The progress box's keys during a held fit: Return, Enter and Space, typed a
// moment too late for another window, leave the fit running to its end;
// Escape and the close box cancel it.
#include <QPushButton>
#include <QTest>
#include <functional>

#include <gtest/gtest.h>

#include "fitting/shared/background_fit.h"
#include "fitting/shared/fit_progress_box.h"
#include "held_fit.h"
#include "nist_support.h"
#include "support/when_shown.h"

namespace {

void key(FitProgressBox* box, Qt::Key k, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(box->windowHandle(), k, modifiers);  // as the window system delivers it
}

}  // namespace

TEST(FitProgressKeys, OnlyEscapeAndTheCloseBoxCancelAHeldFit) {
    const nist::Problem p = nist::readProblem(nist::dataDirectory() + "/Misra1a.dat");
    const solver::NonlinearFitRequest req = nist::makeRequest(p, p.start1, solver::FitMethod::LevenbergMarquardt, 1e-7, 1000);
    const solver::FitResult direct = solver::fitNonlinear(req);
    ASSERT_TRUE(direct.converged());
    struct Case {
        const char* what;
        std::function<void(FitProgressBox*)> press;
        bool cancels;
    };
    const std::vector<Case> cases = {
        {"Return", [](FitProgressBox* b) { key(b, Qt::Key_Return); }, false},
        {"Enter on the keypad", [](FitProgressBox* b) { key(b, Qt::Key_Enter, Qt::KeypadModifier); }, false},
        {"Space", [](FitProgressBox* b) { key(b, Qt::Key_Space); }, false},
        {"Escape", [](FitProgressBox* b) { key(b, Qt::Key_Escape); }, true},
        {"the close box", [](FitProgressBox* b) { clickCloseBox(b); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HeldFit hold(3);
        bool enabledAfter = false;
        whenShown<FitProgressBox>([&](FitProgressBox* box) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return hold.held(); }, testsupport::kLongWaitMs));
            c.press(box);
            enabledAfter = box->Command1->isEnabled();
            hold.release();
        });
        const solver::FitResult r = FitWithProgress(req);
        EXPECT_EQ(enabledAfter, !c.cancels);
        if (c.cancels) {
            EXPECT_EQ(r.status, solver::FitStatus::Cancelled);
            EXPECT_EQ(hold.reached(), 3);
        } else {
            EXPECT_EQ(r.status, direct.status);
            EXPECT_EQ(r.iterations, direct.iterations);
            EXPECT_EQ(r.parameters, direct.parameters);
        }
    }
}
