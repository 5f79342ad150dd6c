#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "state/globals.h"
#include "app/grid/grid_loader.h"
#include "app/dialog_kit/grid_number.h"
#include "platform/sparse_grid.h"

using platform::SparseGrid;

TEST(GridNumber, ReadsDotOrCommaAndRefusesEverythingElse) {
    struct Case {
        const char* text;
        bool number;
        double value;
    };
    const std::vector<Case> cases = {
        {"12", true, 12},        {" 12 ", true, 12},     {"\t-2.5\r\n", true, -2.5}, {"+3", true, 3},
        {"1,5", true, 1.5},      {",5", true, 0.5},      {"5.", true, 5},            {"1e3", true, 1000},
        {"2.5E-1", true, 0.25},  {"1D2", true, 100},     {"&H10", true, 16},         {"&hff", true, 255},
        {"&O17", true, 15},      {"1,000", true, 1},     {"", false, 0},             {" ", false, 0},
        {"abc", false, 0},       {"1 2", false, 0},      {"1.2.3", false, 0},        {"1,5,0", false, 0},
        {"$5", false, 0},        {"12abc", false, 0},    {"1e", false, 0},           {"e3", false, 0},
        {"-", false, 0},         {".", false, 0},        {"&H", false, 0},           {"&HZZ", false, 0},
        {"1e400", false, 0},     {"nan", false, 0},      {"inf", false, 0},          {"- 5", false, 0},
    };
    for (const auto& k : cases) {
        double v = -99;
        EXPECT_EQ(ParseGridNumber(k.text, v), k.number) << '"' << k.text << '"';
        if (k.number) {
            EXPECT_DOUBLE_EQ(v, k.value) << k.text;
        }
        EXPECT_DOUBLE_EQ(GridCellValue(k.text), k.value) << k.text;
    }
}

TEST(GridNumber, GridSizesRunFromOneTo65536RoundedHalfToEven) {
    const std::vector<std::pair<const char*, long>> accepted = {
        {"1", 1}, {"65536", 65536}, {"2.5", 2}, {"3.5", 4}, {"1e3", 1000}, {"10,4", 10}, {" 7 ", 7}};
    for (const auto& [text, n] : accepted) {
        long got = 0;
        EXPECT_TRUE(GridSizeFromText(text, got)) << text;
        EXPECT_EQ(got, n) << text;
    }
    for (const char* text : {"65537", "0", "", "abc", "0.6", "65536.4", "-3", "1e9"}) {
        long got = 42;
        EXPECT_FALSE(GridSizeFromText(text, got)) << text;
        EXPECT_EQ(got, 42) << text;
    }
}

namespace {

struct Cell {
    long row, col;
    std::string text;
};

SparseGrid gridOf(const std::vector<Cell>& cells, long rows = 1001, long cols = 11) {
    SparseGrid g(rows, cols);
    for (long c = 1; c < cols; ++c) g.SetText(0, c, "Var" + std::to_string(c));
    for (const auto& cell : cells) g.SetText(cell.row, cell.col, cell.text);
    return g;
}

class GridLoader : public ::testing::Test {
protected:
    void SetUp() override { resetGlobals(); }
    void TearDown() override { resetGlobals(); }
};

}  // namespace

