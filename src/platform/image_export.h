#pragma once
// The picture of the drawing area as a file or on the clipboard: the work
// behind "Save Image ..." and "Copy As BMP". The caller makes the drawing
// area's context current (its framebuffer holding the shown frame) and passes
// the area's size in device pixels; the file dialog stays with the caller.
#include <QImage>
#include <string>

namespace platform {

// The drawing area's picture, read from the current context's read
// framebuffer (lower left width x height pixels). A null image when there is
// no context, the size is out of range or the read fails.
QImage readPicture(int width, int height);

// Writes the picture to fileName (as chosen, no extension added) as a 24-bit
// BMP, replacing an existing file only once the new one is complete. True only
// when the file was written completely; the caller then sets mImageSaved. On
// failure shows a message naming the file and returns false, so the caller
// keeps the document as it is; a read-only file is refused ("<path> is
// read-only.") and kept. An empty name (a cancelled dialog) returns
// false quietly.
bool saveImage(const std::string& fileName, int width, int height);

// Puts the picture on the system clipboard as an image; nothing is written to
// disk. Does nothing and returns false when no graph is shown. When the
// picture cannot be read the clipboard stays as it was, a message says so and
// the result is false.
bool copyImageToClipboard(bool sceneHasGraphs, int width, int height);

}  // namespace platform
