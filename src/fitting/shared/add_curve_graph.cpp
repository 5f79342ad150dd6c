#include "fitting/shared/add_curve_graph.h"

#include <algorithm>

#include "state/globals.h"
#include "graph/graph.h"
#include "document/scene.h"
#include "state/kinds.h"

std::string ScatterLimitMessage(long points) {
    return "The scatter plot shows the first " + std::to_string(kMaxCurvePoints) + " of the " +
           std::to_string(points) + " data points.";
}

std::shared_ptr<Cls9> AddCurveGraph(CurveFitHost& host, std::span<const double> x, std::span<const double> y,
                                    long count, long kind, const std::string& title, const std::string& modelText,
                                    long colour) {
    return AddNamedCurveGraph(host, x, y, count, kind, title + ": y=" + modelText, colour, colour);
}

std::shared_ptr<Cls9> AddNamedCurveGraph(CurveFitHost& host, std::span<const double> x, std::span<const double> y,
                                         long count, long kind, const std::string& name, long scatterColour,
                                         long lineColour) {
    const long available = static_cast<long>(std::min(x.size(), y.size()));
    count = std::min({count, available, kMaxCurvePoints});
    if (count < 1) return nullptr;

    auto graph = std::make_shared<Cls9>();
    graph->StepV = count - 1;
    graph->StepU = 1;
    for (long j = 0; j < count; ++j) {
        const auto p = graph->VertTab3D(0, j);
        p->X = x[static_cast<std::size_t>(j)];
        p->Y = y[static_cast<std::size_t>(j)];
        p->Z = 0;
    }
    gPlotKind = plot_kind::TwoDFitted;

    graph->CoordType = 1;
    graph->GraphType = graph_type::Curve2D;
    graph->FillStyle = 4;
    graph->FirstColor = 0xFF0000;
    graph->SecondColor = 0xFF0000;
    graph->LineColor = 0;
    graph->LineWidth = 1;
    graph->Material = 4;
    graph->Show = 2;
    graph->Smoothness = 1;
    graph->FunForm = 2;
    graph->NameS = name;
    if (kind == kCurveKindScatter) {
        graph->Show2DScatter = true;
        graph->Show2DLine = false;
        graph->ScatterColor = scatterColour;
        graph->ScatterSize = 2;
        graph->Symbol = 2;
    } else if (kind == kCurveKindModel) {
        graph->Show2DScatter = false;
        graph->Show2DCurve = true;
        graph->LineColor = lineColour;
        graph->LineWidth = 1;
    }

    AddOrReplaceGraph(host, graph, 0, 0, 0);
    return graph;
}

bool AddOrReplaceGraph(CurveFitHost& host, const std::shared_ptr<Cls9>& graph, double roll, double pitch,
                       double yaw) {
    const long before = gGraphs->FunSurfs.Count();
    const int row = gReplaceSelectedGraph ? host.currentListIndex() : -1;
    // With no current line there is nothing to replace: the graph is added.
    if (row >= 0 && row < before) {
        const std::shared_ptr<Cls9> target = gGraphs->FunSurfs.Item(row + 1);
        target->TabEqualTo(*graph);
        for (const auto& [key, shown] : gScene->FunSurfs)
            if (shown->ID == target->ID && shown != target) shown->TabEqualTo(*graph);
        host.renameListLine(row, target->NameS);
    } else {
        ++gGraphCounter;
        graph->ID = gGraphCounter;
        const std::string key = Cls8::KeyOf(graph->ID);
        gGraphs->FunSurfs.Add(graph, key);
        if (!gScene->FunSurfs.Contains(key)) gScene->FunSurfs.Add(graph, key);
    }
    gReplaceSelectedGraph = false;

    if (gGraphs->FunSurfs.Count() <= before) return false;
    gScene->RotRoll = roll;
    gScene->RotPitch = pitch;
    gScene->RotYaw = yaw;
    host.addGraphToList(graph);
    return true;
}
