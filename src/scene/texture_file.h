#pragma once
// Reading a texture's picture file: only a regular file is opened (checked
// without waiting, so a pipe or device never blocks the window), and a picture
// larger than the texture needs is read scaled down, never at full size.
#include <QImage>
#include <string>

// The picture of a texture file, or why there is none.
struct TexturePicture {
    QImage image;         // null when the file gives no picture
    std::string problem;  // then the reason, in words for a message
};

// Reads the file by its content. A picture wider or taller than maxSide is
// read at the texture's size (each side TextureSide(side, maxSide)): a JPG
// decoded smaller, an uncompressed BMP sampled a row at a time.
TexturePicture ReadTexturePicture(const std::string& filename, long maxSide);

// The one message for a texture file that cannot be used.
std::string TextureProblemMessage(const std::string& filename, const std::string& problem);
