#pragma once
// Token lists written plainly in tests: "x 1 +" with the ranks the converter
// gives each token, or "a(5) 0(5) x(5) -(2) -(1)" with the ranks spelled out.
#include <sstream>
#include <string>

#include "formula/polish.h"

namespace polish_test {

// The rank a token of this text has in a converted list (a "-" is 1).
inline long rankOf(const std::string& token) {
    if (token == "+" || token == "-") return formula::kRankAdd;
    if (token == "*" || token == "/") return formula::kRankMul;
    if (token == "^") return formula::kRankPow;
    const char c = token[0];
    const bool number = (c >= '0' && c <= '9') || c == '.' || (c == '-' && token.size() > 1);
    if (number || token.size() == 1) return formula::kRankOperand;
    return formula::kRankFunction;
}

// Blank-separated tokens; "text(r)" gives the rank r explicitly.
inline formula::clsPolish list(const std::string& tokens) {
    formula::clsPolish out;
    std::istringstream in(tokens);
    for (std::string t; in >> t;) {
        const std::size_t open = t.rfind('(');
        if (t.size() > 3 && open != std::string::npos && open > 0 && t.back() == ')') {
            out.Append(std::stol(t.substr(open + 1)), t.substr(0, open));
        } else {
            out.Append(rankOf(t), t);
        }
    }
    return out;
}

inline std::string tokens(const formula::clsPolish& l) {
    std::string s;
    for (long k = 0; k < l.ElementCount(); ++k) s += (s.empty() ? "" : " ") + std::string(l.GetData(k));
    return s;
}

inline std::string ranks(const formula::clsPolish& l) {
    std::string s;
    for (long k = 0; k < l.ElementCount(); ++k) s += (s.empty() ? "" : " ") + std::to_string(l.GetRank(k));
    return s;
}

}  // namespace polish_test
