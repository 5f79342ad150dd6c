#pragma once
// cDIB: one device-independent bitmap as a BMP file holds it: the file
// header's fields, the information header's fields, the information block
// (header and colour table) and the pixel bytes. Reads BMP files, takes a
// packed bitmap from memory and writes BMP files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class cDIB {
public:
    // Reads a BMP file. A missing file ("File does not exist:"), one that
    // cannot be opened ("File is locked - cannot access:" or the system's
    // reason) and one that is no BMP or whose header offsets and sizes do not
    // fit in the file ("File is not a supported bitmap format:") show their
    // message and give False, leaving the bitmap as it was. An image size of
    // 0 is computed from the width, height and bit count.
    bool CreateFromFile(const std::string& filename);
    // Takes a packed bitmap: a 40-byte information header, then the pixels.
    // False, with the header's fields kept, for fewer than 16 bits per pixel,
    // an image size below 1, or a length that does not hold header and pixels.
    bool CreateFromPackedDIBPointer(const std::uint8_t* pDIB, std::size_t length);
    // Writes file header, information block and pixels as the whole file
    // (through the atomic writer: a failed write keeps the old file). True
    // only when the file was written.
    bool WriteToFile(const std::string& filename) const;

    long BitCount() const { return bitCount_; }
    long Height() const { return height_; }
    long Width() const { return width_; }
    long Compression() const { return compression_; }
    long SizeInfoHeader() const { return sizeInfoHeader_; }
    long SizeImage() const { return sizeImage_; }
    long Planes() const { return planes_; }
    long ClrImportant() const { return clrImportant_; }
    long ClrUsed() const { return clrUsed_; }
    long XPPM() const { return xppm_; }
    long YPPM() const { return yppm_; }
    long FileType() const { return fileType_; }
    long SizeFileHeader() const { return fileSize_; }
    long BitOffset() const { return bitOffset_; }
    const std::uint8_t* PointerToBits() const { return bits_.data(); }
    const std::uint8_t* PointerToBitmapInfo() const { return info_.data(); }
    long SizeBitmapInfo() const { return static_cast<long>(info_.size()); }

private:
    static bool ExistFile(const std::string& filename);
    void readInfoHeader(const std::uint8_t* p);

    long fileType_ = 0, fileSize_ = 0, reserved1_ = 0, reserved2_ = 0, bitOffset_ = 0;
    long sizeInfoHeader_ = 0, width_ = 0, height_ = 0, planes_ = 0, bitCount_ = 0, compression_ = 0;
    long sizeImage_ = 0, xppm_ = 0, yppm_ = 0, clrUsed_ = 0, clrImportant_ = 0;
    std::vector<std::uint8_t> info_, bits_;
};
