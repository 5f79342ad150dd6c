#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "state/globals.h"
#include "app/grid/grid_commands.h"
#include "app/grid/grid_dialogs_column.h"
#include "app/grid/grid_dialogs_option.h"
#include "app/grid/grid_loader.h"
#include "platform/common_dialog.h"
#include "platform/grid_control.h"
#include "platform/msgbox.h"
#include "platform/file_folder.h"
#include "support/waits.h"

namespace fs = std::filesystem;
using platform::GridControl;
using platform::MsgIcon;

namespace {

class GridCommands : public FileFolder {
protected:
    void SetUp() override {
        FileFolder::SetUp();
        grid.resize(600, 400);
        grid.SetRows(1001);
        grid.SetCols(11);
        mnuFileNew_Click(grid);
    }
    std::string file(const std::string& name) const { return path(name); }
    GridControl grid;
};

}  // namespace

TEST_F(GridCommands, NewDataEmptiesTheGridAndNamesEveryColumn) {
    platform::MsgRecorder msgs(platform::MsgResult::No);  // the changed data are not kept
    grid.SetCols(21);
    grid.SetCellText(5, 5, "data");
    grid.SetCellText(0, 2, "Height");
    mnuFileNew_Click(grid);
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{kSaveGridQuestion});
    EXPECT_EQ(grid.Rows(), 1001);
    EXPECT_EQ(grid.Cols(), 21);
    EXPECT_EQ(grid.CellText(5, 5), "");
    EXPECT_EQ(grid.CellText(0, 2), "Var2");
    EXPECT_EQ(grid.CellText(0, 20), "Var20");
    EXPECT_EQ(grid.Store().CellCount(), 20u);
    EXPECT_TRUE(grid.ShowRowNumbers());
    EXPECT_TRUE(grid.ShowGridLines());
    EXPECT_TRUE(grid.updatesEnabled());
}

TEST_F(GridCommands, OptionsDialogChecksBothSizes) {
    struct Case {
        const char *rows, *cols;
        bool accepted;
        long gotRows, gotCols;
    };
    const std::vector<Case> cases = {
        {"1", "1", true, 1, 1},          {"65536", "12", true, 65536, 12}, {"2.5", "3.5", true, 2, 4},
        {"65537", "5", false, 0, 0},     {"5", "0", false, 0, 0},          {"", "5", false, 0, 0},
        {"abc", "5", false, 0, 0},       {"20", "x1", false, 0, 0},
    };
    for (const auto& k : cases) {
        grid.SetRows(1001);
        grid.SetCols(11);
        platform::MsgRecorder msgs;
        frmOption dlg(grid);
        EXPECT_EQ(dlg.windowTitle(), "Options");
        EXPECT_EQ(dlg.Text1->text(), "1001");
        EXPECT_EQ(dlg.Text2->text(), "11");
        dlg.Text1->setText(k.rows);
        dlg.Text2->setText(k.cols);
        dlg.cmdOK->click();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, k.accepted) << k.rows << " " << k.cols;
        if (k.accepted) {
            EXPECT_TRUE(msgs.shown().empty());
            EXPECT_EQ(grid.Rows(), k.gotRows);
            EXPECT_EQ(grid.Cols(), k.gotCols);
        } else {
            ASSERT_EQ(msgs.shown().size(), 1u) << k.rows << " " << k.cols;
            EXPECT_EQ(msgs.shown()[0].text,
                      "The number of rows or columns of the grid must be a value between 1 and 65536.");
            EXPECT_EQ(msgs.shown()[0].icon, MsgIcon::Critical);
            EXPECT_EQ(msgs.shown()[0].title, "Error");
            EXPECT_EQ(grid.Rows(), 1001);
            EXPECT_EQ(grid.Cols(), 11);
        }
    }
}

TEST_F(GridCommands, SettingsItemShowsOptionsModally) {
    QTimer::singleShot(0, [] {
        auto* dlg = qobject_cast<frmOption*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->Text1->setText("50");
        dlg->cmdOK->click();
    });
    mnuGESet_Click(grid, nullptr);
    EXPECT_EQ(grid.Rows(), 50);
}

