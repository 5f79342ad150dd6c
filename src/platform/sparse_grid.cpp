#include "platform/sparse_grid.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "platform/cel_format.h"
#include "platform/cell_text.h"
#include "platform/tsv.h"

namespace platform {
namespace {
long clampSize(long n) { return std::clamp(n, 1L, SparseGrid::kMaxSize); }

std::string countOf(long n, const char* one, const char* many) {
    return GroupThousands(n) + ' ' + (n == 1 ? one : many);
}
}  // namespace

SparseGrid::SparseGrid(long rows, long cols) : rows_(clampSize(rows)), cols_(clampSize(cols)) { touch(); }

void SparseGrid::touch() {
    static std::atomic<std::uint64_t> last{0};
    stamp_ = ++last;
}

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
    touch();
}

void SparseGrid::SetRows(long rows) {
    rows = clampSize(rows);
    if (rows == rows_) return;
    if (rows < rows_) remap([rows](long r, long) { return r < rows; }, [](long&, long&) {});
    rows_ = rows;
    touch();
}

void SparseGrid::SetCols(long cols) {
    cols = clampSize(cols);
    if (cols == cols_) return;
    if (cols < cols_) remap([cols](long, long c) { return c < cols; }, [](long&, long&) {});
    cols_ = cols;
    touch();
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
        if (!cells_.erase(key(row, col))) return;
        touch();
        // Emptying a cell on the edge of the data may move the edge.
        if (row == lastRow_ || col == lastCol_) extentKnown_ = false;
        return;
    }
    auto [it, added] = cells_.try_emplace(key(row, col));
    if (!added && it->second == text) return;
    it->second = std::move(text);
    touch();
    if (row >= 1 && col >= 1) {
        lastRow_ = std::max(lastRow_, row);
        lastCol_ = std::max(lastCol_, col);
    }
}

void SparseGrid::Clear() {
    cells_.clear();
    touch();
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
    const std::size_t before = cells_.size();
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
    if (cells_.size() == before) return;
    extentKnown_ = false;
    touch();
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

PasteResult SparseGrid::PasteText(long row, long col, std::string_view text) {
    PasteResult result;
    const TextTable table = ParseTsv(text);
    row = std::clamp(row, 1L, kMaxSize - 1);
    col = std::clamp(col, 1L, kMaxSize - 1);
    long width = 0;
    for (const auto& line : table) width = std::max(width, static_cast<long>(line.size()));
    const long height = static_cast<long>(table.size());
    result.written = CellRange{row, col, row - 1, col - 1};
    if (height == 0 || width == 0) return result;
    // What lies beyond the grid's limit is left out and counted.
    const long r2 = std::min(kMaxSize - 1, row + height - 1), c2 = std::min(kMaxSize - 1, col + width - 1);
    result.rowsLeftOut = row + height - 1 - r2;
    result.colsLeftOut = col + width - 1 - c2;
    // Every text is checked before the first one goes in.
    for (long r = row; r <= r2; ++r) {
        const auto& line = table[static_cast<std::size_t>(r - row)];
        for (long c = col; c <= c2 && static_cast<std::size_t>(c - col) < line.size(); ++c) {
            const CellTextFault fault = CheckCellText(line[static_cast<std::size_t>(c - col)]);
            if (fault == CellTextFault::None) continue;
            result.refusal = CellTextMessage(fault, r, c);
            result.rowsLeftOut = result.colsLeftOut = 0;
            return result;
        }
    }
    // Grow rather than drop pasted data.
    if (r2 >= rows_) SetRows(r2 + 1);
    if (c2 >= cols_) SetCols(c2 + 1);
    for (long r = row; r <= r2; ++r) {
        const auto& line = table[static_cast<std::size_t>(r - row)];
        for (long c = col; c <= c2; ++c) {
            auto i = static_cast<std::size_t>(c - col);
            SetText(r, c, i < line.size() ? line[i] : std::string());
        }
    }
    result.written = CellRange{row, col, r2, c2};
    return result;
}

std::string PasteMessage(const PasteResult& result) {
    if (!result.refusal.empty()) return result.refusal + " Nothing was pasted.";
    std::string what;
    if (result.rowsLeftOut > 0) what = countOf(result.rowsLeftOut, "row", "rows");
    if (result.colsLeftOut > 0) {
        if (!what.empty()) what += " and ";
        what += countOf(result.colsLeftOut, "column", "columns");
    }
    if (what.empty()) return {};
    const bool one = result.rowsLeftOut + result.colsLeftOut == 1;
    return what + (one ? " did not fit into the grid and was not pasted." : " did not fit into the grid and were not pasted.");
}

bool SparseGrid::SaveCel(const std::string& path, std::string& error) const {
    return WriteCelFile(path, *this, error);
}

bool SparseGrid::LoadCel(const std::string& path, std::string& error) {
    SparseGrid read(1, 1);
    if (!ReadCelFile(path, read, error)) return false;
    *this = std::move(read);
    return true;
}

}  // namespace platform
