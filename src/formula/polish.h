#pragma once
// clsPolish: a formula as a list of tokens in postfix order, each with a rank
// that says what kind of token it is; and the list procedures of module Der
// that copy and cut such lists.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace formula {

// Ranks of the tokens of a list.
inline constexpr long kRankClose = 0;     // ")" (only while converting)
inline constexpr long kRankAdd = 1;       // "+" "-"
inline constexpr long kRankMul = 2;       // "*" "/", and the "-" of a unary minus
inline constexpr long kRankPow = 3;       // "^"
inline constexpr long kRankFunction = 4;  // a function of one argument
inline constexpr long kRankOperand = 5;   // a number or a name
inline constexpr long kRankOpen = 6;      // "(" (only while converting)

// Every index is checked: one outside the stored items throws
// std::out_of_range. The items' texts share one block of characters, so a
// list of a million tokens takes some fourteen megabytes, and appending costs
// O(1) (storage grows geometrically). Ranks are kept in 32 bits.
class clsPolish {
public:
    long ElementCount() const { return static_cast<long>(items_.size()); }
    void Clear();
    // Inserts at Index (0 .. ElementCount; ElementCount appends); the items
    // from Index on move up by one.
    void Push(long Index, long Rank, std::string_view Data);
    // Removes Num items from Index on; Index + Num must not pass the count.
    void Kill(long Index, long Num);
    long GetRank(long Index) const { return at(Index).rank; }
    // The item's text, valid until the list is next changed.
    std::string_view GetData(long Index) const {
        const Item& item = at(Index);
        return std::string_view(text_.data() + item.offset, item.length);
    }

    // Appends at the end (Push at ElementCount).
    void Append(long Rank, std::string_view Data);
    // Room for this many more items and characters of text.
    void Reserve(std::size_t items, std::size_t chars);
    // The characters of the texts of items from..to (checked like a slice).
    std::size_t TextLength(long from, long to) const;

    bool operator==(const clsPolish& other) const;

private:
    struct Item {
        std::uint32_t offset = 0;  // of the text in text_
        std::uint32_t length = 0;
        std::int32_t rank = 0;     // ranks beyond 32 bits are kept as the nearest that fits
    };
    const Item& at(long index) const;
    std::vector<Item> items_;
    std::string text_;  // the texts of the items, each once; removal leaves its text behind
};

// A new list of the items from index `from` to index `to`, inclusive; empty
// when from > to. Otherwise both must be indexes of the list (out_of_range).
clsPolish SlicePolish(const clsPolish& list, long from, long to);
// Appends the items from..to of `list` to `out` (the same rules).
void AppendSlice(clsPolish& out, const clsPolish& list, long from, long to);

// A new list holding the items of the given lists, one after the other.
template <class... Lists>
clsPolish ConcatPolish(const Lists&... lists) {
    clsPolish out;
    out.Reserve((static_cast<std::size_t>(lists.ElementCount()) + ... + 0),
                (lists.TextLength(0, lists.ElementCount() - 1) + ... + 0));
    (AppendSlice(out, lists, 0, lists.ElementCount() - 1), ...);
    return out;
}

// One operand of the operator or function at opIndex: which = 1 the operand
// that ends just before it (the right operand, or a function's argument), any
// other value the operand before that one (the left operand). A list in which
// the operand would begin before index 0 throws std::out_of_range.
clsPolish GetOperandPolish(const clsPolish& list, long opIndex, long which);

}  // namespace formula
