// Save Image and Copy As BMP: the file, its failure message, the clipboard.
#include "platform/image_export.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QTemporaryDir>

#include "platform/msgbox.h"
#include "support/gl_offscreen.h"

namespace {

// Four coloured corners on white: any flip or channel swap shows.
void drawCorners(int w, int h) {
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const struct {
        int x, y;
        GLubyte r, g, b;
    } corners[] = {{0, 0, 255, 0, 0}, {w - 10, 0, 0, 160, 0}, {0, h - 10, 0, 0, 255}, {w - 10, h - 10, 250, 200, 0}};
    for (const auto& c : corners) {
        glColor3ub(c.r, c.g, c.b);
        glRecti(c.x, c.y, c.x + 10, c.y + 10);
    }
    glFinish();
}

class ImageExportTest : public ::testing::Test {
protected:
    static constexpr int kW = 103, kH = 37;  // an odd width: every row is padded
    void SetUp() override {
        ASSERT_TRUE(gl.valid());
        ASSERT_TRUE(dir.isValid());
        drawCorners(kW, kH);
    }
    testsupport::OffscreenGL gl{kW, kH};
    QTemporaryDir dir;
    platform::MsgRecorder messages;
};

}  // namespace

TEST_F(ImageExportTest, SaveImageWritesTheWholeDrawingArea) {
    const std::string path = dir.filePath("picture.bmp").toStdString();
    ASSERT_TRUE(platform::saveImage(path, kW, kH));
    EXPECT_TRUE(messages.shown().empty());
    const QImage loaded(QString::fromStdString(path), "BMP");
    ASSERT_FALSE(loaded.isNull());
    EXPECT_EQ(loaded.size(), QSize(kW, kH));
    EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), gl.grab());
    EXPECT_EQ(QFileInfo(QString::fromStdString(path)).size(), 54 + 312 * kH);
}

TEST_F(ImageExportTest, UnwritableNameIsReportedByNameAndNotSaved) {
    const std::string path = dir.filePath("missing/folder/picture.bmp").toStdString();
    EXPECT_FALSE(platform::saveImage(path, kW, kH));
    ASSERT_EQ(messages.shown().size(), 1u);
    const auto& box = messages.shown()[0];
    EXPECT_NE(box.text.find(path), std::string::npos) << box.text;
    EXPECT_EQ(box.icon, platform::MsgIcon::Critical);
    EXPECT_EQ(box.title, "Error");
}

// The folder would allow replacing it, but the user made the file read-only.
TEST_F(ImageExportTest, ReadOnlyFileIsRefusedByNameAndKept) {
    const std::string path = dir.filePath("locked.bmp").toStdString();
    QFile old(QString::fromStdString(path));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old picture");
    old.close();
    ASSERT_TRUE(old.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    EXPECT_FALSE(platform::saveImage(path, kW, kH));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, path + " is read-only.");
    EXPECT_EQ(messages.shown()[0].icon, platform::MsgIcon::Critical);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old picture"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"locked.bmp"});
}

TEST_F(ImageExportTest, CancelledOrImpossibleSavesWriteNothing) {
    EXPECT_FALSE(platform::saveImage("", kW, kH));
    EXPECT_TRUE(messages.shown().empty()) << "a cancelled dialog is quiet";

    const std::string path = dir.filePath("old.bmp").toStdString();
    QFile old(QString::fromStdString(path));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old picture");
    old.close();
    EXPECT_FALSE(platform::saveImage(path, 0, kH));
    QOpenGLContext::currentContext()->doneCurrent();
    EXPECT_FALSE(platform::saveImage(path, kW, kH)) << "no context";
    gl.makeCurrent();
    EXPECT_EQ(messages.shown().size(), 2u);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old picture"));
}

TEST_F(ImageExportTest, CopyPutsThePictureOnTheClipboardAndNoFileAnywhere) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("before");
    const QStringList appFolderBefore = QDir(QCoreApplication::applicationDirPath()).entryList();

    EXPECT_FALSE(platform::copyImageToClipboard(false, kW, kH)) << "no graph shown: nothing happens";
    EXPECT_EQ(clipboard->text(), "before");

    ASSERT_TRUE(platform::copyImageToClipboard(true, kW, kH));
    const QImage copied = clipboard->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), QSize(kW, kH));
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), gl.grab());
    EXPECT_EQ(QDir(QCoreApplication::applicationDirPath()).entryList(), appFolderBefore);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ImageExportTest, UnreadablePictureLeavesTheClipboardAsItWas) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("kept");
    QOpenGLContext::currentContext()->doneCurrent();
    EXPECT_FALSE(platform::copyImageToClipboard(true, kW, kH));
    gl.makeCurrent();
    EXPECT_FALSE(platform::copyImageToClipboard(true, -5, kH));
    EXPECT_EQ(clipboard->text(), "kept");
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_TRUE(platform::readPicture(kW, 0).isNull());
}
