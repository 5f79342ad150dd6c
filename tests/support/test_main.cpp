// Entry point of the tests that need Qt: a QApplication first, with the OpenGL
// format the program itself uses, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSurfaceFormat>

#include "support/gl_offscreen.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery only lists names: no display is needed for that. (The
    // flag is read from gtest, which has already taken it out of argv.)
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    QSurfaceFormat::setDefaultFormat(testsupport::compatibilityFormat());
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
