// main() of the benchmarks that drive the real main window: the program's
// OpenGL format, an application, and message boxes answered by a recorder.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/gl_format.h"
#include "platform/msgbox.h"

int main(int argc, char** argv) {
    platform::setDefaultGLFormat();
    QApplication app(argc, argv);
    platform::MsgRecorder quiet;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
