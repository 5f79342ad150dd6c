#include <gtest/gtest.h>

#include "platform/common_dialog.h"

using namespace platform;

TEST(CommonDialog, RecorderAnswersAndRecordsEveryDialog) {
    DialogRecorder rec;
    rec.answerFile("/tmp/data.cel");
    rec.answerCancel();
    rec.answerColor(0x00FF8040);
    CommonDialog dlg;
    dlg.Filter = "(*.cel)|*.cel";
    dlg.Flags = 4;
    dlg.DialogTitle = "Open";
    EXPECT_TRUE(dlg.ShowOpen());
    EXPECT_EQ(dlg.FileName, "/tmp/data.cel");
    dlg.DialogTitle = "Save";
    EXPECT_FALSE(dlg.ShowSave());
    EXPECT_EQ(dlg.FileName, "");
    EXPECT_TRUE(dlg.ShowColor());
    EXPECT_EQ(dlg.Color, 0x00FF8040);
    EXPECT_FALSE(dlg.ShowOpen());  // nothing queued: Cancel
    ASSERT_EQ(rec.shown().size(), 4u);
    EXPECT_EQ(rec.shown()[0].kind, DialogKind::Open);
    EXPECT_EQ(rec.shown()[0].filter, "(*.cel)|*.cel");
    EXPECT_EQ(rec.shown()[0].flags, 4);
    EXPECT_EQ(rec.shown()[1].kind, DialogKind::Save);
    EXPECT_EQ(rec.shown()[1].title, "Save");
    EXPECT_EQ(rec.shown()[1].fileName, "/tmp/data.cel");  // the instance kept its name until then
    EXPECT_EQ(rec.shown()[2].kind, DialogKind::Color);
}

TEST(CommonDialog, CancelKeepsTheColourAndRaisesOnlyWithCancelError) {
    DialogRecorder rec;
    CommonDialog dlg;
    dlg.Color = 0x123456;
    EXPECT_FALSE(dlg.ShowColor());
    EXPECT_EQ(dlg.Color, 0x123456);
    dlg.CancelError = true;
    dlg.FileName = "old.bmp";
    EXPECT_THROW(dlg.ShowSave(), DialogCancelled);
    EXPECT_EQ(dlg.FileName, "");
    EXPECT_THROW(dlg.ShowColor(), DialogCancelled);
    EXPECT_EQ(dlg.Color, 0x123456);
}

TEST(CommonDialog, ChosenFilterIndexIsKept) {
    DialogRecorder rec;
    rec.queue({{true, "/tmp/a.jpg", 0, 2}});
    CommonDialog dlg;
    dlg.Filter = "(*.bmp)|*.bmp|*.jpg|*.jpg|*.gif|*.gif";
    dlg.FilterIndex = 1;
    EXPECT_TRUE(dlg.ShowOpen());
    EXPECT_EQ(dlg.FilterIndex, 2);
}

TEST(CommonDialog, WindowsFiltersBecomeQtFilters) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"(*.cel)|*.cel", "(*.cel)"},
        {"*.bmp|*.bmp", "*.bmp (*.bmp)"},
        {"(*.bmp)|*.bmp|*.jpg|*.jpg", "(*.bmp);;*.jpg (*.jpg)"},
        {"Pictures|*.bmp;*.jpg|All files|*.*", "Pictures (*.bmp *.jpg);;All files (*.*)"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(ToQtFilter(in), out) << in;
}

TEST(CommonDialog, ASavedNameWithoutExtensionGetsTheFiltersOne) {
    struct Case {
        const char* filter;
        long index;
        const char* typed;
        const char* result;
    };
    const std::vector<Case> cases = {
        {"(*.cel)|*.cel", 1, "/tmp/data", "/tmp/data.cel"},
        {"*.bmp|*.bmp", 1, "/tmp/picture", "/tmp/picture.bmp"},
        {"(*.cel)|*.cel", 1, "/tmp/data.cel", "/tmp/data.cel"},
        {"(*.cel)|*.cel", 1, "/tmp/data.txt", "/tmp/data.txt"},  // an extension of its own stays
        {"(*.cel)|*.cel", 1, "/tmp/v1.2/data", "/tmp/v1.2/data.cel"},
        {"(*.bmp)|*.bmp|*.jpg|*.jpg", 2, "/tmp/p", "/tmp/p.jpg"},
        {"Pictures|*.png;*.bmp", 1, "/tmp/p", "/tmp/p.png"},
        {"All|*.*", 1, "/tmp/p", "/tmp/p"},
        {"", 1, "/tmp/p", "/tmp/p"},
    };
    for (const auto& k : cases) {
        DialogRecorder rec;
        rec.queue({{true, k.typed, 0, k.index}});
        CommonDialog dlg;
        dlg.Filter = k.filter;
        EXPECT_TRUE(dlg.ShowSave());
        EXPECT_EQ(dlg.FileName, k.result) << k.filter << " " << k.typed;
    }
    DialogRecorder rec;
    rec.answerFile("/tmp/data");
    CommonDialog open;
    open.Filter = "(*.cel)|*.cel";
    EXPECT_TRUE(open.ShowOpen());
    EXPECT_EQ(open.FileName, "/tmp/data");  // an open dialog names an existing file as it is
}
