#include "app/scene_dialogs/background_thumbnail.h"

#include <QImage>
#include <cmath>

#include "scene/background_layout.h"

namespace {
constexpr Rgb kDark{40 / 255.0, 80 / 255.0, 150 / 255.0};
constexpr Rgb kLight{230 / 255.0, 238 / 255.0, 250 / 255.0};
constexpr Rgb kNone{0.5, 0.5, 0.5};

int byte(double c) { return static_cast<int>(std::lround(c * 255)); }
}  // namespace

QImage BackgroundThumbnail(long style, QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        const double v = 1 - (y + 0.5) / size.height();  // from the bottom
        for (int x = 0; x < size.width(); ++x) {
            const double u = (x + 0.5) / size.width();
            const Rgb c = background::ColorAt(style, kDark, kLight, u, v, kNone);
            img.setPixel(x, y, qRgb(byte(c.r), byte(c.g), byte(c.b)));
        }
    }
    return img;
}
