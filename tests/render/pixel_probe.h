#pragma once
// Pixels of scene positions in the offscreen buffer's -1..1 square.
#include <QImage>

#include <cstdlib>

namespace pixelprobe {

constexpr int kSide = 256;

inline QPoint pixelOf(double sx, double sy) {
    return {static_cast<int>((sx + 1) / 2 * kSide), static_cast<int>((1 - sy) / 2 * kSide)};
}
inline QRgb at(const QImage& img, double sx, double sy) { return img.pixel(pixelOf(sx, sy)); }
inline bool isRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }
inline bool isWhite(QRgb c) { return qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240; }
// Whether any pixel within two pixels of the scene position has the colour.
inline bool near(const QImage& img, double sx, double sy, int r, int g, int b) {
    const QPoint p0 = pixelOf(sx, sy);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QRgb c = img.pixel(p0.x() + dx, p0.y() + dy);
            if (std::abs(qRed(c) - r) < 60 && std::abs(qGreen(c) - g) < 60 && std::abs(qBlue(c) - b) < 60)
                return true;
        }
    return false;
}

}  // namespace pixelprobe