TEST_F(GridCommands, SetVariablesRenamesTheActiveColumnOnly) {
    grid.SetCellText(1, 3, "7");
    grid.SetActiveCell(4, 3);
    frmColumn dlg(grid);
    EXPECT_EQ(dlg.mActiveColumn, 3);
    EXPECT_EQ(dlg.windowTitle(), "Set Variables - Column 3");
    EXPECT_EQ(dlg.txtColTitle->text(), "Var3");
    dlg.txtColTitle->setText("Temperature");
    dlg.cmdOK->click();
    EXPECT_EQ(grid.CellText(0, 3), "Temperature");
    EXPECT_EQ(grid.CellText(1, 3), "7");
    EXPECT_EQ(grid.CellText(0, 2), "Var2");
    EXPECT_EQ(grid.model()->headerData(2, Qt::Horizontal).toString(), "Temperature");

    // A name longer than a cell may hold is refused, never cut; the dialog stays.
    platform::MsgRecorder msgs;
    frmColumn tooLong(grid);
    tooLong.txtColTitle->setText(QString(32768, QLatin1Char('n')));
    tooLong.cmdOK->click();
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{"The text of row 0, column 3 has more than 32,767 characters."});
    EXPECT_NE(tooLong.result(), QDialog::Accepted);
    EXPECT_EQ(grid.CellText(0, 3), "Temperature");

    // Esc presses Cancel.
    frmColumn again(grid);
    again.show();
    again.txtColTitle->setText("changed");
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_EQ(again.result(), QDialog::Rejected);
    EXPECT_EQ(grid.CellText(0, 3), "Temperature");
}

TEST_F(GridCommands, OpenDataLoadsAnExistingFileOnly) {
    grid.SetCellText(1, 1, "3.5");
    ASSERT_TRUE(grid.SaveFile(file("a.cel")));
    mnuFileNew_Click(grid);
    platform::DialogRecorder dialogs;
    dialogs.answerFile(file("missing.cel"));
    dialogs.answerCancel();
    dialogs.answerFile("  " + file("a.cel") + "  ");  // typed with blanks around it
    mnuFileOpen_Click(grid);
    mnuFileOpen_Click(grid);
    EXPECT_EQ(grid.CellText(1, 1), "");
    mnuFileOpen_Click(grid);
    EXPECT_EQ(grid.CellText(1, 1), "3.5");
    ASSERT_EQ(dialogs.shown().size(), 3u);
    const auto& req = dialogs.shown()[0];
    EXPECT_EQ(req.kind, platform::DialogKind::Open);
    EXPECT_EQ(req.title, "Open");
    EXPECT_EQ(req.filter, "(*.cel)|*.cel");
    EXPECT_EQ(req.flags, 4);
    EXPECT_EQ(req.fileName, "");
}

TEST_F(GridCommands, SaveDataAsksBeforeReplacingAndReportsSuccess) {
    platform::DialogRecorder dialogs;
    platform::MsgRecorder msgs(platform::MsgResult::No);
    grid.SetCellText(2, 2, "first");
    dialogs.answerFile(file("b.cel"));
    mnuFileSaveData_Click(grid);
    ASSERT_EQ(msgs.shown().size(), 1u);
    EXPECT_EQ(msgs.shown()[0].text, "Save successful!");
    EXPECT_EQ(msgs.shown()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(msgs.shown()[0].title, "Note");
    const std::string saved = read(file("b.cel"));

    // An existing file answered No stays as it was, with no further message.
    grid.SetCellText(2, 2, "second");
    msgs.clear();
    dialogs.answerFile(file("b.cel"));
    mnuFileSaveDataAs_Click(grid);
    ASSERT_EQ(msgs.shown().size(), 1u);
    EXPECT_EQ(msgs.shown()[0].text, "File " + file("b.cel") + " exists already, would you like to override it?");
    EXPECT_EQ(msgs.shown()[0].icon, MsgIcon::Question);
    EXPECT_EQ(msgs.shown()[0].title, "Note");
    EXPECT_EQ(read(file("b.cel")), saved);

    msgs.clear();
    msgs.queue({platform::MsgResult::Yes});
    dialogs.answerFile(file("b.cel"));
    mnuFileSaveData_Click(grid);
    EXPECT_EQ(msgs.texts().back(), "Save successful!");
    EXPECT_NE(read(file("b.cel")).find("second"), std::string::npos);

    msgs.clear();
    mnuFileSaveData_Click(grid);  // cancelled: nothing happens
    EXPECT_TRUE(msgs.shown().empty());
    ASSERT_EQ(dialogs.shown().size(), 4u);
    EXPECT_EQ(dialogs.shown()[0].title, "Save");
    EXPECT_EQ(dialogs.shown()[1].title, "Save As");
    EXPECT_EQ(dialogs.shown()[1].kind, platform::DialogKind::Save);
}

TEST_F(GridCommands, PopupOnlyOverTheDataCells) {
    QMenu mnuGE(QStringLiteral("GEdit"));
    mnuGE.addAction(QStringLiteral("Settings..."));
    QObject::connect(&grid, &GridControl::MouseDown, &grid, [&](int b, int s, int x, int y) {
        Grid1_MouseDown(grid, mnuGE, b, s, x, y);
    });
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid, testsupport::kLongWaitMs));
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::RightButton, {}, QPoint(30, 5));
    QTest::mouseClick(grid.verticalHeader()->viewport(), Qt::RightButton, {}, QPoint(5, 30));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_FALSE(mnuGE.isVisible());
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, QPoint(30, 30));
    EXPECT_TRUE(mnuGE.isVisible());
    mnuGE.hide();
    EXPECT_FALSE(GridPopupWanted(grid, 2, grid.ColumnWidth(0), 100));
    EXPECT_TRUE(GridPopupWanted(grid, 2, grid.ColumnWidth(0) + 1, grid.RowHeight(0) + 1));
}

