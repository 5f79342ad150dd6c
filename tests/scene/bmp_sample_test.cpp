// Large uncompressed BMPs are read at the texture's size by sampling their
// rows; the result matches Qt's own nearest-neighbour scaling of the whole
// picture, and a header the file cannot back is refused with its reason.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/bmp_read.h"
#include "scene/texture_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& b, std::size_t at, std::int64_t v) {
    for (int k = 0; k < 4; ++k) b[at + k] = static_cast<std::uint8_t>((v >> (8 * k)) & 0xFF);
}

// Headers of an uncompressed BMP of w x h pixels (h < 0: top row first) with a
// colour table of `colours` entries (grey ramp) for 8 bits per pixel, or the
// plain colour masks for 32 bits.
Bytes bmpHeader(std::int64_t w, std::int64_t h, int bits, int colours = 0, bool masks = false) {
    const std::int64_t offset = 54 + 4 * colours + (masks ? 12 : 0);
    const std::int64_t rows = platform::bmpRowBytes(w, bits) * (h < 0 ? -h : h);
    Bytes b(static_cast<std::size_t>(offset), 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, offset + rows);
    put32(b, 10, offset);
    put32(b, 14, 40);
    put32(b, 18, w);
    put32(b, 22, h);
    b[26] = 1;
    b[28] = static_cast<std::uint8_t>(bits);
    put32(b, 46, colours);
    if (masks) {
        put32(b, 30, 3);
        put32(b, 54, 0xFF0000);
        put32(b, 58, 0xFF00);
        put32(b, 62, 0xFF);
    }
    for (int k = 0; k < colours; ++k) b[54 + 4 * k] = b[55 + 4 * k] = b[56 + 4 * k] = static_cast<std::uint8_t>(255 - k);
    return b;
}

// The whole file of `img` (every pixel's own colour, or its palette index for 8 bits).
Bytes bmpFile(const QImage& img, int bits, bool topDown, bool masks = false) {
    Bytes b = bmpHeader(img.width(), topDown ? -img.height() : img.height(), bits, bits == 8 ? 256 : 0, masks);
    const std::int64_t rowBytes = platform::bmpRowBytes(img.width(), bits);
    for (int r = 0; r < img.height(); ++r) {
        Bytes row(static_cast<std::size_t>(rowBytes), 0);
        const int y = topDown ? r : img.height() - 1 - r;
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            std::uint8_t* p = row.data() + x * bits / 8;
            if (bits == 8) {
                p[0] = static_cast<std::uint8_t>(255 - qRed(c));
            } else {
                p[0] = static_cast<std::uint8_t>(qBlue(c));
                p[1] = static_cast<std::uint8_t>(qGreen(c));
                p[2] = static_cast<std::uint8_t>(qRed(c));
                if (bits == 32) p[3] = 0x5A;  // unused byte, ignored
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

std::string writeBytes(const QTemporaryDir& dir, const QString& name, const Bytes& bytes) {
    const QString path = dir.path() + "/" + name;
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path.toStdString();
}

// A picture whose every pixel differs from its neighbours (grey for 8 bits).
QImage randomPicture(int w, int h, bool grey, unsigned seed) {
    std::mt19937 rng(seed);
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int r = static_cast<int>(rng() & 0xFF);
            img.setPixel(x, y, grey ? qRgb(r, r, r) : qRgb(r, static_cast<int>(rng() & 0xFF), (x + y) & 0xFF));
        }
    return img;
}

TEST(BmpSample, MatchesQtNearestScalingOfTheWholePicture) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        int w, h, bits;
        bool topDown, masks = false;
    };
    const Case cases[] = {{1000, 700, 24, false}, {1000, 700, 24, true},      {1000, 700, 32, false},
                          {1000, 700, 32, true},  {999, 301, 8, false},       {513, 1001, 24, true},
                          {700, 300, 32, true, true}};
    unsigned seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " " + std::to_string(c.bits) +
                     (c.topDown ? " top-down" : " bottom-up") + (c.masks ? " masks" : ""));
        const QImage source = randomPicture(c.w, c.h, c.bits == 8, seed++);
        const std::string file = writeBytes(dir, "p.bmp", bmpFile(source, c.bits, c.topDown, c.masks));
        // Qt reads the file the same as it was made: the file is right.
        ASSERT_EQ(QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32), source);

        const TexturePicture pic = ReadTexturePicture(file, 256);
        ASSERT_EQ(pic.problem, "");
        const QImage expected = source.scaled(pic.image.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        EXPECT_EQ(pic.image.size(), QSize(256, 256));
        EXPECT_EQ(pic.image.convertToFormat(QImage::Format_RGB32), expected);

        // Other sizes, up as well as down, straight from the sampler.
        const Bytes bytes = bmpFile(source, c.bits, c.topDown, c.masks);
        const platform::BmpReadAt readAt = [&](std::int64_t at, std::uint8_t* dst, std::size_t n) {
            if (at < 0 || at + static_cast<std::int64_t>(n) > static_cast<std::int64_t>(bytes.size())) return false;
            std::memcpy(dst, bytes.data() + at, n);
            return true;
        };
        platform::BmpLayout layout;
        std::string why;
        ASSERT_EQ(platform::readBmpLayout(readAt, static_cast<std::int64_t>(bytes.size()), layout, why),
                  platform::BmpLayoutResult::Ok);
        for (const QSize size : {QSize(64, 128), QSize(512, 1024), QSize(1024, 16)}) {
            const std::vector<std::uint32_t> px = platform::sampleBmp(readAt, layout, size.width(), size.height(), why);
            ASSERT_EQ(px.size(), static_cast<std::size_t>(size.width() * size.height()));
            const QImage got = QImage(reinterpret_cast<const uchar*>(px.data()), size.width(), size.height(),
                                      QImage::Format_RGB32)
                                   .copy();
            EXPECT_EQ(got, source.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation))
                << size.width() << "x" << size.height();
        }
    }
}

