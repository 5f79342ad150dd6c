#pragma once
// Reading a fit report back: its lines, and the number of a labelled line.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

// The report split at CR LF (a last line without one is kept).
inline std::vector<std::string> reportLines(const std::string& report) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < report.size()) {
        const std::size_t end = report.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(report.substr(at));
            break;
        }
        lines.push_back(report.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// A line TAB label TAB number: the label must match exactly; the number is
// returned (NaN when the line is not of that form).
inline double labelledNumber(const std::string& line, const std::string& label) {
    const std::string head = "\t" + label + "\t";
    if (line.rfind(head, 0) != 0) {
        ADD_FAILURE() << "expected \"" << head << "\" at the start of \"" << line << "\"";
        return std::nan("");
    }
    const std::string number = line.substr(head.size());
    if (number.empty() || number.find_first_not_of("0123456789.E+-") != std::string::npos) {
        ADD_FAILURE() << "not a number text: \"" << number << "\"";
        return std::nan("");
    }
    double v = std::nan("");
    std::from_chars(number.data(), number.data() + number.size(), v);
    return v;
}