TEST_F(GridCommands, LoadGridDataShowsWhyNothingWasLoaded) {
    resetGlobals();
    platform::MsgRecorder msgs;
    EXPECT_FALSE(LoadGridData(grid));
    ASSERT_EQ(msgs.shown().size(), 1u);
    EXPECT_EQ(msgs.shown()[0].text, "Please input your data first.");
    EXPECT_EQ(msgs.shown()[0].icon, MsgIcon::None);
    EXPECT_EQ(msgs.shown()[0].title, "Trelvane");
    grid.SetCellText(3, 2, "1,25");
    EXPECT_TRUE(LoadGridData(grid));
    EXPECT_EQ(gGridColumnCount, 2);
    EXPECT_EQ(gGridRowCount, 3);
    EXPECT_DOUBLE_EQ(gGridValues.at(2, 3), 1.25);
    EXPECT_EQ(gGridColumnNames[2], "Var2");
    grid.SetRows(65536);
    grid.SetCols(65536);
    grid.SetCellText(65535, 65535, "far");
    EXPECT_FALSE(LoadGridData(grid));
    EXPECT_EQ(msgs.shown().back().icon, MsgIcon::Critical);
    resetGlobals();
}

// New Data, Open Data and closing the window never throw changed grid data
// away unasked: Yes saves first, No discards, Cancel changes nothing.
TEST_F(GridCommands, ChangedDataAreNeverDiscardedUnasked) {
    using platform::MsgResult;
    platform::MsgRecorder msgs(MsgResult::Cancel);
    platform::DialogRecorder dialogs;
    ASSERT_TRUE(grid.SaveFile(file("other.cel")));
    auto type = [&](const char* text) {
        grid.model()->setData(grid.model()->index(0, 0), QString::fromUtf8(text), Qt::EditRole);
    };

    mnuFileNew_Click(grid);  // nothing changed since New Data: nothing to ask
    EXPECT_TRUE(msgs.shown().empty());

    type("typed");
    EXPECT_TRUE(grid.Modified());
    mnuFileNew_Click(grid);  // Cancel
    ASSERT_EQ(msgs.shown().size(), 1u);
    EXPECT_EQ(msgs.shown()[0].text, kSaveGridQuestion);
    EXPECT_EQ(msgs.shown()[0].buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_EQ(msgs.shown()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(msgs.shown()[0].title, "Note");
    EXPECT_EQ(grid.CellText(1, 1), "typed");

    dialogs.answerFile(file("other.cel"));
    mnuFileOpen_Click(grid);  // Cancel: the file is not loaded over the typed data
    EXPECT_EQ(grid.CellText(1, 1), "typed");

    msgs.queue({MsgResult::Yes});  // Yes, then the save dialog cancelled: nothing is lost
    mnuFileNew_Click(grid);
    EXPECT_EQ(grid.CellText(1, 1), "typed");

    msgs.queue({MsgResult::Yes, MsgResult::Ok});  // Yes, saved: then cleared
    dialogs.answerFile(file("kept"));
    mnuFileNew_Click(grid);
    EXPECT_EQ(grid.CellText(1, 1), "");
    EXPECT_NE(read(file("kept.cel")).find("typed"), std::string::npos);  // the dialog's extension was added
    EXPECT_FALSE(grid.Modified());

    type("again");
    msgs.queue({MsgResult::No});
    dialogs.answerFile(file("kept.cel"));
    mnuFileOpen_Click(grid);  // No: the file replaces the typed data
    EXPECT_EQ(grid.CellText(1, 1), "typed");
    EXPECT_FALSE(grid.Modified());  // as it was opened
    msgs.clear();
    mnuFileNew_Click(grid);
    EXPECT_TRUE(msgs.shown().empty());
}

TEST_F(GridCommands, OpenDataRefusesWhatIsNoRegularFile) {
    platform::MsgRecorder msgs;
    platform::DialogRecorder dialogs;
    fs::create_directory(file("folder.cel"));
    dialogs.answerFile(file("folder.cel"));
    mnuFileOpen_Click(grid);
    EXPECT_EQ(msgs.texts(),
              std::vector<std::string>{"Cannot open the file " + file("folder.cel") + ": it is not a regular file."});
    EXPECT_EQ(grid.CellText(0, 1), "Var1");
}
