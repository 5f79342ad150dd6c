#include "fitting/common/parameter_entry.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool lessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lowerAscii(x) < lowerAscii(y); });
}

std::string letterText(int index) { return std::string(1, static_cast<char>('a' + index)); }

}  // namespace

std::string MakeParameterEntry(std::string_view name, std::string_view value) {
    return std::string(name) + "(" + std::string(value) + ")";
}

std::string ParameterEntryName(std::string_view entry) { return std::string(entry.substr(0, 1)); }

std::string ParameterEntryValue(std::string_view entry) {
    return entry.size() < 3 ? std::string() : std::string(entry.substr(2, entry.size() - 3));
}

std::size_t SortedEntryPosition(const std::vector<std::string>& list, std::string_view entry) {
    std::size_t k = 0;
    while (k < list.size() && !lessIgnoringCase(entry, list[k])) ++k;
    return k;
}

bool ParameterNameTaken(const std::vector<std::string>& list, std::string_view name) {
    return std::any_of(list.begin(), list.end(),
                       [name](const std::string& e) { return ParameterEntryName(e) == name; });
}

bool ReadStartingValue(std::string_view text, double& value) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return false;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    std::string s(text);
    if (s.front() == '+') s.erase(0, 1);
    std::replace(s.begin(), s.end(), ',', '.');
    // Only the characters of a decimal number: from_chars would also take "inf" and "nan".
    if (s.empty() || s.find_first_not_of("0123456789.eE+-") != std::string::npos) return false;
    double v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

std::string ReadParameterEntries(const std::vector<std::string>& entries,
                                 std::vector<solver::ParameterStart>& parameters) {
    if (entries.empty()) return "Please enter the parameters and their starting values first.";
    if (entries.size() > 20) return "A model has at most 20 parameters (a to t).";
    std::vector<solver::ParameterStart> read;
    bool listed[20] = {};
    for (const std::string& e : entries) {
        const int k = e.size() >= 3 ? solver::parameterLetterIndex(e[0]) : -1;
        if (k < 0 || e[1] != '(' || e.back() != ')') return "The parameter names must be letters from a to t.";
        if (listed[k]) return "The parameter " + letterText(k) + " is listed twice.";
        listed[k] = true;
        double start = 0;
        if (!ReadStartingValue(ParameterEntryValue(e), start))
            return "The starting value of parameter " + letterText(k) + " is not a number.";
        read.push_back({e[0], start});
    }
    if (!std::all_of(listed, listed + read.size(), [](bool b) { return b; }))
        return "The parameters must be a, b, c, ... in the order of a to t, without a gap.";
    parameters = std::move(read);
    return {};
}
