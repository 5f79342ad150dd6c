// Cls8::Save: the scene's graphs as one text, record after record.
#include "document/scene.h"
#include "graph/graph.h"
#include "state/kinds.h"

namespace {
enum class Layout { None, Function, Table };

Layout layoutOf(long graphType) {
    switch (graphType) {
    case graph_type::Curve2D: case graph_type::Table5: case graph_type::Surface3D: return Layout::Table;
    // the function forms 0..15 and 20..23
    case 0: case 1: case 2: case 3: case 7: case 8: case 9: case 10: case 11: case 12: case 13: case 14: case 15:
    case 20: case 21: case 22: case 23: case graph_type::Function31: case graph_type::Function32: return Layout::Function;
    default: return Layout::None;  // the 4-D graphs have no record
    }
}
}  // namespace

std::string Cls8::Save() const {
    std::string text;
    for (const auto& [key, g] : FunSurfs) {
        const Layout layout = layoutOf(g->GraphType);
        if (layout == Layout::Table) text += g->SaveTable();
        if (layout == Layout::Function) text += g->Save();
    }
    return text;
}
