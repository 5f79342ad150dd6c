#pragma once
// CurveFitHost: what the curve fitting dialog and the curve graph builder need
// of the main window. The main window implements it; tests use a fake. Graphs
// themselves go into gGraphs and gScene (state/globals.h) directly.
#include <memory>
#include <string>

class Cls9;

struct CurveFitHost {
    virtual ~CurveFitHost() = default;

    // LoadGridData: copies the grid into gGridValues, gGridColumnNames,
    // gGridRowCount and gGridColumnCount. False (after its own message
    // "Please input your data first.") when the grid holds no data.
    virtual bool loadGridData() = 0;

    // Appends text to the end of the report pane frmF1.Result; the text keeps
    // its CR LF and TAB separators.
    virtual void appendReport(const std::string& text) = 0;

    // Appends a line showing graph->NameS to the graph list frmF1.List1 and
    // ticks it. The graph is already the last graph of gGraphs and gScene, so
    // ticking must not add it to gScene a second time.
    virtual void addGraphToList(const std::shared_ptr<Cls9>& graph) = 0;

    // Index (from 0) of the current line of the graph list; -1 when none.
    virtual int currentListIndex() = 0;

    // Sets the text of graph list line `index` (from 0).
    virtual void renameListLine(int index, const std::string& text) = 0;

    // frmF1.DrawScene: the picture is to be compiled again. The main window
    // compiles it once, in the viewFit that follows, not once per call.
    virtual void drawScene() = 0;

    // frmF1.mnuViewFit_Click: zoom to fit, redraw and show (without a shown
    // graph, only the redraw that drawScene asked for).
    virtual void viewFit() = 0;
};
