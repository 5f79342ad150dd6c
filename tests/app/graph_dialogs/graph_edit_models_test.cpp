// The surface and 4-D property dialogs' logic: what "Edit..." presets from a
// graph, what OK stores, what the Add buttons write or refuse, and that an
// unchanged OK keeps every slice and level.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/graph_dialogs/surface_edit_model.h"
#include "app/graph_dialogs/volume_edit_model.h"
#include "graph/graph.h"
#include "graph/slice_descriptor.h"
#include "state/globals.h"

namespace {

TEST(SurfaceEditModel, PresetsFromTheGraph) {
    struct Case {
        const char* what;
        void (*change)(Cls9&);
        SurfaceDialogValues want;
    };
    auto dialog = [](auto edit) {
        SurfaceDialogValues v;
        v.colorName = "Earth";
        v.materialIndex = 4;
        v.smoothness = 1;
        v.showColormap = false;
        v.contourStep = "7";
        v.showData = false;
        v.showTex = true;
        v.texName = "/tmp/my texture.bmp";
        v.texMode = 2;
        v.showTrans = true;
        v.transPosition = 2;  // 0.25 * 10 halves to even
        edit(v);
        return v;
    };
    const Case cases[] = {
        {"every control", [](Cls9&) {}, dialog([](SurfaceDialogValues&) {})},
        {"contours off keep the designed step", [](Cls9& g) { g.ShowContour = false; },
         dialog([](SurfaceDialogValues& v) { v.showContour = false, v.contourStep = "20"; })},
        {"values no control shows",
         [](Cls9& g) { g.Material = 14, g.Smoothness = 0, g.TexMode = 0, g.TransAlpha = 1.07; },
         dialog([](SurfaceDialogValues& v) { v.materialIndex = 3, v.smoothness = 3, v.texMode = 1, v.transPosition = 0; })},
        {"material 0 selects no line, 1.04 the end of the slider",
         [](Cls9& g) { g.Material = 0, g.TransAlpha = 1.04; },
         dialog([](SurfaceDialogValues& v) { v.materialIndex = -1, v.transPosition = 10; })},
        {"NaN transparency", [](Cls9& g) { g.TransAlpha = std::nan(""); },
         dialog([](SurfaceDialogValues& v) { v.transPosition = 0; })},
    };
    for (const Case& c : cases) {
        Cls9 g;
        g.ColorName = "Earth", g.Material = 5, g.Smoothness = 1, g.ShowColormap = false, g.ShowContour = true;
        g.ContourLevel = 7, g.ShowIrregData = false, g.ShowTex = true, g.TexName = "/tmp/my texture.bmp";
        g.TexMode = 2, g.ShowTrans = true, g.TransAlpha = 0.25;
        c.change(g);
        SurfaceDialogValues v;
        PresetSurfaceDialog(g, v);
        EXPECT_EQ(v, c.want) << c.what;
    }
}

TEST(SurfaceEditModel, OkStoresTheControls) {
    struct Case {
        const char* what;
        void (*set)(SurfaceDialogValues&);
        long contourLevel;
        bool showContour;
        std::string texName;
        double transAlpha;
        long material, smoothness;
    };
    const Case cases[] = {
        {"designed values", [](SurfaceDialogValues&) {}, 20, true, "", 0, 4, 3},
        {"12.5 halves to 12", [](SurfaceDialogValues& v) { v.contourStep = "12.5"; }, 12, true, "", 0, 4, 3},
        {"13.5 to 14", [](SurfaceDialogValues& v) { v.contourStep = "13.5"; }, 14, true, "", 0, 4, 3},
        {"not a number reads 0", [](SurfaceDialogValues& v) { v.contourStep = "abc"; }, 0, true, "", 0, 4, 3},
        {"contours off store level 0",
         [](SurfaceDialogValues& v) { v.showContour = false, v.contourStep = "-99"; }, 0, false, "", 0, 4, 3},
        {"an empty texture path draws untextured",
         [](SurfaceDialogValues& v) { v.showTex = true, v.texName = ""; }, 20, true, " ", 0, 4, 3},
        {"a texture path", [](SurfaceDialogValues& v) { v.showTex = true, v.texName = "a b.bmp"; }, 20, true,
         "a b.bmp", 0, 4, 3},
        {"a path without the box", [](SurfaceDialogValues& v) { v.texName = "a.bmp"; }, 20, true, "", 0, 4, 3},
        {"slider at 7", [](SurfaceDialogValues& v) { v.showTrans = true, v.transPosition = 7; }, 20, true, "", 0.7,
         4, 3},
        {"slider without the box", [](SurfaceDialogValues& v) { v.transPosition = 7; }, 20, true, "", 0, 4, 3},
        {"no material line, no shading", [](SurfaceDialogValues& v) { v.materialIndex = -1, v.smoothness = 0; }, 20,
         true, "", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SurfaceDialogValues v;
        c.set(v);
        Cls9 g;
        std::string message;
        ASSERT_TRUE(BuildSurfaceSettings(v, g, message)) << c.what;
        EXPECT_EQ(g.ContourLevel, c.contourLevel) << c.what;
        EXPECT_EQ(g.ShowContour, c.showContour) << c.what;
        EXPECT_EQ(g.TexName, c.texName) << c.what;
        EXPECT_EQ(g.ShowTex, v.showTex) << c.what;
        EXPECT_DOUBLE_EQ(g.TransAlpha, c.transAlpha) << c.what;
        EXPECT_EQ(g.Material, c.material) << c.what;
        EXPECT_EQ(g.Smoothness, c.smoothness) << c.what;
        // What no control changes.
        EXPECT_EQ(g.GraphType, 6);
        EXPECT_EQ(g.FillStyle, 5);
        EXPECT_EQ(g.Show, 3);
        EXPECT_EQ(g.FirstColor, 255);
        EXPECT_EQ(g.SecondColor, 0xFF0000);
        EXPECT_FALSE(g.ShowVector);
        EXPECT_EQ(g.StepU, 50);
        EXPECT_EQ(g.TexMode, 1);
        EXPECT_EQ(g.ColorName, "Rainbow");
    }
    // A step beyond a Long, or negative, is refused.
    for (const char* step : {"3000000000", "-1", "2147483647.5"}) {
        SurfaceDialogValues v;
        v.contourStep = step;
        Cls9 g;
        std::string message;
        EXPECT_FALSE(BuildSurfaceSettings(v, g, message)) << step;
        EXPECT_EQ(message, "Step must be a number from 0 to 2147483647.");
    }
}

// A 4-D graph as the volume builders make it: one X, one Y and two Z slices.
void addBuilderSlices(Cls9& g) {
    g.Slice4NumX = 1, g.Slice4NumY = 1, g.Slice4NumZ = 2;
    ReadSliceDescriptor(g, SliceAxis::X, 1, DefaultSliceDescriptor(-1.5, 2, 21));
    ReadSliceDescriptor(g, SliceAxis::Y, 1, DefaultSliceDescriptor(1.0 / 3, 2, 21));
    ReadSliceDescriptor(g, SliceAxis::Z, 1, DefaultSliceDescriptor(0.5, 3, 11));
    ReadSliceDescriptor(g, SliceAxis::Z, 2, DefaultSliceDescriptor(2.25, 3, 11));
}

TEST(VolumeEditModel, PresetsFromTheGraph) {
    Cls9 g;
    g.ShowIrregData = false;
    g.ColorName = "@Fiery";
    addBuilderSlices(g);
    VolumeDialogValues v;
    v.levels = {"99"};
    PresetVolumeDialog(g, v);
    EXPECT_FALSE(v.showData);
    EXPECT_EQ(v.colorName, "@Fiery");
    using Lines = std::vector<std::string>;
    EXPECT_EQ(v.slices[0], Lines{"-1.5 1 21 1 21 1 1 2 12632256 0 "});
    EXPECT_EQ(v.slices[1], Lines{"0.333333333333333 1 21 1 21 1 1 2 12632256 0 "});
    EXPECT_EQ(v.slices[2], (Lines{"0.5 1 11 1 11 1 1 3 12632256 0 ", "2.25 1 11 1 11 1 1 3 12632256 0 "}));
    EXPECT_TRUE(v.levels.empty());

    g.IsoSurfaceNum = 3;
    g.IsoSurValue(1) = static_cast<float>(0.1);
    g.IsoSurValue(2) = -24;
    g.IsoSurValue(3) = 0.1;  // not a Single: its 15 digits
    PresetVolumeDialog(g, v);
    EXPECT_EQ(v.levels, (Lines{"0.1", "-24", "0.1"}));
}

TEST(VolumeEditModel, AddWritesALineOrRefuses) {
    struct Case {
        const char* what;
        void (*set)(SliceEditorBoxes&);
        std::size_t count;
        AddResult::Box refused;
        std::string text;  // the line, or the message
    };
    const Case cases[] = {
        {"designed X editor", [](SliceEditorBoxes&) {}, 0, AddResult::Box::None, "0 1 21 1 21 1 1 20 12632256 0"},
        {"contours off", [](SliceEditorBoxes& b) { b.contour = false, b.step = "junk"; }, 3, AddResult::Box::None,
         "0 1 21 1 21 1 0 0"},
        {"a comma value is written with a point",
         [](SliceEditorBoxes& b) { b.value = "0,5", b.colormap = false, b.contourColor = 255; }, 0,
         AddResult::Box::None, "0.5 1 21 1 21 0 1 20 255 0"},
        {"a step that is not a number reads 0", [](SliceEditorBoxes& b) { b.step = "x"; }, 0, AddResult::Box::None,
         "0 1 21 1 21 1 1 0 12632256 0"},
        {"a step halves to even", [](SliceEditorBoxes& b) { b.value = " -2.5 ", b.step = "2.5"; }, 0,
         AddResult::Box::None, "-2.5 1 21 1 21 1 1 2 12632256 0"},
        {"a blank inside the value", [](SliceEditorBoxes& b) { b.value = "1 5"; }, 0, AddResult::Box::Value,
         "The value must be a number."},
        {"no number", [](SliceEditorBoxes& b) { b.value = "abc"; }, 0, AddResult::Box::Value,
         "The value must be a number."},
        {"an empty value", [](SliceEditorBoxes& b) { b.value = ""; }, 0, AddResult::Box::Value,
         "The value must be a number."},
        {"a step beyond a Long", [](SliceEditorBoxes& b) { b.step = "1e10"; }, 0, AddResult::Box::Step,
         "Step must be a number from 0 to 2147483647."},
        {"a 51st slice", [](SliceEditorBoxes&) {}, 50, AddResult::Box::Value, "At most 50 slices along one axis."},
    };
    for (const Case& c : cases) {
        SliceEditorBoxes b{"0", "1", "21", "1", "21", true, true, "20", kSliceContourGrey};
        c.set(b);
        const AddResult r = AddSliceLine(b, c.count);
        EXPECT_EQ(r.refused, c.refused) << c.what;
        EXPECT_EQ(r.refused == AddResult::Box::None ? r.line : r.message, c.text) << c.what;
    }

    struct Level {
        const char* text;
        std::size_t count;
        bool ok;
        std::string out;
    };
    const Level levels[] = {
        {"0.1", 0, true, "0.1"},
        {"0,5", 99, true, "0.5"},
        {" -24 ", 0, true, "-24"},
        {"1e-7", 0, true, "0.0000001"},
        {"1e39", 0, false, "The value must be a number."},  // beyond a Single
        {"1 5", 0, false, "The value must be a number."},
        {"", 0, false, "The value must be a number."},
        {"3", 100, false, "At most 100 isosurface levels."},
    };
    for (const Level& l : levels) {
        const AddResult r = AddIsoLevelLine(l.text, l.count);
        EXPECT_EQ(r.refused == AddResult::Box::None, l.ok) << l.text;
        EXPECT_EQ(l.ok ? r.line : r.message, l.out) << l.text;
    }
}

TEST(VolumeEditModel, OkReadsTheLists) {
    VolumeDialogValues v;
    v.showData = false;
    v.colorName = "grey";
    v.slices[0] = {"0 1 21 1 21 1 1 20 12632256 0"};
    v.slices[1] = {"0,5 2 20 3 19 0 0 1 7", "4 1 21 1 21 1 0 0"};  // vectors are never read
    v.levels = {"0.1", "0,5"};
    gSceneScaleX = 3, gSceneScaleY = 0.5, gSceneScaleZ = 7;
    Cls9 g;
    std::string message;
    ASSERT_TRUE(BuildVolumeSettings(v, g, message));
    // The data set's normalising leaves the picture's scales alone.
    EXPECT_EQ(gSceneScaleX, 3);
    EXPECT_EQ(gSceneScaleY, 0.5);
    EXPECT_EQ(gSceneScaleZ, 7);
    EXPECT_EQ(g.StepU, -1);
    EXPECT_EQ(g.StepV, -1);
    EXPECT_EQ(g.StepH, -1);
    EXPECT_FALSE(g.ShowIrregData);
    EXPECT_EQ(g.ColorName, "grey");
    EXPECT_EQ(g.GraphType, 43);
    EXPECT_EQ(g.FillStyle, 5);
    EXPECT_EQ(g.Material, 4);
    EXPECT_EQ(g.Show, 3);
    EXPECT_EQ(g.Smoothness, 3);
    EXPECT_EQ(g.Slice4NumX, 1);
    EXPECT_EQ(g.Slice4NumY, 2);
    EXPECT_EQ(g.Slice4NumZ, 0);
    EXPECT_EQ(SliceOf(g, SliceAxis::X, 1), (SliceLine{0, 1, 21, 1, 21, true, true, 20, 12632256, false, 0}));
    EXPECT_EQ(SliceOf(g, SliceAxis::Y, 1), (SliceLine{0.5, 2, 20, 3, 19, false, false, 0, 0, false, 0}));
    EXPECT_EQ(SliceOf(g, SliceAxis::Y, 2), (SliceLine{4, 1, 21, 1, 21, true, false, 0, 0, false, 0}));
    EXPECT_EQ(g.IsoSurfaceNum, 2);
    EXPECT_EQ(g.IsoSurValue(1), static_cast<double>(0.1f));
    EXPECT_EQ(g.IsoSurValue(2), 0.5);

    // Lists beyond what a graph holds are refused, never cut short.
    VolumeDialogValues full;
    full.slices[2].assign(51, "1 1 21 1 21 1 0 0");
    EXPECT_FALSE(BuildVolumeSettings(full, g, message));
    EXPECT_EQ(message, "At most 50 slices along one axis.");
    full = {};
    full.levels.assign(101, "1");
    EXPECT_FALSE(BuildVolumeSettings(full, g, message));
    EXPECT_EQ(message, "At most 100 isosurface levels.");
}

// "Edit...", then OK unchanged: the edited graph keeps its slices, its levels
// (as Singles) and its name, step counts and data.
TEST(VolumeEditModel, AnUnchangedOkKeepsEverySlice) {
    Cls9 edited;
    edited.NameS = "Volume: v=x+y+z";
    edited.StepU = edited.StepV = edited.StepH = 20;
    edited.GraphType = 43;
    edited.ColorName = "Rainbow";
    edited.ShowIrregData = true;
    addBuilderSlices(edited);
    edited.Slice4NumX = 2;
    StoreSlice(edited, SliceAxis::X, 2, {1e-9, 3, 19, 2, 20, false, true, 5, 255, false, 0});
    edited.IsoSurfaceNum = 2;
    edited.IsoSurValue(1) = static_cast<float>(0.3);
    edited.IsoSurValue(2) = 21;
    edited.Reg4DV(20, 20, 20) = 60;

    VolumeDialogValues v;
    PresetVolumeDialog(edited, v);
    Cls9 fresh;
    std::string message;
    ASSERT_TRUE(BuildVolumeSettings(v, fresh, message));
    fresh.NameS = edited.NameS, fresh.StepU = edited.StepU, fresh.StepV = edited.StepV;
    Cls9 before;
    before.TabEqualTo(edited);
    edited.TabEqualTo(fresh);

    EXPECT_EQ(edited.NameS, "Volume: v=x+y+z");
    EXPECT_EQ(edited.StepU, 20);
    EXPECT_EQ(edited.StepH, 20);
    EXPECT_EQ(edited.Reg4DV(20, 20, 20), 60);
    for (SliceAxis axis : {SliceAxis::X, SliceAxis::Y, SliceAxis::Z})
        for (long s = 1; s <= 2; ++s) {
            SliceLine now = SliceOf(edited, axis, s), was = SliceOf(before, axis, s);
            EXPECT_NEAR(now.position, was.position, std::abs(was.position) * 1e-15);
            now.position = was.position;
            EXPECT_EQ(now, was) << static_cast<int>(axis) << " " << s;
        }
    EXPECT_EQ(edited.Slice4NumZ, 2);
    EXPECT_EQ(edited.IsoSurfaceNum, 2);
    EXPECT_EQ(edited.IsoSurValue(1), static_cast<double>(0.3f));
    EXPECT_EQ(edited.IsoSurValue(2), 21);
}

}  // namespace