TEST_F(GridLoader, MeasuresTheUsedRectangleAndReadsEveryCell) {
    struct Case {
        const char* what;
        std::vector<Cell> cells;
        long cols, rows;
        std::map<std::pair<long, long>, double> values;  // (column, row) -> value
        std::map<std::pair<long, long>, GridCell> kinds = {};  // what some of the cells held
    };
    const std::vector<Case> cases = {
        {"only column 3", {{1, 3, "1"}, {5, 3, "5"}}, 3, 5, {{{3, 5}, 5}, {{1, 1}, 0}, {{2, 5}, 0}, {{3, 2}, 0}}},
        {"columns of unequal length", {{10, 1, "10"}, {4, 2, "4"}}, 2, 10, {{{1, 10}, 10}, {{2, 4}, 4}, {{2, 10}, 0}},
         {{{1, 10}, GridCell::Number}, {{2, 4}, GridCell::Number}, {{2, 10}, GridCell::Empty}, {{1, 1}, GridCell::Empty}}},
        {"text, blanks, commas", {{1, 1, "abc"}, {2, 1, " 12 "}, {3, 1, "1e3"}, {4, 1, "&H10"}, {5, 1, "1,5"}, {6, 1, " "}},
         1, 6, {{{1, 1}, 0}, {{1, 2}, 12}, {{1, 3}, 1000}, {{1, 4}, 16}, {{1, 5}, 1.5}, {{1, 6}, 0}},
         {{{1, 1}, GridCell::Text}, {{1, 2}, GridCell::Number}, {{1, 5}, GridCell::Number}, {{1, 6}, GridCell::Empty}}},
        {"row numbers and names beyond the data do not count", {{1, 1, "2"}, {7, 0, "label"}, {0, 9, "named"}}, 1, 1,
         {{{1, 1}, 2}}},
        {"the last column of a wide grid", {{2, 60000, "-1"}}, 60000, 2, {{{60000, 2}, -1}, {{1, 1}, 0}}},
    };
    for (const auto& k : cases) {
        SparseGrid g = k.cols > 10 ? gridOf(k.cells, 1001, 65536) : gridOf(k.cells);
        std::string message;
        ASSERT_EQ(LoadGridValues(g, message), GridLoad::Loaded) << k.what;
        EXPECT_EQ(gGridColumnCount, k.cols) << k.what;
        EXPECT_EQ(gGridRowCount, k.rows) << k.what;
        ASSERT_EQ(gGridColumnNames.size(), static_cast<std::size_t>(k.cols) + 1) << k.what;
        EXPECT_EQ(gGridColumnNames[1], "Var1") << k.what;
        for (const auto& [at, v] : k.values) EXPECT_DOUBLE_EQ(gGridValues.at(at.first, at.second), v) << k.what;
        for (const auto& [at, kind] : k.kinds) EXPECT_EQ(gGridValues.cell(at.first, at.second), kind) << k.what;
        EXPECT_THROW(gGridValues.at(k.cols + 1, 1), std::out_of_range);
    }
}

TEST_F(GridLoader, EmptyOrTooLargeGridsLoadNothingAndSayWhy) {
    SparseGrid full = gridOf({{1, 1, "5"}, {2, 2, "6"}});
    std::string message;
    ASSERT_EQ(LoadGridValues(full, message), GridLoad::Loaded);

    SparseGrid empty = gridOf({});
    EXPECT_EQ(LoadGridValues(empty, message), GridLoad::Empty);
    EXPECT_EQ(message, "Please input your data first.");
    EXPECT_EQ(gGridColumnCount, 0);
    EXPECT_EQ(gGridRowCount, 0);
    EXPECT_DOUBLE_EQ(gGridValues.at(2, 2), 6);  // the arrays stay as they were

    // One stray value far out would need 34 GB of numbers.
    SparseGrid huge = gridOf({{1, 1, "1"}, {65535, 65535, "1"}}, 65536, 65536);
    EXPECT_EQ(LoadGridValues(huge, message), GridLoad::TooLarge);
    EXPECT_NE(message.find("65535 columns by 65535 rows"), std::string::npos) << message;
    EXPECT_EQ(gGridColumnCount, 0);
    EXPECT_EQ(gGridRowCount, 0);
    EXPECT_DOUBLE_EQ(gGridValues.at(2, 2), 6);
}

