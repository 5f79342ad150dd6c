#pragma once
// A main window that only keeps the report: the fitting runs' host in the
// benchmarks.
#include <memory>
#include <string>

#include "fitting/curve/curve_fit_host.h"

struct NullHost : CurveFitHost {
    bool loadGridData() override { return true; }
    void appendReport(const std::string& text) override { report += text; }
    void addGraphToList(const std::shared_ptr<Cls9>&) override {}
    int currentListIndex() override { return -1; }
    void renameListLine(int, const std::string&) override {}
    void drawScene() override {}
    void viewFit() override {}
    std::string report;
};
