// The slice descriptor: words by PopFirstChar, each word into its slice
// property by family, flags exactly "1", whole numbers halves to even.
#include "graph/slice_descriptor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "graph/graph_data.h"
#include "state/whole_number.h"

namespace {

TEST(SliceDescriptor, PopFirstCharTakesOneCharacter) {
    std::string text = "ab";
    EXPECT_EQ(PopFirstChar(text), "a");
    EXPECT_EQ(text, "b");
    EXPECT_EQ(PopFirstChar(text), "b");
    EXPECT_EQ(text, "");
    EXPECT_EQ(PopFirstChar(text), "");
    EXPECT_EQ(text, "");
}

TEST(SliceDescriptor, WordsAreSplitAtEveryBlank) {
    using Words = std::vector<std::string>;
    struct Case {
        std::string text;
        Words words;
    };
    const Case cases[] = {
        {"0 1 21", {"0", "1", "21"}},  {"a  b", {"a", "", "b"}}, {"a b ", {"a", "b"}},
        {"", {}},                      {" ", {""}},              {"abc", {"abc"}},
        {" x", {"", "x"}},             {"1\t2 3", {"1\t2", "3"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitDescriptorWords(c.text), c.words) << '"' << c.text << '"';

    std::string many;
    for (std::size_t i = 0; i < kMaxDescriptorWords + 10; ++i) many += "7 ";
    EXPECT_EQ(SplitDescriptorWords(many).size(), kMaxDescriptorWords);
}

// Every property of slice s of a family, in word order, as read back.
struct Slice {
    double position;
    long first1, last1, first2, last2;
    bool color, cont;
    long levels, contColor;
    bool vect;
    long vectColor;
    bool operator==(const Slice&) const = default;
};

Slice readBack(const GraphData& g, SliceAxis axis, long s) {
    switch (axis) {
    case SliceAxis::X:
        return {g.Slice4X(s), g.Slice4YZYB(s), g.Slice4YZYE(s), g.Slice4YZZB(s), g.Slice4YZZE(s),
                g.SliceXShowColor(s), g.SliceXShowCont(s), g.SliceXContLevels(s), g.SliceXContColor(s),
                g.SliceXShowVect(s), g.SliceXVectColor(s)};
    case SliceAxis::Y:  // the first range along z, the second along x
        return {g.Slice4Y(s), g.Slice4ZXZB(s), g.Slice4ZXZE(s), g.Slice4ZXXB(s), g.Slice4ZXXE(s),
                g.SliceYShowColor(s), g.SliceYShowCont(s), g.SliceYContLevels(s), g.SliceYContColor(s),
                g.SliceYShowVect(s), g.SliceYVectColor(s)};
    default:
        return {g.Slice4Z(s), g.Slice4XYXB(s), g.Slice4XYXE(s), g.Slice4XYYB(s), g.Slice4XYYE(s),
                g.SliceZShowColor(s), g.SliceZShowCont(s), g.SliceZContLevels(s), g.SliceZContColor(s),
                g.SliceZShowVect(s), g.SliceZVectColor(s)};
    }
}

TEST(SliceDescriptor, WordsGoIntoTheirFamilysProperties) {
    struct Case {
        const char* text;
        Slice slice;
    };
    const long big = 2147483647;
    const Case cases[] = {
        {"0 1 21 1 21 1 1 5 12632256 0", {0, 1, 21, 1, 21, true, true, 5, 12632256, false, 0}},
        {"-1.25 2 3 4 5 0 0 1 255", {-1.25, 2, 3, 4, 5, false, false, 0, 0, true, 255}},
        // Whole numbers halves to even; a number read from the start of its word.
        {"2.5x 2.5 3.5 -2.5 7abc 1 1 0.05 1e99 1 65280.5", {2.5, 2, 4, -2, 7, true, true, 0, big, true, 65280}},
        // Flags are True only for exactly "1".
        {"1 1 2 3 4 01 1.0 true", {1, 1, 2, 3, 4, false, false, 0, 0, false, 0}},
        // Missing words read 0 and False; an empty word too.
        {"3  9", {3, 0, 9, 0, 0, false, false, 0, 0, false, 0}},
        {"", {0, 0, 0, 0, 0, false, false, 0, 0, false, 0}},
    };
    for (SliceAxis axis : {SliceAxis::X, SliceAxis::Y, SliceAxis::Z}) {
        for (const Case& c : cases) {
            GraphData g;
            ReadSliceDescriptor(g, axis, 2, c.text);
            EXPECT_EQ(readBack(g, axis, 2), c.slice) << c.text << " axis " << static_cast<int>(axis);
            EXPECT_EQ(readBack(g, axis, 1), Slice{}) << "slice 1 untouched";
            EXPECT_EQ(g.Slice4NumX + g.Slice4NumY + g.Slice4NumZ, 0);
        }
    }
    // Only one family is written.
    GraphData g;
    ReadSliceDescriptor(g, SliceAxis::Y, 1, "4 1 2 3 4 1 1 9 9 1 9");
    EXPECT_EQ(readBack(g, SliceAxis::X, 1), Slice{});
    EXPECT_EQ(readBack(g, SliceAxis::Z, 1), Slice{});
}

TEST(SliceDescriptor, ASliceOutsideTheTablesChangesNothing) {
    GraphData g;
    EXPECT_THROW(ReadSliceDescriptor(g, SliceAxis::Z, 51, "1 1 21 1 21 1 1 5 1 0"), std::out_of_range);
    EXPECT_THROW(ReadSliceDescriptor(g, SliceAxis::X, -1, "1"), std::out_of_range);
    EXPECT_NO_THROW(ReadSliceDescriptor(g, SliceAxis::X, 50, "1"));
}

TEST(SliceDescriptor, DefaultDescriptorsReadBackAsWritten) {
    EXPECT_EQ(DefaultSliceDescriptor(-1, 5, 21), "-1 1 21 1 21 1 1 5 12632256 0");
    EXPECT_EQ(DefaultSliceDescriptor(0.1 + 0.2, 0.05, 11), "0.3 1 11 1 11 1 1 0.05 12632256 0");
    GraphData g;
    ReadSliceDescriptor(g, SliceAxis::X, 1, DefaultSliceDescriptor(2.75, 1e12, 31));
    EXPECT_EQ(readBack(g, SliceAxis::X, 1), (Slice{2.75, 1, 31, 1, 31, true, true, 2147483647, 12632256, false, 0}));
}

// Slice lines as "Edit...", the dialog's Add and the builders write them, and
// what each reads back: the example slice, contours off, vectors on, trailing
// blanks, a comma as the decimal point.
TEST(SliceDescriptor, LinesAsWrittenAndRead) {
    SliceLine example{0.5, 1, 21, 1, 21, true, true, 2, 255, false, 0};
    SliceLine noContours{-3.25, 2, 20, 3, 19, false, false, 0, 0, false, 0};
    SliceLine vectors{1.0 / 3, 1, 11, 1, 11, true, false, 0, 0, true, 65280};
    struct Case {
        SliceLine line;
        SliceLineEnd end;
        const char* text;
    };
    const Case written[] = {
        {example, SliceLineEnd::NoBlank, "0.5 1 21 1 21 1 1 2 255 0"},
        {example, SliceLineEnd::Blank, "0.5 1 21 1 21 1 1 2 255 0 "},
        {noContours, SliceLineEnd::NoBlank, "-3.25 2 20 3 19 0 0 0"},
        {vectors, SliceLineEnd::Blank, "0.333333333333333 1 11 1 11 1 0 1 65280 "},
    };
    for (const Case& c : written) {
        EXPECT_EQ(WriteSliceDescriptor(c.line, c.end), c.text);
        SliceLine back = ParseSliceDescriptor(c.text);
        if (back.position != c.line.position) {
            EXPECT_NEAR(back.position, c.line.position, 1e-15) << c.text;
        }
        back.position = c.line.position;
        EXPECT_EQ(back, c.line) << c.text;
    }

    struct Read {
        const char* text;
        SliceLine line;
    };
    const Read read[] = {
        {"0,5 1 21 1 21 1 1 2 255 0", example},      // a comma reads as the decimal point
        {"0,5 1 21 1 21 1 1 2,4 255 0  ", example},  // two trailing blanks, a rounded interval
        {"0.5 1 21 1 21 1 1 2 255 0", example},
        {"-3,25 2 20 3 19 0 0 0 ", noContours},
        // A line cut short reads its missing words as empty, never another line's.
        {"7", {7, 0, 0, 0, 0, false, false, 0, 0, false, 0}},
        // A blank inside a value shifts its line's words (the dialog refuses such a value).
        {"1 5 1 21 1 21 1 1 2 255 0", {1, 5, 1, 21, 1, false, true, 1, 2, false, 0}},
    };
    for (const Read& r : read) {
        SliceLine got = ParseSliceDescriptor(r.text);
        got.contLevels = static_cast<double>(roundHalfEven(got.contLevels));
        EXPECT_EQ(got, r.line) << r.text;
    }
}

// What "Edit..." writes for each slice of a graph reads back into the same
// slice, in every family; the position to its 15 significant digits.
TEST(SliceDescriptor, EditLinesKeepEverySlice) {
    const double positions[] = {0.5, 1.0 / 3, -12.25, 1e-9, 123456789.125};
    for (SliceAxis axis : {SliceAxis::X, SliceAxis::Y, SliceAxis::Z}) {
        GraphData g, back;
        long s = 0;
        for (double p : positions) {
            ++s;
            StoreSlice(g, axis, s, {p, s, 20 + s, 2, 21, s % 2 == 0, s % 2 == 1, static_cast<double>(2 * s), 255 * s, s == 3, 7});
            ReadSliceDescriptor(back, axis, s, WriteSliceDescriptor(SliceOf(g, axis, s), SliceLineEnd::Blank));
            Slice got = readBack(back, axis, s);
            EXPECT_NEAR(got.position, p, std::abs(p) * 1e-15);
            got.position = p;
            EXPECT_EQ(got, readBack(g, axis, s)) << p;
        }
    }
}

}  // namespace
