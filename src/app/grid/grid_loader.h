#pragma once
// The grid loader: copies the data grid into the fitting data
// (gGridValues, gGridColumnNames, gGridRowCount, gGridColumnCount).
#include <string>

namespace platform {
class SparseGrid;
class GridControl;
}  // namespace platform

// Cells of the used rectangle that one load may hold (8 bytes each).
inline constexpr long long kMaxGridLoadCells = 50'000'000;

// Sets gGridColumnCount (the last column holding data) and gGridRowCount
// (the last row holding data in columns 1..gGridColumnCount). Row 0 (names)
// and column 0 (row numbers) never count.
void MeasureGridData(const platform::SparseGrid& grid);

enum class GridLoad { Loaded, Empty, TooLarge };
// Measures, then fills the names and values (text that is not a number
// reads 0). Empty and TooLarge set both counts to 0 and leave the arrays as
// they were; `message` then holds what to tell the user.
GridLoad LoadGridValues(const platform::SparseGrid& grid, std::string& message);

// LoadGridValues with its message shown; true when data were loaded. The
// second form (defined with the grid commands) reads the main window's grid.
bool LoadGridData(const platform::SparseGrid& grid);
bool LoadGridData(const platform::GridControl& grid);
