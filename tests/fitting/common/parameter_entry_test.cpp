// Parameter entries: the text form the parameter dialogs write, the list
// rules they keep, and the reading of a list for a fit.
#include <gtest/gtest.h>

#include "fitting/common/parameter_entry.h"

namespace {

TEST(ParameterEntry, ReadingRuleAndListRules) {
    EXPECT_EQ(MakeParameterEntry("b", "0.5"), "b(0.5)");
    EXPECT_EQ(MakeParameterEntry("a", ""), "a()");
    const std::vector<std::tuple<std::string, std::string, std::string>> reads = {
        {"b(0.5)", "b", "0.5"}, {"a()", "a", ""}, {"ab(1)", "a", "(1"}, {"a( 1 )", "a", " 1 "},
        {"()", "(", ""},        {"x", "x", ""},   {"", "", ""},
    };
    for (const auto& [entry, name, value] : reads) {
        EXPECT_EQ(ParameterEntryName(entry), name) << entry;
        EXPECT_EQ(ParameterEntryValue(entry), value) << entry;
    }

    // Sorted without regard to case; a new entry goes after its equals.
    const std::vector<std::string> list = {"a(1)", "B(2)", "c(3)"};
    EXPECT_EQ(SortedEntryPosition(list, "b(0)"), 1u);
    EXPECT_EQ(SortedEntryPosition(list, "A(1)"), 1u);
    EXPECT_EQ(SortedEntryPosition(list, "d(1)"), 3u);
    EXPECT_EQ(SortedEntryPosition({}, "d(1)"), 0u);
    EXPECT_EQ(SortedEntryPosition(list, "ab(1)"), 1u);

    // The duplicate test compares the whole name with first characters, exactly.
    EXPECT_TRUE(ParameterNameTaken(list, "a"));
    EXPECT_TRUE(ParameterNameTaken(list, "B"));
    EXPECT_FALSE(ParameterNameTaken(list, "A"));
    EXPECT_FALSE(ParameterNameTaken(list, "ab"));
    EXPECT_FALSE(ParameterNameTaken({}, "a"));
}

TEST(ParameterEntry, StartingValuesTakeAPointOrAComma) {
    const std::vector<std::pair<std::string, double>> good = {
        {"500", 500}, {"0.0001", 1e-4}, {"1,5", 1.5}, {" -2.5 ", -2.5}, {"+3", 3},
        {"1.0E-04", 1e-4}, {"1e3", 1000}, {".5", 0.5}, {"2,", 2},
    };
    for (const auto& [text, v] : good) {
        double read = 0;
        EXPECT_TRUE(ReadStartingValue(text, read)) << text;
        EXPECT_EQ(read, v) << text;
    }
    for (const std::string text : {"", " ", "abc", "1..2", "1,5,0", "inf", "nan", "1e400", "2 5", "1e", "(1", "0x10",
                                   "--1", "1-"}) {
        double read = 7;
        EXPECT_FALSE(ReadStartingValue(text, read)) << text;
        EXPECT_EQ(read, 7) << text;
    }
}

TEST(ParameterEntry, AListIsReadOrRefusedWithOneMessage) {
    struct Case {
        std::vector<std::string> entries;
        std::string message;
    };
    const std::string gap = "The parameters must be a, b, c, ... in the order of a to t, without a gap.";
    const std::vector<Case> cases = {
        {{}, "Please enter the parameters and their starting values first."},
        {std::vector<std::string>(21, "a(1)"), "A model has at most 20 parameters (a to t)."},
        {{"a(1)", "u(2)"}, "The parameter names must be letters from a to t."},
        {{"ab(1)"}, "The parameter names must be letters from a to t."},
        {{"()"}, "The parameter names must be letters from a to t."},
        {{"a1)"}, "The parameter names must be letters from a to t."},
        {{"a(1)", "A(2)"}, "The parameter a is listed twice."},
        {{"a(x)"}, "The starting value of parameter a is not a number."},
        {{"a(1)", "b()"}, "The starting value of parameter b is not a number."},
        {{"a(1)", "c(3)"}, gap},
        {{"b(1)"}, gap},
    };
    for (const Case& c : cases) {
        std::vector<solver::ParameterStart> read = {{'z', 9}};
        EXPECT_EQ(ReadParameterEntries(c.entries, read), c.message) << (c.entries.empty() ? "" : c.entries[0]);
        EXPECT_EQ(read.size(), 1u);  // nothing read on a refusal
    }
    // Arrival order is kept; letters map by name in either case.
    std::vector<solver::ParameterStart> read;
    ASSERT_EQ(ReadParameterEntries({"b(2)", "A(0,5)", "c(-1e-3)"}, read), "");
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].letter, 'b');
    EXPECT_EQ(read[0].start, 2);
    EXPECT_EQ(read[1].letter, 'A');
    EXPECT_EQ(read[1].start, 0.5);
    EXPECT_EQ(read[2].start, -1e-3);
    std::vector<std::string> twenty;
    for (char c = 'a'; c <= 't'; ++c) twenty.push_back(std::string(1, c) + "(1)");
    EXPECT_EQ(ReadParameterEntries(twenty, read), "");
    EXPECT_EQ(read.size(), 20u);
}

}  // namespace
