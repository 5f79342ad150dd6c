#pragma once
// Reading uncompressed BMP pictures a row at a time: the header's layout,
// checked against the file's length, and a nearest-neighbour sample at a
// smaller size that reads only the source rows it uses, so a picture far
// larger than memory allows is never held whole.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Bytes of one BMP pixel row of this many bits per pixel, padded to 4 bytes.
std::int64_t bmpRowBytes(std::int64_t width, int bitCount);

// Reads n bytes at offset into dst; false when they are not all there.
using BmpReadAt = std::function<bool(std::int64_t offset, std::uint8_t* dst, std::size_t n)>;

// Where an uncompressed 8-, 24- or 32-bit BMP keeps its pixels (32 bits also
// with colour masks that give the same layout).
struct BmpLayout {
    std::int64_t width = 0, height = 0;
    bool topDown = false;  // a negative height: the top row comes first
    int bitCount = 0;
    std::int64_t pixelOffset = 0, rowBytes = 0;
    std::vector<std::uint32_t> palette;  // 0xFFRRGGBB, for 8 bits per pixel
};

enum class BmpLayoutResult {
    Ok,
    Other,  // no BMP, or one of another kind (compressed, 1/4/16 bits): left to other readers
    Broken  // the header contradicts itself or the file, or (for any kind) gives no
            // possible size; `why` says how
};

// Reads the headers of a file of fileSize bytes.
BmpLayoutResult readBmpLayout(const BmpReadAt& read, std::int64_t fileSize, BmpLayout& layout, std::string& why);

// The picture at width x height pixels, top row first, each 0xFFRRGGBB: target
// pixel (x, y) takes source pixel (floor((x + 0.5) * W / width), same for y).
// Empty, with `why`, when a row cannot be read.
std::vector<std::uint32_t> sampleBmp(const BmpReadAt& read, const BmpLayout& layout, int width, int height,
                                     std::string& why);

}  // namespace platform
