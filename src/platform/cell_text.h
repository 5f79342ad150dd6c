#pragma once
// What a grid cell may hold: UTF-8 text without NUL characters, at most
// 32,767 characters long, as common spreadsheets allow. Typing, pasting and
// loading check every text against it, so whatever the grid holds can be
// saved and loaded back, and no cell is too long to show.
// Plain C++ (no Qt).
#include <string>
#include <string_view>

namespace platform {

inline constexpr long kMaxCellChars = 32767;

enum class CellTextFault { None, TooLong, NotText };

// The fault of a text, None when a cell may hold it.
CellTextFault CheckCellText(std::string_view text);
// True when text is well-formed UTF-8 (no overlong forms, surrogates or
// values beyond U+10FFFF) without NUL characters.
bool IsUtf8Text(std::string_view text);

// "The text of row 3, column 2 has more than 32,767 characters." and the
// like; "" for None.
std::string CellTextMessage(CellTextFault fault, long row, long col);
// A whole number with its thousands grouped by ",": 4465 -> "4,465".
std::string GroupThousands(long long n);

}  // namespace platform
