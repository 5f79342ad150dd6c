#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyleOptionViewItem>
#include <memory>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "platform/grid_control.h"
#include "platform/cel_format.h"
#include "platform/msgbox.h"
#include "platform/sparse_grid.h"
#include "support/waits.h"

using platform::GridControl;

namespace {

class Grid : public ::testing::Test {
protected:
    void SetUp() override {
        grid.resize(500, 300);
        grid.SetRows(11);
        grid.SetCols(5);
        for (long c = 1; c < 5; ++c) grid.SetCellText(0, c, "Var" + std::to_string(c));
    }
    GridControl grid;
};

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("trelvane_grid_" + std::to_string(::getpid()) + name)).string();
}

}  // namespace

TEST_F(Grid, RowZeroIsTheNameHeaderAndColumnZeroTheRowNumbers) {
    QAbstractItemModel* m = grid.model();
    EXPECT_EQ(m->rowCount(), 10);
    EXPECT_EQ(m->columnCount(), 4);
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "Var2");
    EXPECT_EQ(m->headerData(2, Qt::Vertical).toString(), "3");
    grid.SetCellText(3, 2, "4.5");
    EXPECT_EQ(m->data(m->index(2, 1)).toString(), "4.5");
    m->setData(m->index(0, 0), QString::fromUtf8("\xC3\xA9t\xC3\xA9"), Qt::EditRole);  // typed by the user
    EXPECT_EQ(grid.CellText(1, 1), "\xC3\xA9t\xC3\xA9");
    EXPECT_THROW(grid.CellText(11, 1), std::out_of_range);
    grid.SetShowRowNumbers(false);
    EXPECT_FALSE(m->headerData(2, Qt::Vertical).isValid());
}

TEST_F(Grid, ResizingKeepsCellsInsideAndTheActiveCellValid) {
    grid.SetCellText(10, 4, "corner");
    grid.SetCellText(2, 2, "kept");
    grid.SetActiveCell(10, 4);
    grid.SetRows(3);
    grid.SetCols(3);
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(grid.CellText(2, 2), "kept");
    EXPECT_EQ(grid.Store().CellCount(), 3u);  // kept + Var1 + Var2
    EXPECT_EQ(grid.ActiveCellRow(), 2);
    EXPECT_EQ(grid.ActiveCellCol(), 2);
    grid.SetRows(65536);
    grid.SetCols(65536);
    EXPECT_EQ(grid.model()->rowCount(), 65535);
    EXPECT_EQ(grid.Store().CellCount(), 3u);
}

TEST_F(Grid, CopyCutAndPasteGoThroughTheClipboardAsTabSeparatedText) {
    grid.SetCellText(1, 1, "1");
    grid.SetCellText(1, 2, "2");
    grid.SetCellText(2, 1, "3");
    grid.SetSelection({1, 1, 2, 2});
    grid.SelectionCopy();
    EXPECT_EQ(QApplication::clipboard()->text(), "1\t2\n3\t\n");
    grid.SelectionCut();
    EXPECT_EQ(grid.CellText(1, 1), "");
    EXPECT_EQ(grid.CellText(0, 1), "Var1");  // names are not data

    // Text from a spreadsheet, pasted at the active cell.
    QApplication::clipboard()->setText("x\ty\r\n1,5\t2\r\n");
    grid.SetActiveCell(5, 3);
    grid.SetSelection({5, 3, 5, 3});
    grid.SelectionPaste();
    EXPECT_EQ(grid.CellText(5, 3), "x");
    EXPECT_EQ(grid.CellText(5, 4), "y");
    EXPECT_EQ(grid.CellText(6, 3), "1,5");
    const platform::CellRange sel = grid.Selection();
    EXPECT_EQ(sel.row2, 6);
    EXPECT_EQ(sel.col2, 4);
}

