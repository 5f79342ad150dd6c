// The Fitting menu: each item makes sure the document has the right kind,
// loads the grid into the fitting data and shows its dialog.
#include <QListWidget>

#include "app/window/gl_view.h"
#include "state/globals.h"
#include "app/grid/grid_loader.h"
#include "app/window/main_window.h"
#include "fitting/curve/curve_fit_dialog.h"
#include "fitting/shared/curve_fit_host.h"
#include "fitting/nonlinear/nonlin_dialog.h"
#include "fitting/polynomial/polynomial_dialog.h"
#include "fitting/polynomial/polynomial_fit_host.h"
#include "fitting/surface/surface_fit_dialog.h"
#include "fitting/surface/volume_fit_dialog.h"
#include "graph/graph.h"
#include "platform/grid_control.h"
#include "document/scene.h"
#include "state/kinds.h"

namespace {
// What the fitting dialogs need of the main window.
class MainWindowFitHost : public PolynomialFitHost {
public:
    explicit MainWindowFitHost(frmF1& w) : w_(w) {}
    bool loadGridData() override { return w_.LoadGridData(); }
    void appendReport(const std::string& text) override { w_.appendReport(text); }
    void addGraphToList(const std::shared_ptr<Cls9>& graph) override { w_.addGraphLine(graph->NameS); }
    int currentListIndex() override { return w_.graphList()->currentRow(); }
    void renameListLine(int index, const std::string& text) override {
        if (QListWidgetItem* item = w_.graphList()->item(index)) item->setText(QString::fromStdString(text));
    }
    // The run's redraw and its zoom to fit are one compile: the graphs'
    // change is noted here and drawn by the zoom (or at once when there is
    // nothing to zoom to).
    void drawScene() override { w_.invalidatePicture(); }
    void viewFit() override {
        w_.mnuViewFit_Click();
        w_.redrawIfStale();
    }
    bool newDocument(long kind) override {
        if (kind == plot_kind::ThreeD)
            w_.mnuFileNew3D();
        else if (kind == plot_kind::FourD)
            w_.mnuFileNew4D();
        else
            w_.mnuFileNew2D();
        // Graphs still there: the user declined the new document.
        return gGraphs->FunSurfs.Count() == 0;
    }

private:
    frmF1& w_;
};
}  // namespace

bool frmF1::LoadGridData() { return ::LoadGridData(*Grid1); }

PolynomialFitHost& frmF1::polynomialHost() {
    if (!mFitHost) mFitHost = std::make_unique<MainWindowFitHost>(*this);
    return *mFitHost;
}

CurveFitHost& frmF1::curveHost() { return polynomialHost(); }

void frmF1::curveFittingRoad(const std::function<void()>& showDialog) {
    gClipSurface = false;
    if (!plot_kind::isTwoD(gPlotKind)) {
        mnuFileNew2D();
        // Graphs still there: the user declined the new document.
        if (gGraphs->FunSurfs.Count() > 0) return;
    }
    if (!LoadGridData()) return;
    // The fit's zoom to fit and the Front view after it draw once, together.
    const RedrawBatch once(*this);
    showDialog();
    mnuViewFront_Click();
}

void frmF1::mnuDrawCF_Click() {
    curveFittingRoad([this] {
        frmCurveFit dialog(curveHost(), this);
        dialog.exec();
    });
}

void frmF1::mnuDrawNLR_Click() {
    curveFittingRoad([this] {
        frmNonLin dialog(curveHost(), this);
        dialog.exec();
    });
}

void frmF1::mnuDrawSF_Click() {
    // A 3-D or 4-D document keeps its graphs: the surface joins them.
    if (plot_kind::isTwoD(gPlotKind) && !polynomialHost().newDocument(plot_kind::ThreeD)) return;
    if (!LoadGridData()) return;
    frmSurFit dialog(curveHost(), this);
    dialog.exec();
}

void frmF1::mnuDrawVF_Click() {
    gClipSurface = false;
    if (!polynomialHost().newDocument(plot_kind::FourD)) return;
    if (!LoadGridData()) return;
    frmVolFit dialog(curveHost(), this);
    dialog.exec();
}

void frmF1::mnuDrawPoly_Click() {
    // The document, the clip option and the view stay: the run switches to a
    // document of its model's kind itself.
    if (!LoadGridData()) return;
    frmPoly dialog(polynomialHost(), this);
    dialog.exec();
}

void frmF1::wireFittingCommands() {
    connectAction("mnuDrawCF", [this] { mnuDrawCF_Click(); });
    connectAction("mnuDrawNLR", [this] { mnuDrawNLR_Click(); });
    connectAction("mnuDrawSF", [this] { mnuDrawSF_Click(); });
    connectAction("mnuDrawVF", [this] { mnuDrawVF_Click(); });
    connectAction("mnuDrawPoly", [this] { mnuDrawPoly_Click(); });
}
