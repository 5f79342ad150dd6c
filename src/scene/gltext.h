#pragma once
// OpenGL text and colour routines: colours &HBBGGRR to OpenGL, and text drawn
// from display-list fonts of 128 lists (one per character code 0..127).
// Outline fonts draw glyphs as polygons in model space (em = 1 unit, extruded
// 0.1 towards -z); the bitmap font draws screen-aligned glyphs at a raster
// position. Characters outside 0..127 draw nothing.
#include <array>
#include <optional>
#include <string>
#include <vector>

// The text's codes from element 0, then a 0 byte; the vector is sized to fit.
void StringToBytes(std::vector<unsigned char>& bytes, const std::string& text);

// The one colour split of the program: red is the low byte of &HBBGGRR.
long GetRed(long color);
long GetGreen(long color);
long GetBlue(long color);
// glColor3f of the colour's bytes / 255.
void SetGLColor(long color);

// Builds an outline font's 128 lists into listBase: "Arial" is Liberation
// Sans, "Verdana" DejaVu Sans (see platform/glyphs.h); weights from 600 up
// take the bold file; italic 1 slants the glyphs. Glyphs are one em high
// whatever the height, as the axis frame scales its text itself. On failure
// a message box "Unable to create font..." and listBase 0 (text then draws
// nothing).
void BuildOutlineFont(unsigned& listBase, const std::string& faceName, long height, long weight, long italic,
                      long color);
// The same from a font file.
void BuildOutlineFontFile(unsigned& listBase, const std::string& fontFile, long italic, long color);

// Draws the text as outline glyphs at (x, y, z), scaled by 0.9 and turned by
// rotation (angle in degrees, axis x, y, z); the colour, when given, is set
// first. Matrix, polygon attributes and list base are left as they were.
void DrawOutlineText(unsigned listBase, const std::string& text, double x, double y, double z,
                     const std::array<double, 4>& rotation, std::optional<long> color = std::nullopt);

// Builds the bitmap font (12-pixel "Verdana") into gBitmapFont; on failure a
// message box and gBitmapFont 0.
void BuildBitmapFont();
void BuildBitmapFontFile(const std::string& fontFile, int pixelHeight);

// Sets the colour to black, then the raster position to (y, z, x) (data axis
// order to scene axes), then draws the text with the bitmap font.
void DrawBitmapText(double x, double y, double z, const std::string& text);

// Frees a font's 128 lists and sets its base to 0.
void DeleteFontLists(unsigned& listBase);
