#pragma once
// Random edits of a text for the fuzz tests: one to three characters
// inserted, removed or replaced. pick(n) draws a whole number 0 .. n-1.
#include <string>

namespace fuzz {

template <class Pick>
std::string mutateText(std::string s, Pick&& pick) {
    const int edits = 1 + pick(3);
    for (int k = 0; k < edits; ++k) {
        const std::size_t at = s.empty() ? 0 : static_cast<std::size_t>(pick(static_cast<int>(s.size())));
        const char c = static_cast<char>(pick(256));
        switch (pick(3)) {
        case 0: s.insert(s.begin() + static_cast<long>(at), c); break;
        case 1: if (!s.empty()) s.erase(at, 1); break;
        default: if (!s.empty()) s[at] = c; break;
        }
    }
    return s;
}

}  // namespace fuzz
