#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/cell_text.h"
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
    CellRange written = h.PasteText(2, 2, text).written;  // the grid grows to hold it
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

namespace {
std::string rowsOf(long n, const std::string& line) {
    std::string text;
    for (long i = 0; i < n; ++i) text += line + "\n";
    return text;
}
}  // namespace

TEST(SparseGrid, APasteBeyondTheGridsLimitSaysHowMuchWasLeftOut) {
    struct Case {
        const char* what;
        long row, col;
        std::string text;
        long lastRow, lastCol;  // the corner written
        std::string message;
    };
    const std::vector<Case> cases = {
        {"70,000 rows from row 1", 1, 1, rowsOf(70000, "1\t2"), 65535, 2,
         "4,465 rows did not fit into the grid and were not pasted."},
        {"one row too many", 2, 1, rowsOf(65535, "x"), 65535, 1, "1 row did not fit into the grid and was not pasted."},
        {"columns from column 65530", 1, 65530, rowsOf(2, "c\tc\tc\tc\tc\tc\tc\tc\tc\tc"), 2, 65535,
         "4 columns did not fit into the grid and were not pasted."},
        {"both", 65534, 65534, rowsOf(3, "a\tb\tc"), 65535, 65535,
         "1 row and 1 column did not fit into the grid and were not pasted."},
        {"everything fits", 65534, 1, rowsOf(2, "a"), 65535, 1, ""},
    };
    for (const auto& k : cases) {
        SparseGrid g;
        const platform::PasteResult r = g.PasteText(k.row, k.col, k.text);
        EXPECT_EQ(r.written.row2, k.lastRow) << k.what;
        EXPECT_EQ(r.written.col2, k.lastCol) << k.what;
        EXPECT_EQ(platform::PasteMessage(r), k.message) << k.what;
        EXPECT_FALSE(g.Text(k.lastRow, k.lastCol).empty()) << k.what;
    }
}

TEST(SparseGrid, APasteWithATextNoCellMayHoldChangesNothing) {
    const std::string tooLong(platform::kMaxCellChars + 1, '7');
    const std::string longest(platform::kMaxCellChars, '7');
    struct Case {
        std::string text, message;
    };
    const std::vector<Case> cases = {
        {"1\t2\n3\t" + tooLong + "\n",
         "The text of row 6, column 5 has more than 32,767 characters. Nothing was pasted."},
        {"1\t" + std::string("a\0b", 3) + "\n", "The text of row 5, column 5 is not UTF-8 text. Nothing was pasted."},
        {"\xC0\xAF\n", "The text of row 5, column 4 is not UTF-8 text. Nothing was pasted."},
    };
    for (const auto& k : cases) {
        SparseGrid g(6, 6);
        g.SetText(5, 4, "old");
        const std::uint64_t stamp = g.Stamp();
        const platform::PasteResult r = g.PasteText(5, 4, k.text);
        EXPECT_EQ(platform::PasteMessage(r), k.message);
        EXPECT_LT(r.written.row2, r.written.row1);
        EXPECT_EQ(g.Stamp(), stamp);
        EXPECT_EQ(g.Rows(), 6);
        EXPECT_EQ(g.Text(5, 4), "old");
    }
    SparseGrid g;
    EXPECT_EQ(platform::PasteMessage(g.PasteText(1, 1, longest)), "");  // the longest text a cell may hold
    EXPECT_EQ(g.Text(1, 1), longest);
}

TEST(SparseGrid, TheStampChangesWithEveryChangeAndOnlyThen) {
    SparseGrid g(10, 10);
    SparseGrid other(10, 10);
    EXPECT_NE(g.Stamp(), other.Stamp());  // no two grids share a stamp
    struct Case {
        const char* what;
        std::function<void(SparseGrid&)> op;
        bool changes;
    };
    const std::vector<Case> cases = {
        {"text", [](SparseGrid& s) { s.SetText(2, 2, "b"); }, true},
        {"name", [](SparseGrid& s) { s.SetText(0, 3, "Name"); }, true},
        {"empty a cell", [](SparseGrid& s) { s.SetText(1, 1, ""); }, true},
        {"rows", [](SparseGrid& s) { s.SetRows(12); }, true},
        {"cols", [](SparseGrid& s) { s.SetCols(5); }, true},
        {"clear range", [](SparseGrid& s) { s.ClearRange({1, 1, 3, 3}); }, true},
        {"insert row", [](SparseGrid& s) { s.InsertRows(1, 1); }, true},
        {"delete col", [](SparseGrid& s) { s.DeleteCols(1, 1); }, true},
        {"paste", [](SparseGrid& s) { s.PasteText(4, 4, "p"); }, true},
        {"clear", [](SparseGrid& s) { s.Clear(); }, true},
        {"same text", [](SparseGrid& s) { s.SetText(1, 1, "a"); }, false},
        {"empty an empty cell", [](SparseGrid& s) { s.SetText(5, 5, ""); }, false},
        {"same size", [](SparseGrid& s) { s.SetRows(10); }, false},
        {"clear empty cells", [](SparseGrid& s) { s.ClearRange({6, 6, 8, 8}); }, false},
        {"read", [](SparseGrid& s) { (void)s.Text(1, 1); (void)s.DataExtent(); }, false},
    };
    for (const auto& k : cases) {
        SparseGrid s(10, 10);
        s.SetText(1, 1, "a");
        const std::uint64_t before = s.Stamp();
        k.op(s);
        EXPECT_EQ(s.Stamp() != before, k.changes) << k.what;
    }
}

TEST(CellText, UpTo32767CharactersOfUtf8TextWithoutNul) {
    struct Case {
        std::string text;
        platform::CellTextFault fault;
    };
    using F = platform::CellTextFault;
    std::string wide;  // 32,767 characters of four bytes each
    for (long i = 0; i < platform::kMaxCellChars; ++i) wide += "\xF0\x9F\x98\x80";
    const std::vector<Case> cases = {
        {"", F::None}, {"1,5", F::None}, {"\xC3\xA9\xE6\xB8\xA9", F::None}, {wide, F::None},
        {std::string(platform::kMaxCellChars, 'a'), F::None},
        {std::string(platform::kMaxCellChars + 1, 'a'), F::TooLong}, {wide + "a", F::TooLong},
        {std::string("\0", 1), F::NotText}, {"\xC0\x80", F::NotText}, {"\xE0\x9F\xBF", F::NotText},
        {"\xED\xBF\xBF", F::NotText}, {"\xF4\x90\x80\x80", F::NotText}, {"\xF5\x80\x80\x80", F::NotText},
        {"\xC3", F::NotText}, {"a\x80", F::NotText}, {"\xE6\xB8", F::NotText},
        {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", F::None},  // U+FFFF and U+10FFFF
    };
    for (const auto& k : cases)
        EXPECT_EQ(platform::CheckCellText(k.text), k.fault) << testing::PrintToString(k.text.substr(0, 20));
    EXPECT_EQ(platform::GroupThousands(4465), "4,465");
    EXPECT_EQ(platform::GroupThousands(-1234567), "-1,234,567");
    EXPECT_EQ(platform::GroupThousands(999), "999");
}
