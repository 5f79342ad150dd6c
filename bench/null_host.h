#pragma once
// A main window that only keeps the report: the fitting runs' host in the
// benchmarks. A new document is always made.
#include <memory>
#include <string>

#include "document/scene.h"
#include "fitting/polynomial/polynomial_fit_host.h"
#include "state/globals.h"

struct NullHost : PolynomialFitHost {
    bool loadGridData() override { return true; }
    void appendReport(const std::string& text) override { report += text; }
    void addGraphToList(const std::shared_ptr<Cls9>&) override {}
    int currentListIndex() override { return -1; }
    void renameListLine(int, const std::string&) override {}
    void drawScene() override {}
    void viewFit() override {}
    bool newDocument(long kind) override {
        gPlotKind = kind;
        return true;
    }
    std::string report;
};

// An empty document for the next run: both scenes new, IDs from 1 again.
inline void freshDocument() {
    gGraphs = std::make_shared<Cls8>();
    gScene = std::make_shared<Cls8>();
    gGraphCounter = 0;
}
