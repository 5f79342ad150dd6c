// The slice descriptor: words by PopFirstChar, each word into its slice
// property by family, flags exactly "1", whole numbers halves to even.
#include "graph/slice_descriptor.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "graph/graph_data.h"

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

}  // namespace