TEST_F(Grid, RowAndColumnCommandsWorkOnTheSelection) {
    grid.SetCellText(2, 1, "a");
    grid.SetCellText(3, 1, "b");
    grid.SetSelection({2, 1, 2, 1});
    grid.SelectionInsertRow();
    EXPECT_EQ(grid.Rows(), 12);
    EXPECT_EQ(grid.CellText(3, 1), "a");
    grid.SetSelection({3, 1, 3, 1});
    grid.SelectionDeleteRow();
    EXPECT_EQ(grid.Rows(), 11);
    EXPECT_EQ(grid.CellText(3, 1), "b");
    grid.SetSelection({1, 1, 1, 2});
    grid.SelectionDeleteCol();
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.CellText(0, 1), "Var3");
    grid.SetSelection({1, 1, 1, 1});
    grid.SelectionInsertCol();
    EXPECT_EQ(grid.CellText(0, 1), "");
    EXPECT_EQ(grid.CellText(0, 2), "Var3");
    grid.SetCellText(4, 2, "z");
    grid.SetSelection({4, 2, 4, 2});
    grid.SelectionDeleteContents();
    EXPECT_EQ(grid.CellText(4, 2), "");
}

TEST_F(Grid, FilesRoundTripAndFailuresShowAMessageAndChangeNothing) {
    platform::MsgRecorder msgs;
    grid.SetCellText(1, 1, "tab\there");
    const std::string file = tempPath("ok.cel");
    ASSERT_TRUE(grid.SaveFile(file));
    GridControl other;
    ASSERT_TRUE(other.LoadFile(file));
    EXPECT_EQ(other.Rows(), 11);
    EXPECT_EQ(other.CellText(1, 1), "tab\there");
    EXPECT_EQ(other.model()->headerData(0, Qt::Horizontal).toString(), "Var1");

    const std::string bad = tempPath("bad.cel");
    std::ofstream(bad) << "TRELVANE-CEL 1\n11 5\n1\t1\tfine\nnot a cell\n";
    EXPECT_FALSE(grid.LoadFile(bad));
    EXPECT_EQ(grid.CellText(1, 1), "tab\there");
    EXPECT_EQ(grid.Cols(), 5);
    EXPECT_FALSE(grid.SaveFile(tempPath("missing dir") + "/x.cel"));
    ASSERT_EQ(msgs.shown().size(), 2u);
    EXPECT_NE(msgs.shown()[0].text.find(bad), std::string::npos);
    EXPECT_NE(msgs.shown()[0].text.find("line 4"), std::string::npos);
    EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Critical);
    EXPECT_NE(msgs.shown()[1].text.find("missing dir"), std::string::npos);
    std::filesystem::remove(file);
    std::filesystem::remove(bad);
}

TEST_F(Grid, MouseDownReportsButtonAndPlaceOverTheWholeGrid) {
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid, testsupport::kLongWaitMs));
    QSignalSpy spy(&grid, &GridControl::MouseDown);
    const QRect cell = grid.visualRect(grid.model()->index(1, 1));
    QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::ShiftModifier, cell.center());
    EXPECT_EQ(grid.ActiveCellCol(), 2);  // the press made the cell current
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::RightButton, {}, QPoint(30, 5));
    QTest::mouseClick(grid.verticalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, 30));
    ASSERT_EQ(spy.count(), 3);
    auto arg = [&](int i, int k) { return spy.at(i).at(k).toInt(); };
    EXPECT_EQ(arg(0, 0), 2);
    EXPECT_EQ(arg(0, 1), 1);
    EXPECT_GT(arg(0, 2), grid.ColumnWidth(0));  // over the data cells
    EXPECT_GT(arg(0, 3), grid.RowHeight(0));
    EXPECT_LE(arg(1, 3), grid.RowHeight(0));    // over the names
    EXPECT_EQ(arg(2, 0), 1);
    EXPECT_LE(arg(2, 2), grid.ColumnWidth(0));  // over the row numbers
}

// Typed text is never cut: the editor takes more than a cell may hold, and a
// text too long is refused with a message while the cell keeps its text.
TEST_F(Grid, TypedTextIsCheckedNotCut) {
    platform::MsgRecorder msgs;
    grid.SetCellText(2, 1, "old");
    const QModelIndex at = grid.model()->index(1, 0);
    QAbstractItemDelegate* delegate = grid.itemDelegate();
    QStyleOptionViewItem option;
    std::unique_ptr<QWidget> widget(delegate->createEditor(grid.viewport(), option, at));
    auto* editor = qobject_cast<QLineEdit*>(widget.get());
    ASSERT_NE(editor, nullptr);
    auto type = [&](const QString& text) {
        editor->setText(text);
        ASSERT_EQ(editor->text().size(), text.size());  // the editor cut nothing
        delegate->setModelData(editor, grid.model(), at);
    };
    type(QString(32768, QLatin1Char('x')));
    EXPECT_EQ(grid.CellText(2, 1), "old");
    // The message comes once the editor has closed.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !msgs.shown().empty(); }, testsupport::kLongWaitMs));
    ASSERT_EQ(msgs.texts(), std::vector<std::string>{
                                "The text of row 2, column 1 has more than 32,767 characters. The cell keeps its text."});
    EXPECT_EQ(msgs.shown()[0].icon, platform::MsgIcon::Critical);
    msgs.clear();
    type(QString(32767, QLatin1Char('y')));  // the longest text a cell holds, whole
    EXPECT_EQ(grid.CellText(2, 1), std::string(32767, 'y'));
    QCoreApplication::processEvents();  // a message would be a queued call
    EXPECT_TRUE(msgs.shown().empty());
}

