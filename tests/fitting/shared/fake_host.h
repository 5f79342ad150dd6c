#pragma once
// A stand-in for the main window: records the report, the graph list and the
// redraw calls; the grid is set straight into the fitting globals.
#include <algorithm>
#include <charconv>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "state/globals.h"
#include "fitting/shared/curve_fit_host.h"
#include "graph/graph.h"
#include "platform/msgbox.h"
#include "document/scene.h"
#include "../common/grid_fixture.h"

// Over any host interface built on CurveFitHost (FakeHost: the curve run's).
template <class Host = CurveFitHost>
struct FakeHostOf : Host {
    bool gridLoads = true;
    int loads = 0, drawScenes = 0, viewFits = 0, current = -1;
    std::string report;
    std::vector<std::string> lines;
    std::vector<bool> ticked;

    bool loadGridData() override {
        ++loads;
        return gridLoads;
    }
    void appendReport(const std::string& text) override { report += text; }
    void addGraphToList(const std::shared_ptr<Cls9>& graph) override {
        lines.push_back(graph->NameS);
        ticked.push_back(true);
    }
    int currentListIndex() override { return current; }
    void renameListLine(int index, const std::string& text) override { lines.at(static_cast<std::size_t>(index)) = text; }
    void drawScene() override { ++drawScenes; }
    void viewFit() override { ++viewFits; }
};
using FakeHost = FakeHostOf<>;

// A fresh empty document and the given grid columns (name, values); the
// cells below a column shorter than the longest are empty, as the grid
// loader marks them.
inline void setDocument(const std::vector<std::pair<std::string, std::vector<double>>>& columns) {
    resetGlobals();
    gGraphs = std::make_shared<Cls8>();
    gScene = std::make_shared<Cls8>();
    std::vector<std::pair<std::string, std::vector<std::string>>> texts;
    for (const auto& [name, values] : columns) {
        texts.push_back({name, {}});
        for (double v : values) {
            char buf[32];
            texts.back().second.emplace_back(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
        }
    }
    setGridTexts(texts);
}

// The curve graph at position k (from 1) of the document.
inline std::shared_ptr<Cls9> graphAt(long k) { return gGraphs->FunSurfs.Item(k); }
