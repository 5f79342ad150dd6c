// The one file writer: read-only targets, saves killed halfway, the
// permissions of new files.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "file_folder.h"
#include "platform/cel_format.h"
#include "platform/sparse_grid.h"

namespace fs = std::filesystem;
using platform::AtomicFileWriter;

namespace {

class AtomicFile : public FileFolder {
protected:
    bool hasUnnamedFiles() const {
        const int fd = ::open(dir_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd >= 0) ::close(fd);
        return fd >= 0;
    }
};

platform::SparseGrid smallGrid() {
    platform::SparseGrid g(3, 3);
    g.SetText(1, 1, "new");
    return g;
}

}  // namespace

// The folder would allow the rename, but a file without write permission
// stays as it is, for the superuser too; so for a *.cel save, the whole-file
// writer and a save through a link.
TEST_F(AtomicFile, ReadOnlyFilesAreNeverReplaced) {
    const auto grid = smallGrid();
    fs::create_symlink("target.cel", path("link.cel"));
    for (const auto mode : {fs::perms(0444), fs::perms(0400), fs::perms(0555)}) {
        write(path("target.cel"), "old");
        fs::permissions(path("target.cel"), mode);
        EXPECT_TRUE(platform::IsReadOnlyFile(path("target.cel")));
        std::string error, reason;
        for (const std::string& p : {path("target.cel"), path("link.cel")}) {
            EXPECT_FALSE(platform::WriteCelFile(p, grid, error));
            EXPECT_EQ(error, p + " is read-only.");
            EXPECT_FALSE(platform::WriteFileAtomically(p, "new", reason));
            EXPECT_EQ(reason, "it is read-only");
        }
        EXPECT_EQ(read(path("target.cel")), "old");
        EXPECT_EQ(files(), (std::set<std::string>{"link.cel", "target.cel"}));
        fs::permissions(path("target.cel"), fs::perms(0644));
    }
    EXPECT_FALSE(platform::IsReadOnlyFile(path("target.cel")));
    EXPECT_FALSE(platform::IsReadOnlyFile(path("none.cel")));
}

// A loop of links is refused with the system's reason before anything is
// written, its links left as they were; a chain of links, relative ones
// followed from their own folders, still saves into the file at its end.
TEST_F(AtomicFile, ALoopOfLinksIsRefusedAndAChainIsFollowed) {
    fs::create_symlink("b.cel", path("a.cel"));
    fs::create_symlink("a.cel", path("b.cel"));
    fs::create_symlink("self.cel", path("self.cel"));
    const std::set<std::string> loops{"a.cel", "b.cel", "self.cel"};
    const std::string reason = std::strerror(ELOOP);
    for (const char* name : {"a.cel", "b.cel", "self.cel"}) {
        const std::string p = path(name);
        std::string error, why;
        EXPECT_FALSE(platform::WriteCelFile(p, smallGrid(), error)) << name;
        EXPECT_EQ(error, "Cannot save the file " + p + ": " + reason + ".");
        EXPECT_FALSE(platform::WriteFileAtomically(p, "new", why)) << name;
        EXPECT_EQ(why, reason);
        EXPECT_EQ(files(), loops);
        for (const std::string& link : loops) EXPECT_TRUE(fs::is_symlink(path(link))) << link;
    }
    EXPECT_EQ(fs::read_symlink(path("a.cel")), "b.cel");
    EXPECT_EQ(fs::read_symlink(path("b.cel")), "a.cel");
    EXPECT_EQ(fs::read_symlink(path("self.cel")), "self.cel");

    fs::create_directories(path("hop/data"));
    fs::create_symlink("hop/next.cel", path("chain.cel"));
    fs::create_symlink("data/end.cel", path("hop/next.cel"));
    std::string why;
    ASSERT_TRUE(platform::WriteFileAtomically(path("chain.cel"), "new", why)) << why;
    EXPECT_EQ(read(path("hop/data/end.cel")), "new");
    EXPECT_TRUE(fs::is_symlink(path("chain.cel")) && fs::is_symlink(path("hop/next.cel")));
}

