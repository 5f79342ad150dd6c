#pragma once
// The grid's *.cel file: UTF-8 text,
//   line 1  "TRELVANE-CEL 1"
//   line 2  "<rows> <cols>"
//   then one line per non-empty cell "<row>\t<col>\t<text>", with backslash,
//   tab, carriage return and line feed in the text written \\ \t \r \n.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class SparseGrid;

struct CelCell {
    long row, col;
    std::string text;
};

struct CelContents {
    long rows = 0, cols = 0;
    std::vector<CelCell> cells;
};

// The file's text for a grid, cells in row then column order.
std::string FormatCel(const SparseGrid& grid);
// Reads and checks the whole text. On failure returns false with `error`
// naming `fileName` and the line at fault.
bool ParseCel(std::string_view text, const std::string& fileName, CelContents& out, std::string& error);

bool WriteCelFile(const std::string& path, const SparseGrid& grid, std::string& error);
bool ReadCelFile(const std::string& path, CelContents& out, std::string& error);

}  // namespace platform