// A 16000 x 16000 picture (768 MB of pixels) as a sparse file: black but for
// two bands of 100 rows, each red in its left half and blue in its right.
std::string sparseBands(const QTemporaryDir& dir, const QString& name, bool topDown) {
    constexpr std::int64_t side = 16000, band = 100;
    const Bytes header = bmpHeader(side, topDown ? -side : side, 24);
    const std::int64_t rowBytes = platform::bmpRowBytes(side, 24);
    const std::string file = writeBytes(dir, name, header);
    const int fd = ::open(file.c_str(), O_WRONLY);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(::ftruncate(fd, static_cast<off_t>(54 + rowBytes * side)), 0);
    Bytes rows(static_cast<std::size_t>(rowBytes * band), 0);
    for (std::int64_t r = 0; r < band; ++r)
        for (std::int64_t x = 0; x < side; ++x) rows[r * rowBytes + 3 * x + (x < side / 2 ? 2 : 0)] = 255;
    for (const std::int64_t top : {std::int64_t{0}, std::int64_t{8000}}) {
        const std::int64_t firstStored = topDown ? top : side - top - band;
        EXPECT_EQ(::pwrite(fd, rows.data(), rows.size(), static_cast<off_t>(54 + firstStored * rowBytes)),
                  static_cast<ssize_t>(rows.size()));
    }
    ::close(fd);
    return file;
}

TEST(BmpSample, HugeSparsePictureShowsItsBandsInPlace) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const bool topDown : {false, true}) {
        SCOPED_TRACE(topDown ? "top-down" : "bottom-up");
        const std::string file = sparseBands(dir, topDown ? "down.bmp" : "up.bmp", topDown);
        const TexturePicture pic = ReadTexturePicture(file, 256);
        ASSERT_EQ(pic.problem, "");
        ASSERT_EQ(pic.image.size(), QSize(256, 256));
        // Each texture row stands for 62.5 picture rows, sampled at its middle:
        // rows 0-1 fall in the top band, 128-129 in the middle band.
        const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), black = qRgb(0, 0, 0);
        for (int y : {0, 1, 2, 100, 127, 128, 129, 130, 255}) {
            const bool inBand = y <= 1 || y == 128 || y == 129;
            EXPECT_EQ(pic.image.pixel(0, y), inBand ? red : black) << y;
            EXPECT_EQ(pic.image.pixel(127, y), inBand ? red : black) << y;
            EXPECT_EQ(pic.image.pixel(128, y), inBand ? blue : black) << y;
            EXPECT_EQ(pic.image.pixel(255, y), inBand ? blue : black) << y;
        }
    }
}

TEST(BmpSample, HeadersTheFileCannotBackAreRefused) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QImage source = randomPicture(1000, 700, false, 7);
    Bytes cut = bmpFile(source, 24, false);
    cut.resize(cut.size() / 2);
    Bytes lastRowUnpadded = bmpFile(QImage(source).copy(0, 0, 999, 700), 24, true);
    lastRowUnpadded.resize(lastRowUnpadded.size() - 1);  // 999 x 3 needs 1 byte of padding
    Bytes badTable = bmpHeader(1000, 700, 8, 256);
    put32(badTable, 10, 54 + 4 * 100);  // pixels start inside the colour table
    badTable.resize(54 + 4 * 100 + 1000 * 700, 0);
    struct Case {
        QString name;
        Bytes bytes;
        std::string problem;
    };
    const Case cases[] = {
        {"cut.bmp", cut, "its picture cannot be read (the file holds fewer pixels than its header claims)"},
        {"liar.bmp", bmpHeader(100000, 100000, 24),
         "its picture cannot be read (the file holds fewer pixels than its header claims)"},
        {"table.bmp", badTable, "its picture cannot be read (its colour table does not fit before its pixels)"},
        // Sizes no BMP can have, of any kind (a 4-bit one is otherwise left to Qt's reader).
        {"negative.bmp", bmpHeader(-64, 64, 24),
         "its picture cannot be read (its header gives a negative width, -64 pixels)"},
        {"negative4.bmp", bmpHeader(-64, 64, 4, 16),
         "its picture cannot be read (its header gives a negative width, -64 pixels)"},
        {"narrow.bmp", bmpHeader(0, 64, 8, 256), "its picture cannot be read (its header gives a width of 0 pixels)"},
        {"flat.bmp", bmpHeader(64, 0, 32, 0, true),
         "its picture cannot be read (its header gives a height of 0 pixels)"},
        {"unpadded.bmp", lastRowUnpadded, ""},
    };
    for (const Case& c : cases) {
        const TexturePicture pic = ReadTexturePicture(writeBytes(dir, c.name, c.bytes), 256);
        EXPECT_EQ(pic.problem, c.problem) << c.name.toStdString();
        EXPECT_EQ(pic.image.isNull(), !c.problem.empty()) << c.name.toStdString();
    }
}

}  // namespace
