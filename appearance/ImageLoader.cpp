#include "appearance/ImageLoader.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>

#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace {

// The OpenGL pixel format of a DevIL format, or 0 when OpenGL cannot take it as it is.
int glFormatOf(ILint ilFormat) {
    switch (ilFormat) {
    case IL_RGB: return GL_RGB;
    case IL_RGBA: return GL_RGBA;
    case IL_LUMINANCE: return GL_LUMINANCE;
    case IL_LUMINANCE_ALPHA: return GL_LUMINANCE_ALPHA;
    default: return 0;
    }
}

// Only regular files are handed to DevIL: a device or a pipe named in a scene file would
// otherwise block or never end.
bool isReadableImageFile(const char* path) {
    std::error_code error;
    return path != nullptr && std::filesystem::is_regular_file(path, error);
}

// Colour-indexed pixels would go through OpenGL's index maps, which turn every index
// black; the palette's colours are written out instead.
void expandPalette() {
    const ILint palette = ilGetInteger(IL_PALETTE_TYPE);
    const bool alpha = palette == IL_PAL_RGBA32 || palette == IL_PAL_BGRA32;
    ilConvertImage(alpha ? IL_RGBA : IL_RGB, IL_UNSIGNED_BYTE);
}

}  // namespace

ImageLoader::ImageLoader() : imageFormat(GL_RGB) {
    ilInit();
    iluInit();
    // Rows top first: the image strategies map t = 0 to the top edge of a picture.
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
}

ImageLoader::~ImageLoader() {
    if (imageName != 0) ilDeleteImages(1, &imageName);
}

void ImageLoader::loadImage(const char* path) {
    const std::invalid_argument unloadable("Unable to load texture image " +
                                           std::string(path != nullptr ? path : "") + "!");
    if (imageName != 0) ilDeleteImages(1, &imageName);
    ilGenImages(1, &imageName);
    ilBindImage(imageName);
    if (!isReadableImageFile(path) || !ilLoadImage(path)) throw unloadable;

    if (ilGetInteger(IL_IMAGE_FORMAT) == IL_COLOUR_INDEX) expandPalette();
    const ILint ilFormat = ilGetInteger(IL_IMAGE_FORMAT);
    const int glFormat = glFormatOf(ilFormat);
    if (glFormat == 0) {
        std::cout << "ImageLoader.loadImage(): " << "Unknown/unsupported image bit format. Trying RGB."
                  << " Might crash here.\n";
        // Converted rather than read as RGB, so that no upload reads past the pixel data.
        if (!ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE)) throw unloadable;
        imageFormat = GL_RGB;
        return;
    }
    imageFormat = glFormat;
    // One byte per channel, as the uploads expect (16-bit and float images come down).
    if (ilGetInteger(IL_IMAGE_TYPE) != IL_UNSIGNED_BYTE &&
        !ilConvertImage(static_cast<ILenum>(ilFormat), IL_UNSIGNED_BYTE))
        throw unloadable;
}

unsigned ImageLoader::getImageWidth() const {
    return static_cast<unsigned>(ilGetInteger(IL_IMAGE_WIDTH));
}

unsigned ImageLoader::getImageHeight() const {
    return static_cast<unsigned>(ilGetInteger(IL_IMAGE_HEIGHT));
}

int ImageLoader::getGLImageFormat() const { return imageFormat; }

bool ImageLoader::hasAlphaChannel() const {
    const ILint format = ilGetInteger(IL_IMAGE_FORMAT);
    return format == IL_RGBA || format == IL_LUMINANCE_ALPHA;
}

unsigned char* ImageLoader::getImage() const { return ilGetData(); }
