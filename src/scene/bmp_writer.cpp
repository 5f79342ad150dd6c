#include "scene/bmp_writer.h"

#include "platform/bmp_file.h"

bool SaveViewportBitmap(const std::string& fileName, long lastColumn, long height, std::string* error) {
    // Checked here in long: the platform writer takes int sides.
    if (lastColumn < 0 || lastColumn >= platform::kMaxBitmapSide || height < 1 || height > platform::kMaxBitmapSide) {
        if (error) *error = "the picture size is out of range";
        return false;
    }
    return platform::writeViewportBmp(fileName, static_cast<int>(lastColumn + 1), static_cast<int>(height), error);
}
