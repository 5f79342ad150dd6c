#include <gtest/gtest.h>

#include <stdexcept>

#include "state/globals.h"

TEST(Globals, ResetRestoresStartValues) {
    gPlotKind = 11;
    gGraphCounter = 7;
    gAxisScaleMode = 3;
    gViewMaxY = 1;
    gNonLinTolerance = 0.5;
    gNewLine = "x";
    resetGlobals();
    EXPECT_EQ(gPlotKind, 1);
    EXPECT_EQ(gGraphCounter, 0);
    EXPECT_EQ(gAxisScaleMode, 1);
    EXPECT_EQ(gViewMaxY, 500);
    EXPECT_EQ(gNonLinMethod, 2);
    EXPECT_EQ(gNonLinMaxIterations, 200);
    EXPECT_DOUBLE_EQ(gNonLinTolerance, 1e-7);
    EXPECT_EQ(gNewLine, "\r\n");
    EXPECT_EQ(gTabChar, "\t");
}

TEST(Globals, GridValuesIndexedByColumnThenRowFromOne) {
    GridValues v;
    v.resize(2, 3);
    v.at(2, 3) = 5;
    v.at(1, 1) = 1;
    EXPECT_EQ(v.at(2, 3), 5);
    EXPECT_EQ(v.at(1, 1), 1);
    EXPECT_THROW(v.at(0, 1), std::out_of_range);
    EXPECT_THROW(v.at(3, 1), std::out_of_range);
    EXPECT_THROW(v.at(1, 4), std::out_of_range);
    EXPECT_EQ(v.cell(2, 3), GridCell::Number);
    v.resize(1, 2, GridCell::Empty);
    EXPECT_EQ(v.cell(1, 2), GridCell::Empty);
    EXPECT_EQ(v.at(1, 2), 0);
    EXPECT_THROW(v.cell(1, 3), std::out_of_range);
}
