// Random and mutated input for the grid's two readers of outside text: the
// *.cel file reader and the grid number reader. Neither may crash (the
// sanitizer build runs this), a refused file leaves the grid as it was with a
// message naming the file and the line, and an accepted file holds only what
// a cell may hold, so it saves and loads back unchanged.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/dialog_kit/grid_number.h"
#include "platform/cel_format.h"
#include "platform/cell_text.h"
#include "platform/sparse_grid.h"

using platform::SparseGrid;

namespace {

const std::string kFile = "fuzz.cel";

// Bytes a hostile file is made of: text, digits, the format's own marks, and
// byte sequences that are not UTF-8 text (NUL, overlong forms, surrogates,
// values beyond U+10FFFF, stray continuation bytes).
const std::vector<std::string> kPieces = {
    "\t", "\n", "\r", "\\", "\\t", "\\n", "\\x", " ", "0", "1", "9", "65535", "65536", "-1", "999999999",
    "1e5", "x", "\xC3\xA9", "\xE6\xB8\xA9", "\xF0\x9F\x98\x80", std::string(1, '\0'), "\xC0\xAF", "\xC1\xBF",
    "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\x80", "\xBF", "\xFF",
    "\xEF\xBB\xBF", "TRELVANE-CEL 1"};

const std::vector<std::string> kHeaders = {"1 1", "2 2", "65536 65536", "65537 2", "0 0", "3", "3 3 3",
                                           "99999999999 1", "-2 4", " 5 5", "5  5", "1001 11"};

std::string randomGridText(std::mt19937& random) {
    std::uniform_int_distribution<long> size(1, 40);
    SparseGrid g(size(random), size(random));
    std::uniform_int_distribution<int> count(0, 30);
    for (int n = count(random); n > 0; --n) {
        std::string text;
        for (int k = std::uniform_int_distribution<int>(1, 4)(random); k > 0; --k)
            text += kPieces[std::uniform_int_distribution<std::size_t>(0, 20)(random)];  // valid pieces only
        const long r = std::uniform_int_distribution<long>(0, g.Rows() - 1)(random);
        const long c = std::uniform_int_distribution<long>(0, g.Cols() - 1)(random);
        if (platform::CheckCellText(text) == platform::CellTextFault::None) g.SetText(r, c, text);
    }
    return platform::FormatCel(g);
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
    return text;
}

// One mutation of a file's text: bytes changed, put in or taken out, a line
// repeated (a duplicate cell) or dropped, the header replaced.
std::string mutate(std::string text, std::mt19937& random) {
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    switch (pick(6)) {
        case 0:
            if (!text.empty()) text[pick(text.size())] = static_cast<char>(pick(256));
            break;
        case 1: text.insert(pick(text.size() + 1), kPieces[pick(kPieces.size())]); break;
        case 2:
            if (!text.empty()) text.erase(pick(text.size()), pick(8) + 1);
            break;
        case 3: {
            auto lines = splitLines(text);
            lines.insert(lines.begin() + static_cast<long>(pick(lines.size() + 1)), lines[pick(lines.size())]);
            text = joinLines(lines);
            break;
        }
        case 4: {
            auto lines = splitLines(text);
            lines.erase(lines.begin() + static_cast<long>(pick(lines.size())));
            text = joinLines(lines);
            break;
        }
        default: {
            auto lines = splitLines(text);
            if (lines.size() > 1) lines[1] = kHeaders[pick(kHeaders.size())];
            text = joinLines(lines);
        }
    }
    return text;
}

SparseGrid sentinel() {
    SparseGrid g(7, 5);
    g.SetText(0, 1, "Var1");
    g.SetText(3, 2, "keep");
    return g;
}

// Reads text into a grid that holds the sentinel cells and checks what any
// reading must give. Returns whether the text was accepted.
bool readAndCheck(const std::string& text) {
    SparseGrid g = sentinel();
    const std::uint64_t before = g.Stamp();
    std::string error;
    if (!platform::ParseCel(text, kFile, g, error)) {
        EXPECT_EQ(g.Stamp(), before);
        EXPECT_EQ(g.Rows(), 7);
        EXPECT_EQ(g.Text(3, 2), "keep");
        // A text whose last line has no line end may also be refused as cut
        // short, naming that line.
        const std::string cut = "The file " + kFile + " ends in the middle of line " +
                                std::to_string(std::count(text.begin(), text.end(), '\n') + 1) +
                                ": it may have been cut short.";
        if (text.empty() || text.back() == '\n' || error != cut) {
            EXPECT_EQ(error.find("The file " + kFile + " is not a grid file (line "), 0u) << error;
        }
        return false;
    }
    bool fine = true;
    g.ForEachCell([&](long r, long c, const std::string& t) {
        fine = fine && r < g.Rows() && c < g.Cols() && !t.empty() &&
               platform::CheckCellText(t) == platform::CellTextFault::None;
    });
    EXPECT_TRUE(fine) << testing::PrintToString(text);
    // What was accepted saves and loads back as it is.
    SparseGrid back(1, 1);
    EXPECT_TRUE(platform::ParseCel(platform::FormatCel(g), kFile, back, error)) << error;
    EXPECT_EQ(platform::FormatCel(back), platform::FormatCel(g));
    return true;
}

}  // namespace