TEST_F(Grid, APasteThatDoesNotFitSaysHowMuchWasLeftOut) {
    platform::MsgRecorder msgs;
    QString rows;
    for (int i = 0; i < 70000; ++i) rows += QStringLiteral("1\t2\n");
    QApplication::clipboard()->setText(rows);
    grid.SetSelection({1, 1, 1, 1});
    grid.SelectionPaste();
    EXPECT_EQ(grid.Rows(), 65536);
    EXPECT_EQ(grid.CellText(65535, 2), "2");
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{"4,465 rows did not fit into the grid and were not pasted."});

    msgs.clear();
    QApplication::clipboard()->setText(QStringLiteral("a\t") + QString(40000, QLatin1Char('z')));
    grid.SetSelection({3, 1, 3, 1});
    grid.SelectionPaste();
    EXPECT_EQ(grid.CellText(3, 1), "1");  // nothing changed
    EXPECT_EQ(msgs.texts(), std::vector<std::string>{
                                "The text of row 3, column 2 has more than 32,767 characters. Nothing was pasted."});
}

// A file of several MiB is read in pieces with the window answering between
// them: an event posted before the load runs while it is under way, and the
// grid shows the whole file afterwards.
TEST_F(Grid, TheWindowAnswersWhileALargeFileLoads) {
    GridControl big;
    big.SetRows(20001);
    big.SetCols(3);
    const std::string text(100, 'x');
    for (long r = 1; r <= 20000; ++r) big.SetCellText(r, 1, text), big.SetCellText(r, 2, std::to_string(r));
    const std::string file = tempPath("big.cel");
    ASSERT_TRUE(big.SaveFile(file));
    ASSERT_GT(std::filesystem::file_size(file), 2u << 20);

    bool loading = true, ranDuringTheLoad = false;
    QTimer::singleShot(0, [&] { ranDuringTheLoad = loading; });
    ASSERT_TRUE(grid.LoadFile(file));
    loading = false;
    EXPECT_TRUE(ranDuringTheLoad);
    EXPECT_EQ(grid.Rows(), 20001);
    EXPECT_EQ(grid.CellText(20000, 2), "20000");
    std::filesystem::remove(file);
}

// Save Data makes and writes the file in pieces with the window answering
// between them (user input waits, as while a file loads): a timer runs during
// the save once per piece or more, and the file holds the whole grid.
TEST_F(Grid, TheWindowAnswersWhileALargeGridSaves) {
    grid.SetRows(20001);
    grid.SetCols(3);
    const std::string text(100, 'x');
    for (long r = 1; r <= 20000; ++r) grid.SetCellText(r, 1, text), grid.SetCellText(r, 2, std::to_string(r));
    const std::string file = tempPath("saved.cel");

    bool saving = true;
    int ticksDuringTheSave = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ticksDuringTheSave += saving; });
    tick.start(0);
    ASSERT_TRUE(grid.SaveFile(file));
    saving = false;
    tick.stop();

    const auto size = std::filesystem::file_size(file);
    ASSERT_GT(size, 2u << 20);
    EXPECT_GE(ticksDuringTheSave, static_cast<int>(size >> 20));
    EXPECT_FALSE(grid.Modified());
    platform::SparseGrid saved(1, 1);
    std::string error;
    ASSERT_TRUE(saved.LoadCel(file, error)) << error;
    EXPECT_EQ(platform::FormatCel(saved), platform::FormatCel(grid.Store()));
    std::filesystem::remove(file);
}
