// The box and point values: creation values and the point factory.
#include <gtest/gtest.h>

#include "scene/box.h"
#include "scene/point.h"

TEST(BoxAndPoint, CreationValues) {
    Cls1 b;
    for (double v : {b.MinX, b.MaxX, b.MinY, b.MaxY, b.MinZ, b.MaxZ}) EXPECT_EQ(v, 0.0);
    Cls2 p;
    EXPECT_EQ(p.X, 0.0);
    EXPECT_EQ(p.Y, 0.0);
    EXPECT_EQ(p.Z, 0.0);
    EXPECT_EQ(p.Color, 0);
    EXPECT_EQ(p.Size, 0.15);
    EXPECT_FALSE(p.Hollow);
    EXPECT_FALSE(p.Show);
    EXPECT_EQ(p.Symbol, 0);
}

TEST(BoxAndPoint, InitMakesANewPointAndLeavesItsOwnAlone) {
    Cls2 p;
    p.Size = 3;
    p.Symbol = 4;
    auto q = p.Init(1, 2, 3);
    ASSERT_NE(q.get(), &p);
    EXPECT_EQ(q->X, 1.0);
    EXPECT_EQ(q->Y, 2.0);
    EXPECT_EQ(q->Z, 3.0);
    EXPECT_EQ(q->Size, 0.15);
    EXPECT_EQ(q->Symbol, 0);
    EXPECT_EQ(p.X, 0.0);
    EXPECT_EQ(p.Size, 3.0);
}
