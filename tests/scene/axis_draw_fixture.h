#pragma once
// An offscreen context with the program's fonts and an orthographic view of
// the scene square -half..half, for pixel tests of the axis frame.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <QImage>
#include <cmath>

#include "state/globals.h"
#include "scene/axis.h"
#include "scene/gltext.h"
#include "support/gl_offscreen.h"

class AxisDrawFixture : public ::testing::Test {
protected:
    static constexpr int kSize = 400;

    void SetUp() override {
        resetGlobals();
        ASSERT_TRUE(gl.valid());
        BuildOutlineFont(gOutlineFont, "Arial", -6, 400, 0, 0);
        BuildOutlineFont(gOutlineFontBold, "Arial", -8, 700, 0, 0);
        BuildBitmapFont();
        ASSERT_NE(gOutlineFont, 0u);
        ASSERT_NE(gBitmapFont, 0u);
        // Mesa flags GL_OUT_OF_MEMORY while compiling the bitmap font's empty
        // glyphs (no pixels to copy); clear it so the checks below see only
        // what the frame's drawing raises.
        while (glGetError() != GL_NO_ERROR) {
        }
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glShadeModel(GL_SMOOTH);
        glDisable(GL_LIGHTING);
    }
    void TearDown() override {
        DeleteFontLists(gOutlineFont);
        DeleteFontLists(gOutlineFontBold);
        DeleteFontLists(gBitmapFont);
        resetGlobals();
    }

    // Orthographic view of -half..half on both axes, shifted half a pixel so
    // that whole scene coordinates fall on pixel centres; model-view given.
    void view(double half, double rotX = 0, double rotY = 0) {
        half_ = half;
        const double shift = half / kSize;  // half a pixel
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-half - shift, half - shift, -half - shift, half - shift, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        if (rotX != 0) glRotated(rotX, 1, 0, 0);
        if (rotY != 0) glRotated(rotY, 0, 1, 0);
    }

    // The pixel showing scene point (x, y) in the unrotated view.
    QRgb at(const QImage& img, double x, double y) const {
        const int px = static_cast<int>(std::floor((x + half_) / (2 * half_) * kSize));
        const int py = kSize - 1 - static_cast<int>(std::floor((y + half_) / (2 * half_) * kSize));
        return img.pixel(px, py);
    }

    static bool near(QRgb p, int r, int g, int b, int tol = 40) {
        return std::abs(qRed(p) - r) <= tol && std::abs(qGreen(p) - g) <= tol && std::abs(qBlue(p) - b) <= tol;
    }

    // Pixels of the colour within a scene rectangle of the unrotated view.
    int countIn(const QImage& img, double x0, double y0, double x1, double y1, int r, int g, int b, int tol = 60) const {
        int n = 0;
        const double stepPx = 2 * half_ / kSize;
        for (double y = y0; y <= y1; y += stepPx)
            for (double x = x0; x <= x1; x += stepPx) n += near(at(img, x, y), r, g, b, tol) ? 1 : 0;
        return n;
    }

    testsupport::OffscreenGL gl{kSize, kSize};
    double half_ = 10;
};
