#pragma once
// Tab-separated text as spreadsheets exchange it through the clipboard: cells
// split by tabs, rows by line breaks; a cell holding a tab, a line break or a
// quote is enclosed in quotes with its quotes doubled.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using TextTable = std::vector<std::vector<std::string>>;

// Every row ends with "\n".
std::string FormatTsv(const TextTable& table);
// Accepts "\n", "\r\n" or "\r" line ends; a final line break adds no row.
TextTable ParseTsv(std::string_view text);

}  // namespace platform
