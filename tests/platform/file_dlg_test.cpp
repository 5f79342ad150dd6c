// cFileDlg over the recorded dialog layer: its defaults, the flags it shows
// its dialogs with, what OK and Cancel leave in its properties, the prompt
// before replacing a file, and its filter and file helpers.
#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>
#include <filesystem>
#include <fstream>

#include "platform/common_dialog.h"
#include "platform/file_dlg.h"
#include "platform/msgbox.h"

using namespace platform;
using namespace std::string_literals;

namespace {
DialogAnswer file(const std::string& name, long filterIndex = 0) {
    DialogAnswer a;
    a.ok = true;
    a.fileName = name;
    a.filterIndex = filterIndex;
    return a;
}

// A scratch folder with one existing file.
class Scratch {
public:
    Scratch() : dir_(std::filesystem::temp_directory_path() / ("trelvane_file_dlg_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir_);
        std::ofstream(existing()) << "data";
    }
    ~Scratch() { std::filesystem::remove_all(dir_); }
    std::string dir() const { return dir_.string(); }
    std::string existing() const { return (dir_ / "old.dat").string(); }
    std::string fresh() const { return (dir_ / "new.dat").string(); }

private:
    std::filesystem::path dir_;
};
}  // namespace

TEST(FileDlg, DefaultsOfANewDialog) {
    cFileDlg d;
    EXPECT_EQ(d.OwnerHwnd, -1);
    EXPECT_TRUE(d.FileMustExist);
    EXPECT_FALSE(d.MultiSelect);
    EXPECT_FALSE(d.ReadOnly());
    EXPECT_TRUE(d.HideReadOnly);
    EXPECT_EQ(d.Filter, "");
    EXPECT_EQ(d.FilterIndex, 0);
    EXPECT_EQ(d.InitDirectory, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString());
    EXPECT_EQ(d.DlgTitle, "Trelvane");
    EXPECT_EQ(d.DefaultExt, "");
    EXPECT_EQ(d.Flags, 0);
    EXPECT_TRUE(d.OverwritePrompt);
    d.InitDirectorySpecial(40);
    EXPECT_EQ(d.InitDirectory, QDir::homePath().toStdString());
    d.InitDirectorySpecial(12345);
    EXPECT_EQ(d.InitDirectory, "");
}

TEST(FileDlg, FlagsOfTheOpenAndSaveDialogs) {
    struct Case {
        bool mustExist, multi, hideReadOnly, overwrite;
        long flags, open, save;
    };
    const Case cases[] = {
        {true, false, true, true, 0, 0x1004, 0x6},
        {false, false, false, false, 0, 0x0, 0x4},       // save always hides the read-only box
        {true, true, true, true, 0x60 | 0x8, 0x120C, 0xE},  // hook and template bits dropped
        {false, true, false, false, 0x61, 0x201, 0x5},
    };
    for (const Case& c : cases) {
        cFileDlg d;
        d.FileMustExist = c.mustExist;
        d.MultiSelect = c.multi;
        d.HideReadOnly = c.hideReadOnly;
        d.OverwritePrompt = c.overwrite;
        d.Flags = c.flags;
        EXPECT_EQ(d.OpenFlags(), c.open) << c.flags;
        EXPECT_EQ(d.SaveFlags(), c.save) << c.flags;
    }
}

TEST(FileDlg, ConfirmedOpenKeepsTheChosenPairAndFile) {
    DialogRecorder rec;
    rec.queue({file("/data/run/points.txt", 2)});
    cFileDlg d;
    d.Filter = "Data (*.dat)|*.dat:All|*.*";
    d.FilterIndex = 1;
    d.DlgTitle = "Open points";
    d.InitDirectory = "/data";
    d.DefaultExt = "dat";
    std::string name = "start.dat", title;
    ASSERT_TRUE(d.VBGetOpenFileName(name, title));
    EXPECT_EQ(name, "/data/run/points.txt");
    EXPECT_EQ(title, "points.txt");
    EXPECT_EQ(d.FilterIndex, 2);
    EXPECT_EQ(d.Filter, "All\0*.*"s);
    EXPECT_EQ(d.Flags, 0x1004);
    EXPECT_EQ(d.InitDirectory, "/data/run/points.txt");  // the chosen path, as the dialog returns it
    EXPECT_FALSE(d.ReadOnly());
    ASSERT_EQ(rec.shown().size(), 1u);
    const DialogRequest& r = rec.shown()[0];
    EXPECT_EQ(r.kind, DialogKind::Open);
    EXPECT_EQ(r.title, "Open points");
    EXPECT_EQ(r.filter, "Data (*.dat)|*.dat|All|*.*");  // ":" separates as "|" does
    EXPECT_EQ(r.fileName, "start.dat");
    EXPECT_EQ(r.filterIndex, 1);
    EXPECT_EQ(r.flags, 0x1004);
    EXPECT_EQ(r.initDir, "/data");
    EXPECT_EQ(r.defaultExt, "dat");
    EXPECT_TRUE(r.mustExist);
    EXPECT_FALSE(r.multiSelect);
}

TEST(FileDlg, CancelEmptiesTheResults) {
    for (bool save : {false, true}) {
        DialogRecorder rec;
        rec.answerCancel();
        cFileDlg d;
        d.Filter = "Data|*.dat|All|*.*";
        d.FilterIndex = 2;
        d.Flags = 0x8;
        std::string name = "keep.dat", title = "keep";
        const bool ok = save ? d.VBGetSaveFileName(name, title) : d.VBGetOpenFileNamePreview(name, title);
        EXPECT_FALSE(ok);
        EXPECT_EQ(name, "");
        EXPECT_EQ(title, "");
        EXPECT_EQ(d.Filter, "");
        EXPECT_EQ(d.Flags, 0);
        EXPECT_EQ(d.FilterIndex, save ? 0 : -1);
        ASSERT_EQ(rec.shown().size(), 1u);
        EXPECT_EQ(rec.shown()[0].kind, save ? DialogKind::Save : DialogKind::Open);
    }
}

TEST(FileDlg, SavePromptsBeforeReplacingAFile) {
    Scratch s;
    {   // "No" goes back to the dialog, where another name is chosen.
        DialogRecorder rec;
        MsgRecorder boxes;
        boxes.queue({MsgResult::No});
        rec.queue({file(s.existing()), file(s.fresh())});
        cFileDlg d;
        d.DlgTitle = "Save points";
        std::string name, title;
        ASSERT_TRUE(d.VBGetSaveFileName(name, title));
        EXPECT_EQ(name, s.fresh());
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].text, s.existing() + " already exists.\nDo you want to replace it?");
        EXPECT_EQ(boxes.shown()[0].title, "Save points");
        EXPECT_EQ(boxes.shown()[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(rec.shown().size(), 2u);
    }
    {   // "Yes" takes the existing file; without the prompt nothing is asked.
        for (bool prompt : {true, false}) {
            DialogRecorder rec;
            MsgRecorder boxes(MsgResult::Yes);
            rec.answerFile(s.existing());
            cFileDlg d;
            d.OverwritePrompt = prompt;
            std::string name, title;
            ASSERT_TRUE(d.VBGetSaveFileName(name, title));
            EXPECT_EQ(name, s.existing());
            EXPECT_EQ(boxes.shown().size(), prompt ? 1u : 0u);
        }
    }
    {   // "No", then Cancel: nothing chosen.
        DialogRecorder rec;
        MsgRecorder boxes(MsgResult::No);
        rec.answerFile(s.existing());
        cFileDlg d;
        std::string name = "x", title;
        EXPECT_FALSE(d.VBGetSaveFileName(name, title));
        EXPECT_EQ(name, "");
    }
}

TEST(FileDlg, DefaultExtensionGoesOnANameWithout) {
    struct Case {
        const char* answer;
        const char* ext;
        const char* chosen;
    };
    const Case cases[] = {{"/d/report", "txt", "/d/report.txt"},
                          {"/d/report", ".txt", "/d/report.txt"},
                          {"/d/report.csv", "txt", "/d/report.csv"},
                          {"/d.x/report", "txt", "/d.x/report.txt"},
                          {"/d/report", "", "/d/report"}};
    for (const Case& c : cases) {
        DialogRecorder rec;
        rec.answerFile(c.answer);
        cFileDlg d;
        d.DefaultExt = c.ext;
        std::string name, title;
        ASSERT_TRUE(d.VBGetSaveFileName(name, title));
        EXPECT_EQ(name, c.chosen) << c.answer << " " << c.ext;
        EXPECT_EQ(title, cFileDlg::VBGetFileTitle(c.chosen));
    }
}

TEST(FileDlg, SeveralFilesGiveTheirFolderAndNames) {
    DialogRecorder rec;
    rec.answerFile("/d/run/a.dat\0/d/run/b.dat"s);
    cFileDlg d;
    d.MultiSelect = true;
    std::string name, title = "x";
    ASSERT_TRUE(d.VBGetOpenFileName(name, title));
    EXPECT_EQ(name, "/d/run");
    EXPECT_EQ(title, "");
    EXPECT_EQ(d.InitDirectory, "/d/run\0a.dat\0b.dat"s);
    EXPECT_TRUE(rec.shown()[0].multiSelect);
    EXPECT_EQ(rec.shown()[0].flags & fileflags::kAllowMultiSelect, fileflags::kAllowMultiSelect);
}

TEST(FileDlg, FilterPairsAndFileHelpers) {
    EXPECT_EQ(PlatformFilter("Data|*.dat:All|*.*"), "Data\0*.dat\0All\0*.*\0\0"s);
    EXPECT_EQ(PlatformFilter(""), "\0\0"s);
    const std::string list = PlatformFilter("Data|*.dat|All|*.*");
    EXPECT_EQ(GetNullSeparatedField(list, 1), "Data\0*.dat"s);
    EXPECT_EQ(GetNullSeparatedField(list, 2), "All\0*.*"s);
    EXPECT_EQ(GetNullSeparatedField(list, 3), "");
    EXPECT_EQ(GetNullSeparatedField(list, 0), "");
    EXPECT_EQ(GetNullSeparatedField("", 1), "");

    Scratch s;
    EXPECT_TRUE(cFileDlg::ExistFile(s.existing()));
    EXPECT_FALSE(cFileDlg::ExistFile(s.fresh()));
    EXPECT_FALSE(cFileDlg::ExistFile(s.dir()));
    EXPECT_EQ(cFileDlg::VBGetFileTitle("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(cFileDlg::VBGetFileTitle("c.txt"), "c.txt");
    EXPECT_EQ(cFileDlg::VBGetFileTitle("/a/b/"), "");
    EXPECT_EQ(cFileDlg::VBGetFileTitle(""), "");
}
