#include "platform/cell_text.h"

namespace platform {
namespace {

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

bool IsUtf8Text(std::string_view s) {
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == 0) return false;
        if (c < 0x80) {
            ++i;
            continue;
        }
        // The second byte's range rules out overlong forms, surrogates and
        // values beyond U+10FFFF.
        int len = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (n - i < static_cast<std::size_t>(len)) return false;
        const auto second = static_cast<unsigned char>(s[i + 1]);
        if (second < lo || second > hi) return false;
        for (int k = 2; k < len; ++k)
            if (!continuation(static_cast<unsigned char>(s[i + k]))) return false;
        i += static_cast<std::size_t>(len);
    }
    return true;
}

CellTextFault CheckCellText(std::string_view text) {
    // A character takes at most four bytes: a short text needs no count.
    if (text.size() > static_cast<std::size_t>(kMaxCellChars)) {
        std::size_t chars = 0;
        for (char c : text) chars += !continuation(static_cast<unsigned char>(c));
        if (chars > static_cast<std::size_t>(kMaxCellChars)) return CellTextFault::TooLong;
    }
    return IsUtf8Text(text) ? CellTextFault::None : CellTextFault::NotText;
}

std::string CellTextMessage(CellTextFault fault, long row, long col) {
    const std::string where = "The text of row " + std::to_string(row) + ", column " + std::to_string(col);
    switch (fault) {
        case CellTextFault::None: return {};
        case CellTextFault::TooLong:
            return where + " has more than " + GroupThousands(kMaxCellChars) + " characters.";
        case CellTextFault::NotText: return where + " is not UTF-8 text.";
    }
    return {};
}

std::string GroupThousands(long long n) {
    std::string digits = std::to_string(n < 0 ? -(n + 1) + 1ULL : static_cast<unsigned long long>(n));
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return n < 0 ? "-" + out : out;
}

}  // namespace platform
