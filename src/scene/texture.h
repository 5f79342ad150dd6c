#pragma once
// Cls15: a picture file (BMP, JPG or GIF, recognised by its content) as an
// OpenGL texture for a surface: RGB bytes, bottom row first, both sides scaled
// to powers of two of at most 256.
//
// A texture is uploaded once per file and kept while it is unchanged (same
// modification time and size). Display lists cannot upload textures while
// they compile, so the frame calls PrepareTextures with the files of the shown
// graphs before the picture's lists open (as it prepares the marker spheres);
// inside a list LoadGLTextures only binds the prepared texture. A texture is
// released once neither the newest picture nor the one before it used it, so
// the live textures stay bounded however often the scene is redrawn.
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Cls15 {
public:
    // The picture's pixels as packed RGB bytes (W x h x 3), bottom row first,
    // then scaled by ScaleImg; Components 3, GLFormat GL_RGB. False for an
    // empty picture or a failed scaling (Data then holds the unscaled bytes).
    bool FixPictureRGBA(const QImage& Pic, long& W, long& h, long& Components, long& GLFormat,
                        std::vector<std::uint8_t>& Data);
    template <class T>
    static T Max(T a, T b) { return a > b ? a : b; }
    template <class T>
    static T Min(T a, T b) { return a < b ? a : b; }
    // Scales the packed image so that each side is the smallest power of two
    // not below min(side, 256, the OpenGL maximum texture size), with
    // gluScaleImage at pixel alignment 1. True when the sides are powers of two
    // now; False without a current context or when the scaling fails, leaving
    // the image as it was.
    bool ScaleImg(long& ImgWidth, long& ImgHeight, long ImgFormat, long Components, std::vector<std::uint8_t>& Data);
    // The texture bytes of a picture whose file name ends in BMP, JPG or GIF
    // (any case). False for a blank name, another ending or no bytes.
    bool LoadBMP(const std::string& filename, const QImage& Pic, std::vector<std::uint8_t>& Texture1, long& Height,
                 long& Width);
    // The bytes of FixPictureRGBA; none when it fails.
    void CreateMapImage(const QImage& Pic, std::vector<std::uint8_t>& TextureImg, long& Height, long& Width);
    // Binds the file's texture to GL_TEXTURE_2D; True when one is bound.
    // Outside a list compilation a new or changed file is uploaded first;
    // inside one only a prepared texture is bound. A missing, blank,
    // unreadable or otherwise named file gives False: the surface then draws
    // without a texture, and (but for a blank name) one message names the
    // file and the reason, after the drawing, once per file and reason.
    bool LoadGLTextures(const std::string& filename);

    // Whether the last scaling failed.
    bool scaleFailed() const { return scaleFailed_; }

private:
    unsigned texture_ = 0;  // the texture bound last
    bool scaleFailed_ = false;
};

// The side a picture side takes as a texture: the smallest power of two not
// below min(side, limit).
long TextureSide(long side, long limit);

// Reads a picture file by its content, whatever its name says, scaled down
// to the largest texture side when it is larger (ReadTexturePicture). Null
// when the file is missing, no regular file or no picture.
QImage ReadPicture(const std::string& filename);

// Uploads the textures of these files into the current context (outside any
// list compilation) and releases those that neither this picture nor the
// previous one uses. A failed scaling shows "ValidateTextureSize :
// gluScaleImage failure" once per file, after the drawing; a file that gives
// no picture shows TextureProblemMessage the same way.
void PrepareTextures(const std::vector<std::string>& fileNames);

// Texture objects the current context holds for pictures.
std::size_t LiveTextureCount();

// The scaler ScaleImg uses (gluScaleImage's signature); nullptr restores
// gluScaleImage. Tests replace it to see a failure.
using ImageScaler = int (*)(unsigned format, int widthIn, int heightIn, unsigned typeIn, const void* dataIn,
                            int widthOut, int heightOut, unsigned typeOut, void* dataOut);
void SetImageScaler(ImageScaler scaler);
