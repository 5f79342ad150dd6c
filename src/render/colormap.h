#pragma once
// Colour maps: the five presets, choosing a preset by name and the colour of a
// value on a stop table. Plain C++: the graph, the isosurface module and the
// contour tracer each keep a stop table and share these lookups.
#include <array>
#include <string>
#include <string_view>

#include "state/color.h"

class Cls9;

inline constexpr int kMaxColorStops = 31;

// A stop table: positions in percent of the value range, ascending, and
// colours 0..255 per channel; stops 0..count-1 in use.
struct ColorStopTable {
    long count = 0;
    std::array<double, kMaxColorStops> pos{};
    std::array<long, kMaxColorStops> red{}, green{}, blue{};
};

// ColorMapPreset: a named table of up to six stops.
struct ColorMapPreset {
    const char* name;  // upper case
    int count;
    double pos[6];
    long red[6], green[6], blue[6];
};

// Which names select a preset: the drawing entry's load takes the plain names
// only; the graph's lookups also take "@" and a name; the isosurface module
// and the contour tracer also take the Chinese names, with or without "@".
enum class PresetNames { Plain, Graph, WithChineseNames };

// The preset a name selects (case does not matter), or nullptr.
const ColorMapPreset* FindColorMapPreset(std::string_view name, PresetNames accepted);

// Loads the preset the name selects into the table; any other name leaves the
// table as it was. Stops above the preset's count keep their values.
void SetColorMap(ColorStopTable& table, std::string_view name, PresetNames accepted);

// The colour of value on the table over min..min+range, each channel 0..1.
// A range of 0 gives blue. A value beyond either end of the table (more than
// the 0.0001 percent margin) takes the colour of that end; a table without
// stops is read as the Rainbow preset.
Rgb LookupColor(const ColorStopTable& table, double value, double min, double range);

// The graph's colour map. SetGraphColorMap loads a preset into the graph's
// stops (accepted as given); MapGraphValueToColor first turns an empty
// ColorName into "Rainbow" in the graph, reloads the named preset and looks up
// the value.
void SetGraphColorMap(Cls9& graph, const std::string& name, PresetNames accepted);
Rgb MapGraphValueToColor(Cls9& graph, double value, double min, double range);
// The stops MapGraphValueToColor looks up (after the same "Rainbow" default
// and reload), for renderers that colour many values by one name.
ColorStopTable GraphColorTable(Cls9& graph);
