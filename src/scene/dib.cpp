#include "scene/dib.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/atomic_file.h"
#include "platform/msgbox.h"

namespace {

constexpr std::size_t kFileHeader = 14, kInfoHeader = 40;
constexpr long kTypeBM = 0x4D42;

long u16(const std::uint8_t* p) { return static_cast<long>(p[0] | p[1] << 8); }
long u32(const std::uint8_t* p) {
    return static_cast<long>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                             static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}
long i32(const std::uint8_t* p) { return static_cast<long>(static_cast<std::int32_t>(u32(p))); }

void put16(std::string& out, long v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8 & 0xFF));
}
void put32(std::string& out, long v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16 & 0xFFFF);
}

void formatMessage(const std::string& file) {
    platform::MsgBox("File is not a supported bitmap format:\r\n" + file, platform::MsgButtons::Ok,
                     platform::MsgIcon::Information);
}

}  // namespace

bool cDIB::ExistFile(const std::string& filename) {
    std::error_code ec;
    (void)std::filesystem::file_size(filename, ec);
    return !ec;
}

void cDIB::readInfoHeader(const std::uint8_t* p) {
    sizeInfoHeader_ = u32(p);
    width_ = i32(p + 4);
    height_ = i32(p + 8);
    planes_ = u16(p + 12);
    bitCount_ = u16(p + 14);
    compression_ = u32(p + 16);
    sizeImage_ = u32(p + 20);
    xppm_ = i32(p + 24);
    yppm_ = i32(p + 28);
    clrUsed_ = u32(p + 32);
    clrImportant_ = u32(p + 36);
}

bool cDIB::CreateFromFile(const std::string& filename) {
    using platform::MsgBox, platform::MsgButtons, platform::MsgIcon;
    if (!ExistFile(filename)) {
        MsgBox("File does not exist:\r\n" + filename, MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    errno = 0;
    std::ifstream in(filename, std::ios::binary);
    if (!in) {
        if (errno == EACCES)
            MsgBox("File is locked - cannot access:\r\n" + filename, MsgButtons::Ok, MsgIcon::Critical);
        else
            MsgBox(errno ? std::strerror(errno) : "Input past end of file", MsgButtons::Ok, MsgIcon::Information);
        return false;
    }
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (file.size() < kFileHeader || u16(file.data()) != kTypeBM) {
        formatMessage(filename);
        return false;
    }
    // Every offset and size from the file is bounded by the file's length.
    cDIB read;
    if (file.size() < kFileHeader + kInfoHeader) {
        formatMessage(filename);
        return false;
    }
    read.fileType_ = kTypeBM;
    read.fileSize_ = u32(file.data() + 2);
    read.reserved1_ = u16(file.data() + 6);
    read.reserved2_ = u16(file.data() + 8);
    read.bitOffset_ = u32(file.data() + 10);
    read.readInfoHeader(file.data() + kFileHeader);
    std::uint64_t image = static_cast<std::uint32_t>(read.sizeImage_);
    if (image == 0 && read.width_ >= 0) {
        const std::uint64_t row = (static_cast<std::uint64_t>(read.width_) * read.bitCount_ + 31) / 32 * 4;
        image = row * static_cast<std::uint64_t>(read.height_ < 0 ? -read.height_ : read.height_);
    }
    const std::uint64_t offset = static_cast<std::uint32_t>(read.bitOffset_);
    if (offset < kFileHeader + kInfoHeader || offset > file.size() || image > file.size() - offset) {
        formatMessage(filename);
        return false;
    }
    read.sizeImage_ = static_cast<long>(image);
    read.info_.assign(file.begin() + kFileHeader, file.begin() + static_cast<std::ptrdiff_t>(offset));
    read.bits_.assign(file.begin() + static_cast<std::ptrdiff_t>(offset),
                      file.begin() + static_cast<std::ptrdiff_t>(offset + image));
    *this = std::move(read);
    return true;
}

bool cDIB::CreateFromPackedDIBPointer(const std::uint8_t* pDIB, std::size_t length) {
    if (!pDIB || length < kInfoHeader) return false;
    readInfoHeader(pDIB);
    if (bitCount_ < 16 || sizeImage_ < 1) return false;
    const std::size_t image = static_cast<std::uint32_t>(sizeImage_);
    if (image > length - kInfoHeader) return false;
    bits_.assign(pDIB + kInfoHeader, pDIB + kInfoHeader + image);
    info_.assign(pDIB, pDIB + kInfoHeader);
    fileType_ = kTypeBM;
    fileSize_ = static_cast<long>(kFileHeader + kInfoHeader + image);
    reserved1_ = reserved2_ = 0;
    bitOffset_ = static_cast<long>(kFileHeader + kInfoHeader);
    return true;
}

bool cDIB::WriteToFile(const std::string& filename) const {
    std::string out;
    out.reserve(kFileHeader + info_.size() + bits_.size());
    put16(out, fileType_);
    put32(out, fileSize_);
    put16(out, reserved1_);
    put16(out, reserved2_);
    put32(out, bitOffset_);
    out.append(info_.begin(), info_.end());
    out.append(bits_.begin(), bits_.end());
    std::string reason;
    return platform::WriteFileAtomically(filename, out, reason);
}
