#include "platform/image_export.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QOpenGLContext>

#include "platform/atomic_file.h"
#include "platform/bmp_file.h"
#include "platform/msgbox.h"

namespace platform {

namespace {

bool pictureReadable(int width, int height) {
    return QOpenGLContext::currentContext() != nullptr && width >= 1 && height >= 1 && width <= kMaxBitmapSide &&
           height <= kMaxBitmapSide;
}

}  // namespace

QImage readPicture(int width, int height) {
    if (!pictureReadable(width, height)) return {};
    const auto rows = readViewportRGB(width, height);
    if (rows.empty()) return {};
    const QImage bottomUp(rows.data(), width, height, static_cast<qsizetype>(bmpRowLength(width)),
                          QImage::Format_RGB888);
    return bottomUp.mirrored();  // a deep copy, top row first
}

bool saveImage(const std::string& fileName, int width, int height) {
    if (fileName.empty()) return false;
    if (IsReadOnlyFile(fileName)) {
        MsgBox(fileName + " is read-only.", MsgButtons::Ok, MsgIcon::Critical, "Error");
        return false;
    }
    std::string reason = "the picture could not be read";
    // The whole drawing area: the writer pads each row itself.
    const bool saved = pictureReadable(width, height) && writeViewportBmp(fileName, width, height, &reason);
    if (!saved)
        MsgBox("The image could not be saved to the file " + fileName + " (" + reason + ").", MsgButtons::Ok,
               MsgIcon::Critical, "Error");
    return saved;
}

bool copyImageToClipboard(bool sceneHasGraphs, int width, int height) {
    if (!sceneHasGraphs) return false;
    const QImage picture = readPicture(width, height);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (picture.isNull() || !clipboard) {
        MsgBox("The picture could not be copied to the clipboard.", MsgButtons::Ok, MsgIcon::Critical, "Error");
        return false;
    }
    clipboard->setImage(picture);
    return true;
}

}  // namespace platform
