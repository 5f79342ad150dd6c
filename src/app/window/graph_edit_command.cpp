// "Edit...": the property dialog of the document's first graph, with the main
// window handed to it as its GraphEditHost.
#include <stdexcept>

#include "app/graph_dialogs/graph_edit_dialogs.h"
#include "app/graph_dialogs/graph_edit_host.h"
#include "app/window/main_window.h"
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

// The window as the graph property dialogs see it.
class WindowGraphEditHost final : public GraphEditHost {
public:
    explicit WindowGraphEditHost(frmF1& w) : w_(w) {}
    QWidget* dialogParent() override { return &w_; }
    void redrawAndFit() override {
        // The redraw and the zoom to fit are one compile.
        const frmF1::RedrawBatch once(w_);
        w_.DrawScene();
        w_.mnuViewFit_Click();
    }
    void repaint() override { w_.update(); }

private:
    frmF1& w_;
};
}  // namespace

void frmF1::mnuFunEdit_Click() {
    ReplaceWhileEditing replacing;
    // The first graph of the list is edited, also when its line is unticked.
    if (!gGraphs || gGraphs->FunSurfs.Count() == 0) return;
    const std::shared_ptr<Cls9> edited = gGraphs->FunSurfs.Item(1);
    WindowGraphEditHost host(*this);
    try {
        switch (edited->GraphType) {
        case graph_type::Curve2D: EditCurveGraph(host, *edited); break;
        case graph_type::Surface3D: EditSurfaceGraph(host, *edited); break;
        case graph_type::Volume4D: EditVolumeGraph(host, *edited); break;
        default: break;  // no dialog edits other kinds
        }
    } catch (const std::exception&) {
        // A failing step ends the command quietly; the flag is cleared all the same.
    }
}
