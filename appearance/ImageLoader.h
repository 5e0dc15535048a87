#ifndef DRAVIK_APPEARANCE_IMAGELOADER_H
#define DRAVIK_APPEARANCE_IMAGELOADER_H

#include <cstdint>

#include "framework/Export.h"

// Reads one image file through DevIL and tells its size, OpenGL pixel format and pixels.
//
// Pixels come one unsigned byte per channel, rows tightly packed, the top row first, so that
// a texture coordinate t of 0 names the image's top edge whatever the file's own row order.
// Images of pixel formats OpenGL cannot take directly (BGR, BGRA, ...) are converted to RGB,
// so the pixel data always matches the format that getGLImageFormat reports.
//
// Image files are outside input, and a small file can hold an enormous image: with limits
// set, loadImage reads the size from the file's header (PNG, JPEG, GIF and BMP) and refuses
// an image beyond them before any pixel is decoded; other formats are checked once decoded.
class DRAVIK_API ImageLoader {
public:
    // Initialises DevIL and ILU (again on every construction, which DevIL allows).
    ImageLoader();
    ImageLoader(const ImageLoader&) = delete;
    ImageLoader& operator=(const ImageLoader&) = delete;
    // Releases the loaded image in DevIL.
    ~ImageLoader();

    // Loads the file into a new DevIL image and binds it. Throws std::invalid_argument
    // "Unable to load texture image <path>!" when the file is missing, is not a regular file,
    // or cannot be decoded, and a message naming the size and the limit when the image is
    // larger than the limits allow.
    void loadImage(const char* path);

    // The largest width and height, and the most bytes of pixels counted at four bytes a
    // pixel, that loadImage accepts; 0 for no limit (the default).
    void setLimits(unsigned maxSide, std::uint64_t maxBytes);

    // Of the bound image.
    unsigned getImageWidth() const;
    unsigned getImageHeight() const;
    int getGLImageFormat() const;  // GL_RGB, GL_RGBA, GL_LUMINANCE, ... of the last load
    bool hasAlphaChannel() const;
    unsigned char* getImage() const;

private:
    // Throws when an image of width x height breaks the limits.
    void checkSize(const char* path, std::uint64_t width, std::uint64_t height) const;

    int imageFormat;
    unsigned maxSide = 0;
    std::uint64_t maxBytes = 0;
    unsigned imageName = 0;  // DevIL image of the last load; 0 = none
};

#endif
