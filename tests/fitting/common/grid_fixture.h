#pragma once
// Sets the fitting data as LoadGridData leaves them, from columns of cell
// texts: "" is an empty cell, a number text a number, anything else a text.
#include <algorithm>
#include <charconv>
#include <string>
#include <utility>
#include <vector>

#include "state/globals.h"

inline void setGridTexts(const std::vector<std::pair<std::string, std::vector<std::string>>>& columns) {
    long rows = 0;
    for (const auto& c : columns) rows = std::max(rows, static_cast<long>(c.second.size()));
    gGridColumnCount = static_cast<long>(columns.size());
    gGridRowCount = rows;
    gGridColumnNames.assign(1, "");
    gGridValues.resize(gGridColumnCount, rows, GridCell::Empty);
    for (long i = 1; i <= gGridColumnCount; ++i) {
        const auto& [name, cells] = columns[static_cast<std::size_t>(i - 1)];
        gGridColumnNames.push_back(name);
        for (long j = 1; j <= static_cast<long>(cells.size()); ++j) {
            const std::string& t = cells[static_cast<std::size_t>(j - 1)];
            if (t.empty()) continue;
            double v = 0;
            const auto res = std::from_chars(t.data(), t.data() + t.size(), v);
            const bool number = res.ec == std::errc() && res.ptr == t.data() + t.size();
            gGridValues.at(i, j) = number ? v : 0;
            gGridValues.cell(i, j) = number ? GridCell::Number : GridCell::Text;
        }
    }
}
