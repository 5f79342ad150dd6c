#include <gtest/gtest.h>

#include "app/window/layout_model.h"

using namespace layout;

TEST(Layout, RoundHalfEven) {
    struct Case { double in; long out; };
    for (const Case& c : std::vector<Case>{{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.4999, 2}, {1e300, 2147483647}}) {
        EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
    }
}

TEST(Layout, PanesFollowTheBars) {
    // Window 15000 x 9000 twips, toolbar 420, status bar 300, bars at 5220 / 3000 / 4800.
    const Panes p = placePanes(15000, 9000, 420, 300, 5220, 3000, 4800);
    EXPECT_EQ(p.splitter.left, 5220);
    EXPECT_EQ(p.splitter.top, 420);
    EXPECT_EQ(p.splitter.width, 60);
    EXPECT_EQ(p.splitter.height, 9000 - 420 - 300);
    EXPECT_EQ(p.picDraw.left, 5280);
    EXPECT_EQ(p.picDraw.width, 15000 - 5280);
    EXPECT_EQ(p.grid1.top, 460);
    EXPECT_EQ(p.grid1.height, 3000 - 420 - 40);
    // The graph list overlaps the lower 15 units of the upper bar.
    EXPECT_EQ(p.list1.top, 3025);
    EXPECT_EQ(p.list1.height, 4800 - 3000 - 40);
    EXPECT_EQ(p.result.top, 4840);
    EXPECT_EQ(p.result.height, 9000 - 60 - 300 - 4800);
}

TEST(Layout, LowerBarAboveUpperGivesInvalidListOnly) {
    const Panes p = placePanes(15000, 9000, 420, 300, 5220, 5000, 3000);
    EXPECT_FALSE(p.list1.valid());
    EXPECT_TRUE(p.grid1.valid());
    EXPECT_TRUE(p.result.valid());
}

TEST(Layout, BarLimits) {
    EXPECT_EQ(clampVertical(400, 15000), 1000);
    EXPECT_EQ(clampVertical(400, 1800), 800);  // the upper limit wins
    EXPECT_EQ(clampVertical(20000, 15000), 14000);
    EXPECT_EQ(clampHorizontal(100, 9000, 420), 2000);
    EXPECT_EQ(clampHorizontal(8990, 9000, 420), 9000 - 3 * 420);
}

TEST(Layout, StartBars) {
    // h = round-half-even((8000 - 420 - 300 - 40) / 2) = 3620
    const StartBars b = startBars(8000, 420, 300);
    EXPECT_EQ(b.splitter3Top, 420 + 3620);
    EXPECT_EQ(b.splitter2Top, 420 + 3620 + 1800);
    // An odd half rounds to even: (8001 - 420 - 300 - 40) / 2 = 3620.5 -> 3620
    EXPECT_EQ(startBars(8001, 420, 300).splitter3Top, 420 + 3620);
}
