#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/sparse_grid.h"
#include "platform/tsv.h"

using platform::CellRange;
using platform::SparseGrid;

TEST(SparseGrid, CellsReadEmptyUntilWrittenAndCheckTheirIndexes) {
    SparseGrid g(5, 4);
    EXPECT_EQ(g.Text(4, 3), "");
    g.SetText(0, 1, "Var1");
    g.SetText(4, 3, "7.5");
    EXPECT_EQ(g.Text(0, 1), "Var1");
    EXPECT_EQ(g.Text(4, 3), "7.5");
    for (auto [r, c] : {std::pair{5L, 0L}, {0L, 4L}, {-1L, 1L}, {1L, -1L}}) {
        EXPECT_THROW(g.SetText(r, c, "x"), std::out_of_range);
        try {
            (void)g.Text(r, c);
            ADD_FAILURE() << "no throw at " << r << "," << c;
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), "Subscript out of range");
        }
    }
    EXPECT_EQ(g.CellCount(), 2u);
    g.SetText(4, 3, "");  // writing "" empties the cell
    EXPECT_EQ(g.CellCount(), 1u);
}

TEST(SparseGrid, MemoryFollowsTheFilledCells) {
    SparseGrid g(SparseGrid::kMaxSize, SparseGrid::kMaxSize);
    EXPECT_EQ(g.CellCount(), 0u);
    g.SetText(60000, 60000, "far");
    EXPECT_EQ(g.CellCount(), 1u);
    EXPECT_EQ(g.Text(60000, 60000), "far");
    // A range clear and a paste over the huge grid stay cheap too.
    g.ClearRange({1, 1, 65535, 65535});
    EXPECT_EQ(g.CellCount(), 0u);
}

TEST(SparseGrid, SizesStayWithinOneTo65536AndShrinkingDropsCells) {
    SparseGrid g(10, 10);
    g.SetText(9, 9, "x");
    g.SetText(2, 2, "y");
    g.SetRows(5);
    EXPECT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.CellCount(), 1u);
    g.SetRows(10);
    EXPECT_EQ(g.Text(9, 9), "");  // growing again brings nothing back
    g.SetRows(0);
    g.SetCols(70000);
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.Cols(), 65536);
}

TEST(SparseGrid, ClearEmptiesNamesToo_ClearRangeOnlyData) {
    SparseGrid g(4, 4);
    g.SetText(0, 1, "Var1");
    g.SetText(1, 0, "row label");
    g.SetText(1, 1, "1");
    g.SetText(2, 2, "2");
    g.ClearRange({0, 0, 3, 3});
    EXPECT_EQ(g.Text(0, 1), "Var1");
    EXPECT_EQ(g.Text(1, 0), "row label");
    EXPECT_EQ(g.CellCount(), 2u);
    g.Clear();
    EXPECT_EQ(g.CellCount(), 0u);
}

// A 4 x 4 grid of "rc" texts with names "Nc" in row 0.
static SparseGrid sample() {
    SparseGrid g(4, 4);
    for (long c = 1; c < 4; ++c) {
        g.SetText(0, c, "N" + std::to_string(c));
        for (long r = 1; r < 4; ++r) g.SetText(r, c, std::to_string(r) + std::to_string(c));
    }
    return g;
}

