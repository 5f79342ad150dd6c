// The replace step that the graph property dialogs' OK shares.
#include "app/graph_dialogs/graph_edit.h"

#include <stdexcept>

#include "app/graph_dialogs/graph_edit_host.h"
#include "document/scene.h"
#include "graph/graph.h"
#include "state/globals.h"

bool ApplyEditedGraph(GraphEditHost& host, Cls9& edited, Cls9& fresh) {
    fresh.NameS = edited.NameS;
    fresh.StepU = edited.StepU;
    fresh.StepV = edited.StepV;
    try {
        edited.TabEqualTo(fresh);
        // The two scenes share their graphs; a separate copy in gScene follows.
        for (const auto& [key, shown] : gScene->FunSurfs)
            if (shown->ID == edited.ID && shown.get() != &edited) shown->TabEqualTo(fresh);
    } catch (const std::out_of_range&) {
        gReplaceSelectedGraph = false;
        return false;
    }
    gReplaceSelectedGraph = false;
    host.redrawAndFit();
    host.repaint();
    return true;
}
