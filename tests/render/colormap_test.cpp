// Colour maps: the colour split, the presets by name, lookups on a table of
// values, and the graph's own map.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "graph/graph.h"
#include "render/colormap.h"

namespace {

void expectRgb(const Rgb& c, double r, double g, double b, const char* what) {
    EXPECT_NEAR(c.r, r, 1e-12) << what;
    EXPECT_NEAR(c.g, g, 1e-12) << what;
    EXPECT_NEAR(c.b, b, 1e-12) << what;
}

TEST(ColorMap, LookupsOnATableOfValues) {
    struct Case {
        const char* preset;
        double value, min, range;
        double r, g, b;  // 0..255
    };
    const std::vector<Case> cases = {
        {"Rainbow", 0, 0, 100, 153, 102, 255},
        {"Rainbow", 20, 0, 100, 0, 0, 255},
        {"Rainbow", 30, 0, 100, 0, 127.5, 127.5},
        {"Rainbow", 50, 0, 100, 127.5, 255, 0},
        {"Rainbow", 90, 0, 100, 255, 51, 0},
        {"Rainbow", 100, 0, 100, 255, 0, 0},
        {"Rainbow", 1, 0, 1, 255, 0, 0},
        {"Rainbow", -5, -10, 20, 0, 63.75, 191.25},
        {"Grey", 15, 10, 10, 125, 125, 125},
        {"Earth", 62.5, 0, 100, 127.5, 255, 127.5},
        {"Fiery", 0, 0, 4, 255, 255, 0},
        {"Marine", 25, 0, 100, 64, 114, 177.5},
        {"Marine", 100.00005, 0, 100, 255, 255, 128},  // a hair above the top
    };
    for (const auto& c : cases) {
        ColorStopTable t;
        SetColorMap(t, c.preset, PresetNames::Graph);
        expectRgb(LookupColor(t, c.value, c.min, c.range), c.r / 255, c.g / 255, c.b / 255, c.preset);
    }
}

TEST(ColorMap, EveryStopOfEveryPresetGivesItsExactColour) {
    for (const char* name : {"RAINBOW", "EARTH", "FIERY", "MARINE", "GREY"}) {
        const ColorMapPreset* p = FindColorMapPreset(name, PresetNames::Plain);
        ASSERT_NE(p, nullptr) << name;
        ColorStopTable t;
        SetColorMap(t, name, PresetNames::Plain);
        ASSERT_EQ(t.count, p->count);
        for (int i = 0; i < p->count; ++i)
            expectRgb(LookupColor(t, p->pos[i], 0, 100), p->red[i] / 255.0, p->green[i] / 255.0,
                      p->blue[i] / 255.0, name);
    }
}

TEST(ColorMap, ZeroRangeIsBlueWhateverTheName) {
    ColorStopTable t;
    for (const char* name : {"Grey", "Earth", "nothing"}) {
        SetColorMap(t, name, PresetNames::Graph);
        expectRgb(LookupColor(t, 5, 5, 0), 0, 0, 1, name);
    }
}

TEST(ColorMap, NamesThatSelectAPreset) {
    const char* earth = "\xE5\xA4\xA7\xE5\x9C\xB0";  // 大地
    struct Case {
        const char* name;
        PresetNames accepted;
        const char* preset;  // nullptr: none
    };
    const std::vector<Case> cases = {
        {"earth", PresetNames::Plain, "EARTH"},      {"Earth", PresetNames::Graph, "EARTH"},
        {"@earth", PresetNames::Graph, "EARTH"},     {"@EARTH", PresetNames::Plain, nullptr},
        {"@earth", PresetNames::WithChineseNames, "EARTH"}, {earth, PresetNames::WithChineseNames, "EARTH"},
        {"@\xE7\x81\xB0\xE5\xBA\xA6", PresetNames::WithChineseNames, "GREY"},
        {earth, PresetNames::Graph, nullptr},        {"", PresetNames::Graph, nullptr},
        {"@", PresetNames::Graph, nullptr},          {"Rainbow ", PresetNames::Graph, nullptr},
        {"GRAY", PresetNames::Graph, nullptr},
    };
    for (const auto& c : cases) {
        const ColorMapPreset* p = FindColorMapPreset(c.name, c.accepted);
        if (c.preset)
            EXPECT_STREQ(p ? p->name : "none", c.preset) << c.name;
        else
            EXPECT_EQ(p, nullptr) << c.name;
    }
}

TEST(ColorMap, OtherNamesKeepTheLoadedStops) {
    ColorStopTable t;
    SetColorMap(t, "Grey", PresetNames::Graph);
    SetColorMap(t, "Custom", PresetNames::Graph);
    EXPECT_EQ(t.count, 2);
    expectRgb(LookupColor(t, 0, 0, 1), 200 / 255.0, 200 / 255.0, 200 / 255.0, "grey kept");
    SetColorMap(t, "Rainbow", PresetNames::Graph);
    SetColorMap(t, "Grey", PresetNames::Graph);
    EXPECT_EQ(t.count, 2);
    EXPECT_EQ(t.red[5], 255);  // above the count: left as it was
}

// Values outside the range, empty tables and odd counts still give a colour.
TEST(ColorMap, ValuesBeyondTheTableTakeTheNearerEnd) {
    ColorStopTable t;
    SetColorMap(t, "Grey", PresetNames::Graph);
    expectRgb(LookupColor(t, -5, 0, 10), 200 / 255.0, 200 / 255.0, 200 / 255.0, "below");
    expectRgb(LookupColor(t, 50, 0, 10), 50 / 255.0, 50 / 255.0, 50 / 255.0, "above");
    expectRgb(LookupColor(t, std::numeric_limits<double>::quiet_NaN(), 0, 10), 200 / 255.0, 200 / 255.0,
              200 / 255.0, "not a number");
    ColorStopTable empty;
    expectRgb(LookupColor(empty, 100, 0, 100), 1, 0, 0, "no stops: rainbow");
    t.count = 500;  // counts beyond the table read the table
    EXPECT_NO_THROW(LookupColor(t, 3, 0, 10));
}

TEST(GraphColorMap, EmptyNameBecomesRainbowAndLoadsItsStops) {
    Cls9 g;
    const Rgb c = MapGraphValueToColor(g, 20, 0, 100);
    expectRgb(c, 0, 0, 1, "blue stop");
    EXPECT_EQ(g.ColorName, "Rainbow");
    EXPECT_EQ(g.ColorNum, 6);
    EXPECT_EQ(g.ColorPos(5), 100);
    EXPECT_EQ(g.ColorR(0), 153);
}

TEST(GraphColorMap, ChineseNameLeavesTheGraphsStops) {
    Cls9 g;
    g.ColorName = "grey";
    MapGraphValueToColor(g, 0, 0, 1);
    g.ColorName = "\xE5\xA4\xA7\xE5\x9C\xB0";
    const Rgb c = MapGraphValueToColor(g, 0, 0, 1);
    EXPECT_EQ(g.ColorNum, 2);
    expectRgb(c, 200 / 255.0, 200 / 255.0, 200 / 255.0, "grey stays");
    g.ColorName = "@Marine";
    MapGraphValueToColor(g, 0, 0, 1);
    EXPECT_EQ(g.ColorNum, 3);
    g.ColorName = "Custom";
    g.ColorNum = 1000;  // a count beyond the arrays does not read past them
    EXPECT_NO_THROW(MapGraphValueToColor(g, 0.5, 0, 1));
}

}  // namespace
