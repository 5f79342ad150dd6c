// Cls3 settings: creation values, the 3-D/4-D defaults, the colour split, the
// text record, and the tick rule and number texts of the frame.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "state/globals.h"
#include "scene/axis.h"

namespace {

class AxisSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { resetGlobals(); }
    void TearDown() override {
        gAxis.reset();
        resetGlobals();
    }
};

std::vector<std::string> tokens(const std::string& s) {
    std::vector<std::string> t;
    std::istringstream in(s);
    for (std::string w; in >> w;) t.push_back(w);
    return t;
}

TEST_F(AxisSettingsTest, FreshFrameIsCreatedOnFirstUse) {
    ASSERT_EQ(gAxis, nullptr);
    Cls3& a = axisFrame();
    EXPECT_EQ(&a, gAxis.get());
    EXPECT_EQ(&axisFrame(), &a);
    EXPECT_FALSE(a.Show);
    EXPECT_EQ(a.AxisStyle, 1);
    EXPECT_EQ(a.BackStyle, 2);
    EXPECT_TRUE(a.ShowSecondaryLabel);
    EXPECT_FALSE(a.ShowXYPanel || a.ShowXZPanel || a.ShowYZPanel);
    EXPECT_TRUE(a.ShowXYXGrid && a.ShowXYYGrid && a.ShowXZXGrid && a.ShowXZZGrid && a.ShowYZYGrid && a.ShowYZZGrid);
    EXPECT_EQ(a.XYPanelColor, 13421772);
    EXPECT_EQ(a.BackColor, 0x00FF00);
    EXPECT_EQ(a.BackColor2, 0xFFFFFF);
    EXPECT_EQ(a.PriGridColor, 0x00FF00);
    EXPECT_EQ(a.LabelNumX, 2);
    EXPECT_EQ(a.TitleZ, "Z");
    EXPECT_EQ(a.XZPanelMaterial, 4);
    EXPECT_FALSE(a.BetterFonts);
}

TEST_F(AxisSettingsTest, SetDefaultFor3DAnd4DDocuments) {
    for (long kind : {3L, 11L}) {
        Cls3 a;
        a.ShowXYPanel = a.ShowYZPanel = true;
        a.ShowXYXGrid = false;
        a.LabelNumY = 7;
        a.TitleX = "time";
        a.XZGridColor = 5;
        a.AxisColor = 255;
        a.AxisWidth = 3;
        // 2-D settings and the style are kept.
        a.AxisStyle = 2;
        a.BackStyle = 9;
        a.BackColor = 1;
        a.BackColor2 = 2;
        a.ShowBackground = true;
        a.ShowprimaryGrid = true;
        a.PriGridColor = 3;
        gPlotKind = kind;
        a.SetDefault();
        const bool grids = kind != 11;
        EXPECT_TRUE(a.Show);
        EXPECT_FALSE(a.ShowXYPanel || a.ShowYZPanel);
        for (bool g : {a.ShowXYXGrid, a.ShowXYYGrid, a.ShowXZXGrid, a.ShowXZZGrid, a.ShowYZYGrid, a.ShowYZZGrid})
            EXPECT_EQ(g, grids) << kind;
        EXPECT_EQ(a.LabelNumY, 2);
        EXPECT_EQ(a.TitleX, "X");
        EXPECT_EQ(a.XZGridColor, kRGB204);
        EXPECT_EQ(a.AxisColor, 0);
        EXPECT_EQ(a.AxisWidth, 1);
        EXPECT_TRUE(a.BetterFonts);
        EXPECT_EQ(a.AxisStyle, 2);
        EXPECT_EQ(a.BackStyle, 9);
        EXPECT_EQ(a.BackColor, 1);
        EXPECT_EQ(a.BackColor2, 2);
        EXPECT_TRUE(a.ShowBackground);
        EXPECT_TRUE(a.ShowprimaryGrid);
        EXPECT_EQ(a.PriGridColor, 3);
    }
}

TEST_F(AxisSettingsTest, SaveRecord) {
    Cls3 a;
    a.TitleY = "two words";
    EXPECT_EQ(a.Save(), "0 ");
    a.Show = true;
    const std::string rec = a.Save();
    EXPECT_EQ(rec.back(), ' ');
    EXPECT_EQ(rec.rfind("1 0 0 0 1 1 1 1 1 1 0 2 2 2 13421772 ", 0), 0u) << rec;
    EXPECT_NE(rec.find(" @X@ @two words@ @Z@ "), std::string::npos) << rec;
    EXPECT_NE(rec.find(" 2 65280 16777215 65280 65280 1 0 0 "), std::string::npos) << rec;
    a.TitleY = "Y";
    EXPECT_EQ(tokens(a.Save()).size(), 39u);
}