// An ordinary user in a folder anyone may write: another user's file that
// only its owner may write is refused, a new file is written.
TEST_F(AtomicFile, AnOrdinaryUserCannotReplaceAnotherUsersFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser to act as another user";
    fs::permissions(dir_, fs::perms(0777));
    write(path("root.cel"), "old");
    fs::permissions(path("root.cel"), fs::perms(0644));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(10);
        std::string error;
        int faults = 0;
        if (!platform::IsReadOnlyFile(path("root.cel"))) faults |= 1;
        if (platform::WriteCelFile(path("root.cel"), smallGrid(), error) || error != path("root.cel") + " is read-only.")
            faults |= 2;
        if (!platform::WriteCelFile(path("mine.cel"), smallGrid(), error)) faults |= 4;
        ::_exit(faults);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: not seen as read-only, 2: replaced or wrong message, 4: new file refused";
    EXPECT_EQ(read(path("root.cel")), "old");
    EXPECT_EQ(read(path("mine.cel")), platform::FormatCel(smallGrid()));
}

// A save killed in the middle of a large write: with an unnamed temporary
// nothing at all is left; a named one is removed by the next save beside it,
// while temporaries of running processes, of other machines and pid
// namespaces, names of other forms and other files stay.
TEST_F(AtomicFile, ASaveKilledHalfwayLeavesNothingBehind) {
    for (const auto kind : {AtomicFileWriter::Temporary::Unnamed, AtomicFileWriter::Temporary::Named}) {
        const bool unnamed = kind == AtomicFileWriter::Temporary::Unnamed;
        SCOPED_TRACE(unnamed ? "unnamed" : "named");
        if (unnamed && !hasUnnamedFiles()) continue;  // the named fallback is tested all the same
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        write(path("keep.cel"), "old");
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            AtomicFileWriter file(path("keep.cel"), kind);
            const std::string piece(1 << 20, 'x');
            for (int i = 0; i < 16; ++i)
                if (!file.Write(piece)) ::_exit(1);
            (void)!::write(ready[1], "w", 1);  // half written: the parent kills us now
            for (;;) ::pause();
        }
        ::close(ready[1]);
        char said = 0;
        ASSERT_EQ(::read(ready[0], &said, 1), 1) << "the child could not write";
        ::close(ready[0]);
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(read(path("keep.cel")), "old");
        if (unnamed) {
            EXPECT_EQ(files(), std::set<std::string>{"keep.cel"});
            continue;
        }
        ASSERT_EQ(files().size(), 2u);
        // What the killed save left: ".keep.cel.<boot id>.<pid namespace>.<pid>.<random>.tmp".
        const std::string left = *files().begin();
        std::vector<std::string> part;
        std::istringstream fields(left.substr(std::string(".keep.cel.").size()));
        for (std::string field; std::getline(fields, field, '.');) part.push_back(field);
        ASSERT_EQ(part.size(), 5u) << left;
        EXPECT_EQ(part[2], std::to_string(child));
        const auto named = [&](const std::string& boot, const std::string& ns, const std::string& pid) {
            return ".keep.cel." + boot + "." + ns + "." + pid + "." + part[3] + ".tmp";
        };
        // Files whose maker is not certainly gone, and files of other forms.
        const std::set<std::string> kept{
            named(part[0], part[1], std::to_string(::getppid())),  // a save under way
            named(std::string(32, 'e'), part[1], part[2]),         // another machine's
            named(part[0], part[1] + "7", part[2]),                // another pid namespace's
            ".keep.cel." + part[2] + ".0.tmp",                     // a name that does not say where its maker runs
            ".keep.cel." + std::to_string(::getppid()) + ".0.tmp",
            ".keep.cel.notes",
        };
        for (const std::string& name : kept) write(path(name), "not ours to remove");
        std::string reason;
        ASSERT_TRUE(platform::WriteFileAtomically(path("keep.cel"), "new", reason)) << reason;
        std::set<std::string> expected = kept;
        expected.insert("keep.cel");
        EXPECT_EQ(files(), expected);
        EXPECT_EQ(read(path("keep.cel")), "new");
    }
}

