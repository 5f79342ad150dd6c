#include "app/graph_dialogs/volume_edit_model.h"

#include <charconv>
#include <cmath>

#include "app/dialog_kit/dialog_input.h"
#include "app/dialog_kit/property_input.h"
#include "formula/number_text.h"
#include "graph/graph.h"
#include "graph/slice_descriptor.h"
#include "scene/data_set.h"
#include "state/globals.h"
#include "state/whole_number.h"

namespace {

constexpr SliceAxis kAxes[3] = {SliceAxis::X, SliceAxis::Y, SliceAxis::Z};
constexpr const char* kNotANumber = "The value must be a number.";

long sliceCount(const Cls9& g, int axis) {
    const long counts[3] = {g.Slice4NumX, g.Slice4NumY, g.Slice4NumZ};
    return counts[axis];
}

long& sliceCount(Cls9& g, int axis) {
    long* counts[3] = {&g.Slice4NumX, &g.Slice4NumY, &g.Slice4NumZ};
    return *counts[axis];
}

AddResult refuse(AddResult::Box box, std::string message) { return {box, {}, std::move(message)}; }

}  // namespace

void PresetVolumeDialog(const Cls9& g, VolumeDialogValues& v) {
    v.showData = g.ShowIrregData;
    v.colorName = g.ColorName;
    for (int a = 0; a < 3; ++a) {
        v.slices[a].clear();
        const long n = std::min<long>(sliceCount(g, a), static_cast<long>(kMaxSlicesPerAxis));
        for (long s = 1; s <= n; ++s)
            v.slices[a].push_back(WriteSliceDescriptor(SliceOf(g, kAxes[a], s), SliceLineEnd::Blank));
    }
    v.levels.clear();
    const long levels = std::min<long>(g.IsoSurfaceNum, static_cast<long>(kMaxIsoLevels));
    for (long k = 1; k <= levels; ++k) v.levels.push_back(IsoLevelText(g.IsoSurValue(k)));
}

AddResult AddSliceLine(const SliceEditorBoxes& b, std::size_t count) {
    if (count >= kMaxSlicesPerAxis) return refuse(AddResult::Box::Value, "At most 50 slices along one axis.");
    SliceLine line;
    if (!dialoginput::ReadNumber(b.value, line.position) || !std::isfinite(line.position))
        return refuse(AddResult::Box::Value, kNotANumber);
    long step = 0;
    if (b.contour && !propertyinput::ReadPropertyLong(b.step, step))
        return refuse(AddResult::Box::Step, propertyinput::PropertyLongMessage("Step"));
    // The range boxes cannot be edited; their texts read as whole numbers.
    auto whole = [](const std::string& text) { return roundHalfEven(formula::readNumberText(text)); };
    line.first1 = whole(b.from1);
    line.last1 = whole(b.to1);
    line.first2 = whole(b.from2);
    line.last2 = whole(b.to2);
    line.showColor = b.colormap;
    line.showCont = b.contour;
    line.contLevels = static_cast<double>(step);
    line.contColor = b.contourColor;
    return {AddResult::Box::None, WriteSliceDescriptor(line), {}};
}

AddResult AddIsoLevelLine(const std::string& text, std::size_t count) {
    if (count >= kMaxIsoLevels) return refuse(AddResult::Box::Value, "At most 100 isosurface levels.");
    float level = 0;
    if (!dialoginput::ReadSingle(text, level)) return refuse(AddResult::Box::Value, kNotANumber);
    return {AddResult::Box::None, IsoLevelText(level), {}};
}

std::string IsoLevelText(double level) {
    const auto single = static_cast<float>(level);
    if (static_cast<double>(single) != level || !std::isfinite(single)) return formula::formatFormulaNumber(level);
    if (single == 0) return "0";  // -0 too
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, single, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

bool BuildVolumeSettings(const VolumeDialogValues& v, Cls9& g, std::string& message) {
    for (int a = 0; a < 3; ++a)
        if (v.slices[a].size() > kMaxSlicesPerAxis) {
            message = "At most 50 slices along one axis.";
            return false;
        }
    if (v.levels.size() > kMaxIsoLevels) {
        message = "At most 100 isosurface levels.";
        return false;
    }
    std::vector<double> levels;
    for (const std::string& line : v.levels) {
        float level = 0;
        if (!dialoginput::ReadSingle(line, level)) {
            message = kNotANumber;
            return false;
        }
        levels.push_back(level);
    }

    g.ShowIrregData = v.showData;
    // The data set is never filled: its steps read 0. Its normalising step
    // must not touch the scene scales the picture is drawn with.
    const double scales[3] = {gSceneScaleX, gSceneScaleY, gSceneScaleZ};
    ClsData& data = dataSet();
    data.GetData();
    gSceneScaleX = scales[0], gSceneScaleY = scales[1], gSceneScaleZ = scales[2];
    g.StepU = data.StepsX - 1;
    g.StepV = data.StepsY - 1;
    g.StepH = data.StepsZ - 1;
    g.NameS.clear();
    g.GraphType = graph_type::Volume4D;
    g.FillStyle = 5;
    g.ColorName = v.colorName;
    g.Material = 4;
    g.Show = 3;
    g.Smoothness = 3;
    for (int a = 0; a < 3; ++a) {
        sliceCount(g, a) = static_cast<long>(v.slices[a].size());
        long s = 0;
        for (const std::string& text : v.slices[a]) {
            SliceLine line = ParseSliceDescriptor(text);
            line.showVect = false;  // no control offers the gradient arrows
            StoreSlice(g, kAxes[a], ++s, line);
        }
    }
    if (!levels.empty()) {
        g.IsoSurfaceNum = static_cast<long>(levels.size());
        for (std::size_t k = 0; k < levels.size(); ++k) g.IsoSurValue(static_cast<long>(k) + 1) = levels[k];
    }
    return true;
}
