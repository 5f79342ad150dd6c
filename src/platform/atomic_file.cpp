#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace platform {

bool WriteFileAtomically(const std::string& path, std::string_view data, std::string& error) {
    namespace fs = std::filesystem;
    fs::path target(path);
    std::random_device rd;
    fs::path temp = target;
    temp += ".tmp" + std::to_string(rd() % 1000000);
    auto fail = [&](const std::string& why) {
        error = "Cannot save the file " + path + ": " + why + ".";
        std::error_code ec;
        fs::remove(temp, ec);
        return false;
    };
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return fail(std::strerror(errno));
    errno = 0;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    int writeErr = errno;
    ok = (std::fflush(f) == 0) && ok;
    if (std::fclose(f) != 0) ok = false;
    if (!ok) return fail(std::strerror(writeErr ? writeErr : errno));
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) return fail(ec.message());
    return true;
}

}  // namespace platform
