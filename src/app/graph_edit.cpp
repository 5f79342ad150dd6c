// "Edit...": the property dialog of the document's first graph, and the
// replace step that the dialogs' OK shares.
#include "app/graph_edit.h"

#include <stdexcept>

#include "app/graph_edit_dialogs.h"
#include "app/main_window.h"
#include "document/scene.h"
#include "graph/graph.h"
#include "state/globals.h"

namespace {
// gReplaceSelectedGraph is set only while the property dialog is open: every
// way out (OK, Cancel, Escape, the close box, a failure) clears it, so the
// graph builders of the fitting dialogs always add new graphs.
class ReplaceWhileEditing {
public:
    ReplaceWhileEditing() { gReplaceSelectedGraph = true; }
    ~ReplaceWhileEditing() { gReplaceSelectedGraph = false; }
    ReplaceWhileEditing(const ReplaceWhileEditing&) = delete;
    ReplaceWhileEditing& operator=(const ReplaceWhileEditing&) = delete;
};
}  // namespace

void frmF1::mnuFunEdit_Click() {
    ReplaceWhileEditing replacing;
    // The first graph of the list is edited, also when its line is unticked.
    if (!gGraphs || gGraphs->FunSurfs.Count() == 0) return;
    const std::shared_ptr<Cls9> edited = gGraphs->FunSurfs.Item(1);
    try {
        switch (edited->GraphType) {
        case graph_type::Curve2D: EditCurveGraph(*this, *edited); break;
        case graph_type::Surface3D: EditSurfaceGraph(*this, *edited); break;
        case graph_type::Volume4D: EditVolumeGraph(*this, *edited); break;
        default: break;  // no dialog edits other kinds
        }
    } catch (const std::exception&) {
        // A failing step ends the command quietly; the flag is cleared all the same.
    }
}

bool ApplyEditedGraph(frmF1& main, Cls9& edited, Cls9& fresh) {
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
    {
        // The redraw and the zoom to fit are one compile.
        const frmF1::RedrawBatch once(main);
        main.DrawScene();
        main.mnuViewFit_Click();
    }
    main.update();
    return true;
}
