#include "render/colormap.h"

#include <algorithm>
#include <cmath>

#include "graph/graph.h"

namespace {

constexpr ColorMapPreset kPresets[] = {
    {"RAINBOW", 6, {0, 20, 40, 60, 80, 100}, {153, 0, 0, 255, 255, 255}, {102, 0, 255, 255, 102, 0}, {255, 255, 0, 0, 0, 0}},
    {"EARTH", 5, {0, 25, 50, 75, 100}, {0, 0, 255, 0, 128}, {0, 128, 255, 255, 64}, {128, 0, 0, 255, 64}},
    {"FIERY", 5, {0, 25, 50, 75, 100}, {255, 255, 0, 255, 0}, {255, 0, 255, 0, 0}, {0, 255, 255, 0, 255}},
    {"MARINE", 3, {0, 50, 100}, {128, 0, 255}, {128, 100, 255}, {255, 100, 128}},
    {"GREY", 2, {0, 100}, {200, 50}, {200, 50}, {200, 50}},
};

// The Chinese names of EARTH, FIERY, MARINE and GREY (UTF-8).
struct Alias {
    std::string_view name;
    const ColorMapPreset* preset;
};
const Alias kChineseNames[] = {
    {"\xE5\xA4\xA7\xE5\x9C\xB0", &kPresets[1]},  // 大地
    {"\xE7\x83\xAD\xE7\x81\xAB", &kPresets[2]},  // 热火
    {"\xE6\xB5\xB7\xE6\xB4\x8B", &kPresets[3]},  // 海洋
    {"\xE7\x81\xB0\xE5\xBA\xA6", &kPresets[4]},  // 灰度
};

std::string upperAscii(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return u;
}

void load(ColorStopTable& t, const ColorMapPreset& p) {
    t.count = p.count;
    for (int i = 0; i < p.count; ++i) {
        t.pos[i] = p.pos[i];
        t.red[i] = p.red[i];
        t.green[i] = p.green[i];
        t.blue[i] = p.blue[i];
    }
}

Rgb stopColour(const ColorStopTable& t, long i) { return {t.red[i] / 255.0, t.green[i] / 255.0, t.blue[i] / 255.0}; }

ColorStopTable rainbow() {
    ColorStopTable t;
    load(t, kPresets[0]);
    return t;
}

// The graph's stops as a table (the count kept within the arrays).
ColorStopTable graphTable(const Cls9& g) {
    ColorStopTable t;
    t.count = std::clamp<long>(g.ColorNum, 0, kMaxColorStops);
    for (long i = 0; i < t.count; ++i) {
        t.pos[i] = g.ColorPos(i);
        t.red[i] = g.ColorR(i);
        t.green[i] = g.ColorG(i);
        t.blue[i] = g.ColorB(i);
    }
    return t;
}

}  // namespace

const ColorMapPreset* FindColorMapPreset(std::string_view name, PresetNames accepted) {
    std::string key = upperAscii(name);
    if (accepted != PresetNames::Plain && !key.empty() && key.front() == '@') key.erase(0, 1);
    for (const auto& p : kPresets)
        if (key == p.name) return &p;
    if (accepted == PresetNames::WithChineseNames)
        for (const auto& a : kChineseNames)
            if (key == a.name) return a.preset;
    return nullptr;
}

void SetColorMap(ColorStopTable& table, std::string_view name, PresetNames accepted) {
    if (const ColorMapPreset* p = FindColorMapPreset(name, accepted)) load(table, *p);
}

Rgb LookupColor(const ColorStopTable& table, double value, double min, double range) {
    if (range == 0) return {0, 0, 1};
    if (table.count <= 0) return LookupColor(rainbow(), value, min, range);
    const long n = std::min<long>(table.count, kMaxColorStops);
    const double p = (value - min) / range * 100;
    const long last = n - 1;
    if (std::fabs(p - table.pos[last]) < 0.0001) return stopColour(table, last);
    for (long i = 0; i + 1 < n; ++i) {
        const double lo = table.pos[i], hi = table.pos[i + 1];
        if (lo <= p && p <= hi) {
            const double t = hi > lo ? (p - lo) / (hi - lo) : 0.0;
            auto channel = [&](const std::array<long, kMaxColorStops>& c) {
                return static_cast<double>(c[i + 1] - c[i]) * t + static_cast<double>(c[i]);
            };
            return {channel(table.red) / 255, channel(table.green) / 255, channel(table.blue) / 255};
        }
    }
    // Beyond the table (or not a number): the colour of the nearer end.
    return p > table.pos[last] ? stopColour(table, last) : stopColour(table, 0);
}

void SetGraphColorMap(Cls9& graph, const std::string& name, PresetNames accepted) {
    const ColorMapPreset* p = FindColorMapPreset(name, accepted);
    if (!p) return;
    graph.ColorNum = p->count;
    for (int i = 0; i < p->count; ++i) {
        graph.ColorPos(i) = p->pos[i];
        graph.ColorR(i) = p->red[i];
        graph.ColorG(i) = p->green[i];
        graph.ColorB(i) = p->blue[i];
    }
}

ColorStopTable GraphColorTable(Cls9& graph) {
    if (graph.ColorName.empty()) graph.ColorName = "Rainbow";
    SetGraphColorMap(graph, graph.ColorName, PresetNames::Graph);
    return graphTable(graph);
}

Rgb MapGraphValueToColor(Cls9& graph, double value, double min, double range) {
    return LookupColor(GraphColorTable(graph), value, min, range);
}
