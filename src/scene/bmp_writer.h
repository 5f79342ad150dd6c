#pragma once
// BMP snapshot writer: the current OpenGL colour buffer as an uncompressed
// 24-bit BMP file, plus the pieces it is made of (pixel read-back, encoding,
// a replace-only-when-complete file write) for the image export commands.
#include <cstdint>
#include <string>
#include <vector>

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

// Writes bytes to a new file beside path and renames it over path only when it
// was written completely, so a failure leaves any old file as it was. On
// failure returns false and, when error is given, stores a short reason.
bool writeFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes,
                        std::string* error = nullptr);

// Writes the lower left (lastColumn + 1) x height pixels of the current colour
// buffer to fileName as a 24-bit BMP. True only when the whole file was written.
bool SaveViewportBitmap(const std::string& fileName, long lastColumn, long height, std::string* error = nullptr);
