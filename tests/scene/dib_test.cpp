// cDIB: BMP files read and written byte for byte, packed bitmaps, and files
// that lie about their sizes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/msgbox.h"
#include "scene/dib.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void put(Bytes& b, std::size_t at, std::uint32_t v, int n) {
    for (int k = 0; k < n; ++k) b[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
}

// A 24-bit BMP of 4 x 2 pixels: 54 bytes of headers and 24 of pixels
// (rows of 12 bytes need no padding).
Bytes bmp4x2(std::uint32_t imageSize = 24) {
    Bytes b(54 + 24);
    b[0] = 'B', b[1] = 'M';
    put(b, 2, 78, 4);
    put(b, 10, 54, 4);
    put(b, 14, 40, 4);
    put(b, 18, 4, 4);
    put(b, 22, 2, 4);
    put(b, 26, 1, 2);
    put(b, 28, 24, 2);
    put(b, 34, imageSize, 4);
    put(b, 38, 2835, 4);
    put(b, 42, 2835, 4);
    for (std::size_t k = 54; k < b.size(); ++k) b[k] = static_cast<std::uint8_t>(k * 7);
    return b;
}

class DibTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("dib_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                           "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string write(const std::string& name, const Bytes& bytes) {
        const fs::path p = dir / name;
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }
    static Bytes read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path dir;
    platform::MsgRecorder boxes;
};

TEST_F(DibTest, ReadsAndWritesA4x2BitmapByteForByte) {
    const Bytes original = bmp4x2();
    cDIB d;
    ASSERT_TRUE(d.CreateFromFile(write("in.bmp", original)));
    EXPECT_EQ(d.Width(), 4);
    EXPECT_EQ(d.Height(), 2);
    EXPECT_EQ(d.BitCount(), 24);
    EXPECT_EQ(d.BitOffset(), 54);
    EXPECT_EQ(d.SizeBitmapInfo(), 40);
    EXPECT_EQ(d.SizeImage(), 24);
    EXPECT_EQ(d.FileType(), 0x4D42);
    EXPECT_EQ(d.SizeFileHeader(), 78);
    EXPECT_EQ(d.Planes(), 1);
    EXPECT_EQ(d.XPPM(), 2835);
    EXPECT_EQ(d.PointerToBits()[0], original[54]);
    EXPECT_EQ(d.PointerToBitmapInfo()[0], 40);
    // Written over a longer file, the file is exactly the bitmap.
    const std::string out = write("out.bmp", Bytes(500, 0xEE));
    ASSERT_TRUE(d.WriteToFile(out));
    EXPECT_EQ(read(out), original);
    EXPECT_TRUE(boxes.shown().empty());
    // A folder that does not exist: False, not success.
    EXPECT_FALSE(d.WriteToFile((dir / "no" / "such.bmp").string()));
}

TEST_F(DibTest, ImageSizeZeroIsComputed) {
    cDIB d;
    ASSERT_TRUE(d.CreateFromFile(write("zero.bmp", bmp4x2(0))));
    EXPECT_EQ(d.SizeImage(), 24);
    EXPECT_EQ(d.PointerToBits()[23], bmp4x2()[54 + 23]);
}

TEST_F(DibTest, FilesThatAreNoBitmapOrLieAboutTheirSizes) {
    using platform::MsgIcon;
    Bytes shortFile = bmp4x2();
    shortFile.resize(60);  // pixels cut off
    Bytes farOffset = bmp4x2();
    put(farOffset, 10, 5000, 4);
    Bytes hugeImage = bmp4x2(0x7FFFFFF0);
    Bytes lowOffset = bmp4x2();
    put(lowOffset, 10, 20, 4);
    struct Case {
        std::string file;
        std::string message;
        MsgIcon icon;
    };
    const std::string notBmp = "File is not a supported bitmap format:\r\n";
    const std::vector<Case> cases = {
        {write("text.bmp", Bytes{'h', 'e', 'l', 'l', 'o', '\n'}), notBmp, MsgIcon::Information},
        {write("short.bmp", shortFile), notBmp, MsgIcon::Information},
        {write("far.bmp", farOffset), notBmp, MsgIcon::Information},
        {write("huge.bmp", hugeImage), notBmp, MsgIcon::Information},
        {write("low.bmp", lowOffset), notBmp, MsgIcon::Information},
        {write("headonly.bmp", Bytes{'B', 'M', 0, 0}), notBmp, MsgIcon::Information},
        {(dir / "missing.bmp").string(), "File does not exist:\r\n", MsgIcon::Critical},
    };
    cDIB d;
    ASSERT_TRUE(d.CreateFromFile(write("good.bmp", bmp4x2())));
    for (const Case& c : cases) {
        boxes.clear();
        EXPECT_FALSE(d.CreateFromFile(c.file)) << c.file;
        ASSERT_EQ(boxes.shown().size(), 1u) << c.file;
        EXPECT_EQ(boxes.shown()[0].text, c.message + c.file);
        EXPECT_EQ(boxes.shown()[0].icon, c.icon);
        EXPECT_EQ(d.Width(), 4);  // the bitmap read before is kept
    }
}

TEST_F(DibTest, PackedBitmaps) {
    const Bytes file = bmp4x2();
    const Bytes packed(file.begin() + 14, file.end());  // header and pixels
    cDIB d;
    ASSERT_TRUE(d.CreateFromPackedDIBPointer(packed.data(), packed.size()));
    EXPECT_EQ(d.BitOffset(), 54);
    EXPECT_EQ(d.SizeFileHeader(), 78);
    const std::string out = (dir / "packed.bmp").string();
    ASSERT_TRUE(d.WriteToFile(out));
    Bytes expected = file;
    EXPECT_EQ(read(out), expected);

    // An 8-bit bitmap is refused, its header kept in the fields.
    Bytes eight = packed;
    put(eight, 14, 8, 2);
    put(eight, 4, 9, 4);  // width 9
    EXPECT_FALSE(d.CreateFromPackedDIBPointer(eight.data(), eight.size()));
    EXPECT_EQ(d.BitCount(), 8);
    EXPECT_EQ(d.Width(), 9);
    // A length that cannot hold the pixels its header promises.
    EXPECT_FALSE(d.CreateFromPackedDIBPointer(packed.data(), 50));
    EXPECT_FALSE(d.CreateFromPackedDIBPointer(packed.data(), 20));
    EXPECT_FALSE(d.CreateFromPackedDIBPointer(nullptr, 100));
}

}  // namespace
