// The averaging of the 3-D frame's three passes and the picture export, at a
// drawing area of 1024 x 768 on an offscreen framebuffer.
// Run under a display: xvfb-run -a build/bench/accum_buffer_bench
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QTemporaryDir>
#include <memory>

#include "platform/accum_buffer.h"
#include "platform/gl_format.h"
#include "scene/bmp_writer.h"

namespace {

constexpr int kW = 1024, kH = 768;

struct Offscreen {
    QOffscreenSurface surface;
    QOpenGLContext context;
    std::unique_ptr<QOpenGLFramebufferObject> fbo;
    bool start() {
        surface.setFormat(platform::glFormat());
        surface.create();
        context.setFormat(platform::glFormat());
        if (!context.create() || !context.makeCurrent(&surface)) return false;
        QOpenGLFramebufferObjectFormat f;
        f.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        fbo = std::make_unique<QOpenGLFramebufferObject>(kW, kH, f);
        glViewport(0, 0, kW, kH);
        return fbo->bind();
    }
};

void BM_ThreePassAverage(benchmark::State& state) {
    Offscreen gl;
    if (!gl.start()) return state.SkipWithError("no OpenGL context");
    platform::AccumBuffer accum;
    for (auto _ : state) {
        accum.clear();
        for (float grey : {0.2f, 0.5f, 0.8f}) {
            glClearColor(grey, grey, grey, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            accum.accumulate(1.0f / 3.0f);
        }
        accum.returnTo(1.0f);
        glFinish();
    }
    accum.release();
}
BENCHMARK(BM_ThreePassAverage)->Unit(benchmark::kMillisecond);

void BM_SaveViewportBitmap(benchmark::State& state) {
    Offscreen gl;
    if (!gl.start()) return state.SkipWithError("no OpenGL context");
    QTemporaryDir dir;
    const std::string path = dir.filePath("frame.bmp").toStdString();
    for (auto _ : state) benchmark::DoNotOptimize(SaveViewportBitmap(path, kW - 1, kH));
}
BENCHMARK(BM_SaveViewportBitmap)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    platform::setDefaultGLFormat();
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
