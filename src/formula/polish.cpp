#include "formula/polish.h"

#include <limits>
#include <stdexcept>

namespace formula {

namespace {

[[noreturn]] void outOfRange(const char* what) { throw std::out_of_range(std::string("clsPolish: ") + what); }

// The first index of the operand that ends at `last`: walking back, an
// operand takes one from the count of operands still wanted, a function
// leaves it, any other token adds one.
long operandStart(const clsPolish& list, long last) {
    long wanted = 1;
    for (long k = last; k >= 0; --k) {
        const long rank = list.GetRank(k);
        if (rank == kRankOperand) {
            --wanted;
        } else if (rank != kRankFunction) {
            ++wanted;
        }
        if (wanted == 0) return k;
    }
    outOfRange("operand begins before the first item");
}

void checkSlice(const clsPolish& list, long from, long to) {
    if (from <= to && (from < 0 || to >= list.ElementCount())) outOfRange("slice range");
}

}  // namespace

void clsPolish::Clear() {
    items_.clear();
    text_.clear();
}

void clsPolish::Append(long Rank, std::string_view Data) {
    if (text_.size() + Data.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("clsPolish: text beyond 4 GB");
    constexpr long lo = std::numeric_limits<std::int32_t>::min(), hi = std::numeric_limits<std::int32_t>::max();
    const auto rank = static_cast<std::int32_t>(Rank < lo ? lo : (Rank > hi ? hi : Rank));
    items_.push_back(Item{static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(Data.size()), rank});
    text_ += Data;
}

void clsPolish::Push(long Index, long Rank, std::string_view Data) {
    if (Index < 0 || Index > ElementCount()) outOfRange("Push index");
    Append(Rank, Data);
    const Item added = items_.back();
    items_.pop_back();
    items_.insert(items_.begin() + Index, added);
}

void clsPolish::Kill(long Index, long Num) {
    if (Index < 0 || Num < 0 || Index > ElementCount() || Num > ElementCount() - Index) outOfRange("Kill range");
    items_.erase(items_.begin() + Index, items_.begin() + Index + Num);
    if (items_.empty()) text_.clear();
}

void clsPolish::Reserve(std::size_t items, std::size_t chars) {
    items_.reserve(items_.size() + items);
    text_.reserve(text_.size() + chars);
}

std::size_t clsPolish::TextLength(long from, long to) const {
    checkSlice(*this, from, to);
    std::size_t n = 0;
    for (long k = from; k <= to; ++k) n += items_[static_cast<std::size_t>(k)].length;
    return n;
}

const clsPolish::Item& clsPolish::at(long index) const {
    if (index < 0 || index >= ElementCount()) outOfRange("index");
    return items_[static_cast<std::size_t>(index)];
}

bool clsPolish::operator==(const clsPolish& other) const {
    if (ElementCount() != other.ElementCount()) return false;
    for (long k = 0; k < ElementCount(); ++k) {
        if (GetRank(k) != other.GetRank(k) || GetData(k) != other.GetData(k)) return false;
    }
    return true;
}

void AppendSlice(clsPolish& out, const clsPolish& list, long from, long to) {
    checkSlice(list, from, to);
    for (long k = from; k <= to; ++k) out.Append(list.GetRank(k), list.GetData(k));
}

clsPolish SlicePolish(const clsPolish& list, long from, long to) {
    clsPolish out;
    if (from > to) return out;
    out.Reserve(static_cast<std::size_t>(to - from + 1), list.TextLength(from, to));
    AppendSlice(out, list, from, to);
    return out;
}

clsPolish GetOperandPolish(const clsPolish& list, long opIndex, long which) {
    if (opIndex < 0 || opIndex >= list.ElementCount()) outOfRange("operator index");
    const long right = operandStart(list, opIndex - 1);
    if (which == 1) return SlicePolish(list, right, opIndex - 1);
    return SlicePolish(list, operandStart(list, right - 1), right - 1);
}

}  // namespace formula
