#include "platform/cel_format.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/atomic_file.h"

namespace platform {
namespace {

constexpr std::string_view kMagic = "TRELVANE-CEL 1";

// Appends text with backslash, tab, carriage return and line feed escaped,
// copying the runs between them whole.
void appendEscaped(std::string& out, std::string_view text) {
    auto special = [](char ch) { return ch == '\\' || ch == '\t' || ch == '\r' || ch == '\n'; };
    const char* run = text.data();
    const char* const end = run + text.size();
    for (const char* p = run; p != end; ++p) {
        if (!special(*p)) continue;
        out.append(run, p);
        out += '\\';
        out += *p == '\t' ? 't' : *p == '\r' ? 'r' : *p == '\n' ? 'n' : '\\';
        run = p + 1;
    }
    out.append(run, end);
}

void appendNumber(std::string& out, long v) {
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
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

// Closes a descriptor however the read ends.
struct FileCloser {
    int fd;
    ~FileCloser() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

CelReader::CelReader(std::string fileName) : fileName_(std::move(fileName)) {}

bool CelReader::bad(const std::string& why) {
    error_ = "The file " + fileName_ + " is not a grid file (line " + std::to_string(lineNo_) + ": " + why + ").";
    return false;
}

bool CelReader::Line(std::string_view line) {
    ++lineNo_;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // edited on Windows
    if (lineNo_ == 1) {
        if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);  // a byte-order mark some editors add
        return line == kMagic || bad("it does not start with \"TRELVANE-CEL 1\"");
    }
    if (lineNo_ == 2) {
        const auto sp = line.find(' ');
        long rows = 0, cols = 0;
        if (sp == std::string_view::npos || !readLong(line.substr(0, sp), 1, SparseGrid::kMaxSize, rows) ||
            !readLong(line.substr(sp + 1), 1, SparseGrid::kMaxSize, cols))
            return bad("expected the numbers of rows and columns, each 1 to 65536");
        grid_.SetRows(rows);
        grid_.SetCols(cols);
        return true;
    }
    return line.empty() || cellLine(line);
}

bool CelReader::cellLine(std::string_view line) {
    const auto t1 = line.find('\t');
    const auto t2 = t1 == std::string_view::npos ? t1 : line.find('\t', t1 + 1);
    if (t2 == std::string_view::npos) return bad("expected a row, a column and a text separated by tabs");
    long row = 0, col = 0;
    if (!readLong(line.substr(0, t1), 0, grid_.Rows() - 1, row) ||
        !readLong(line.substr(t1 + 1, t2 - t1 - 1), 0, grid_.Cols() - 1, col))
        return bad("the cell lies outside the grid of " + std::to_string(grid_.Rows()) + " rows and " +
                   std::to_string(grid_.Cols()) + " columns");
    const auto where = [&] { return "row " + std::to_string(row) + ", column " + std::to_string(col); };
    const std::string_view raw = line.substr(t2 + 1);
    // A line this long cannot hold a text a cell may take.
    if (line.size() > kMaxLineBytes)
        return bad("the text of " + where() + " has more than " + GroupThousands(kMaxCellChars) + " characters");
    std::string text;
    if (!unescape(raw, text)) return bad("a backslash must be followed by \\, t, r or n");
    switch (CheckCellText(text)) {
        case CellTextFault::None: break;
        case CellTextFault::TooLong:
            return bad("the text of " + where() + " has more than " + GroupThousands(kMaxCellChars) + " characters");
        case CellTextFault::NotText: return bad("the text is not UTF-8");
    }
    if (text.empty()) return true;
    if (!grid_.Text(row, col).empty()) return bad(where() + " is given a second time");
    grid_.SetText(row, col, std::move(text));
    return true;
}

bool CelReader::Finish(std::string_view rest) {
    if (!rest.empty()) {
        // A line too long for any cell says so, as it does in the middle of a file.
        if (rest.size() > kMaxLineBytes) {
            Line(rest);
            return false;
        }
        error_ = "The file " + fileName_ + " ends in the middle of line " + std::to_string(lineNo_ + 1) +
                 ": it may have been cut short.";
        return false;
    }
    if (lineNo_ >= 2) return true;
    ++lineNo_;
    return bad(lineNo_ == 1 ? "the file is empty" : "the numbers of rows and columns are missing");
}

bool FormatCelPieces(const SparseGrid& grid, const std::function<bool(std::string_view)>& piece) {
    // Cells in row then column order: the order of their keys row << 32 | col.
    std::vector<std::pair<std::uint64_t, const std::string*>> cells;
    cells.reserve(grid.CellCount());
    grid.ForEachCell([&](long r, long c, const std::string& t) {
        cells.emplace_back(static_cast<std::uint64_t>(r) << 32 | static_cast<std::uint32_t>(c), &t);
    });
    std::sort(cells.begin(), cells.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string out;
    out.reserve(kCelPieceBytes + CelReader::kMaxLineBytes * 2);
    out += kMagic;
    out += '\n';
    appendNumber(out, grid.Rows());
    out += ' ';
    appendNumber(out, grid.Cols());
    out += '\n';
    for (const auto& [key, text] : cells) {
        appendNumber(out, static_cast<long>(key >> 32));
        out += '\t';
        appendNumber(out, static_cast<long>(key & 0xffffffffu));
        out += '\t';
        appendEscaped(out, *text);
        out += '\n';
        if (out.size() >= kCelPieceBytes) {
            if (!piece(out)) return false;
            out.clear();
        }
    }
    return out.empty() || piece(out);
}

std::string FormatCel(const SparseGrid& grid) {
    std::string all;
    FormatCelPieces(grid, [&](std::string_view text) {
        all += text;
        return true;
    });
    return all;
}

bool ParseCel(std::string_view text, const std::string& fileName, SparseGrid& out, std::string& error) {
    CelReader reader(fileName);
    std::size_t pos = 0;
    for (std::size_t end; (end = text.find('\n', pos)) != std::string_view::npos; pos = end + 1) {
        if (!reader.Line(text.substr(pos, end - pos))) {
            error = reader.Error();
            return false;
        }
    }
    if (!reader.Finish(text.substr(pos))) {
        error = reader.Error();
        return false;
    }
    out = std::move(reader.Grid());
    return true;
}

bool WriteCelFile(const std::string& path, const SparseGrid& grid, std::string& error,
                  const std::function<void()>& afterPiece) {
    if (IsReadOnlyFile(path)) {
        error = path + " is read-only.";
        return false;
    }
    AtomicFileWriter file(path);
    const bool written = file.Ok() && FormatCelPieces(grid, [&](std::string_view piece) {
                             if (!file.Write(piece)) return false;
                             if (afterPiece) afterPiece();
                             return true;
                         });
    if (written && file.Commit()) return true;
    error = "Cannot save the file " + path + ": " + file.Reason() + ".";
    return false;
}

bool ReadCelFile(const std::string& path, SparseGrid& out, std::string& error,
                 const std::function<void()>& afterPiece) {
    // Opening does not wait on a pipe; what is opened is checked before any
    // read, so nothing can swap a pipe in between.
    FileCloser file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0) {
        error = "Cannot open the file " + path + ": " + std::strerror(errno) + ".";
        return false;
    }
    struct stat st {};
    if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = "Cannot open the file " + path + ": it is not a regular file.";
        return false;
    }
    ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);

