#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "file_folder.h"
#include "platform/cel_format.h"
#include "platform/sparse_grid.h"

namespace fs = std::filesystem;
using platform::SparseGrid;

using CelFile = FileFolder;

TEST_F(CelFile, RoundTripKeepsEveryTextAndTheSize) {
    SparseGrid g(20, 7);
    const std::vector<std::tuple<long, long, std::string>> cells = {
        {0, 1, "Temperature \xC2\xB0" "C"}, {1, 1, "1,5"}, {2, 1, "a\tb"}, {3, 1, "line1\nline2\r\n"},
        {4, 6, "back\\slash \\t not a tab"}, {19, 6, "\xE6\xB8\xA9\xE5\xBA\xA6"}, {5, 0, "label"}};
    for (const auto& [r, c, t] : cells) g.SetText(r, c, t);
    std::string error;
    ASSERT_TRUE(g.SaveCel(path("a.cel"), error)) << error;
    SparseGrid back(3, 3);
    back.SetText(1, 1, "old");
    ASSERT_TRUE(back.LoadCel(path("a.cel"), error)) << error;
    EXPECT_EQ(back.Rows(), 20);
    EXPECT_EQ(back.Cols(), 7);
    EXPECT_EQ(back.CellCount(), cells.size());
    for (const auto& [r, c, t] : cells) EXPECT_EQ(back.Text(r, c), t);
}

TEST_F(CelFile, WritesTheDocumentedLayout) {
    SparseGrid g(3, 2);
    g.SetText(2, 1, "x\ty");
    g.SetText(0, 1, "Var1");
    EXPECT_EQ(platform::FormatCel(g), "TRELVANE-CEL 1\n3 2\n0\t1\tVar1\n2\t1\tx\\ty\n");
}

TEST_F(CelFile, MalformedFileLeavesTheGridAsItWas) {
    struct Case {
        std::string text;
        long line;
    };
    const std::vector<Case> cases = {
        {"", 1},
        {"TRELVANE-CEL 2\n3 3\n", 1},
        {"TRELVANE-CEL 1\n", 2},
        {"TRELVANE-CEL 1\n0 5\n", 2},
        {"TRELVANE-CEL 1\n3 70000\n", 2},
        {"TRELVANE-CEL 1\nthree 3\n", 2},
        {"TRELVANE-CEL 1\n3 3\n1\t1\tok\n1 1 no tabs\n", 4},
        {"TRELVANE-CEL 1\n3 3\n3\t1\tbeyond the last row\n", 3},
        {"TRELVANE-CEL 1\n3 3\n1\t-1\tnegative\n", 3},
        {"TRELVANE-CEL 1\n3 3\n1\t1\tbad \\x escape\n", 3},
        {"TRELVANE-CEL 1\n3 3\n1\t1\tends in \\\n", 3},
        {"TRELVANE-CEL 1\n3 3\n1\t1\t\xC3\x28 not utf-8\n", 3},
    };
    for (const auto& k : cases) {
        write(path("bad.cel"), k.text);
        SparseGrid g(5, 5);
        g.SetText(1, 1, "keep");
        g.SetText(0, 2, "Name");
        std::string error;
        EXPECT_FALSE(g.LoadCel(path("bad.cel"), error)) << k.text;
        EXPECT_NE(error.find(path("bad.cel")), std::string::npos) << error;
        EXPECT_NE(error.find("line " + std::to_string(k.line)), std::string::npos) << error;
        EXPECT_EQ(g.Rows(), 5);
        EXPECT_EQ(g.CellCount(), 2u);
        EXPECT_EQ(g.Text(1, 1), "keep");
    }
}

TEST_F(CelFile, AcceptsWindowsLineEnds) {
    write(path("crlf.cel"), "\xEF\xBB\xBFTRELVANE-CEL 1\r\n4 4\r\n1\t1\t2.5\r\n3\t3\tlast\r\n");
    SparseGrid g;
    std::string error;
    ASSERT_TRUE(g.LoadCel(path("crlf.cel"), error)) << error;
    EXPECT_EQ(g.Text(1, 1), "2.5");
    EXPECT_EQ(g.Text(3, 3), "last");
}

// Every line the writer makes ends with a line feed: a last line without one
// was cut (a number "31415" read as "31"), and the file is refused whole.
TEST_F(CelFile, AFileCutInTheMiddleOfALineIsRefused) {
    struct Case {
        std::string text;
        long line;
    };
    const std::vector<Case> cases = {
        {"TRELVANE-CEL 1\n5 5\n1\t1\tx\n2\t1\t2\n3\t1\t31", 5},
        {"TRELVANE-CEL 1\n5 5\n1\t1\tx\n2\t1\t", 4},
        {"TRELVANE-CEL 1\r\n5 5\r\n1\t1\tx\r", 3},  // cut between a carriage return and its line feed
        {"TRELVANE-CEL 1\n5 5", 2},
        {"TRELVANE-CEL 1", 1},
    };
    for (const auto& k : cases) {
        write(path("cut.cel"), k.text);
        const std::string says = "The file " + path("cut.cel") + " ends in the middle of line " +
                                 std::to_string(k.line) + ": it may have been cut short.";
        SparseGrid g(5, 5);
        g.SetText(1, 1, "keep");
        std::string error;
        EXPECT_FALSE(g.LoadCel(path("cut.cel"), error)) << k.text;
        EXPECT_EQ(error, says);
        EXPECT_EQ(g.CellCount(), 1u);
        EXPECT_EQ(g.Text(1, 1), "keep");
        SparseGrid parsed(5, 5);
        EXPECT_FALSE(platform::ParseCel(k.text, path("cut.cel"), parsed, error));
        EXPECT_EQ(error, says);
    }
}