TEST(GridFuzz, MutatedAndRandomCelFilesNeverCrashAndRefuseCleanly) {
    std::mt19937 random(24);
    int accepted = 0, refused = 0;
    for (int n = 0; n < 4000; ++n) {
        std::string text = randomGridText(random);
        const int mutations = std::uniform_int_distribution<int>(0, 4)(random);
        for (int m = 0; m < mutations; ++m) text = mutate(text, random);
        (readAndCheck(text) ? accepted : refused)++;
        ASSERT_FALSE(testing::Test::HasFailure()) << testing::PrintToString(text);
    }
    for (int n = 0; n < 2000; ++n) {
        std::string text = n % 2 ? "TRELVANE-CEL 1\n" : "";
        for (int k = std::uniform_int_distribution<int>(0, 60)(random); k > 0; --k)
            text += kPieces[std::uniform_int_distribution<std::size_t>(0, kPieces.size() - 1)(random)];
        (readAndCheck(text) ? accepted : refused)++;
        ASSERT_FALSE(testing::Test::HasFailure()) << testing::PrintToString(text);
    }
    // Both outcomes were met often: the mutations are neither all fatal nor all harmless.
    EXPECT_GT(accepted, 500);
    EXPECT_GT(refused, 1500);
}

TEST(GridFuzz, EachKindOfHostileFileGetsItsOwnMessage) {
    const std::string head = "TRELVANE-CEL 1\n5 5\n";
    const std::string tooLong(platform::kMaxCellChars + 1, 'x');
    struct Case {
        std::string text, says;
    };
    const std::vector<Case> cases = {
        {head + "1\t1\tok\xC0\xAF\n", "line 3: the text is not UTF-8"},           // overlong "/"
        {head + "1\t1\t\xE0\x80\x80\n", "line 3: the text is not UTF-8"},         // overlong NUL
        {head + "1\t1\ta" + std::string(1, '\0') + "b\n", "line 3: the text is not UTF-8"},
        {head + "1\t1\t\xED\xA0\x80\n", "line 3: the text is not UTF-8"},         // a surrogate
        {head + "1\t1\t\xF4\x90\x80\x80\n", "line 3: the text is not UTF-8"},     // beyond U+10FFFF
        {head + "1\t1\ta\n2\t2\tb\n1\t1\tc\n", "line 5: row 1, column 1 is given a second time"},
        {"TRELVANE-CEL 1\n1 1\n1\t1\tx\n", "line 3: the cell lies outside the grid of 1 rows and 1 columns"},
        {"TRELVANE-CEL 1\n99999999999 1\n", "line 2: expected the numbers of rows and columns"},
        {"TRELVANE-CEL 1\n65537 1\n", "line 2: expected the numbers of rows and columns"},
        {head + "4\t4\t" + tooLong + "\n", "line 3: the text of row 4, column 4 has more than 32,767 characters"},
        {head + "4\t4\t" + std::string(200000, 'y'), "line 3: the text of row 4, column 4 has more than 32,767"},
    };
    for (const auto& k : cases) {
        SparseGrid g = sentinel();
        std::string error;
        EXPECT_FALSE(platform::ParseCel(k.text, kFile, g, error)) << k.says;
        EXPECT_NE(error.find(k.says), std::string::npos) << error;
        EXPECT_EQ(g.Text(3, 2), "keep");
    }
    // The largest text a cell may hold, in characters of up to four bytes,
    // and a grid of just the corner cell, are files like any other.
    SparseGrid g = sentinel();
    std::string error;
    std::string widest;
    for (long i = 0; i < platform::kMaxCellChars; ++i) widest += "\xF0\x9F\x98\x80";
    ASSERT_TRUE(platform::ParseCel(head + "4\t4\t" + widest + "\n", kFile, g, error)) << error;
    EXPECT_EQ(g.Text(4, 4), widest);
    ASSERT_TRUE(platform::ParseCel("TRELVANE-CEL 1\n1 1\n0\t0\tcorner\n", kFile, g, error)) << error;
    EXPECT_EQ(g.Text(0, 0), "corner");
}

