// The boxes of the axis, light and view dialogs: which texts each takes, the
// value it stores, and the texts the dialogs show for stored values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

#include "app/dialog_kit/dialog_input.h"

using namespace dialoginput;

TEST(DialogInput, RatiosArePositiveSinglesWidened) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const std::vector<Case> cases = {
        {"2", true, 2},
        {" 0.5 ", true, 0.5},
        {"1,5", true, 1.5},
        {"0.1", true, static_cast<double>(0.1f)},  // a Single, widened
        {"3e38", true, static_cast<double>(3e38f)},
        {"0", false, 0},      // would divide by zero in the scene box
        {"-1", false, 0},
        {"1e39", false, 0},   // beyond a Single
        {"1e-50", false, 0},  // a Single of 0
        {"", false, 0},
        {"abc", false, 0},
        {"2x", false, 0},
        {"1 2", false, 0},
    };
    for (const Case& c : cases) {
        double r = -7;
        EXPECT_EQ(ReadRatio(c.text, r), c.ok) << c.text;
        EXPECT_EQ(r, c.ok ? c.value : -7) << c.text;  // a refused box writes nothing
    }
}

TEST(DialogInput, LabelCountsRoundHalvesToEvenWithin1To50) {
    struct Case {
        const char* text;
        bool ok;
        long count;
    };
    const std::vector<Case> cases = {{"3", true, 3},  {"3.5", true, 4}, {"2.5", true, 2}, {"1", true, 1},
                                     {"50", true, 50}, {"50.4", true, 50}, {"0.5", false, 0}, {"0", false, 0},
                                     {"51", false, 0}, {"-2", false, 0}, {"abc", false, 0}, {"", false, 0},
                                     {"1e10", false, 0}};
    for (const Case& c : cases) {
        long n = -7;
        EXPECT_EQ(ReadLabelCount(c.text, n), c.ok) << c.text;
        EXPECT_EQ(n, c.ok ? c.count : -7) << c.text;
    }
}

TEST(DialogInput, LightValuesAreOneSingleEach) {
    float v = 0;
    EXPECT_TRUE(ReadSingle("100", v));
    EXPECT_EQ(v, 100.0f);
    EXPECT_TRUE(ReadSingle("-0.25", v));
    EXPECT_EQ(v, -0.25f);
    EXPECT_TRUE(ReadSingle("1,5", v));  // "," reads as the decimal point, not the end of the number
    EXPECT_EQ(v, 1.5f);
    v = 9;
    for (const char* bad : {"abc", "", "1-2", "1e39", "-1e39", "1 e3"}) {
        EXPECT_FALSE(ReadSingle(bad, v)) << bad;
        EXPECT_EQ(v, 9.0f) << bad;
    }
}

TEST(DialogInput, ViewBoxesTakeNumberCharactersThatFormOneNumber) {
    struct Case {
        const char* text;
        bool ok;
        const char* cleaned;
        double value;
    };
    const std::vector<Case> cases = {
        {" 1,5 ", true, "1.5", 1.5}, {"", true, "0", 0},     {" ", true, "0", 0},
        {"   ", true, "0", 0},       {"1e3", true, "1e3", 1000}, {"- 500", true, "-500", -500},
        {"abc", false, "", 0},       {"1-2", false, "", 0},  // number characters, but not one number
        {"1e999", false, "", 0},     {"5x", false, "", 0},   {"+5", false, "", 0},
    };
    for (const Case& c : cases) {
        std::string cleaned = "untouched";
        double v = -7;
        EXPECT_EQ(ReadViewValue(c.text, cleaned, v), c.ok) << c.text;
        EXPECT_EQ(cleaned, c.ok ? c.cleaned : "untouched") << c.text;
        EXPECT_EQ(v, c.ok ? c.value : -7) << c.text;
    }
}

TEST(DialogInput, BoxTextsOfStoredNumbers) {
    EXPECT_EQ(DecimalText(static_cast<double>(0.1f)), "0.100000001490116");
    EXPECT_EQ(DecimalText(-500), "-500");
    EXPECT_EQ(DecimalText(2.5), "2.5");
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(-0.0), "0");
    EXPECT_EQ(DecimalText(1e20), "1E+20");
    EXPECT_EQ(DecimalText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(SingleText(0.1f), "0.1");
    EXPECT_EQ(SingleText(100.0f), "100");
    EXPECT_EQ(SingleText(FLT_MAX), "3.402823E+38");
    // What a box shows reads back as the value it stands for.
    for (double v : {0.1, 1234.5678, -3e-7, 6.02e23}) {
        double r = 0;
        ASSERT_TRUE(ReadRatio(DecimalText(static_cast<double>(static_cast<float>(std::fabs(v)))), r)) << v;
        EXPECT_EQ(r, static_cast<double>(static_cast<float>(std::fabs(v)))) << v;
    }
}

TEST(DialogInput, MessagesNameTheBoxAndTheRange) {
    EXPECT_EQ(RatioMessage("Ratio X"), "Ratio X: type a number greater than 0 and not above 3.4E+38.");
    EXPECT_EQ(LabelCountMessage("Y Axis Intervals"), "Y Axis Intervals: type a whole number from 1 to 50.");
    EXPECT_EQ(SingleMessage("Light Position W"), "Light Position W: type a number from -3.4E+38 to 3.4E+38.");
}
