#pragma once
// A shown main window for tests, with message boxes and file dialogs answered
// by recorders, and helpers to add curve graphs as the fitting dialogs do.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <memory>
#include <vector>

#include "app/window/gl_view.h"
#include "state/globals.h"
#include "app/window/main_window.h"
#include "fitting/shared/add_curve_graph.h"
#include "fitting/shared/curve_fit_host.h"
#include "graph/graph.h"
#include "platform/common_dialog.h"
#include "platform/msgbox.h"
#include "platform/shell_open.h"
#include "document/scene.h"
#include "support/sample_graphs.h"
#include "modal_dialog.h"
#include "support/waits.h"

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        w = std::make_unique<frmF1>();
        w->resize(900, 650);
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get(), testsupport::kLongWaitMs));
        ASSERT_NE(w->drawingArea(), nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(w->drawingArea()->isValid(), testsupport::kLongWaitMs);
        settle();
    }
    void TearDown() override {
        w->close();
        w.reset();
    }

    // Adds a 2-D curve graph as the curve fitting dialog does and returns it.
    std::shared_ptr<Cls9> addCurve(const std::string& title, const std::vector<double>& x,
                                   const std::vector<double>& y, long kind = kCurveKindModel,
                                   long colour = 0x0000FF) {
        return AddCurveGraph(w->curveHost(), x, y, static_cast<long>(x.size()), kind, title, "a+b*x", colour);
    }

    // Adds a 4-D graph with n scattered data points to the current document,
    // as the volume builders do.
    std::shared_ptr<Cls9> addVolume(long n) {
        auto g = testsupport::makeVolumeGraph(2, n);
        g->ID = ++gGraphCounter;
        gGraphs->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
        gScene->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
        w->addGraphLine("v=data");
        return g;
    }

    // A surface of (steps + 1)^2 nodes as the surface builders make it, the
    // only graph of a new 3-D document, in the ISO view and zoomed to fit.
    std::shared_ptr<Cls9> addSurfaceDocument(long steps) {
        w->mnuFileNew3D();
        auto g = testsupport::makeSurfaceGraph(steps);
        g->ID = ++gGraphCounter;
        gGraphs->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
        gScene->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
        w->addGraphLine(g->NameS);
        gScene->RotRoll = 0, gScene->RotPitch = -30, gScene->RotYaw = 45;
        w->mnuViewFit_Click();
        return g;
    }

    // Runs "Edit..." with the steps acting on its dialog D once it shows; the
    // replace flag is set exactly while the dialog is open.
    template <class D>
    void editFirstGraph(std::function<void(D*)> steps) {
        bool ran = false;
        whenModal<D>([&](D* d) {
            EXPECT_TRUE(gReplaceSelectedGraph);
            steps(d);
            ran = true;
        });
        w->action("mnuFunEdit")->trigger();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(gReplaceSelectedGraph);
    }

    // Lets the redraws already asked for reach the screen.
    void settle() { ASSERT_TRUE(testsupport::waitForPaint(w->drawingArea())) << "the drawing area never painted"; }

    // The drawing area's current picture.
    QImage picture() { return w->drawingArea()->grabFramebuffer(); }

    platform::MsgRecorder boxes;
    platform::DialogRecorder dialogs;
    platform::ShellRecorder shell;  // no test ever starts a viewer
    std::unique_ptr<frmF1> w;
};
