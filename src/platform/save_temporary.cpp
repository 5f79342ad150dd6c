#include "platform/save_temporary.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace platform {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kNameBytes = 100;  // of the target's name: the whole stays far below 255 bytes

// ".<name>." with the name cut to kNameBytes (not inside a UTF-8 character),
// so a target with a long name still gets temporary files.
std::string prefixOf(const std::string& target) {
    std::string name = fs::path(target).filename().string();
    if (name.size() > kNameBytes) {
        std::size_t cut = kNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    return "." + name + ".";
}

// "<boot id>.<pid namespace>" of this process, or empty where the system does
// not tell them. Asked at each save: a process forked into a new pid
// namespace has the namespace of its own.
std::string makerOfOurs() {
    std::ifstream in("/proc/sys/kernel/random/boot_id");
    std::string line, boot;
    std::getline(in, line);
    for (const char c : line) {
        if (c == '-') continue;
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return {};
        boot += c;
    }
    struct stat ns {};
    if (boot.size() != 32 || ::stat("/proc/self/ns/pid", &ns) != 0) return {};
    return boot + "." + std::to_string(ns.st_ino);
}

// 64 bits from the system's random source; where it fails, the clock and a
// count (still unique within this process).
std::uint64_t randomBits() {
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof bits)) return bits;
    static std::atomic<std::uint64_t> count{0};
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return (static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec)) * 1024u +
           (count++ & 1023u);
}

std::string hex16(std::uint64_t v) {
    std::string s(16, '0');
    for (int k = 15; k >= 0; --k, v >>= 4) s[static_cast<std::size_t>(k)] = "0123456789abcdef"[v & 15];
    return s;
}

// The process id in "<pid>.<16 hex digits>.tmp", or 0 when `rest` is not of
// that form.
long processIn(std::string_view rest) {
    const auto dot = rest.find('.');
    if (dot == 0 || dot > 9 || dot == std::string_view::npos || rest.size() != dot + 1 + 16 + 4 ||
        rest.substr(rest.size() - 4) != ".tmp")
        return 0;
    long pid = 0;
    for (const char c : rest.substr(0, dot)) {
        if (c < '0' || c > '9') return 0;
        pid = pid * 10 + (c - '0');
    }
    for (const char c : rest.substr(dot + 1, 16))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return 0;
    return pid;
}

}  // namespace

std::string TemporaryFolderFor(const std::string& target) {
    const fs::path file(target);
    return file.has_parent_path() ? file.parent_path().string() : std::string(".");
}

std::string TemporaryNameFor(const std::string& target) {
    const std::string maker = makerOfOurs();
    return (fs::path(TemporaryFolderFor(target)) / (prefixOf(target) + (maker.empty() ? "unknown" : maker) + "." +
                                                    std::to_string(::getpid()) + "." + hex16(randomBits()) + ".tmp"))
        .string();
}

void RemoveAbandonedTemporaries(const std::string& target) {
    const std::string maker = makerOfOurs();
    if (maker.empty()) return;  // whose files are whose cannot be told
    const std::string ours = prefixOf(target) + maker + ".";
    DIR* dir = ::opendir(TemporaryFolderFor(target).c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.substr(0, ours.size()) != ours) continue;
        const long pid = processIn(name.substr(ours.size()));
        // Our own process may have another save under way in another thread.
        if (pid <= 0 || pid == ::getpid()) continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;  // still running
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid())
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

}  // namespace platform
