#include "appearance/ImageLoader.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>

#include <cstring>
#include <filesystem>
#include <fstream>
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

std::uint32_t bigEndian(const unsigned char* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) value = value << 8 | p[i];
    return value;
}

std::uint32_t littleEndian(const unsigned char* p, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes; i-- > 0;) value = value << 8 | p[i];
    return value;
}

// The size of a signed 32-bit field.
std::uint64_t magnitude(std::uint32_t field) {
    const std::int64_t value = static_cast<std::int32_t>(field);
    return static_cast<std::uint64_t>(value < 0 ? -value : value);
}

// The size of a JPEG image: the first start-of-frame segment after the segments before it.
bool readJpegSize(std::ifstream& in, std::uint64_t& width, std::uint64_t& height) {
    unsigned char marker[4];
    in.seekg(2);
    while (in.read(reinterpret_cast<char*>(marker), 2)) {
        if (marker[0] != 0xFF) return false;
        if (marker[1] == 0xFF) {  // fill byte
            in.seekg(-1, std::ios::cur);
            continue;
        }
        if (!in.read(reinterpret_cast<char*>(marker + 2), 2)) return false;
        const std::uint32_t length = bigEndian(marker + 2, 2);
        const unsigned kind = marker[1];
        const bool startOfFrame = kind >= 0xC0 && kind <= 0xCF && kind != 0xC4 && kind != 0xC8 && kind != 0xCC;
        if (startOfFrame) {
            unsigned char frame[5];
            if (!in.read(reinterpret_cast<char*>(frame), 5)) return false;
            height = bigEndian(frame + 1, 2);
            width = bigEndian(frame + 3, 2);
            return true;
        }
        if (length < 2) return false;
        in.seekg(length - 2, std::ios::cur);
    }
    return false;
}

// The size that the file's header declares, for the formats whose header says it plainly;
// false for other formats (and for headers too short to say).
bool readHeaderSize(const char* path, std::uint64_t& width, std::uint64_t& height) {
    std::ifstream in(path, std::ios::binary);
    unsigned char h[26] = {};
    in.read(reinterpret_cast<char*>(h), sizeof h);
    const std::streamsize got = in.gcount();
    in.clear();
    if (got >= 24 && std::memcmp(h, "\x89PNG\r\n\x1a\n", 8) == 0) {
        width = bigEndian(h + 16, 4);
        height = bigEndian(h + 20, 4);
        return true;
    }
    if (got >= 10 && (std::memcmp(h, "GIF87a", 6) == 0 || std::memcmp(h, "GIF89a", 6) == 0)) {
        width = littleEndian(h + 6, 2);
        height = littleEndian(h + 8, 2);
        return true;
    }
    if (got >= 26 && h[0] == 'B' && h[1] == 'M') {
        const std::uint32_t infoSize = littleEndian(h + 14, 4);
        if (infoSize == 12) {  // the old OS/2 header: 16-bit sizes
            width = littleEndian(h + 18, 2);
            height = littleEndian(h + 20, 2);
        } else {  // signed: a negative height stores the rows top first
            width = magnitude(littleEndian(h + 18, 4));
            height = magnitude(littleEndian(h + 22, 4));
        }
        return true;
    }
    if (got >= 3 && h[0] == 0xFF && h[1] == 0xD8 && h[2] == 0xFF) return readJpegSize(in, width, height);
    return false;
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
    if (!isReadableImageFile(path)) throw unloadable;
    std::uint64_t width = 0, height = 0;
    if (readHeaderSize(path, width, height)) checkSize(path, width, height);
    if (!ilLoadImage(path)) throw unloadable;
    checkSize(path, getImageWidth(), getImageHeight());

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

void ImageLoader::setLimits(unsigned side, std::uint64_t bytes) {
    maxSide = side;
    maxBytes = bytes;
}

void ImageLoader::checkSize(const char* path, std::uint64_t width, std::uint64_t height) const {
    const std::string image = "Image " + std::string(path) + " of " + std::to_string(width) + " x " +
                              std::to_string(height) + " pixels";
    if (maxSide != 0 && (width > maxSide || height > maxSide))
        throw std::invalid_argument(image + " is larger than the largest texture of " + std::to_string(maxSide) +
                                    " x " + std::to_string(maxSide) + "!");
    // At most 2^32 on each side from the headers read: the product cannot overflow.
    if (maxBytes != 0 && width * height * 4 > maxBytes)
        throw std::invalid_argument(image + " needs more than the " + std::to_string(maxBytes) +
                                    " bytes that images may take!");
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
