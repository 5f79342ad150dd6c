// Copying settings between graphs: what TabEqualTo carries and what it keeps,
// the slice and stop counts, and the function-graph copies.
#include <gtest/gtest.h>

#include <stdexcept>

#include "graph/graph.h"

namespace {

// A graph with data and settings that differ from a new graph's everywhere.
void fillTarget(Cls9& t) {
    t.ID = 7;
    t.NameS = "target";
    t.GraphType = 6;
    t.StepU = 20;
    t.StepV = 20;
    t.StepH = 5;
    t.VertTab3D(3, 4)->Y = 9;
    t.Reg3DC(1, 1) = 2;
    t.Reg4DV(1, 2, 3) = 4;
    t.SetPntNum(2);
    t.PntY(1) = 8;
    t.Show2DLine = false;
    t.Show2DCurve = true;
    t.FunForm = 2;
    t.PointColor = 1;
    t.MinW = -3;
    t.Scat4DColor = 11;
    t.ExpressX = "x";
    t.ShowInverse = true;
    t.Slice4NumX = 5;
    for (long s = 1; s <= 5; ++s) {
        t.Slice4X(s) = 100 + s;
        t.Slice4YZYB(s) = 200 + s;
    }
    t.ColorNum = 3;
    t.ColorName = "Old";
    for (long i = 0; i <= 4; ++i) t.ColorR(i) = 50 + i;
    t.IsoSurfaceNum = 2;
    t.IsoSurValue(2) = 0.5;
}

TEST(TabEqualTo, CopiesSettingsAndKeepsIdentityAndData) {
    Cls9 t;
    fillTarget(t);
    Cls9 s;
    s.GraphType = 4;
    s.StepU = 1;
    s.StepV = 9;
    s.StepH = 30;
    s.LineColor = 0xFF;
    s.ScatterSize = 3;
    s.Symbol = 5;
    s.Show = 2;
    s.ShowIrregData = true;
    s.TexName = "wood.bmp";
    s.TransAlpha = 0.4;
    t.TabEqualTo(s);

    // Taken from the source; an empty name empties the target's.
    EXPECT_EQ(t.NameS, "");
    EXPECT_EQ(t.GraphType, 4);
    EXPECT_EQ(t.StepU, 1);
    EXPECT_EQ(t.StepV, 9);
    EXPECT_EQ(t.LineColor, 0xFF);
    EXPECT_EQ(t.ScatterSize, 3);
    EXPECT_EQ(t.Symbol, 5);
    EXPECT_EQ(t.Show, 2);
    EXPECT_TRUE(t.ShowIrregData);
    EXPECT_EQ(t.TexName, "wood.bmp");
    EXPECT_DOUBLE_EQ(t.TransAlpha, 0.4);
    // Kept: identity, data, StepH and the settings the dialogs do not edit.
    EXPECT_EQ(t.ID, 7);
    EXPECT_EQ(t.StepH, 5);
    EXPECT_EQ(t.VertTab3D(3, 4)->Y, 9);
    EXPECT_EQ(t.Reg3DC(1, 1), 2);
    EXPECT_EQ(t.Reg4DV(1, 2, 3), 4);
    EXPECT_EQ(t.PntNum(), 2);
    EXPECT_EQ(t.PntY(1), 8);
    EXPECT_FALSE(t.Show2DLine);
    EXPECT_TRUE(t.Show2DCurve);
    EXPECT_EQ(t.FunForm, 2);
    EXPECT_EQ(t.PointColor, 1);
    EXPECT_EQ(t.MinW, -3);
    EXPECT_EQ(t.Scat4DColor, 11);
    EXPECT_EQ(t.ExpressX, "x");
    EXPECT_TRUE(t.ShowInverse);
    // Counts from a new graph are 0; elements beyond them keep their values.
    EXPECT_EQ(t.Slice4NumX, 0);
    EXPECT_EQ(t.ColorNum, 0);
    EXPECT_EQ(t.ColorName, "");
    EXPECT_EQ(t.IsoSurfaceNum, 0);
    EXPECT_EQ(t.Slice4X(1), 101);
    EXPECT_EQ(t.ColorR(0), 50);
    EXPECT_EQ(t.IsoSurValue(2), 0.5);
}

TEST(TabEqualTo, CopiesSlicesStopsAndLevelsUpToTheSourceCounts) {
    Cls9 t;
    fillTarget(t);
    Cls9 s;
    s.Slice4NumX = 2;
    s.Slice4NumZ = 1;
    for (long i = 1; i <= 2; ++i) {
        s.Slice4X(i) = i;
        s.SliceXShowCont(i) = true;
        s.SliceXContColor(i) = 0x10 * i;
        s.Slice4YZYB(i) = 1;
        s.Slice4YZZE(i) = 21;
    }
    s.Slice4Z(1) = -4;
    s.Slice4XYYE(1) = 17;
    s.ColorName = "Earth";
    s.ColorNum = 2;
    s.ColorPos(1) = 100;
    s.ColorG(1) = 255;
    s.IsoSurfaceNum = 1;
    s.IsoSurValue(1) = 3.5;
    t.TabEqualTo(s);

    EXPECT_EQ(t.Slice4NumX, 2);
    EXPECT_EQ(t.Slice4X(2), 2);
    EXPECT_TRUE(t.SliceXShowCont(1));
    EXPECT_EQ(t.SliceXContColor(2), 0x20);
    EXPECT_EQ(t.Slice4YZYB(2), 1);
    EXPECT_EQ(t.Slice4YZZE(1), 21);
    for (long i = 3; i <= 5; ++i) {  // hidden by the count, not cleared
        EXPECT_EQ(t.Slice4X(i), 100 + i);
        EXPECT_EQ(t.Slice4YZYB(i), 200 + i);
    }
    EXPECT_EQ(t.Slice4Z(1), -4);
    EXPECT_EQ(t.Slice4XYYE(1), 17);
    EXPECT_EQ(t.ColorName, "Earth");
    EXPECT_EQ(t.ColorNum, 2);
    EXPECT_EQ(t.ColorPos(1), 100);
    EXPECT_EQ(t.ColorG(1), 255);
    EXPECT_EQ(t.ColorR(0), 0);   // stop 0 copied
    EXPECT_EQ(t.ColorR(2), 52);  // beyond the count: kept
    EXPECT_EQ(t.IsoSurfaceNum, 1);
    EXPECT_EQ(t.IsoSurValue(1), 3.5);
    EXPECT_EQ(t.IsoSurValue(2), 0.5);
}

// A count beyond its arrays fails before anything is copied, so the graph
// is never left half updated.
TEST(TabEqualTo, CountBeyondTheArraysChangesNothing) {
    struct Case {
        const char* name;
        void (*spoil)(Cls9&);
    };
    const Case cases[] = {
        {"51 X slices", [](Cls9& s) { s.Slice4NumX = 51; }},
        {"51 Z slices", [](Cls9& s) { s.Slice4NumZ = 51; }},
        {"32 colour stops", [](Cls9& s) { s.ColorNum = 32; }},
        {"101 isosurfaces", [](Cls9& s) { s.IsoSurfaceNum = 101; }},
    };
    for (const auto& c : cases) {
        Cls9 t;
        fillTarget(t);
        Cls9 s;
        s.NameS = "new";
        s.GraphType = 43;
        c.spoil(s);
        EXPECT_THROW(t.TabEqualTo(s), std::out_of_range) << c.name;
        EXPECT_EQ(t.NameS, "target") << c.name;
        EXPECT_EQ(t.GraphType, 6) << c.name;
        EXPECT_EQ(t.Slice4NumX, 5) << c.name;
    }
    Cls9 t, s;  // the largest counts are fine
    s.Slice4NumY = 50;
    s.ColorNum = 31;
    s.IsoSurfaceNum = 100;
    EXPECT_NO_THROW(t.TabEqualTo(s));
}

TEST(EqualTo, CopiesFunctionSettingsAndTimeRangeOnlyWhenAnimated) {
    Cls9 t;
    t.MinT = 1;
    t.MaxT = 2;
    t.ID = 3;
    t.Slice4NumX = 4;
    Cls9 s;
    s.NameS = "f";
    s.ExpressY = "sin(x)";
    s.MinT = 10;
    s.MaxT = 20;
    s.FunForm = 2;
    s.CurvNum = 2;
    s.CurvX(2) = 0.5;
    s.LenFrom = 1;
    s.VecDZ2 = 3;
    s.SeriesA0 = 4;
    s.PointSize = 7;
    t.EqualTo(s);
    EXPECT_EQ(t.ExpressY, "sin(x)");
    EXPECT_EQ(t.FunForm, 2);
    EXPECT_EQ(t.CurvX(2), 0.5);
    EXPECT_EQ(t.LenFrom, 1);
    EXPECT_EQ(t.VecDZ2, 3);
    EXPECT_EQ(t.SeriesA0, 4);
    EXPECT_EQ(t.PointSize, 7);
    EXPECT_EQ(t.MinT, 1);  // not animated: the time range stays
    EXPECT_EQ(t.MaxT, 2);
    EXPECT_EQ(t.ID, 3);
    EXPECT_EQ(t.Slice4NumX, 4);
    s.Animation = true;
    t.EqualTo(s);
    EXPECT_EQ(t.MinT, 10);
    EXPECT_EQ(t.MaxT, 20);
    s.CurvNum = 51;
    EXPECT_THROW(t.EqualTo(s), std::out_of_range);
}

TEST(EqualAndInit, StoreTheSettings) {
    GraphSettings st;
    st.NameS = "g";
    st.GraphType = 9;
    st.MInv = -2;
    st.Smoothness = 1;
    st.ContourLevel = 20;
    st.FunForm = 3;
    Cls9 g;
    g.Equal(st);
    EXPECT_EQ(g.NameS, "g");
    EXPECT_EQ(g.GraphType, 9);
    EXPECT_EQ(g.MInv, -2);
    EXPECT_EQ(g.Smoothness, 1);
    EXPECT_EQ(g.ContourLevel, 20);
    EXPECT_EQ(g.FunForm, 3);

    Cls9 base;
    auto made = base.Init(12, st);
    ASSERT_NE(made.get(), &base);
    EXPECT_EQ(made->ID, 12);
    EXPECT_EQ(made->NameS, "g");
    EXPECT_EQ(made->FunForm, 0);
    EXPECT_EQ(made->Symbol, 1);  // new-graph defaults otherwise
    EXPECT_EQ(base.ID, 0);
    EXPECT_EQ(base.NameS, "");
}

}  // namespace
