// The one rule by which every fit reads its grid columns: rows without any
// chosen cell are left out, a row with a gap or a text stops the fit.
#include <gtest/gtest.h>

#include "fitting/common/fitting_data.h"
#include "grid_fixture.h"

namespace {

TEST(FittingData, RowsAreReadLeftOutOrRefused) {
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::vector<std::string>>> grid;
        std::vector<long> chosen;
        std::string message;
        std::vector<long> rows;                    // the grid rows read
        std::vector<std::vector<double>> columns;  // their values
    };
    const std::vector<Case> cases = {
        {"a longer column elsewhere adds no points",
         {{"x", {"1", "2"}}, {"y", {"3", "4"}}, {"w", {"1", "1", "1", "1"}}}, {1, 2}, "", {1, 2}, {{1, 2}, {3, 4}}},
        {"an empty row between the data is left out",
         {{"x", {"1", "", "3"}}, {"y", {"5", "", "7"}}}, {1, 2}, "", {1, 3}, {{1, 3}, {5, 7}}},
        {"the columns in the order asked for", {{"x", {"1"}}, {"y", {"2"}}}, {2, 1}, "", {1}, {{2}, {1}}},
        {"a gap beside a number", {{"Var1", {"1", "2", "3"}}, {"Var2", {"1", "2", "3", "4"}}}, {1, 2},
         "Column Var1, row 4: no number.", {}, {}},
        {"a text", {{"Var1", {"1", "2"}}, {"Var2", {"1", "two"}}}, {1, 2}, "Column Var2, row 2: no number.", {}, {}},
        {"a text beside an empty cell", {{"x", {"1", "n/a"}}, {"y", {"1", ""}}}, {1, 2},
         "Column x, row 2: no number.", {}, {}},
        {"a column without a name", {{"", {"1", ""}}, {"y", {"1", "2"}}}, {1, 2}, "Column 1, row 2: no number.", {}, {}},
        {"only empty rows", {{"x", {"", ""}}, {"y", {"", ""}}, {"w", {"", "1"}}}, {1, 2}, "", {}, {{}, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setGridTexts(c.grid);
        FittingData data;
        data.rows = {99};  // a refusal leaves what was there
        EXPECT_EQ(ReadFittingData(c.chosen, data), c.message);
        if (!c.message.empty()) {
            EXPECT_EQ(data.rows, std::vector<long>{99});
            continue;
        }
        EXPECT_EQ(data.rows, c.rows);
        EXPECT_EQ(data.count(), static_cast<long>(c.rows.size()));
        EXPECT_EQ(data.columns, c.columns);
    }
}

TEST(FittingData, ColumnsAreFoundByTheLineTheyWereListedUnder) {
    setGridTexts({{"a", {"1"}}, {"b", {"1"}}, {"a", {"1"}}});
    EXPECT_EQ(FindGridColumn("a", 1), 1);
    EXPECT_EQ(FindGridColumn("a", 3), 3);
    EXPECT_EQ(FindGridColumn("a", 2), 3);  // the line no longer bears it: the last of that name
    EXPECT_EQ(FindGridColumn("a", 0), 3);
    EXPECT_EQ(FindGridColumn("a", 99), 3);
    EXPECT_EQ(FindGridColumn("c", 1), 0);
    gGridColumnNames.resize(2);  // fewer names than columns never reads past them
    EXPECT_EQ(FindGridColumn("a", 3), 1);
}

}  // namespace
