// The BMP snapshot writer: file layout, replacing files safely, and the pixels
// of a real colour buffer read back from the file.
#include "scene/bmp_writer.h"
#include "platform/atomic_file.h"
#include "platform/bmp_file.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <csignal>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "support/gl_offscreen.h"

using namespace platform;

namespace {

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
// The atomic writer with the bytes of an encoded file.
bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string* reason = nullptr) {
    std::string why;
    const bool ok = WriteFileAtomically(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, why);
    if (reason) *reason = why;
    return ok;
}

std::uint32_t u16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

// Rows as the GL read gives them, with a distinct colour per pixel and junk in
// the fill bytes that must not reach the file.
std::vector<std::uint8_t> patternRows(int w, int h) {
    const auto rowLength = static_cast<std::size_t>(bmpRowLength(w));
    std::vector<std::uint8_t> rows(rowLength * h, 0xEE);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &rows[y * rowLength + 3 * x];
            p[0] = static_cast<std::uint8_t>(x);       // red
            p[1] = static_cast<std::uint8_t>(y);       // green
            p[2] = static_cast<std::uint8_t>(x + 7);  // blue
        }
    return rows;
}

// Only the target itself may be left in the folder: no temporary files.
QStringList filesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace

TEST(BmpLayout, HeaderFieldsRowPaddingAndByteOrder) {
    struct Case {
        int w, h;
        std::int64_t rowLength;
    };
    const std::vector<Case> cases = {{100, 50, 300}, {99, 50, 300}, {101, 50, 304}, {1, 1, 4}, {2, 3, 8}, {4, 2, 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        ASSERT_EQ(bmpRowLength(c.w), c.rowLength);
        const auto file = encodeBmp24(c.w, c.h, patternRows(c.w, c.h));
        const std::uint32_t imageSize = static_cast<std::uint32_t>(c.rowLength * c.h);
        ASSERT_EQ(file.size(), 54u + imageSize);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(u32(file, 2), file.size());
        EXPECT_EQ(u32(file, 6), 0u);  // both reserved words
        EXPECT_EQ(u32(file, 10), 54u);
        EXPECT_EQ(u32(file, 14), 40u);
        EXPECT_EQ(u32(file, 18), static_cast<std::uint32_t>(c.w));
        EXPECT_EQ(u32(file, 22), static_cast<std::uint32_t>(c.h));
        EXPECT_EQ(u16(file, 26), 1u);
        EXPECT_EQ(u16(file, 28), 24u);
        EXPECT_EQ(u32(file, 30), 0u);
        EXPECT_EQ(u32(file, 34), imageSize);
        for (std::size_t at : {38u, 42u, 46u, 50u}) EXPECT_EQ(u32(file, at), 0u);
        for (int y = 0; y < c.h; ++y) {
            const std::size_t row = 54 + y * c.rowLength;
            for (int x = 0; x < c.w; ++x) {
                ASSERT_EQ(file[row + 3 * x], x + 7) << "blue first";
                ASSERT_EQ(file[row + 3 * x + 1], y);
                ASSERT_EQ(file[row + 3 * x + 2], x) << "red last";
            }
            for (std::int64_t pad = 3 * c.w; pad < c.rowLength; ++pad) ASSERT_EQ(file[row + pad], 0) << "fill byte";
        }
    }
}

TEST(BmpLayout, RefusesSizesThatDoNotFit) {
    EXPECT_TRUE(encodeBmp24(0, 5, {}).empty());
    EXPECT_TRUE(encodeBmp24(5, -1, {}).empty());
    EXPECT_TRUE(encodeBmp24(4, 2, std::vector<std::uint8_t>(5)).empty());  // rows too short
    EXPECT_TRUE(encodeBmp24(kMaxBitmapSide + 1, 1, {}).empty());
}

TEST(AtomicFileWrite, LongerOldFileIsReplacedWholeAndNoTemporaryRemains) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("picture.bmp").toStdString();
    writeText(path, std::string(100000, 'x'));
    const auto bytes = encodeBmp24(10, 10, patternRows(10, 10));
    ASSERT_TRUE(writeBytes(path, bytes));
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_EQ(filesIn(dir), QStringList{"picture.bmp"});
}

TEST(AtomicFileWrite, MissingFolderFailsWithAReason) {
    QTemporaryDir dir;
    std::string error;
    EXPECT_FALSE(writeBytes(dir.filePath("no/such/folder/x.bmp").toStdString(), {1, 2, 3}, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(writeBytes("", {1}, &error));
}

// A disk that fills up half way: the old file stays as it was.
TEST(AtomicFileWrite, FailedWriteKeepsTheOldFile) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("old.bmp").toStdString();
    writeText(path, "old contents");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool ok = writeBytes(path, encodeBmp24(100, 50, patternRows(100, 50)), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.empty());
    const auto kept = readFile(path);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "old contents");
    EXPECT_EQ(filesIn(dir), QStringList{"old.bmp"});
}

// A red block at the lower left and a blue one at the upper right of an odd
// width (one fill byte per row); the file must hold them bottom row first.
TEST(SaveViewportBitmap, WritesTheColourBufferBottomRowFirst) {
    testsupport::OffscreenGL gl(101, 50);
    ASSERT_TRUE(gl.valid());
    glViewport(0, 0, 101, 50);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 101, 0, 50, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3ub(255, 0, 0);
    glRecti(0, 0, 20, 10);
    glColor3ub(0, 0, 255);
    glRecti(81, 40, 101, 50);
    glFinish();

    QTemporaryDir dir;
    const std::string path = dir.filePath("shot.bmp").toStdString();
    writeText(path, std::string(50000, 'z'));
    ASSERT_TRUE(SaveViewportBitmap(path, 100, 50));
    const auto file = readFile(path);
    ASSERT_EQ(file.size(), 54u + 304u * 50u);
    EXPECT_EQ(u32(file, 18), 101u);
    auto bgr = [&](int x, int yFromBottom) {
        const std::size_t at = 54 + yFromBottom * 304 + 3 * x;
        return std::array<int, 3>{file[at], file[at + 1], file[at + 2]};
    };
    EXPECT_EQ(bgr(0, 0), (std::array<int, 3>{0, 0, 255}));       // red, stored blue-green-red
    EXPECT_EQ(bgr(100, 49), (std::array<int, 3>{255, 0, 0}));    // blue
    EXPECT_EQ(bgr(50, 25), (std::array<int, 3>{255, 255, 255}));  // white between
    EXPECT_EQ(file[54 + 303], 0);                                 // fill byte of the first row

    // Another reader sees the same picture as the screen.
    const QImage loaded(QString::fromStdString(path));
    ASSERT_FALSE(loaded.isNull());
    EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), gl.grab());
}

TEST(SaveViewportBitmap, RefusesEmptyOrHugeAreasAndWritesNothing) {
    testsupport::OffscreenGL gl(16, 16);
    ASSERT_TRUE(gl.valid());
    QTemporaryDir dir;
    const std::string path = dir.filePath("x.bmp").toStdString();
    std::string error;
    for (auto [last, h] : std::vector<std::pair<long, long>>{{-1, 10}, {9, 0}, {kMaxBitmapSide, 10}, {9, 1L << 40}}) {
        EXPECT_FALSE(SaveViewportBitmap(path, last, h, &error)) << last << " " << h;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_TRUE(filesIn(dir).isEmpty());
}
