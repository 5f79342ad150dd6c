#include "platform/sparse_grid.h"

#include <algorithm>
#include <stdexcept>

#include "platform/cel_format.h"
#include "platform/tsv.h"

namespace platform {
namespace {
long clampSize(long n) { return std::clamp(n, 1L, SparseGrid::kMaxSize); }
}  // namespace

SparseGrid::SparseGrid(long rows, long cols) : rows_(clampSize(rows)), cols_(clampSize(cols)) {}

void SparseGrid::check(long row, long col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) throw std::out_of_range("Subscript out of range");
}

template <class Pred, class Move>
void SparseGrid::remap(Pred keep, Move move) {
    std::unordered_map<std::uint64_t, std::string> next;
    next.reserve(cells_.size());
    for (auto& [k, text] : cells_) {
        long r = rowOf(k), c = colOf(k);
        if (!keep(r, c)) continue;
        move(r, c);
        next.emplace(key(r, c), std::move(text));
    }
    cells_.swap(next);
    extentKnown_ = false;
}

void SparseGrid::SetRows(long rows) {
    rows = clampSize(rows);
    if (rows < rows_) remap([rows](long r, long) { return r < rows; }, [](long&, long&) {});
    rows_ = rows;
}

void SparseGrid::SetCols(long cols) {
    cols = clampSize(cols);
    if (cols < cols_) remap([cols](long, long c) { return c < cols; }, [](long&, long&) {});
    cols_ = cols;
}

const std::string& SparseGrid::Text(long row, long col) const {
    static const std::string empty;
    check(row, col);
    auto it = cells_.find(key(row, col));
    return it == cells_.end() ? empty : it->second;
}

void SparseGrid::SetText(long row, long col, std::string text) {
    check(row, col);
    if (text.empty()) {
        // Emptying a cell on the edge of the data may move the edge.
        if (cells_.erase(key(row, col)) && (row == lastRow_ || col == lastCol_)) extentKnown_ = false;
        return;
    }
    cells_.insert_or_assign(key(row, col), std::move(text));
    if (row >= 1 && col >= 1) {
        lastRow_ = std::max(lastRow_, row);
        lastCol_ = std::max(lastCol_, col);
    }
}

void SparseGrid::Clear() {
    cells_.clear();
    lastRow_ = lastCol_ = 0;
    extentKnown_ = true;
}

std::pair<long, long> SparseGrid::DataExtent() const {
    if (!extentKnown_) {
        lastRow_ = lastCol_ = 0;
        for (const auto& kv : cells_) {
            const long r = rowOf(kv.first), c = colOf(kv.first);
            if (r < 1 || c < 1) continue;
            lastRow_ = std::max(lastRow_, r);
            lastCol_ = std::max(lastCol_, c);
        }
        extentKnown_ = true;
    }
    return {lastRow_, lastCol_};
}

void SparseGrid::ClearRange(const CellRange& range) {
    long r1 = std::max(1L, range.row1), r2 = std::min(rows_ - 1, range.row2);
    long c1 = std::max(1L, range.col1), c2 = std::min(cols_ - 1, range.col2);
    if (r1 > r2 || c1 > c2) return;
    // Walk whichever is smaller: the range or the filled cells.
    if (static_cast<double>(r2 - r1 + 1) * (c2 - c1 + 1) < static_cast<double>(cells_.size())) {
        for (long r = r1; r <= r2; ++r)
            for (long c = c1; c <= c2; ++c) cells_.erase(key(r, c));
    } else {
        std::erase_if(cells_, [&](const auto& kv) {
            long r = rowOf(kv.first), c = colOf(kv.first);
            return r >= r1 && r <= r2 && c >= c1 && c <= c2;
        });
    }
    extentKnown_ = false;
}

// Row and column insertion and deletion are one operation along either axis.
void SparseGrid::insertLines(bool rows, long before, long count) {
    long& size = rows ? rows_ : cols_;
    before = std::max(1L, before);
    count = std::min(count, kMaxSize - size);
    if (count <= 0 || before > size) return;
    remap([](long, long) { return true; }, [&](long& r, long& c) {
        long& at = rows ? r : c;
        if (at >= before) at += count;
    });
    size += count;
}

void SparseGrid::deleteLines(bool rows, long first, long count) {
    long& size = rows ? rows_ : cols_;
    first = std::max(1L, first);
    count = std::min(count, size - first);
    if (count <= 0) return;
    long end = first + count;
    remap([&](long r, long c) { long at = rows ? r : c; return at < first || at >= end; },
          [&](long& r, long& c) {
              long& at = rows ? r : c;
              if (at >= end) at -= count;
          });
    size -= count;
}

void SparseGrid::InsertRows(long before, long count) { insertLines(true, before, count); }
void SparseGrid::DeleteRows(long first, long count) { deleteLines(true, first, count); }
void SparseGrid::InsertCols(long before, long count) { insertLines(false, before, count); }
void SparseGrid::DeleteCols(long first, long count) { deleteLines(false, first, count); }

std::string SparseGrid::CopyText(const CellRange& range) const {
    long r1 = std::max(0L, range.row1), r2 = std::min(rows_ - 1, range.row2);
    long c1 = std::max(0L, range.col1), c2 = std::min(cols_ - 1, range.col2);
    std::vector<std::vector<std::string>> table;
    for (long r = r1; r <= r2; ++r) {
        auto& row = table.emplace_back();
        for (long c = c1; c <= c2; ++c) row.push_back(Text(r, c));
    }
    return FormatTsv(table);
}

CellRange SparseGrid::PasteText(long row, long col, std::string_view text) {
    auto table = ParseTsv(text);
    row = std::clamp(row, 1L, kMaxSize - 1);
    col = std::clamp(col, 1L, kMaxSize - 1);
    long width = 0;
    for (const auto& line : table) width = std::max(width, static_cast<long>(line.size()));
    long height = static_cast<long>(table.size());
    if (height == 0 || width == 0) return CellRange{row, col, row - 1, col - 1};
    // Grow rather than drop pasted data; the grid's limit still holds.
    if (row + height > rows_) SetRows(row + height);
    if (col + width > cols_) SetCols(col + width);
    long r2 = std::min(rows_ - 1, row + height - 1), c2 = std::min(cols_ - 1, col + width - 1);
    for (long r = row; r <= r2; ++r) {
        const auto& line = table[static_cast<std::size_t>(r - row)];
        for (long c = col; c <= c2; ++c) {
            auto i = static_cast<std::size_t>(c - col);
            SetText(r, c, i < line.size() ? line[i] : std::string());
        }
    }
    return CellRange{row, col, r2, c2};
}

bool SparseGrid::SaveCel(const std::string& path, std::string& error) const {
    return WriteCelFile(path, *this, error);
}

bool SparseGrid::LoadCel(const std::string& path, std::string& error) {
    CelContents read;
    if (!ReadCelFile(path, read, error)) return false;
    rows_ = read.rows;
    cols_ = read.cols;
    cells_.clear();
    cells_.reserve(read.cells.size());
    for (auto& cell : read.cells) cells_.insert_or_assign(key(cell.row, cell.col), std::move(cell.text));
    extentKnown_ = false;
    return true;
}

}  // namespace platform
