// The one colour split of the program: &HBBGGRR Longs to red, green, blue in 0..1.
#include "state/color.h"

#include <gtest/gtest.h>

TEST(ColorSplit, SplitsBGRLongs) {
    struct Case {
        long colour;
        double r, g, b;
    };
    const Case cases[] = {
        {0xFF0000, 0, 0, 1},
        {255, 1, 0, 0},
        {0x00FF00, 0, 1, 0},
        {0xCCCCCC, 0.8, 0.8, 0.8},
        {0x808080, 128 / 255.0, 128 / 255.0, 128 / 255.0},
        {0x123456, 0x56 / 255.0, 0x34 / 255.0, 0x12 / 255.0},
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const Rgb rgb = SplitColor(c.colour);
        EXPECT_NEAR(rgb.r, c.r, 1e-12) << std::hex << c.colour;
        EXPECT_NEAR(rgb.g, c.g, 1e-12) << std::hex << c.colour;
        EXPECT_NEAR(rgb.b, c.b, 1e-12) << std::hex << c.colour;
    }
}
