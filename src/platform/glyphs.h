#pragma once
// Glyphs of the character codes 0..127 read from a font file, for the
// OpenGL display-list fonts: outlines as closed polygons, bitmaps as 1-bit
// rows. Fonts are opened by file path so no font alias can change them.
#include <array>
#include <string>
#include <vector>

namespace platform {

struct GlyphPoint {
    double x, y;
};

// One character: its contours in em units (1 = the font's em, y up, the
// baseline at 0) and its advance.
struct GlyphOutline {
    std::vector<std::vector<GlyphPoint>> contours;
    double advance = 0;
};

// One character as a bitmap for glBitmap: rows bottom first, each row padded
// to whole bytes, most significant bit leftmost.
struct GlyphBitmap {
    int width = 0, height = 0;
    double xorig = 0, yorig = 0;   // the origin's offset inside the bitmap
    double advance = 0;
    std::vector<unsigned char> bits;
};

// The file standing for a face name: "Arial" Liberation Sans, "Times New
// Roman" Liberation Serif, "Verdana" (and any other name) DejaVu Sans; bold
// for weights from 600 up.
std::string FontFileFor(const std::string& face, int weight);

// Both return false with a message naming the file in `error` when the font
// cannot be read. Characters without a glyph (the control codes) come back
// empty with their advance.
bool ReadOutlineGlyphs(const std::string& fontFile, bool italic, std::array<GlyphOutline, 128>& out,
                       std::string& error);
bool ReadBitmapGlyphs(const std::string& fontFile, int pixelHeight, std::array<GlyphBitmap, 128>& out,
                      std::string& error);

}  // namespace platform