TEST(GridNumber, LongNumbersAndExtremeExponentsReadExactly) {
    const std::vector<std::pair<const char*, double>> cases = {
        {"0.1", 0.1}, {"123456789012345", 123456789012345.0}, {"1234567890123456789012", 1234567890123456789012.0},
        {"3,14159265358979323846", 3.14159265358979323846}, {"1e-300", 1e-300}, {"-2.5e+22", -2.5e22},
        {"6.02214076D23", 6.02214076e23}, {"0.000000000000000000000000001", 1e-27}, {"-0", -0.0}};
    for (const auto& [text, want] : cases) {
        double v = 0;
        ASSERT_TRUE(ParseGridNumber(text, v)) << text;
        EXPECT_EQ(v, want) << text;  // exactly the nearest double
    }
}

namespace {

// The reference reading: the C library's conversion of the same text with "."
// as the decimal point. Overflow is not a number; underflow reads as zero.
bool referenceRead(const std::string& text, double& value) {
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(value);
}

std::string withComma(std::string text) {
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

}  // namespace

TEST(GridNumber, SignsExponentsAndDigitCountsReadAsTheNearestDouble) {
    const std::string digits = "731058264917350284619736405182";  // 30 digits
    int checked = 0;
    for (const char* sign : {"", "+", "-"}) {
        for (int exponent : {0, 22, -22, 23, -23, 300, -300, 308, -308, 320, -320}) {
            for (std::size_t count : {1, 15, 16, 30}) {
                const std::string text =
                    sign + digits.substr(0, 1) + "." + digits.substr(1, count - 1) + "e" + std::to_string(exponent);
                double want = 0;
                const bool number = referenceRead(text, want);
                for (const std::string& form : {text, withComma(text)}) {
                    double got = 42;
                    ASSERT_EQ(ParseGridNumber(form, got), number) << form;
                    if (!number) continue;
                    EXPECT_EQ(got, want) << form;
                    EXPECT_EQ(std::signbit(got), std::signbit(want)) << form;
                    EXPECT_EQ(GridCellValue(form), want) << form;
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 200);
    // A negative number far beyond 15 digits or 1e22 keeps its sign: a fit of
    // such data once reported a positive slope.
    double v = 0;
    ASSERT_TRUE(ParseGridNumber("-1e30", v));
    EXPECT_EQ(v, -1e30);
    ASSERT_TRUE(ParseGridNumber("-1234567890123456789", v));
    EXPECT_EQ(v, -1234567890123456789.0);
    ASSERT_TRUE(ParseGridNumber("-1e-400", v));  // too small: the nearest double is -0
    EXPECT_TRUE(v == 0 && std::signbit(v));
    EXPECT_FALSE(ParseGridNumber("-1e400", v));
}

TEST(GridNumber, AMillionRandomDoublesReadBackAsTheCLibraryReadsThem) {
    std::mt19937_64 random(20240611);
    char buffer[64];
    for (int n = 0; n < 1000000; ++n) {
        double x = 0;
        do {
            const std::uint64_t bits = random();
            std::memcpy(&x, &bits, sizeof x);
        } while (!std::isfinite(x));
        // The exponent form, and for every fourth number the plain form built
        // from the same 17 digits (a decimal point and no exponent).
        std::snprintf(buffer, sizeof buffer, "%.16e", x);
        std::string text = buffer;
        if (n % 4 == 0) {
            const std::size_t e = text.find('e');
            const int exponent = std::stoi(text.substr(e + 1));
            const bool negative = text[0] == '-';
            std::string d = text.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
            d.erase(1, 1);  // the 17 digits alone
            if (exponent >= 16) {
                d += std::string(exponent - 16, '0');
            } else if (exponent >= 0) {
                d.insert(exponent + 1, ".");
            } else {
                d = "0." + std::string(-exponent - 1, '0') + d;
            }
            text = (negative ? "-" : "") + d;
        }
        double want = 0, got = 0;
        ASSERT_TRUE(referenceRead(text, want)) << text;
        const std::string form = n % 2 ? withComma(text) : text;
        ASSERT_TRUE(ParseGridNumber(form, got)) << form;
        ASSERT_EQ(std::memcmp(&got, &want, sizeof got), 0) << form;
    }
}
