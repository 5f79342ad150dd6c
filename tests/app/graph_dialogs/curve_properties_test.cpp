// What the 2-D curve dialog's OK reads from its controls and stores.
#include <gtest/gtest.h>

#include <memory>

#include "app/graph_dialogs/curve_properties.h"
#include "app/dialog_kit/property_input.h"
#include "graph/graph.h"

using propertyinput::PropertyLongMessage;
using propertyinput::ReadPropertyLong;

TEST(PropertyLong, ReadsTheLeadingNumberRoundedHalvesToEvenWithinALong) {
    struct Case {
        const char* text;
        bool ok;
        long value;
    };
    const Case cases[] = {
        {"3", true, 3},          {"3.5", true, 4},        {"2.5", true, 2},          {"12", true, 12},
        {"abc", true, 0},        {"", true, 0},           {" 4 px", true, 4},        {"0.4", true, 0},
        {"-0.4", true, 0},       {"2,5", true, 2},        {"2147483647", true, 2147483647},
        {"-1", false, 0},        {"-0.6", false, 0},      {"2147483648", false, 0},  {"2147483647.5", false, 0},
        {"1E300", false, 0},     {"1E999", false, 0},     {"99999999999", false, 0},
    };
    for (const Case& c : cases) {
        long v = -7;
        EXPECT_EQ(ReadPropertyLong(c.text, v), c.ok) << c.text;
        EXPECT_EQ(v, c.ok ? c.value : -7) << c.text;  // a refused text leaves the value alone
    }
    EXPECT_EQ(PropertyLongMessage("Step"), "Step must be a number from 0 to 2147483647.");
}

TEST(CurveDialogOk, StoresTheCurveSettingsAndTheControlsValues) {
    auto g = std::make_unique<Cls9>();
    const CurveDialogInput in{false, 0x123456, 0x00FF00, "3.5", "2.5", 4};
    ASSERT_FALSE(FillCurveGraph(in, *g));
    EXPECT_EQ(g->StepU, 100);
    EXPECT_EQ(g->StepV, 100);
    EXPECT_EQ(g->CoordType, 1);
    EXPECT_EQ(g->GraphType, 4);
    EXPECT_EQ(g->FillStyle, 4);
    EXPECT_EQ(g->FirstColor, 0xFF0000);
    EXPECT_EQ(g->SecondColor, 0xFF0000);
    EXPECT_EQ(g->Material, 4);
    EXPECT_EQ(g->Show, 2);
    EXPECT_EQ(g->Smoothness, 1);
    EXPECT_EQ(g->LineColor, 0x123456);
    EXPECT_EQ(g->LineWidth, 4);
    // Unticked markers keep their colour, size and symbol.
    EXPECT_FALSE(g->Show2DScatter);
    EXPECT_EQ(g->ScatterColor, 0x00FF00);
    EXPECT_EQ(g->ScatterSize, 2);
    EXPECT_EQ(g->Symbol, 5);

    CurveDialogInput none = in;
    none.symbolIndex = -1;
    none.widthText = "wide";
    ASSERT_FALSE(FillCurveGraph(none, *g));
    EXPECT_EQ(g->Symbol, 0);
    EXPECT_EQ(g->LineWidth, 0);
}

TEST(CurveDialogOk, RefusesAWidthOrSizeBeyondALongAndChangesNothing) {
    struct Case {
        const char* width;
        const char* size;
        CurveBox box;
        const char* message;
    };
    const Case cases[] = {
        {"-1", "1", CurveBox::Width, "Line Width must be a number from 0 to 2147483647."},
        {"3000000000", "-5", CurveBox::Width, "Line Width must be a number from 0 to 2147483647."},
        {"2", "2147483648", CurveBox::Size, "Size must be a number from 0 to 2147483647."},
    };
    for (const Case& c : cases) {
        auto g = std::make_unique<Cls9>();
        g->LineWidth = 6;
        g->StepU = 7;
        const auto refused = FillCurveGraph({true, 1, 2, c.width, c.size, 0}, *g);
        ASSERT_TRUE(refused) << c.width << " " << c.size;
        EXPECT_EQ(refused->box, c.box);
        EXPECT_EQ(refused->message, c.message);
        EXPECT_EQ(g->LineWidth, 6);
        EXPECT_EQ(g->StepU, 7);
    }
}

TEST(CurveDialogPreset, OnlyValuesOfTheListHaveALine) {
    EXPECT_EQ(PresetLine(1, 8), 0);
    EXPECT_EQ(PresetLine(8, 8), 7);
    EXPECT_EQ(PresetLine(0, 8), -1);
    EXPECT_EQ(PresetLine(9, 8), -1);
    EXPECT_EQ(PresetLine(-3, 6), -1);
}
