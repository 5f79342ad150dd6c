// The picture in the real main window: compiling and showing a 2-D document,
// and one trackball drag step on a 4-D and on a 2-D document beside the full
// redraw of each (a drag step compiles only the view); a 65,535-row surface
// fit from OK to its picture beside the fit alone plus one zoom to fit.
// Run under a display: xvfb-run -a build/bench/frame_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>
#include <cmath>
#include <random>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/window/gl_view.h"
#include "state/globals.h"
#include "app/window/main_window.h"
#include "fitting/shared/add_curve_graph.h"
#include "fitting/shared/curve_fit_host.h"
#include "fitting/surface/surface_fit_run.h"
#include "graph/graph.h"
#include "document/scene.h"
#include "support/sample_graphs.h"

namespace {

long residentKiB() {
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

std::unique_ptr<frmF1> makeWindow() {
    resetGlobals();
    auto w = std::make_unique<frmF1>();
    w->show();
    (void)QTest::qWaitForWindowExposed(w.get());
    // A drawing area of 800 x 600 pixels.
    QWidget* area = w->drawingWidget();
    w->resize(w->width() + 800 - area->width(), w->height() + 600 - area->height());
    QTest::qWait(50);
    return w;
}

// Ten curves of 2,000 points with markers.
void fill2D(frmF1& w) {
    std::vector<double> x(2000), y(2000);
    for (int c = 0; c < 10; ++c) {
        for (int i = 0; i < 2000; ++i) {
            x[i] = i * 0.01;
            y[i] = std::sin(x[i] + c) * (c + 1);
        }
        auto g = AddCurveGraph(w.curveHost(), x, y, 2000, kCurveKindModel, "Curve " + std::to_string(c), "a+b*x",
                               0x0000FF * (c % 2) + 0x00FF00 * (c % 3));
        g->Show2DScatter = true;
        g->Symbol = 1 + c % 6;
    }
    w.mnuViewFit_Click();
}

// One 4-D graph with 2,500 scattered data points.
void fill4D(frmF1& w) {
    w.mnuFileNew4D();
    auto g = testsupport::makeVolumeGraph(4, 2500);
    g->ID = ++gGraphCounter;
    gGraphs->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
    gScene->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
    w.addGraphLine("v=data");
    w.mnuViewFit_Click();
}

void sendMove(QWidget* area, QPointF p) {
    QMouseEvent e(QEvent::MouseMove, p, area->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &e);
}

void dragSteps(benchmark::State& state, frmF1& w) {
    QWidget* area = w.drawingWidget();
    w.Toolbar1_ButtonClick(17);  // track ball (enabled in 3-D documents)
    if (gPlotKind == 1 || gPlotKind == 4) gRotateMode = 1, w.mModeRotate = true;
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(300, 300), area->mapToGlobal(QPointF(300, 300)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &press);
    double x = 300;
    for (auto _ : state) {
        x += 2;
        if (x > 500) x = 300;
        sendMove(area, QPointF(x, 300));
    }
}

void BM_DrawSceneDisplay2D(benchmark::State& state) {
    auto w = makeWindow();
    fill2D(*w);
    for (auto _ : state) {
        w->DrawScene();
        w->Display(gAnimStep);
    }
}
BENCHMARK(BM_DrawSceneDisplay2D)->Unit(benchmark::kMillisecond);

// Memory after 10 redraws and after 1,000: equal when no list or texture leaks.
// A 2-D document of two curves keeps the 1,000 redraws short.
void BM_MemoryOverRedraws(benchmark::State& state) {
    auto w = makeWindow();
    std::vector<double> x(200), y(200);
    for (int i = 0; i < 200; ++i) x[i] = i, y[i] = std::sqrt(i);
    AddCurveGraph(w->curveHost(), x, y, 200, kCurveKindScatter, "Scatter", "", 255);
    AddCurveGraph(w->curveHost(), x, y, 200, kCurveKindModel, "Model", "a+b*x", 0xFF0000);
    long after10 = 0, after1000 = 0;
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i) w->DrawScene(), w->Display(gAnimStep);
        after10 = residentKiB();
        for (int i = 10; i < 1000; ++i) w->DrawScene(), w->Display(gAnimStep);
        after1000 = residentKiB();
        for (int i = 0; i < 1000; ++i) w->DrawScene(), w->Display(gAnimStep);
        state.counters["rss_after_2000_KiB"] = static_cast<double>(residentKiB());
    }
    state.counters["rss_after_10_KiB"] = static_cast<double>(after10);
    state.counters["rss_after_1000_KiB"] = static_cast<double>(after1000);
}
BENCHMARK(BM_MemoryOverRedraws)->Unit(benchmark::kMillisecond)->Iterations(1);

// The two halves apart: compiling the picture, and showing it again.
void BM_DrawScene2D(benchmark::State& state) {
    auto w = makeWindow();
    fill2D(*w);
    for (auto _ : state) w->DrawScene();
}
BENCHMARK(BM_DrawScene2D)->Unit(benchmark::kMillisecond);

void BM_Display2D(benchmark::State& state) {
    auto w = makeWindow();
    fill2D(*w);
    w->DrawScene();
    for (auto _ : state) w->Display(gAnimStep);
}
BENCHMARK(BM_Display2D)->Unit(benchmark::kMillisecond);

