// ClsData: the box by kind, the scene scales of the three modes for curves,
// 3-D and 4-D sets with the coordinates divided by them, the empty set, a flat
// axis and a zero ratio, arrays too short for their counts, and RedimData.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "state/globals.h"
#include "scene/data_set.h"

namespace {

class DataSetTest : public ::testing::Test {
protected:
    void SetUp() override { resetGlobals(); }
    void TearDown() override {
        gDataSet.reset();
        resetGlobals();
    }
};

// A set of kind dim whose box is x 0..20, y 1..5, z -5..5: two scattered
// points (kinds 0 and 1) and one grid node at (10, 3, 2), or a 2 x 2 x 2 grid
// (kind 2) with value i + j + k.
ClsData sample(long dim) {
    ClsData d;
    d.DataDim = dim;
    if (dim == 2) {
        d.DataType = 1;
        d.StepsX = d.StepsY = d.StepsZ = 2;
        d.RedimData();
        for (long i = 0; i < 2; ++i)
            for (long j = 0; j < 2; ++j)
                for (long k = 0; k < 2; ++k) {
                    d.Reg4DX(i, j, k) = 20.0 * i;
                    d.Reg4DY(i, j, k) = 1 + 4.0 * j;
                    d.Reg4DZ(i, j, k) = -5 + 10.0 * k;
                    d.Reg4DV(i, j, k) = static_cast<double>(i + j + k);
                }
        return d;
    }
    d.DataType = 2;
    d.points = 2;
    for (auto* a : {&d.Irreg3DX, &d.Irreg3DY, &d.Irreg3DZ, &d.Irreg3DC}) a->ReDim(1);
    d.Irreg3DX(0) = 0, d.Irreg3DY(0) = 1, d.Irreg3DZ(0) = -5, d.Irreg3DC(0) = 7;
    d.Irreg3DX(1) = 20, d.Irreg3DY(1) = 5, d.Irreg3DZ(1) = 5, d.Irreg3DC(1) = 9;
    d.StepsX = 1;
    d.StepsY = 1;
    for (auto* a : {&d.Reg3DX, &d.Reg3DY, &d.Reg3DZ}) a->ReDim(0, 0);
    d.Reg3DX(0, 0) = 10, d.Reg3DY(0, 0) = 3, d.Reg3DZ(0, 0) = 2;
    return d;
}

TEST_F(DataSetTest, ScalesOfEachModeAndKindDivideTheCoordinates) {
    struct Case {
        long dim, mode;
        double rx, ry, rz;
        double x, y, z;
    };
    const Case cases[] = {
        {0, 1, 1, 1, 1, 2, 0.4, 1},   {0, 2, 1, 1, 1, 2, 2, 1},     {0, 3, 1, 2, 0.5, 2, 1, 1},
        {1, 1, 1, 1, 1, 2, 0.4, 1},   {1, 2, 1, 1, 1, 2, 2, 2},     {1, 3, 1, 2, 0.5, 2, 1, 2},
        {2, 1, 1, 1, 1, 2, 0.4, 1},   {2, 2, 1, 1, 1, 2, 2, 2},     {2, 3, 1, 2, 0.5, 2, 1, 4},
        // Mode 3 of a 4-D set: the largest of dx / rx, dy / ry, dz / rz.
        {2, 3, 4, 0.5, 1, 1, 8, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.dim << " mode " << c.mode << " ratios " << c.rx << ' ' << c.ry
                                        << ' ' << c.rz);
        gAxisScaleMode = c.mode;
        gAxisRatioX = c.rx, gAxisRatioY = c.ry, gAxisRatioZ = c.rz;
        ClsData d = sample(c.dim);
        d.GetData();
        EXPECT_DOUBLE_EQ(d.MinX, 0);
        EXPECT_DOUBLE_EQ(d.MaxX, 20);
        EXPECT_DOUBLE_EQ(d.MinZ, -5);
        EXPECT_DOUBLE_EQ(gSceneScaleX, c.x);
        EXPECT_DOUBLE_EQ(gSceneScaleY, c.y);
        EXPECT_DOUBLE_EQ(gSceneScaleZ, c.z);
        if (c.dim == 2) {
            EXPECT_DOUBLE_EQ(d.Reg4DX(1, 1, 1), 20 / c.x);
            EXPECT_DOUBLE_EQ(d.Reg4DY(1, 1, 1), 5 / c.y);
            EXPECT_DOUBLE_EQ(d.Reg4DZ(1, 1, 1), 5 / c.z);
            EXPECT_DOUBLE_EQ(d.Reg4DV(1, 1, 1), 3);  // the value is not divided
            EXPECT_DOUBLE_EQ(d.MaxV, 3);
        } else {
            EXPECT_DOUBLE_EQ(d.Irreg3DX(1), 20 / c.x);
            EXPECT_DOUBLE_EQ(d.Irreg3DY(1), 5 / c.y);
            EXPECT_DOUBLE_EQ(d.Irreg3DZ(1), 5 / c.z);
            EXPECT_DOUBLE_EQ(d.Reg3DX(0, 0), 10 / c.x);
            // A curve lies in the plane z = 0.
            EXPECT_DOUBLE_EQ(d.Reg3DZ(0, 0), c.dim == 0 ? 0.0 : 2 / c.z);
        }
        if (c.dim == 1) {
            EXPECT_DOUBLE_EQ(d.MinC, 7);
            EXPECT_DOUBLE_EQ(d.MaxC, 9);
        }
    }
}

TEST_F(DataSetTest, EmptySetKeepsTheSceneScales) {
    gSceneScaleX = 3, gSceneScaleY = 4, gSceneScaleZ = 5;
    for (long mode : {1, 2, 3}) {
        gAxisScaleMode = mode;
        ClsData& d = dataSet();
        EXPECT_EQ(&d, gDataSet.get());
        d.GetData();
        EXPECT_DOUBLE_EQ(d.MinX, 1e10);
        EXPECT_DOUBLE_EQ(d.MaxX, -1e10);
        EXPECT_DOUBLE_EQ(d.MaxZ, -1e10);
        EXPECT_EQ(d.StepsX, 0);
        EXPECT_DOUBLE_EQ(gSceneScaleX, 3);
        EXPECT_DOUBLE_EQ(gSceneScaleY, 4);
        EXPECT_DOUBLE_EQ(gSceneScaleZ, 5);
    }
    EXPECT_EQ(&dataSet(), gDataSet.get());
}

TEST_F(DataSetTest, FlatAxisAndZeroRatioTakeTheFallback) {
    // A flat z axis: its range / 10 is 0, so the scale is 1.
    ClsData d = sample(2);
    for (long i = 0; i < 2; ++i)
        for (long j = 0; j < 2; ++j)
            for (long k = 0; k < 2; ++k) d.Reg4DZ(i, j, k) = 6;
    d.Normalize();
    EXPECT_DOUBLE_EQ(gSceneScaleZ, 1);
    EXPECT_DOUBLE_EQ(d.Reg4DZ(1, 1, 1), 6);

    // A zero ratio: that axis falls back to its own range / 10.
    gAxisScaleMode = 3;
    gAxisRatioZ = 0;
    ClsData e = sample(2);
    e.Normalize();
    EXPECT_DOUBLE_EQ(gSceneScaleX, 2);
    EXPECT_DOUBLE_EQ(gSceneScaleZ, 1);  // dz / 10
    EXPECT_TRUE(std::isfinite(e.Reg4DZ(1, 1, 1)));
    EXPECT_DOUBLE_EQ(e.Reg4DZ(1, 1, 1), 5);
}

TEST_F(DataSetTest, ArrayShorterThanItsCountChangesNothing) {
    // Counts beyond the 4-D grid: GetBox fails before the box changes.
    ClsData d = sample(2);
    d.GetBox();
    d.StepsZ = 4;
    d.Reg4DX(1, 1, 1) = 40;
    EXPECT_THROW(d.GetData(), std::out_of_range);
    EXPECT_DOUBLE_EQ(d.MaxX, 20);

    // A set whose box is not taken from its arrays (4-D scattered points, the
    // box kept from before): z one node short of the counts. The division is
    // checked first, so x and y are not left divided and the scales stay.
    gSceneScaleX = 3, gSceneScaleY = 4, gSceneScaleZ = 5;
    ClsData e = sample(2);
    e.GetBox();
    e.DataType = 2;
    e.Reg4DZ.ReDim(1, 1, 0);
    EXPECT_THROW(e.Normalize(), std::out_of_range);
    EXPECT_DOUBLE_EQ(e.Reg4DX(1, 1, 1), 20);
    EXPECT_DOUBLE_EQ(e.Reg4DY(1, 1, 1), 5);
    EXPECT_DOUBLE_EQ(gSceneScaleX, 3);
    EXPECT_DOUBLE_EQ(gSceneScaleZ, 5);
    // With the array whole it divides by the kept box's scales.
    e.Reg4DZ.ReDim(2, 2, 2);
    e.Normalize();
    EXPECT_DOUBLE_EQ(gSceneScaleX, 2);
    EXPECT_DOUBLE_EQ(e.Reg4DX(1, 1, 1), 10);
}

TEST_F(DataSetTest, RedimDataGivesOneNodeMoreThanTheBoxVisits) {
    ClsData d;
    d.DataType = 1;
    d.DataDim = 2;
    d.StepsX = d.StepsY = d.StepsZ = 2;
    d.points = 3;
    d.RedimData();
    EXPECT_DOUBLE_EQ(d.Reg4DX(2, 2, 2), 0);
    EXPECT_DOUBLE_EQ(d.Irreg4DV(3), 0);
    EXPECT_THROW(d.Reg4DX(3, 0, 0), std::out_of_range);
    EXPECT_THROW(d.Reg4DA(0, 0, 0), std::out_of_range);  // not sized
    EXPECT_THROW(d.Reg3DX(0, 0), std::out_of_range);
    d.Reg4DX(2, 2, 2) = 100;
    d.Reg4DV(1, 1, 1) = -4;
    d.GetBox();
    EXPECT_DOUBLE_EQ(d.MaxX, 0);
    EXPECT_DOUBLE_EQ(d.MInv, -4);
    EXPECT_DOUBLE_EQ(d.MaxV, 0);
}

}  // namespace
