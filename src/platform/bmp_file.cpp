#include "platform/bmp_file.h"

#include <GL/gl.h>

#include "platform/atomic_file.h"
#include "platform/bmp_read.h"

namespace platform {

namespace {

constexpr std::int64_t kHeaderBytes = 54;

void putU16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void putU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    putU16(out, at, v & 0xFFFF);
    putU16(out, at + 2, v >> 16);
}

bool sizeInRange(long width, long height) {
    return width >= 1 && height >= 1 && width <= kMaxBitmapSide && height <= kMaxBitmapSide;
}

}  // namespace

std::int64_t bmpRowLength(std::int64_t width) { return bmpRowBytes(width, 24); }

std::vector<std::uint8_t> readViewportRGB(int width, int height) {
    if (!sizeInRange(width, height)) return {};
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(bmpRowLength(width) * height), 0);
    while (glGetError() != GL_NO_ERROR) {
    }
    // The default pack state gives rows padded to 4 bytes; another module may
    // have changed it, so set it for this read and put it back after.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_PACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_PACK_LSB_FIRST, GL_FALSE);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    glPopClientAttrib();
    if (glGetError() != GL_NO_ERROR) return {};
    return rows;
}

std::vector<std::uint8_t> encodeBmp24(int width, int height, const std::vector<std::uint8_t>& rgbRows) {
    if (!sizeInRange(width, height)) return {};
    const std::int64_t rowLength = bmpRowLength(width);
    const std::int64_t imageSize = rowLength * height;
    if (static_cast<std::int64_t>(rgbRows.size()) != imageSize) return {};

    std::vector<std::uint8_t> out(static_cast<std::size_t>(kHeaderBytes + imageSize), 0);
    out[0] = 'B';
    out[1] = 'M';
    putU32(out, 2, static_cast<std::uint32_t>(kHeaderBytes + imageSize));
    putU32(out, 10, static_cast<std::uint32_t>(kHeaderBytes));
    putU32(out, 14, 40);
    putU32(out, 18, static_cast<std::uint32_t>(width));
    putU32(out, 22, static_cast<std::uint32_t>(height));  // positive: bottom row first
    putU16(out, 26, 1);
    putU16(out, 28, 24);
    putU32(out, 34, static_cast<std::uint32_t>(imageSize));
    // Compression, resolution and colour counts stay 0.

    for (std::int64_t y = 0; y < height; ++y) {
        const std::uint8_t* src = rgbRows.data() + y * rowLength;
        std::uint8_t* dst = out.data() + kHeaderBytes + y * rowLength;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
        // Fill bytes at the row end stay 0 whatever the source held.
    }
    return out;
}

bool writeViewportBmp(const std::string& fileName, int width, int height, std::string* reason) {
    auto fail = [reason](const std::string& why) {
        if (reason) *reason = why;
        return false;
    };
    if (!sizeInRange(width, height)) return fail("the picture size is out of range");
    const auto rows = readViewportRGB(width, height);
    if (rows.empty()) return fail("the picture could not be read");
    const auto bytes = encodeBmp24(width, height, rows);
    std::string why;
    if (!WriteFileAtomically(fileName, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, why))
        return fail(why);
    return true;
}

}  // namespace platform