// The file reader reads in pieces: lines that cross a piece's end, and a file
// of one endless line, read as the whole text does.
TEST(GridFuzz, TheFileReaderReadsAsTheWholeTextDoes) {
    const auto dir = std::filesystem::temp_directory_path() / ("trelvane_fuzz_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "big.cel").string();
    std::mt19937 random(7);
    SparseGrid g(5000, 20);
    for (long r = 1; r < 5000; ++r)
        for (long c = 1; c < 20; ++c) g.SetText(r, c, std::string(std::uniform_int_distribution<int>(1, 40)(random), 'a' + c));
    const std::string text = platform::FormatCel(g);  // more than one piece of 1 MiB
    ASSERT_GT(text.size(), 2u << 20);
    std::ofstream(path, std::ios::binary) << text;
    SparseGrid back(1, 1);
    std::string error;
    ASSERT_TRUE(back.LoadCel(path, error)) << error;
    EXPECT_EQ(platform::FormatCel(back), text);

    // The same file cut anywhere, in the first piece, across a piece's end or
    // further on: refused as cut, naming the line, unless the cut fell just
    // after a line end.
    for (std::size_t size : {std::size_t{5000}, std::size_t{1} << 20, (std::size_t{1} << 20) + 1, text.size() / 2,
                             text.size() - 1, text.rfind('\n', text.size() / 3) + 1}) {
        std::filesystem::resize_file(path, size);
        const std::string head = text.substr(0, size);
        SparseGrid kept = sentinel(), parsed = sentinel();
        const bool whole = head.back() == '\n';
        std::string fromText;
        error.clear();
        EXPECT_EQ(kept.LoadCel(path, error), whole) << size;
        EXPECT_EQ(platform::ParseCel(head, path, parsed, fromText), whole) << size;
        EXPECT_EQ(fromText, error);
        if (whole) {
            EXPECT_EQ(platform::FormatCel(kept), platform::FormatCel(parsed));
        } else {
            EXPECT_EQ(error, "The file " + path + " ends in the middle of line " +
                                 std::to_string(std::count(head.begin(), head.end(), '\n') + 1) +
                                 ": it may have been cut short.");
            EXPECT_EQ(kept.Text(3, 2), "keep");
        }
        std::ofstream(path, std::ios::binary) << text;
    }

    std::ofstream(path, std::ios::binary) << "TRELVANE-CEL 1\n5 5\n1\t1\t" << std::string(30u << 20, 'z');
    SparseGrid kept = sentinel();
    EXPECT_FALSE(kept.LoadCel(path, error));
    EXPECT_NE(error.find("line 3: the text of row 1, column 1 has more than 32,767 characters"), std::string::npos)
        << error.substr(0, 200);
    EXPECT_EQ(kept.Text(3, 2), "keep");
    std::filesystem::remove_all(dir);
}

TEST(GridFuzz, RandomNumberTextsReadAsTheCLibraryReadsThemOrNotAtAll) {
    std::mt19937 random(99);
    const std::string alphabet = "0123456789000+-.,eEdD &hHoOx\t";
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    int accepted = 0;
    for (int n = 0; n < 300000; ++n) {
        std::string text;
        const std::size_t length = n % 100 == 0 ? 400 : pick(24);
        for (std::size_t k = 0; k < length; ++k)
            text += n % 7 == 0 ? static_cast<char>(pick(256)) : alphabet[pick(alphabet.size())];
        if (n % 50 == 0) text += "e" + std::string(pick(3), '-') + std::string(pick(25) + 1, '9');
        double v = 0;
        if (!ParseGridNumber(text, v)) continue;
        ++accepted;
        ASSERT_TRUE(std::isfinite(v)) << text;
        // The same number in the C library's spelling: trimmed, "." and "e".
        std::string plain;
        for (char c : text) {
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
            plain += c == ',' ? '.' : (c == 'd' || c == 'D') ? 'e' : c;
        }
        if (plain[0] == '&') continue;  // hexadecimal and octal: not the C library's spelling
        char* end = nullptr;
        const double want = std::strtod(plain.c_str(), &end);
        ASSERT_EQ(*end, '\0') << text;
        ASSERT_EQ(v, want) << text;
    }
    EXPECT_GT(accepted, 10000);
}
