// The BMP layout reader against damaged headers: whatever the bytes say, a
// layout it accepts lies wholly inside the file, so sampling it at any size
// reads only bytes that are there. Plain C++: runs in the sanitizer build.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/bmp_read.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& b, std::size_t at, std::int64_t v) {
    for (int k = 0; k < 4; ++k) b[at + k] = static_cast<std::uint8_t>((v >> (8 * k)) & 0xFF);
}

// A valid w x h BMP of `bits` per pixel (8: 16 grey colours, 32: with masks).
Bytes smallBmp(int w, int h, int bits, std::mt19937& rng) {
    const int colours = bits == 8 ? 16 : 0, masks = bits == 32 ? 12 : 0;
    const std::int64_t offset = 54 + 4 * colours + masks;
    Bytes b(static_cast<std::size_t>(offset + platform::bmpRowBytes(w, bits) * (h < 0 ? -h : h)));
    for (auto& x : b) x = static_cast<std::uint8_t>(rng());
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::int64_t>(b.size()));
    put32(b, 10, offset);
    put32(b, 14, 40);
    put32(b, 18, w);
    put32(b, 22, h);
    put32(b, 26, 1 | bits << 16);
    put32(b, 30, masks ? 3 : 0);
    put32(b, 46, colours);
    if (masks) {
        put32(b, 54, 0xFF0000);
        put32(b, 58, 0xFF00);
        put32(b, 62, 0xFF);
    }
    return b;
}

struct Reader {
    const Bytes& file;
    bool strayed = false;
    platform::BmpReadAt fn() {
        return [this](std::int64_t at, std::uint8_t* dst, std::size_t n) {
            if (at < 0 || at > static_cast<std::int64_t>(file.size()) ||
                n > file.size() - static_cast<std::size_t>(at)) {
                strayed = true;
                return false;
            }
            std::memcpy(dst, file.data() + at, n);
            return true;
        };
    }
};

TEST(BmpRead, ValidFilesOfEveryKindAreAccepted) {
    std::mt19937 rng(3);
    for (const int bits : {8, 24, 32})
        for (const int h : {5, -5, 1})
            for (const int w : {1, 2, 3, 7}) {
                const Bytes file = smallBmp(w, h, bits, rng);
                Reader r{file};
                platform::BmpLayout layout;
                std::string why;
                ASSERT_EQ(platform::readBmpLayout(r.fn(), static_cast<std::int64_t>(file.size()), layout, why),
                          platform::BmpLayoutResult::Ok)
                    << bits << " " << w << "x" << h << ": " << why;
                EXPECT_EQ(layout.width, w);
                EXPECT_EQ(layout.height, h < 0 ? -h : h);
                EXPECT_EQ(layout.topDown, h < 0);
                EXPECT_EQ(platform::sampleBmp(r.fn(), layout, 4, 4, why).size(), 16u);
                EXPECT_FALSE(r.strayed);
            }
}

TEST(BmpRead, DamagedHeadersNeverLeadOutsideTheFile) {
    std::mt19937 rng(11);
    const std::size_t fields[] = {2, 10, 14, 18, 22, 28, 30, 46, 54};  // offsets, sizes, counts
    int accepted = 0, refused = 0;
    for (int round = 0; round < 4000; ++round) {
        Bytes file = smallBmp(1 + static_cast<int>(rng() % 9), (static_cast<int>(rng() % 13) - 6) | 1,
                              std::vector<int>{8, 24, 32}[rng() % 3], rng);
        for (int k = 1 + static_cast<int>(rng() % 3); k > 0; --k) {
            const std::size_t at = fields[rng() % std::size(fields)];
            const std::uint32_t interesting[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 100000,
                                                 static_cast<std::uint32_t>(rng()),
                                                 static_cast<std::uint32_t>(rng() % 64)};
            put32(file, at, interesting[rng() % std::size(interesting)]);
        }
        if (rng() % 3 == 0) file.resize(rng() % (file.size() + 1));
        Reader r{file};
        platform::BmpLayout layout;
        std::string why;
        const auto result = platform::readBmpLayout(r.fn(), static_cast<std::int64_t>(file.size()), layout, why);
        if (result == platform::BmpLayoutResult::Broken) {
            EXPECT_FALSE(why.empty());
            ++refused;
        }
        if (result != platform::BmpLayoutResult::Ok) continue;
        ++accepted;
        const int w = 1 + static_cast<int>(rng() % 40), h = 1 + static_cast<int>(rng() % 40);
        EXPECT_EQ(platform::sampleBmp(r.fn(), layout, w, h, why).size(), static_cast<std::size_t>(w * h)) << why;
        ASSERT_FALSE(r.strayed) << "round " << round;
    }
    EXPECT_GT(accepted, 100);
    EXPECT_GT(refused, 100);
}

// A row of 3 million pixels (9 MB) is read pixel by pixel; each target pixel
// still comes from the source columns it covers. Every source pixel holds its
// own column number as its colour; the file is made up as it is read.
TEST(BmpRead, VeryWideRowsAreSampledPixelByPixel) {
    constexpr std::int64_t w = 3000000, h = 3;
    std::int64_t readBytes = 0;
    const platform::BmpReadAt readAt = [&](std::int64_t at, std::uint8_t* dst, std::size_t n) {
        Bytes header(54, 0);
        header[0] = 'B';
        header[1] = 'M';
        put32(header, 10, 54);
        put32(header, 14, 40);
        put32(header, 18, w);
        put32(header, 22, h);
        put32(header, 26, 1 | 24 << 16);
        readBytes += static_cast<std::int64_t>(n);
        for (std::size_t k = 0; k < n; ++k, ++at) {
            const std::int64_t pixelByte = (at - 54) % platform::bmpRowBytes(w, 24);
            dst[k] = at < 54 ? header[static_cast<std::size_t>(at)]
                             : static_cast<std::uint8_t>((pixelByte / 3) >> (8 * (pixelByte % 3)));
        }
        return true;
    };
    platform::BmpLayout layout;
    std::string why;
    ASSERT_EQ(platform::readBmpLayout(readAt, 54 + platform::bmpRowBytes(w, 24) * h, layout, why),
              platform::BmpLayoutResult::Ok);
    readBytes = 0;
    const std::vector<std::uint32_t> px = platform::sampleBmp(readAt, layout, 256, 4, why);
    ASSERT_EQ(px.size(), 256u * 4u);
    EXPECT_LE(readBytes, 256 * 3 * 3);  // three rows, 256 pixels each
    for (int y = 0; y < 4; ++y)
        for (std::int64_t x = 0; x < 256; ++x) {
            const std::int64_t column = px[static_cast<std::size_t>(y * 256 + x)] & 0xFFFFFF;
            EXPECT_GE(column, x * w / 256);
            EXPECT_LT(column, (x + 1) * w / 256);
        }
}

}  // namespace
