#include "platform/cel_format.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/atomic_file.h"
#include "platform/sparse_grid.h"

namespace platform {
namespace {

constexpr std::string_view kMagic = "TRELVANE-CEL 1";

void appendEscaped(std::string& out, const std::string& text) {
    for (char ch : text) {
        switch (ch) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default: out += ch;
        }
    }
}

bool unescape(std::string_view in, std::string& out) {
    if (in.find('\\') == std::string_view::npos) {
        out.assign(in);
        return true;
    }
    out.clear();
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        char ch = in[i];
        if (ch != '\\') {
            out += ch;
            continue;
        }
        if (++i == in.size()) return false;
        switch (in[i]) {
            case '\\': out += '\\'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'n': out += '\n'; break;
            default: return false;
        }
    }
    return true;
}

// A decimal number of digits only, within [lo, hi].
bool readLong(std::string_view s, long lo, long hi, long& v) {
    if (s.empty() || s.size() > 9 || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v >= lo && v <= hi;
}

bool validUtf8(std::string_view s) {
    std::size_t i = 0, n = s.size();
    while (i < n) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) { ++i; continue; }
        int len = (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xe ? 3 : (c >> 3) == 0x1e ? 4 : 0;
        if (len == 0 || i + len > n) return false;
        for (int k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return false;
        i += len;
    }
    return true;
}

}  // namespace

std::string FormatCel(const SparseGrid& grid) {
    std::vector<std::pair<std::pair<long, long>, const std::string*>> cells;
    cells.reserve(grid.CellCount());
    grid.ForEachCell([&](long r, long c, const std::string& t) { cells.push_back({{r, c}, &t}); });
    std::sort(cells.begin(), cells.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string out;
    out.reserve(32 + cells.size() * 24);
    out += kMagic;
    out += '\n';
    out += std::to_string(grid.Rows()) + ' ' + std::to_string(grid.Cols()) + '\n';
    for (const auto& [rc, text] : cells) {
        out += std::to_string(rc.first);
        out += '\t';
        out += std::to_string(rc.second);
        out += '\t';
        appendEscaped(out, *text);
        out += '\n';
    }
    return out;
}

bool ParseCel(std::string_view text, const std::string& fileName, CelContents& out, std::string& error) {
    CelContents read;
    long lineNo = 0;
    auto bad = [&](const std::string& why) {
        error = "The file " + fileName + " is not a grid file (line " + std::to_string(lineNo) + ": " + why + ").";
        return false;
    };
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte-order mark some editors add
    read.cells.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // edited on Windows
        if (lineNo == 1) {
            if (line != kMagic) return bad("it does not start with \"TRELVANE-CEL 1\"");
            continue;
        }
        if (lineNo == 2) {
            auto sp = line.find(' ');
            if (sp == std::string_view::npos || !readLong(line.substr(0, sp), 1, SparseGrid::kMaxSize, read.rows) ||
                !readLong(line.substr(sp + 1), 1, SparseGrid::kMaxSize, read.cols))
                return bad("expected the numbers of rows and columns, each 1 to 65536");
            continue;
        }
        if (line.empty()) continue;
        auto t1 = line.find('\t');
        auto t2 = t1 == std::string_view::npos ? t1 : line.find('\t', t1 + 1);
        if (t2 == std::string_view::npos) return bad("expected a row, a column and a text separated by tabs");
        CelCell cell;
        if (!readLong(line.substr(0, t1), 0, read.rows - 1, cell.row) ||
            !readLong(line.substr(t1 + 1, t2 - t1 - 1), 0, read.cols - 1, cell.col))
            return bad("the cell lies outside the grid of " + std::to_string(read.rows) + " rows and " +
                       std::to_string(read.cols) + " columns");
        std::string_view raw = line.substr(t2 + 1);
        if (!validUtf8(raw)) return bad("the text is not UTF-8");
        if (!unescape(raw, cell.text)) return bad("a backslash must be followed by \\, t, r or n");
        if (!cell.text.empty()) read.cells.push_back(std::move(cell));
    }
    if (lineNo < 2) {
        lineNo = lineNo + 1;
        return bad(lineNo == 1 ? "the file is empty" : "the numbers of rows and columns are missing");
    }
    out = std::move(read);
    return true;
}

bool WriteCelFile(const std::string& path, const SparseGrid& grid, std::string& error) {
    std::string reason;
    if (WriteFileAtomically(path, FormatCel(grid), reason)) return true;
    error = "Cannot save the file " + path + ": " + reason + ".";
    return false;
}

bool ReadCelFile(const std::string& path, CelContents& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Cannot open the file " + path + ": " + std::strerror(errno) + ".";
        return false;
    }
    std::string text;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        error = "Cannot read the file " + path + ": " + ec.message() + ".";
        return false;
    }
    text.resize(size);
    in.read(text.data(), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) {
        error = "Cannot read the file " + path + ".";
        return false;
    }
    return ParseCel(text, path, out, error);
}

}  // namespace platform
