#pragma once
// BMP snapshot writer: the current OpenGL colour buffer as an uncompressed
// 24-bit BMP file.
#include <string>

// Writes the lower left (lastColumn + 1) x height pixels of the current colour
// buffer to fileName as a 24-bit BMP. True only when the whole file was written.
bool SaveViewportBitmap(const std::string& fileName, long lastColumn, long height, std::string* error = nullptr);
