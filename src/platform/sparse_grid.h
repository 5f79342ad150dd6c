#pragma once
// SparseGrid: the data grid's cell store. Only filled cells take memory, so a
// 65536 x 65536 grid costs nothing until it is filled. Row 0 holds the
// variable names and column 0 the row numbers; data start at (1, 1).
// Plain C++ (no Qt): the grid widget, the grid loader and the tests share it.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform {

// A rectangle of cells, both corners included.
struct CellRange {
    long row1 = 1, col1 = 1, row2 = 1, col2 = 1;
};

// What a paste did. Rows and columns beyond the grid's limit are left out
// and counted; a text that no cell may hold (see cell_text.h) refuses the
// whole paste before anything changes.
struct PasteResult {
    CellRange written{1, 1, 0, 0};  // row2 < row1 when nothing was written
    long rowsLeftOut = 0, colsLeftOut = 0;
    std::string refusal;            // why nothing was pasted, "" otherwise
};
// What to tell the user after a paste, "" when everything went in:
// "4,465 rows did not fit into the grid and were not pasted."
std::string PasteMessage(const PasteResult& result);

class SparseGrid {
public:
    SparseGrid(long rows = 1001, long cols = 11);

    // Row and column counts, row 0 and column 0 included; at least 1 each.
    // Shrinking drops the cells beyond the new edge.
    long Rows() const { return rows_; }
    long Cols() const { return cols_; }
    void SetRows(long rows);
    void SetCols(long cols);

    // Cell text, "" when empty. Indexes outside the grid throw
    // std::out_of_range("Subscript out of range") and change nothing.
    const std::string& Text(long row, long col) const;
    void SetText(long row, long col, std::string text);

    void Clear();                                  // empties every cell, names included
    // The last row and the last column holding data (row 0 and column 0
    // aside), {0, 0} when none; kept up to date so it costs no scan.
    std::pair<long, long> DataExtent() const;
    std::size_t CellCount() const { return cells_.size(); }  // filled cells
    // Changes with every change of a cell or of the size, and no two grids
    // ever share one: a grid is unchanged while its stamp is the same.
    std::uint64_t Stamp() const { return stamp_; }

    // Calls f(row, col, text) for every filled cell, in no particular order.
    template <class F>
    void ForEachCell(F&& f) const {
        for (const auto& [key, text] : cells_) f(rowOf(key), colOf(key), text);
    }

    // Selection operations. Ranges are clipped to the data cells (row and
    // column 0 are never touched as data, except that column operations carry
    // the column's name in row 0 with it).
    void ClearRange(const CellRange& r);
    void InsertRows(long before, long count);      // Rows grows by count
    void DeleteRows(long first, long count);       // Rows shrinks by count
    void InsertCols(long before, long count);      // Cols grows; new columns have no name
    void DeleteCols(long first, long count);

    // Tab-separated text of a range (rows end with "\n"); a cell holding a
    // tab, line break or quote is quoted as spreadsheets do.
    std::string CopyText(const CellRange& r) const;
    // Writes tab-separated text with its top-left at (row, col); the grid grows
    // (up to kMaxSize) to hold what is pasted.
    PasteResult PasteText(long row, long col, std::string_view text);

    // *.cel files: see cel_format.h. Both return false with a message in
    // `error`; a failed load leaves the grid as it was, a failed save leaves
    // the old file in place.
    bool SaveCel(const std::string& path, std::string& error) const;
    bool LoadCel(const std::string& path, std::string& error);

    static constexpr long kMaxSize = 65536;

private:
    static std::uint64_t key(long row, long col) {
        return (static_cast<std::uint64_t>(row) << 32) | static_cast<std::uint32_t>(col);
    }
    static long rowOf(std::uint64_t k) { return static_cast<long>(k >> 32); }
    static long colOf(std::uint64_t k) { return static_cast<long>(k & 0xffffffffu); }
    void check(long row, long col) const;
    void touch();
    void insertLines(bool rows, long before, long count);
    void deleteLines(bool rows, long first, long count);
    template <class Pred, class Move>
    void remap(Pred keep, Move move);

    long rows_, cols_;
    std::unordered_map<std::uint64_t, std::string> cells_;
    mutable long lastRow_ = 0, lastCol_ = 0;
    mutable bool extentKnown_ = true;
    std::uint64_t stamp_ = 0;
};

}  // namespace platform
