#include "formula/text_routines.h"

#include <string_view>

namespace formula {

namespace {
bool in(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Takes characters from the front of `text` while `take` accepts them
// (appending what it gives to `out`); stops at the first refused one.
// Returns whether the whole text was taken.
template <class Take>
bool consume(std::string& text, Take take) {
    std::size_t k = 0;
    for (; k < text.size(); ++k) {
        if (!take(text[k])) break;
    }
    text.erase(0, k);
    return text.empty();
}
}  // namespace

std::string InsertImplicitMultiply(const std::string& text) {
    if (text.empty()) return text;
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const char cur = text[i];
        const char next = text[i + 1];
        out += cur;
        const bool operandBeforeName = in(cur, "1234567890)") && (in(next, kLetters) || next == '(');
        const bool letterBeforeNumber = in(cur, "abnrtxyziABNRTXYZI") && in(next, "1234567890.,(") &&
                                        (i == 0 || in(text[i - 1], "1234567890+-*/^()pP"));
        const bool groupBeforeNumber = cur == ')' && in(next, "1234567890.,");
        if (operandBeforeName || letterBeforeNumber || groupBeforeNumber) out += '*';
    }
    out += text.back();
    return out;
}

bool ReadNumberField(std::string& text, std::string& number) {
    number.clear();
    const bool emptyField = text.empty() || text == " ";
    bool taken = false;
    const bool all = consume(text, [&](char c) {
        if (in(c, "-1234567890Ee.")) {
            number += c;
        } else if (c == ',') {
            number += '.';
        } else if (c != ' ') {
            return false;
        }
        taken = true;
        return true;
    });
    if (!all) return false;
    if (emptyField) {
        number.assign(1, '0');  // (assigning the literal trips a false -Wrestrict in GCC 12)
        return true;
    }
    return taken;
}

std::string KeepExpressionChars(std::string& text) {
    std::string out;
    const bool all = consume(text, [&](char c) {
        if (in(c, "-1234567890.+*/^()") || in(c, kLetters)) {
            out += c;
        } else if (c == ',') {
            out += '.';
        } else if (c != ' ') {
            return false;
        }
        return true;
    });
    return all ? out : std::string();
}

std::string FoldSignPairs(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (i + 1 < text.size() && text[i + 1] == '-' && (text[i] == '+' || text[i] == '-')) {
            out += text[i] == '+' ? '-' : '+';
            i += 2;
        } else {
            out += text[i++];
        }
    }
    return out;
}

}  // namespace formula