TEST(SparseGrid, RowAndColumnInsertAndDeleteShiftCells) {
    struct Case {
        const char* what;
        void (SparseGrid::*op)(long, long);
        long at, count, rows, cols;
        std::vector<std::tuple<long, long, std::string>> expect;
    };
    const std::vector<Case> cases = {
        {"insert row", &SparseGrid::InsertRows, 2, 1, 5, 4, {{1, 1, "11"}, {2, 1, ""}, {3, 1, "21"}, {4, 3, "33"}, {0, 1, "N1"}}},
        {"delete rows", &SparseGrid::DeleteRows, 1, 2, 2, 4, {{1, 2, "32"}, {0, 2, "N2"}}},
        {"insert column: no name", &SparseGrid::InsertCols, 2, 1, 4, 5, {{0, 2, ""}, {0, 3, "N2"}, {1, 3, "12"}, {1, 2, ""}}},
        {"delete column: name goes too", &SparseGrid::DeleteCols, 1, 1, 4, 3, {{0, 1, "N2"}, {3, 2, "33"}}},
        {"row 0 is never deleted", &SparseGrid::DeleteRows, 0, 1, 3, 4, {{0, 1, "N1"}, {1, 1, "21"}}},
        {"delete past the end clips", &SparseGrid::DeleteCols, 3, 9, 4, 3, {{1, 2, "12"}}},
    };
    for (const auto& k : cases) {
        SparseGrid g = sample();
        (g.*k.op)(k.at, k.count);
        EXPECT_EQ(g.Rows(), k.rows) << k.what;
        EXPECT_EQ(g.Cols(), k.cols) << k.what;
        for (const auto& [r, c, t] : k.expect) EXPECT_EQ(g.Text(r, c), t) << k.what << " at " << r << "," << c;
    }
}

TEST(SparseGrid, CopyAndPasteExchangeTabSeparatedText) {
    SparseGrid g = sample();
    g.SetText(2, 2, "tab\there");
    g.SetText(2, 3, "two\nlines \"q\"");
    const std::string text = g.CopyText({1, 1, 2, 3});
    EXPECT_EQ(text, "11\t12\t13\n21\t\"tab\there\"\t\"two\nlines \"\"q\"\"\"\n");

    SparseGrid h(3, 3);
    CellRange written = h.PasteText(2, 2, text);  // the grid grows to hold it
    EXPECT_EQ(h.Rows(), 4);
    EXPECT_EQ(h.Cols(), 5);
    EXPECT_EQ(written.row2, 3);
    EXPECT_EQ(written.col2, 4);
    EXPECT_EQ(h.Text(3, 3), "tab\there");
    EXPECT_EQ(h.Text(3, 4), "two\nlines \"q\"");
    EXPECT_EQ(h.Text(2, 2), "11");
}

TEST(Tsv, ReadsSpreadsheetClipboardText) {
    struct Case {
        std::string text;
        platform::TextTable table;
    };
    const std::vector<Case> cases = {
        {"1\t2\r\n3\t4\r\n", {{"1", "2"}, {"3", "4"}}},
        {"1\t\t3", {{"1", "", "3"}}},
        {"a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"\"x\"\"y\"\tz", {{"x\"y", "z"}}},
        {"5\"inch\t\"open", {{"5\"inch", "\"open"}}},  // stray quotes are text
        {"", {}},
    };
    for (const auto& k : cases) EXPECT_EQ(platform::ParseTsv(k.text), k.table) << k.text;
}

TEST(SparseGrid, DataExtentFollowsEveryChange) {
    SparseGrid g(100, 100);
    g.SetText(0, 50, "name only");
    g.SetText(70, 0, "row label");
    EXPECT_EQ(g.DataExtent(), (std::pair{0L, 0L}));
    g.SetText(10, 3, "a");
    g.SetText(4, 8, "b");
    EXPECT_EQ(g.DataExtent(), (std::pair{10L, 8L}));
    g.SetText(10, 3, "");
    EXPECT_EQ(g.DataExtent(), (std::pair{4L, 8L}));
    g.InsertRows(1, 5);
    EXPECT_EQ(g.DataExtent(), (std::pair{9L, 8L}));
    g.DeleteCols(8, 1);
    EXPECT_EQ(g.DataExtent(), (std::pair{0L, 0L}));
    g.SetText(3, 3, "c");
    g.ClearRange({3, 3, 3, 3});
    EXPECT_EQ(g.DataExtent(), (std::pair{0L, 0L}));
    g.PasteText(20, 2, "1\t2\n3\n");
    EXPECT_EQ(g.DataExtent(), (std::pair{21L, 3L}));
    g.SetRows(21);
    EXPECT_EQ(g.DataExtent(), (std::pair{20L, 3L}));
    g.Clear();
    EXPECT_EQ(g.DataExtent(), (std::pair{0L, 0L}));
}
