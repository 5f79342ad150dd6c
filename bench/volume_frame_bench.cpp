// A 4-D picture in the real main window (800 x 600 drawing area): a graph of
// 31^3 nodes with one slice per family (colour map and contour lines) and two
// isosurfaces, no data points. Its full redraw (DrawScene + Display), its
// Save Image, and one trackball drag step, with the drag step of the 2,500-point 4-D graph of
// frame_bench timed in the same run for comparison.
// Run under a display: xvfb-run -a build/bench/volume_frame_bench
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/window/main_window.h"
#include "document/scene.h"
#include "graph/graph.h"
#include "platform/common_dialog.h"
#include "state/globals.h"
#include "support/sample_graphs.h"

namespace {

// The shown main window with its drawing area at 800 x 600 and one 4-D
// document holding the graph.
class VolumeWindow {
public:
    explicit VolumeWindow(std::shared_ptr<Cls9> graph) {
        resetGlobals();
        w_ = std::make_unique<frmF1>();
        w_->show();
        (void)QTest::qWaitForWindowExposed(w_.get());
        const QWidget* area = w_->drawingWidget();
        w_->resize(w_->width() + 800 - area->width(), w_->height() + 600 - area->height());
        QTest::qWait(50);
        w_->mnuFileNew4D();
        graph->ID = ++gGraphCounter;
        gGraphs->FunSurfs.Add(graph, Cls8::KeyOf(graph->ID));
        gScene->FunSurfs.Add(graph, Cls8::KeyOf(graph->ID));
        w_->addGraphLine("v=bench");
        w_->mnuViewFit_Click();
    }
    frmF1& window() { return *w_; }

    // Presses the trackball at (300, 300); each step then moves it 2 pixels.
    void beginDrag() {
        w_->Toolbar1_ButtonClick(17);
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, x_);
    }
    void dragStep() {
        x_ = x_ >= 500 ? 300 : x_ + 2;
        mouse(QEvent::MouseMove, Qt::NoButton, x_);
    }

private:
    void mouse(QEvent::Type type, Qt::MouseButton button, double x) {
        QWidget* area = w_->drawingWidget();
        const QPointF p(x, 300);
        QMouseEvent e(type, p, area->mapToGlobal(p), button, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &e);
    }
    std::unique_ptr<frmF1> w_;
    double x_ = 300;
};

// 31^3 nodes at 0..30, value the squared distance from the centre; slices
// through the centre with contour lines every 20, isosurfaces at 100 and 200.
std::shared_ptr<Cls9> volume31() {
    auto g = testsupport::makeVolumeGraph(30, 0);
    g->ShowIrregData = false;
    g->ColorName = "Rainbow";
    g->FillStyle = 5;
    g->Material = 4;
    for (long i = 0; i <= 30; ++i)
        for (long j = 0; j <= 30; ++j)
            for (long k = 0; k <= 30; ++k)
                g->Reg4DV(i, j, k) = double((i - 15) * (i - 15) + (j - 15) * (j - 15) + (k - 15) * (k - 15));
    g->Slice4NumX = g->Slice4NumY = g->Slice4NumZ = 1;
    g->Slice4X(1) = g->Slice4Y(1) = g->Slice4Z(1) = 15;
    for (auto* b : {&g->Slice4XYXB, &g->Slice4XYYB, &g->Slice4YZYB, &g->Slice4YZZB, &g->Slice4ZXXB, &g->Slice4ZXZB})
        (*b)(1) = 1;
    for (auto* e : {&g->Slice4XYXE, &g->Slice4XYYE, &g->Slice4YZYE, &g->Slice4YZZE, &g->Slice4ZXXE, &g->Slice4ZXZE})
        (*e)(1) = 31;
    for (auto* f : {&g->SliceXShowColor, &g->SliceYShowColor, &g->SliceZShowColor, &g->SliceXShowCont,
                    &g->SliceYShowCont, &g->SliceZShowCont})
        (*f)(1) = true;
    g->SliceXContLevels(1) = g->SliceYContLevels(1) = g->SliceZContLevels(1) = 20;
    g->SliceXContColor(1) = g->SliceYContColor(1) = g->SliceZContColor(1) = 0xC0C0C0;
    g->IsoSurfaceNum = 2;
    g->IsoSurValue(1) = 100;
    g->IsoSurValue(2) = 200;
    return g;
}

void BM_VolumeRedraw31(benchmark::State& state) {
    VolumeWindow v(volume31());
    for (auto _ : state) {
        v.window().DrawScene();
        v.window().Display(gAnimStep);
    }
}
BENCHMARK(BM_VolumeRedraw31)->Unit(benchmark::kMillisecond);

// File > Save Image of the same picture in the ISO view, the file dialog
// answered at once: to be set beside BM_VolumeRedraw31 (one full redraw).
void BM_VolumeSaveImage31(benchmark::State& state) {
    VolumeWindow v(volume31());
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("volume.bmp")).toStdString();
    platform::DialogRecorder dialogs;
    for (auto _ : state) {
        dialogs.answerFile(file);
        v.window().action(QStringLiteral("mnuFileSave"))->trigger();
    }
}
BENCHMARK(BM_VolumeSaveImage31)->Unit(benchmark::kMillisecond);

// The two halves apart: compiling the picture, and showing it again.
void BM_VolumeDrawScene31(benchmark::State& state) {
    VolumeWindow v(volume31());
    for (auto _ : state) v.window().DrawScene();
}
BENCHMARK(BM_VolumeDrawScene31)->Unit(benchmark::kMillisecond);

void BM_VolumeDisplay31(benchmark::State& state) {
    VolumeWindow v(volume31());
    v.window().DrawScene();
    for (auto _ : state) v.window().Display(gAnimStep);
}
BENCHMARK(BM_VolumeDisplay31)->Unit(benchmark::kMillisecond);

void BM_VolumeDragStep31(benchmark::State& state) {
    VolumeWindow v(volume31());
    v.beginDrag();
    for (auto _ : state) v.dragStep();
}
BENCHMARK(BM_VolumeDragStep31)->Unit(benchmark::kMillisecond);

// The reference: frame_bench's BM_TrackballDragStep4D graph (2,500 points).
void BM_TrackballDragStep4D(benchmark::State& state) {
    VolumeWindow v(testsupport::makeVolumeGraph(4, 2500));
    v.beginDrag();
    for (auto _ : state) v.dragStep();
}
BENCHMARK(BM_TrackballDragStep4D)->Unit(benchmark::kMillisecond);

}  // namespace
