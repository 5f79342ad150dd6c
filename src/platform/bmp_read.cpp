#include "platform/bmp_read.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

constexpr std::int64_t kFileHeader = 14, kMinInfoHeader = 40;
constexpr std::uint32_t kBitFields = 3;
constexpr std::int64_t kWholeRowBytes = std::int64_t{4} << 20;

std::uint32_t u16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] | p[1] << 8); }
std::uint32_t u32(const std::uint8_t* p) { return u16(p) | u16(p + 2) << 16; }
std::int64_t i32(const std::uint8_t* p) { return static_cast<std::int32_t>(u32(p)); }

BmpLayoutResult broken(std::string& why, std::string text) {
    why = std::move(text);
    return BmpLayoutResult::Broken;
}

std::uint32_t opaque(std::uint8_t b, std::uint8_t g, std::uint8_t r) {
    return 0xFF000000u | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | b;
}

}  // namespace

std::int64_t bmpRowBytes(std::int64_t width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }

BmpLayoutResult readBmpLayout(const BmpReadAt& read, std::int64_t fileSize, BmpLayout& layout, std::string& why) {
    std::uint8_t h[kFileHeader + kMinInfoHeader] = {};
    if (fileSize < kFileHeader + 4 || !read(0, h, kFileHeader + 4) || h[0] != 'B' || h[1] != 'M')
        return BmpLayoutResult::Other;
    std::int64_t infoSize = u32(h + 14);
    if (infoSize < kMinInfoHeader) return BmpLayoutResult::Other;  // the old 12-byte header
    if (kFileHeader + infoSize > fileSize || !read(0, h, sizeof h))
        return broken(why, "its header is longer than the file");
    // No kind of BMP has a width below 1 or a height of 0 (a negative height
    // puts the top row first): said here for the kinds left to other readers too.
    const std::int64_t width = i32(h + 18), height = i32(h + 22);
    if (width < 0) return broken(why, "its header gives a negative width, " + std::to_string(width) + " pixels");
    if (width == 0) return broken(why, "its header gives a width of 0 pixels");
    if (height == 0) return broken(why, "its header gives a height of 0 pixels");
    const int bitCount = static_cast<int>(u16(h + 28));
    if (bitCount != 8 && bitCount != 24 && bitCount != 32) return BmpLayoutResult::Other;
    const std::uint32_t compression = u32(h + 30);
    if (compression == kBitFields && bitCount == 32) {
        // Masks right after the 40 bytes (inside a longer header): the plain
        // layout of 32-bit pixels is read as such, any other is left alone.
        std::uint8_t masks[12];
        if (kFileHeader + kMinInfoHeader + 12 > fileSize || !read(kFileHeader + kMinInfoHeader, masks, 12))
            return broken(why, "its colour masks are missing");
        if (u32(masks) != 0xFF0000u || u32(masks + 4) != 0xFF00u || u32(masks + 8) != 0xFFu)
            return BmpLayoutResult::Other;
        infoSize = std::max(infoSize, kMinInfoHeader + 12);
    } else if (compression != 0) {
        return BmpLayoutResult::Other;
    }

    BmpLayout got;
    got.bitCount = bitCount;
    got.width = width;
    got.topDown = height < 0;
    got.height = height < 0 ? -height : height;
    got.rowBytes = bmpRowBytes(got.width, bitCount);
    got.pixelOffset = u32(h + 10);
    if (got.pixelOffset < kFileHeader + infoSize || got.pixelOffset > fileSize)
        return broken(why, "its pixels lie outside the file");

    if (bitCount == 8) {
        const std::int64_t colours = u32(h + 46) == 0 ? 256 : u32(h + 46);
        const std::int64_t at = kFileHeader + infoSize;
        if (colours > 256 || at + 4 * colours > got.pixelOffset)
            return broken(why, "its colour table does not fit before its pixels");
        std::vector<std::uint8_t> table(static_cast<std::size_t>(4 * colours));
        if (!read(at, table.data(), table.size())) return broken(why, "its colour table cannot be read");
        got.palette.assign(256, opaque(0, 0, 0));
        for (std::int64_t k = 0; k < colours; ++k)
            got.palette[k] = opaque(table[4 * k], table[4 * k + 1], table[4 * k + 2]);
    }
    // The last row may go without its padding.
    const std::int64_t lastRow = (got.width * bitCount + 7) / 8;
    if (got.height - 1 > (fileSize - got.pixelOffset - lastRow) / got.rowBytes || fileSize - got.pixelOffset < lastRow)
        return broken(why, "the file holds fewer pixels than its header claims");
    layout = std::move(got);
    return BmpLayoutResult::Ok;
}

std::vector<std::uint32_t> sampleBmp(const BmpReadAt& read, const BmpLayout& layout, int width, int height,
                                     std::string& why) {
    if (width < 1 || height < 1 || layout.width < 1 || layout.height < 1) {
        why = "the picture has no pixels";
        return {};
    }
    std::vector<std::int64_t> column(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) column[x] = (2 * std::int64_t{x} + 1) * layout.width / (2 * std::int64_t{width});
    const std::int64_t bytesPerPixel = layout.bitCount / 8;
    // A row of a few MB is read whole; from a wider one (a header may claim
    // 2^31 pixels a row) only the pixels used, one by one.
    const std::int64_t rowUsed = (layout.width * layout.bitCount + 7) / 8;
    const bool wholeRows = rowUsed <= kWholeRowBytes;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(wholeRows ? rowUsed : bytesPerPixel * width));
    std::vector<std::uint32_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::int64_t loaded = -1;
    for (int y = 0; y < height; ++y) {
        const std::int64_t sy = (2 * std::int64_t{y} + 1) * layout.height / (2 * std::int64_t{height});
        const std::int64_t stored = layout.topDown ? sy : layout.height - 1 - sy;
        const std::int64_t start = layout.pixelOffset + stored * layout.rowBytes;
        if (stored != loaded) {
            bool ok = !wholeRows || read(start, row.data(), row.size());
            for (int x = 0; ok && !wholeRows && x < width; ++x)
                ok = read(start + column[x] * bytesPerPixel, row.data() + x * bytesPerPixel,
                          static_cast<std::size_t>(bytesPerPixel));
            if (!ok) {
                why = "a row of its pixels cannot be read";
                return {};
            }
            loaded = stored;
        }
        std::uint32_t* dst = out.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = row.data() + (wholeRows ? column[x] : x) * bytesPerPixel;
            dst[x] = layout.bitCount == 8 ? layout.palette[*p] : opaque(p[0], p[1], p[2]);
        }
    }
    return out;
}

}  // namespace platform