struct TickCase {
    double vmin, vmax;
    double step;            // 0: no ticks
    std::vector<double> ticks;
};

TEST_F(AxisSettingsTest, CoordTickRuleOnATableOfSpans) {
    const TickCase cases[] = {
        {0, 10, 2, {0, 2, 4, 6, 8}},
        {-0.5, 10.5, 2, {0, 2, 4, 6, 8, 10}},
        {1, 10, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {-1, 1, 0.5, {-1, -0.5, 0, 0.5}},
        {0, 0.5, 0.1, {0, 0.1, 0.2, 0.3, 0.4}},
        {0, 1000, 200, {0, 200, 400, 600, 800}},         // a power of ten keeps its ticks
        {0, 1e6, 2e5, {0, 2e5, 4e5, 6e5, 8e5}},
        {-50, 50, 20, {-40, -20, 0, 20, 40}},
        {2.5, 2.5, 0.5, {0, 0.5, 1, 1.5, 2}},           // empty span measures from 0
        {0, 0, 0, {}},                                  // empty span at 0: no ticks
        {5, 1, 0, {}},                                  // reversed: no ticks
        {-3, -3, 0, {}},
        {0, NAN, 0, {}},
    };
    for (const TickCase& c : cases) {
        double vmin = c.vmin, vmax = c.vmax, step = 0, lower = 0, upper = 0;
        long k = 0;
        Cls3::Coord(vmin, vmax, step, lower, upper, k);
        SCOPED_TRACE(testing::Message() << c.vmin << ".." << c.vmax);
        EXPECT_NEAR(step, c.step, 1e-12);
        ASSERT_EQ(k, static_cast<long>(c.ticks.size()));
        for (long i = 0; i < k; ++i) EXPECT_NEAR(lower + i * step, c.ticks[static_cast<size_t>(i)], 1e-9);
        if (c.vmin == c.vmax) {
            EXPECT_EQ(vmin, 0);  // written back to the caller
        }
    }
}

// An axis from near the lowest to near the largest Double keeps its ticks:
// the span overflows, the ticks do not.
TEST_F(AxisSettingsTest, CoordTicksSpansNearTheLargestDouble) {
    const TickCase cases[] = {
        {-1.7e308, 1.7e308, 5e307, {-1.5e308, -1e308, -5e307, 0, 5e307, 1e308, 1.5e308}},
        {0, 1.79e308, 2e307, {0, 2e307, 4e307, 6e307, 8e307, 1e308, 1.2e308, 1.4e308, 1.6e308}},
        {-1.79e308, -1e308, 1e307, {-1.7e308, -1.6e308, -1.5e308, -1.4e308, -1.3e308, -1.2e308, -1.1e308}},
    };
    for (const TickCase& c : cases) {
        double vmin = c.vmin, vmax = c.vmax, step = 0, lower = 0, upper = 0;
        long k = 0;
        Cls3::Coord(vmin, vmax, step, lower, upper, k);
        SCOPED_TRACE(testing::Message() << c.vmin << ".." << c.vmax);
        EXPECT_DOUBLE_EQ(step, c.step);
        EXPECT_TRUE(std::isfinite(upper));
        ASSERT_EQ(k, static_cast<long>(c.ticks.size()));
        for (long i = 0; i < k; ++i) EXPECT_DOUBLE_EQ(Cls3::TickAt(lower, step, i), c.ticks[static_cast<size_t>(i)]);
    }
}

TEST_F(AxisSettingsTest, NumberTexts) {
    struct Case { double v; const char* tick; const char* axis; };
    const Case cases[] = {
        {0, "0", "0.0"},
        {-1, "-1", "-1.0"},
        {-0.5, "-0.5", "-0.5"},
        {0.30000000000000004, "0.3", "0.3"},
        {0.29999999999999999, "0.3", "0.3"},
        {0.25, "0.25", "0.2"},     // one decimal rounds a tie to even
        {0.125, "0.125", "0.1"},
        {1.23456, "1.2346", "1.2"},
        {10, "10", "10.0"},
        {1234567, "1,234,567", "1,234,567.0"},
        {-1000, "-1,000", "-1,000.0"},
        {-0.04, "-0.04", "0.0"},   // no "-0.0"
        {999999999999999, "999,999,999,999,999", "999,999,999,999,999.0"},
        {1e15, "1e+15", "1e+15"},  // long numbers in the exponent form, so labels stay on the picture
        {-1.5e308, "-1.5e+308", "-1.5e+308"},
        {1.1e308, "1.1e+308", "1.1e+308"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TickNumberText(c.v), c.tick) << c.v;
        EXPECT_EQ(AxisNumberText(c.v), c.axis) << c.v;
    }
}

}  // namespace
