#pragma once
// Pictures the tests save under the build folder (to look at) and compare.
#include <QDir>
#include <QImage>
#include <string>

// Saves img as pictures/<name>.png under the build folder.
inline void savePicture(const QImage& img, const std::string& name) {
    QDir().mkpath(QStringLiteral(TRELVANE_BINARY_DIR "/pictures"));
    img.save(QString::fromStdString(std::string(TRELVANE_BINARY_DIR) + "/pictures/" + name + ".png"));
}

// The number of pixels that differ between two pictures; pictures of two
// sizes differ in more pixels than either has.
inline long differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return static_cast<long>(a.width()) * a.height() + 1;
    long n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}