void BM_TrackballDragStep4D(benchmark::State& state) {
    auto w = makeWindow();
    fill4D(*w);
    dragSteps(state, *w);
}
BENCHMARK(BM_TrackballDragStep4D)->Unit(benchmark::kMillisecond);

// The full redraw of the same 4-D document, the measure of its drag step.
void BM_DrawSceneDisplay4D(benchmark::State& state) {
    auto w = makeWindow();
    fill4D(*w);
    for (auto _ : state) {
        w->DrawScene();
        w->Display(gAnimStep);
    }
}
BENCHMARK(BM_DrawSceneDisplay4D)->Unit(benchmark::kMillisecond);

void BM_TrackballDragStep2D(benchmark::State& state) {
    auto w = makeWindow();
    fill2D(*w);
    dragSteps(state, *w);
}
BENCHMARK(BM_TrackballDragStep2D)->Unit(benchmark::kMillisecond);

// The 61 x 61 surface with its floor colour map, floor contours, data points
// and legend, seen from the builders' isometric view: the whole picture and
// its two halves.
void fillSurface(frmF1& w) {
    w.mnuFileNew3D();
    auto g = testsupport::makeSurfaceGraph(60);
    g->ID = ++gGraphCounter;
    gGraphs->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
    gScene->FunSurfs.Add(g, Cls8::KeyOf(g->ID));
    w.addGraphLine(g->NameS);
    gScene->RotRoll = 0, gScene->RotPitch = -30, gScene->RotYaw = 45;
    w.mnuViewFit_Click();
}

void BM_DrawSceneDisplaySurface61(benchmark::State& state) {
    auto w = makeWindow();
    fillSurface(*w);
    for (auto _ : state) {
        w->DrawScene();
        w->Display(gAnimStep);
    }
}
BENCHMARK(BM_DrawSceneDisplaySurface61)->Unit(benchmark::kMillisecond);

void BM_DrawSceneSurface61(benchmark::State& state) {
    auto w = makeWindow();
    fillSurface(*w);
    for (auto _ : state) w->DrawScene();
}
BENCHMARK(BM_DrawSceneSurface61)->Unit(benchmark::kMillisecond);

void BM_DisplaySurface61(benchmark::State& state) {
    auto w = makeWindow();
    fillSurface(*w);
    w->DrawScene();
    for (auto _ : state) w->Display(gAnimStep);
}
BENCHMARK(BM_DisplaySurface61)->Unit(benchmark::kMillisecond);

// A surface fit of 65,535 rows from OK to the finished picture (the run with
// its graphs, redraw and zoom to fit, as the dialog's OK runs it), beside the
// same fit with its drawing left out followed by one zoom to fit (one compile
// and one show): the run must draw once.
FitDialogInput surface65535() {
    constexpr long kRows = 65535;
    std::mt19937 rng(28);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    gGridColumnCount = 3;
    gGridRowCount = kRows;
    gGridColumnNames = {"", "x", "y", "z"};
    gGridValues.resize(3, kRows);
    for (long j = 1; j <= kRows; ++j) {
        const double x = 4 * unit(rng), y = 4 * unit(rng);
        gGridValues.at(1, j) = x;
        gGridValues.at(2, j) = y;
        gGridValues.at(3, j) = 1 + 2 * x - y + 0.1 * x * y + 0.01 * unit(rng);
    }
    FitDialogInput in;
    in.model = "a+b*x+c*y+d*x*y";
    in.parameters = {"a(1)", "b(1)", "c(1)", "d(0)"};
    in.columns = {{"x", 1}, {"y", 2}, {"z", 3}};
    return in;
}

// The window's host with the run's own drawing left out.
struct NoDrawHost : CurveFitHost {
    explicit NoDrawHost(CurveFitHost& w) : w_(w) {}
    bool loadGridData() override { return w_.loadGridData(); }
    void appendReport(const std::string& text) override { w_.appendReport(text); }
    void addGraphToList(const std::shared_ptr<Cls9>& g) override { w_.addGraphToList(g); }
    int currentListIndex() override { return w_.currentListIndex(); }
    void renameListLine(int i, const std::string& t) override { w_.renameListLine(i, t); }
    void drawScene() override {}
    void viewFit() override {}
    CurveFitHost& w_;
};

void surfaceFitRuns(benchmark::State& state, bool drawByRun) {
    auto w = makeWindow();
    const FitDialogInput in = surface65535();
    NoDrawHost quiet(w->curveHost());
    long compiles = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w->DeleteAllGraphs();
        const long before = w->scenesCompiled();
        state.ResumeTiming();
        if (!RunSurfaceFit(in, drawByRun ? w->curveHost() : quiet)) state.SkipWithError("the fit failed");
        if (!drawByRun) w->mnuViewFit_Click();
        compiles = w->scenesCompiled() - before;
    }
    state.counters["compiles"] = static_cast<double>(compiles);
}

void BM_SurfaceFitOkToPicture65535(benchmark::State& state) { surfaceFitRuns(state, true); }
BENCHMARK(BM_SurfaceFitOkToPicture65535)->Unit(benchmark::kMillisecond);

void BM_SurfaceFitAlonePlusOneRedraw65535(benchmark::State& state) { surfaceFitRuns(state, false); }
BENCHMARK(BM_SurfaceFitAlonePlusOneRedraw65535)->Unit(benchmark::kMillisecond);

}  // namespace