TEST_F(CelFile, MissingFileAndUnwritableTargetGetClearMessages) {
    SparseGrid g;
    std::string error;
    EXPECT_FALSE(g.LoadCel(path("none.cel"), error));
    EXPECT_NE(error.find(path("none.cel")), std::string::npos);
    const std::string target = path("no such folder/x.cel");
    EXPECT_FALSE(g.SaveCel(target, error));
    EXPECT_NE(error.find(target), std::string::npos) << error;
}

TEST_F(CelFile, FailedSaveKeepsTheOldFile) {
    const std::string target = path("keep.cel");
    write(target, "TRELVANE-CEL 1\n2 2\n1\t1\told\n");
    SparseGrid big(1000, 100);
    for (long r = 1; r < 1000; ++r) big.SetText(r, 1, "a long enough cell text to pass the limit");
    // A file size limit makes the write fail part-way, as a full disk would.
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    std::string error;
    bool saved = big.SaveCel(target, error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_NE(error.find(target), std::string::npos) << error;
    EXPECT_EQ(read(target), "TRELVANE-CEL 1\n2 2\n1\t1\told\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);  // no temporary left
}

// A pipe would block the reading until another program wrote to it, a device
// could give endless data: only regular files are read, checked before any read.
TEST_F(CelFile, OnlyRegularFilesAreOpened) {
    const std::string fifo = path("pipe.cel");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(path("folder.cel"));
    write(path("real.cel"), "TRELVANE-CEL 1\n3 3\n1\t1\tvia a link\n");
    fs::create_symlink(path("real.cel"), path("link.cel"));
    for (const std::string& p : {fifo, path("folder.cel"), std::string("/dev/zero"), std::string("/dev/null")}) {
        SparseGrid g(5, 5);
        g.SetText(1, 1, "keep");
        std::string error;
        EXPECT_FALSE(g.LoadCel(p, error)) << p;
        EXPECT_EQ(error, "Cannot open the file " + p + ": it is not a regular file.");
        EXPECT_EQ(g.Text(1, 1), "keep");
    }
    SparseGrid g;
    std::string error;
    ASSERT_TRUE(g.LoadCel(path("link.cel"), error)) << error;  // a link to a regular file is read
    EXPECT_EQ(g.Text(1, 1), "via a link");
}

// A save replaces the file the user sees: its permissions stay, a symbolic
// link keeps pointing at it, and what is no regular file is never replaced.
TEST_F(CelFile, SavesKeepPermissionsAndWriteThroughLinks) {
    SparseGrid g(3, 3);
    g.SetText(1, 1, "new");
    const std::string saved = platform::FormatCel(g);
    std::string error;
    for (const auto mode : {fs::perms(0600), fs::perms(0640), fs::perms(0755)}) {
        write(path("mode.cel"), "old");
        fs::permissions(path("mode.cel"), mode);
        ASSERT_TRUE(g.SaveCel(path("mode.cel"), error)) << error;
        EXPECT_EQ(fs::status(path("mode.cel")).permissions() & fs::perms::all, mode);
        EXPECT_EQ(read(path("mode.cel")), saved);
    }

    fs::create_directory(path("data"));
    write(path("data/real.cel"), "old");
    fs::create_symlink(path("data/real.cel"), path("absolute.cel"));
    fs::create_symlink("data/real.cel", path("relative.cel"));
    fs::create_symlink("absolute.cel", path("chain.cel"));
    fs::create_symlink("data/later.cel", path("dangling.cel"));
    for (const char* link : {"absolute.cel", "relative.cel", "chain.cel"}) {
        write(path("data/real.cel"), "old");
        ASSERT_TRUE(g.SaveCel(path(link), error)) << error;
        EXPECT_TRUE(fs::is_symlink(path(link))) << link;
        EXPECT_EQ(read(path("data/real.cel")), saved) << link;
    }
    ASSERT_TRUE(g.SaveCel(path("dangling.cel"), error)) << error;
    EXPECT_TRUE(fs::is_symlink(path("dangling.cel")));
    EXPECT_EQ(read(path("data/later.cel")), saved);

    ASSERT_EQ(::mkfifo(path("pipe.cel").c_str(), 0600), 0);
    for (const std::string& p : {path("pipe.cel"), path("data")}) {
        EXPECT_FALSE(g.SaveCel(p, error)) << p;
        EXPECT_EQ(error, "Cannot save the file " + p + ": it is not a regular file.");
    }
    EXPECT_TRUE(fs::is_fifo(path("pipe.cel")));
    EXPECT_TRUE(fs::is_directory(path("data")));
}
