#include <gtest/gtest.h>

#include <QDialog>
#include <QListWidget>
#include <QOpenGLContext>
#include <QPlainTextEdit>
#include <QTest>

#include "app/window/gl_view.h"
#include "app/grid/grid_commands.h"
#include "platform/grid_control.h"
#include "state/globals.h"
#include "app/window/main_window.h"
#include "platform/msgbox.h"
#include "support/gl_offscreen.h"
#include "support/waits.h"

namespace {

// Shows the window and waits until the drawing area has painted once.
void showAndWait(frmF1& w) {
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w, testsupport::kLongWaitMs));
    if (w.drawingArea()) {
        QTRY_VERIFY_WITH_TIMEOUT(w.drawingArea()->isValid(), testsupport::kLongWaitMs);
        ASSERT_TRUE(testsupport::waitForPaint(w.drawingArea()));
    }
}

}  // namespace

TEST(Startup, FreshStartState) {
    resetGlobals();
    gGraphCounter = 9;
    gAxisScaleMode = 3;
    platform::MsgRecorder boxes;
    frmF1 w;
    EXPECT_EQ(w.windowTitle().toStdString(), "Trelvane");
    EXPECT_EQ(gPlotKind, 1);
    EXPECT_EQ(gGraphCounter, 0);
    EXPECT_EQ(gAxisScaleMode, 1);
    EXPECT_EQ(gNonLinMethod, 2);
    EXPECT_EQ(gNonLinMaxIterations, 200);
    EXPECT_EQ(gAnimStepCount, 10);
    EXPECT_EQ(gAnimRecordValue, 10);
    EXPECT_EQ(gViewMinZ, -500);
    EXPECT_EQ(gNewLine, "\r\n");
    EXPECT_EQ(w.graphList()->count(), 0);
    EXPECT_EQ(w.mSceneList, 0u);
    EXPECT_EQ(w.mRotationQuat, (Quat{0, 0, 0, 1}));
    EXPECT_FALSE(w.mModeZoom || w.mModeMove || w.mModeRotate || w.mUseTrackball);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(w.glAvailable());
}

TEST(Startup, ReportPaneTurnsCrLfIntoLineBreaks) {
    platform::MsgRecorder boxes;
    frmF1 w;
    w.appendReport("a\r\nb\r\n");
    EXPECT_EQ(w.report()->toPlainText().toStdString(), "a\nb\n");
}

TEST(Startup, WithoutOpenGLTheWindowStillOpens) {
    platform::MsgRecorder boxes;
    frmF1 w(frmF1::Options{false});
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "ChoosePixelFormat failed");
    EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(boxes.shown()[0].title, "Trelvane");
    EXPECT_FALSE(w.glAvailable());
    EXPECT_EQ(w.drawingArea(), nullptr);
    ASSERT_NE(w.drawingWidget(), nullptr);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w, testsupport::kLongWaitMs));
    w.DrawScene();  // nothing to draw into: must not fail
    w.Display(1);
    w.close();
    EXPECT_TRUE(w.mUnloading);
    EXPECT_EQ(boxes.shown().size(), 1u);
}

TEST(Startup, DrawingAreaStartsWhite) {
    platform::MsgRecorder boxes;
    frmF1 w;
    showAndWait(w);
    ASSERT_NE(w.drawingArea(), nullptr);
    QImage img = w.drawingArea()->grabFramebuffer();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(testsupport::countNonWhite(img), 0);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(Startup, ClosingClosesOpenDialogsFirst) {
    platform::MsgRecorder boxes;
    frmF1 w;
    showAndWait(w);
    auto* dlg = new QDialog(&w);
    dlg->show();
    ASSERT_TRUE(dlg->isVisible());
    w.close();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(w.mUnloading);
}

// Exit (Ctrl+Q) and the close box ask before changed grid data are lost;
// Cancel keeps the window open. A fresh grid closes without a question.
TEST(Startup, ClosingAsksBeforeChangedGridDataAreLost) {
    using platform::MsgResult;
    platform::MsgRecorder boxes(MsgResult::Cancel);
    frmF1 w(frmF1::Options{false});
    boxes.clear();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w, testsupport::kLongWaitMs));
    EXPECT_FALSE(w.grid()->Modified());
    w.grid()->model()->setData(w.grid()->model()->index(2, 0), QStringLiteral("4.5"), Qt::EditRole);

    w.action(QStringLiteral("mnuFileExit"))->trigger();
    EXPECT_EQ(boxes.texts(), std::vector<std::string>{kSaveGridQuestion});
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.mUnloading);
    EXPECT_FALSE(w.close());  // the close box, answered Cancel again
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.grid()->CellText(3, 1), "4.5");

    boxes.queue({MsgResult::No});
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(w.mUnloading);

    platform::MsgRecorder fresh(MsgResult::Cancel);
    frmF1 untouched(frmF1::Options{false});
    fresh.clear();
    untouched.show();
    EXPECT_TRUE(untouched.close());
    EXPECT_TRUE(fresh.shown().empty());
}
