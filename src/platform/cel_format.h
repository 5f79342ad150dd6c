#pragma once
// The grid's *.cel file: UTF-8 text,
//   line 1  "TRELVANE-CEL 1"
//   line 2  "<rows> <cols>"
//   then one line per non-empty cell "<row>\t<col>\t<text>", with backslash,
//   tab, carriage return and line feed in the text written \\ \t \r \n.
// A file is read into a grid of its own and checked whole before the grid it
// replaces changes; every refusal names the file and the line.
#include <functional>
#include <string>
#include <string_view>

#include "platform/cell_text.h"
#include "platform/sparse_grid.h"

namespace platform {

// Reads a file's lines, one at a time, into a grid of its own.
class CelReader {
public:
    explicit CelReader(std::string fileName);

    // One line without its line end ("\r" before it is dropped). False, with
    // Error() set, when the line is at fault; nothing more may be read then.
    bool Line(std::string_view line);
    // After the last line end: `rest` is what follows it, empty in a whole
    // file, since every line of one ends with a line feed; a last line
    // without one was cut. False when the file ended before its grid size or
    // in the middle of a line.
    bool Finish(std::string_view rest = {});
    const std::string& Error() const { return error_; }
    // The grid read, once Finish() has accepted the file.
    SparseGrid& Grid() { return grid_; }

    // No line of a file that a grid can hold is longer than this: a cell's
    // text has at most four bytes for each of its characters.
    static constexpr std::size_t kMaxLineBytes = 4 * kMaxCellChars + 32;

private:
    bool bad(const std::string& why);
    bool cellLine(std::string_view line);

    std::string fileName_, error_;
    long lineNo_ = 0;
    SparseGrid grid_{1, 1};
};

// The file's text for a grid, cells in row then column order, handed to
// `piece` in pieces of about kCelPieceBytes; a false from it stops the text.
// False when stopped.
inline constexpr std::size_t kCelPieceBytes = 1 << 20;
bool FormatCelPieces(const SparseGrid& grid, const std::function<bool(std::string_view)>& piece);
// The whole text at once.
std::string FormatCel(const SparseGrid& grid);
// Reads and checks a whole text; `out` changes only when the text is accepted.
bool ParseCel(std::string_view text, const std::string& fileName, SparseGrid& out, std::string& error);

// Writes the text as it is made, one piece at a time, never holding all of it;
// afterPiece, when given, runs after every piece, as for ReadCelFile. A
// read-only file is refused ("<path> is read-only.").
bool WriteCelFile(const std::string& path, const SparseGrid& grid, std::string& error,
                  const std::function<void()>& afterPiece = {});
// Reads a regular file only (a pipe, device or folder is refused before any
// reading, so nothing waits on it), in pieces, never holding the whole text.
// afterPiece, when given, runs after every piece of 1 MiB: the window uses it
// to go on answering while a large file loads.
bool ReadCelFile(const std::string& path, SparseGrid& out, std::string& error,
                 const std::function<void()>& afterPiece = {});

}  // namespace platform
