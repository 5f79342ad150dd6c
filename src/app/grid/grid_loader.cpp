#include "app/grid/grid_loader.h"

#include <new>

#include "state/globals.h"
#include "app/dialog_kit/grid_number.h"
#include "platform/sparse_grid.h"

namespace {

// A cell's number (0 when it holds none) and what it held; a text of blanks
// only counts as empty.
void loadCell(GridValues& values, long c, long r, const std::string& text) {
    double v = 0;
    if (ParseGridNumber(text, v)) {
        values.at(c, r) = v;
        values.cell(c, r) = GridCell::Number;
    } else {
        values.cell(c, r) = text.find_first_not_of(" \t\r\n") == std::string::npos ? GridCell::Empty : GridCell::Text;
    }
}

}  // namespace

void MeasureGridData(const platform::SparseGrid& grid) {
    // Every data cell lies in a column up to the last used one, so the last
    // used row of those columns is the last used row of all.
    const auto [rows, cols] = grid.DataExtent();
    gGridColumnCount = cols;
    gGridRowCount = rows;
}

GridLoad LoadGridValues(const platform::SparseGrid& grid, std::string& message) {
    MeasureGridData(grid);
    const long cols = gGridColumnCount, rows = gGridRowCount;
    if (cols == 0) {
        message = "Please input your data first.";
        return GridLoad::Empty;
    }
    auto tooLarge = [&] {
        message = "The data in the grid span " + std::to_string(cols) + " columns by " + std::to_string(rows) +
                  " rows, too many cells to load at once (at most " + std::to_string(kMaxGridLoadCells) +
                  "). Please clear the cells far outside your table.";
        gGridColumnCount = gGridRowCount = 0;
        return GridLoad::TooLarge;
    };
    if (static_cast<long long>(cols) * rows > kMaxGridLoadCells) return tooLarge();
    GridValues values;
    std::vector<std::string> names;
    try {
        values.resize(cols, rows, GridCell::Empty);
        names.resize(static_cast<std::size_t>(cols) + 1);
    } catch (const std::bad_alloc&) {
        return tooLarge();
    }
    grid.ForEachCell([&](long r, long c, const std::string& text) {
        if (c < 1 || c > cols) return;  // a name beyond the data does not count
        if (r == 0)
            names[static_cast<std::size_t>(c)] = text;
        else
            loadCell(values, c, r, text);
    });
    gGridValues = std::move(values);
    gGridColumnNames = std::move(names);
    return GridLoad::Loaded;
}
