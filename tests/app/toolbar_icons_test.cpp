// The toolbar's pictures: every button shows a drawing of its own, made from
// the compiled-in SVG at every size and screen density.
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSvgRenderer>
#include <QToolBar>
#include <set>

#include "window_fixture.h"

namespace {
constexpr int kButtonIndexes[] = {1, 3, 4, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 19, 20, 21, 23, 24, 26};

// The share of the picture's pixels that are not fully transparent.
double coverage(const QImage& image) {
    const QImage im = image.convertToFormat(QImage::Format_ARGB32);
    long painted = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) painted += qAlpha(im.pixel(x, y)) > 0;
    return static_cast<double>(painted) / (im.width() * im.height());
}

class ToolbarIconsTest : public WindowTest {
protected:
    void SetUp() override {
        // With no desktop theme to borrow from, every button falls back to our
        // drawing, so a missing or broken file shows here.
        QIcon::setThemeSearchPaths({});
        QIcon::setFallbackSearchPaths({});
        WindowTest::SetUp();
    }
};
}  // namespace

TEST_F(ToolbarIconsTest, EveryButtonDrawsItsOwnPictureAtEverySizeAndDensity) {
    std::set<QByteArray> faces;
    for (int index : kButtonIndexes) {
        QAction* button = w->toolbarButton(index);
        ASSERT_NE(button, nullptr) << index;
        const QIcon icon = button->icon();
        ASSERT_FALSE(icon.isNull()) << index;
        for (int size : {16, 24, 32, 48}) {
            for (qreal density : {1.0, 2.0}) {
                const QImage im = icon.pixmap(QSize(size, size), density).toImage();
                const int pixels = static_cast<int>(size * density);
                EXPECT_EQ(im.size(), QSize(pixels, pixels)) << index << " at " << size << " x" << density;
                // Drawn, yet not a filled square.
                const double c = coverage(im);
                EXPECT_GT(c, 0.1) << index << " at " << size << " x" << density;
                EXPECT_LT(c, 0.95) << index << " at " << size << " x" << density;
            }
        }
        const QImage face = icon.pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        faces.insert(QByteArray(reinterpret_cast<const char*>(face.constBits()), face.sizeInBytes()));
    }
    EXPECT_EQ(faces.size(), std::size(kButtonIndexes)) << "two buttons share a picture";

    // Pictures to look at: the toolbar as the program starts, then with every
    // button on, at the program's icon size and at twice it.
    QToolBar* bar = w->toolbar();
    const QString dir = QStringLiteral(TRELVANE_BINARY_DIR "/pictures/");
    QDir().mkpath(dir);
    EXPECT_TRUE(bar->grab().save(dir + QStringLiteral("toolbar_start.png")));
    for (int index : kButtonIndexes) w->toolbarButton(index)->setEnabled(true);
    for (int size : {16, 32}) {
        bar->setIconSize(QSize(size, size));
        bar->resize(bar->sizeHint());
        EXPECT_TRUE(bar->grab().save(dir + QStringLiteral("toolbar_%1.png").arg(size)));
    }
}

TEST(ToolbarIconFiles, EveryFileIsAValidDrawingOnTheTwentyFourGrid) {
    Q_INIT_RESOURCE(icons);
    const QDir dir(QStringLiteral(":/icons"));
    const QStringList files = dir.entryList({QStringLiteral("*.svg")}, QDir::Files);
    EXPECT_EQ(files.size(), static_cast<qsizetype>(std::size(kButtonIndexes)));
    for (const QString& f : files) {
        QSvgRenderer svg(dir.filePath(f));
        EXPECT_TRUE(svg.isValid()) << f.toStdString();
        EXPECT_EQ(svg.viewBoxF(), QRectF(0, 0, 24, 24)) << f.toStdString();
    }
}