    CelReader reader(path);
    std::vector<char> buffer(1 << 20);
    std::string pending;  // the start of a line that goes on in the next piece
    auto fail = [&] {
        error = reader.Error();
        return false;
    };
    while (true) {
        const ssize_t n = ::read(file.fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = "Cannot read the file " + path + ": " + std::strerror(errno) + ".";
            return false;
        }
        if (n == 0) break;
        std::string_view piece(buffer.data(), static_cast<std::size_t>(n));
        for (std::size_t end; (end = piece.find('\n')) != std::string_view::npos; piece.remove_prefix(end + 1)) {
            bool ok;
            if (pending.empty()) {
                ok = reader.Line(piece.substr(0, end));
            } else {
                pending.append(piece.substr(0, std::min(end, CelReader::kMaxLineBytes + 1)));
                ok = reader.Line(pending);
                pending.clear();
            }
            if (!ok) return fail();
        }
        // An endless line is refused as soon as it is too long for any cell.
        pending.append(piece.substr(0, std::min(piece.size(), CelReader::kMaxLineBytes + 1)));
        if (pending.size() > CelReader::kMaxLineBytes) {
            reader.Line(pending);
            return fail();
        }
        if (afterPiece) afterPiece();
    }
    if (!reader.Finish(pending)) return fail();
    out = std::move(reader.Grid());
    return true;
}

}  // namespace platform