// A save in another pid namespace (a container sharing the folder), whose
// process id is no process here, keeps its temporary file while a save of
// ours beside it runs, and then completes.
TEST_F(AtomicFile, ASaveInAnotherPidNamespaceKeepsItsTemporary) {
    // An id that no process has here, for the saving process over there.
    std::ifstream limit("/proc/sys/kernel/pid_max");
    pid_t theirs = 0;
    limit >> theirs;
    do --theirs;
    while (theirs > 300 && (::kill(theirs, 0) == 0 || errno != ESRCH));
    write(path("keep.cel"), "old");
    int ready[2], go[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(go), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The first process of the new namespace sets its next id to `theirs`
        // and makes the saving one; each waits for the one it made.
        const auto say = [&](char c) { (void)!::write(ready[1], &c, 1); };
        const auto cannot = [&] {
            say('s');
            ::_exit(0);
        };
        const auto waitFor = [](pid_t p) {
            int status = 0;
            return ::waitpid(p, &status, 0) == p && WIFEXITED(status) ? WEXITSTATUS(status) : 9;
        };
        if (::unshare(CLONE_NEWPID) != 0) cannot();
        const pid_t first = ::fork();
        if (first != 0) ::_exit(first < 0 ? 9 : waitFor(first));
        const std::string last = std::to_string(theirs - 1);
        const int fd = ::open("/proc/sys/kernel/ns_last_pid", O_WRONLY | O_CLOEXEC);
        if (fd < 0 || ::write(fd, last.data(), last.size()) != static_cast<ssize_t>(last.size())) cannot();
        ::close(fd);
        const pid_t saver = ::fork();
        if (saver != 0) ::_exit(saver < 0 ? 9 : waitFor(saver));
        if (::getpid() != theirs) cannot();
        AtomicFileWriter file(path("keep.cel"), AtomicFileWriter::Temporary::Named);
        if (!file.Write("theirs")) ::_exit(1);
        say('r');
        char token = 0;
        (void)!::read(go[0], &token, 1);
        ::_exit(file.Commit() ? 0 : 2);
    }
    ::close(ready[1]);
    ::close(go[0]);
    char said = 0;
    const bool started = ::read(ready[0], &said, 1) == 1;
    std::string reason;
    const bool saved = said == 'r' && platform::WriteFileAtomically(path("keep.cel"), "ours", reason);
    (void)!::write(go[1], "g", 1);
    ::close(go[1]);
    ::close(ready[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(started) << "the other namespace did not start";
    if (said == 's') GTEST_SKIP() << "we may not make a pid namespace and choose its process ids (CAP_SYS_ADMIN)";
    EXPECT_TRUE(saved) << reason;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: their write failed, 2: their temporary file was taken from them";
    EXPECT_EQ(read(path("keep.cel")), "theirs");
    EXPECT_EQ(files(), std::set<std::string>{"keep.cel"});
}

// A name of 245 bytes leaves no room for the whole of it in a temporary
// name: the save is made all the same.
TEST_F(AtomicFile, TargetsWithLongNamesAreSaved) {
    std::string name = "x";
    for (int k = 0; k < 120; ++k) name += "\u00e4";  // two bytes each
    name += ".cel";
    for (const auto kind : {AtomicFileWriter::Temporary::Unnamed, AtomicFileWriter::Temporary::Named}) {
        AtomicFileWriter file(path(name), kind);
        ASSERT_TRUE(file.Write("data") && file.Commit()) << file.Reason();
        EXPECT_EQ(read(path(name)), "data");
        EXPECT_EQ(files(), std::set<std::string>{name});
    }
}

// New files get the usual permissions (the umask applies), replaced ones keep
// theirs; a writer dropped before Commit() leaves the old file and nothing else.
TEST_F(AtomicFile, NewFilesHonourTheUmaskAndADroppedSaveLeavesNothing) {
    for (const auto kind : {AtomicFileWriter::Temporary::Unnamed, AtomicFileWriter::Temporary::Named}) {
        for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{027}}) {
            fs::remove(path("new.cel"));
            const mode_t old = ::umask(mask);
            AtomicFileWriter file(path("new.cel"), kind);
            const bool ok = file.Write("data") && file.Commit();
            ::umask(old);
            ASSERT_TRUE(ok) << file.Reason();
            EXPECT_EQ(static_cast<mode_t>(fs::status(path("new.cel")).permissions() & fs::perms::all), 0666 & ~mask);
        }
        write(path("kept.cel"), "old");
        fs::permissions(path("kept.cel"), fs::perms(0640));
        {
            AtomicFileWriter file(path("kept.cel"), kind);
            ASSERT_TRUE(file.Write("half of it"));
        }
        EXPECT_EQ(read(path("kept.cel")), "old");
        EXPECT_EQ(files(), (std::set<std::string>{"kept.cel", "new.cel"}));
        AtomicFileWriter file(path("kept.cel"), kind);
        ASSERT_TRUE(file.Write("new") && file.Commit()) << file.Reason();
        EXPECT_EQ(fs::status(path("kept.cel")).permissions() & fs::perms::all, fs::perms(0640));
        fs::remove(path("kept.cel"));
    }
}
