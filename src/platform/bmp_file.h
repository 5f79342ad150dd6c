#pragma once
// 24-bit BMP files of the current OpenGL colour buffer: pixel read-back,
// encoding and the complete-or-nothing write, shared by the snapshot writer
// and the image export commands.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Bytes of one BMP pixel row: 3 x width raised to a multiple of 4.
std::int64_t bmpRowLength(std::int64_t width);

// Largest side accepted for a snapshot; keeps every header field in 32 bits.
inline constexpr int kMaxBitmapSide = 32768;

// Reads width x height pixels from the lower left corner of the current read
// framebuffer as RGB rows, bottom row first, each padded with zeros to
// bmpRowLength(width). Empty when the size is out of range or GL reports an error.
std::vector<std::uint8_t> readViewportRGB(int width, int height);

// A complete 24-bit BMP file (14-byte file header, 40-byte information header,
// pixels) from rows as readViewportRGB gives them. Empty when the sizes do not
// match the row data.
std::vector<std::uint8_t> encodeBmp24(int width, int height, const std::vector<std::uint8_t>& rgbRows);

// Writes the lower left width x height pixels of the current colour buffer to
// fileName as a 24-bit BMP, through WriteFileAtomically. True only when the
// whole file was written; otherwise `reason` (when given) says why.
bool writeViewportBmp(const std::string& fileName, int width, int height, std::string* reason = nullptr);

}  // namespace platform
