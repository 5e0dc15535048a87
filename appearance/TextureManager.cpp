#include "appearance/TextureManager.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <iostream>

#include "appearance/ImageLoader.h"
#include "framework/RandomNumber.h"
#include "framework/SafeNumbers.h"

namespace {

bool extensionListed(const char* extensions, const char* name) {
    return extensions != nullptr && std::strstr(extensions, name) != nullptr;
}

// Bytes per pixel of the pixel formats that ImageLoader reports.
unsigned channelsOf(int glFormat) {
    switch (glFormat) {
    case GL_RGBA: return 4;
    case GL_RGB: return 3;
    case GL_LUMINANCE_ALPHA: return 2;
    default: return 1;
    }
}

}  // namespace

TextureManager::TextureManager() : textureFormat(GL_RGB) { checkHWSupport(); }

void TextureManager::checkHWSupport() {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (extensionListed(extensions, "GL_EXT_texture_compression_s3tc"))
        s3tcSupported = true;
    else
        std::cout << "TextureManager.checkHWSupport(): OpenGL extension "
                  << "GL_EXT_texture_compression_s3tc not found!" << std::endl;
    if (extensionListed(extensions, "GL_ARB_texture_compression"))
        arbCompressionSupported = true;
    else
        std::cout << "TextureManager.checkHWSupport(): OpenGL extension "
                  << "GL_ARB_texture_compression not found!" << std::endl;
}

void TextureManager::setTextureFormat(bool hasAlpha) {
    if (!texCompression) {
        textureFormat = hasAlpha ? GL_RGBA : GL_RGB;
        return;
    }
    if (texCompressionARB && !arbCompressionSupported) {
        reportProblem("TextureManager.setTextureFormat(): "
                      "GL_ARB_texture_compression extension was not found. "
                      "Using regular texture compression instead.");
    } else if (!texCompressionARB) {
        if (s3tcSupported) {
            textureFormat = hasAlpha ? GL_COMPRESSED_RGBA_S3TC_DXT1_EXT : GL_COMPRESSED_RGB_S3TC_DXT1_EXT;
            return;
        }
        reportProblem("TextureManager.setTextureFormat(): "
                      "GL_EXT_texture_compression_s3tc extension was not "
                      "found. Using regular texture compression instead.");
    }
    textureFormat = hasAlpha ? GL_COMPRESSED_RGBA_ARB : GL_COMPRESSED_RGB_ARB;
}

void TextureManager::setTextureParameters() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    GLint minFilter;
    if (mipMapping)
        minFilter = linearFiltering ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    else
        minFilter = linearFiltering ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, linearFiltering ? GL_LINEAR : GL_NEAREST);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
}

void TextureManager::loadTexture(const char* path) {
    requestedFiles.emplace_back(path != nullptr ? path : "");
    try {
        ImageLoader loader;
        GLint largestSide = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestSide);
        loader.setLimits(static_cast<unsigned>(std::max(largestSide, 0)), maxImageBytes);
        loader.loadImage(path);
        glEnable(GL_TEXTURE_2D);
        setTextureFormat(loader.hasAlphaChannel());
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        setTextureParameters();

        const GLsizei width = static_cast<GLsizei>(loader.getImageWidth());
        const GLsizei height = static_cast<GLsizei>(loader.getImageHeight());
        const GLenum format = static_cast<GLenum>(loader.getGLImageFormat());
        // DevIL packs rows tightly; rows whose length is not a multiple of four are read
        // byte-aligned so that the upload never reads past the pixel data.
        const bool packedRows = (static_cast<unsigned>(width) * channelsOf(loader.getGLImageFormat())) % 4 == 0;
        if (!packedRows) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        if (mipMapping)
            gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(textureFormat), width, height, format,
                              GL_UNSIGNED_BYTE, loader.getImage());
        else
            glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(textureFormat), width, height, 0, format,
                         GL_UNSIGNED_BYTE, loader.getImage());
        if (!packedRows) glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

        textureNames.push_back(name);
        if (reportLoads) std::cout << "Loaded texture " << name << " in image: " << path << "!\n";
    } catch (const std::exception& error) {
        reportProblem("TextureManager.loadTexture(): " + std::string(error.what()));
    }
}

void TextureManager::reportProblem(const std::string& line) const {
    if (problemHandler)
        problemHandler(line);
    else
        std::cout << line << std::endl;
}

void TextureManager::loadTextures(std::vector<std::string> paths) {
    for (const std::string& path : paths) loadTexture(path.c_str());
}

std::vector<std::uint32_t> TextureManager::getTextureNames() const { return textureNames; }

std::uint32_t TextureManager::getTextureName(unsigned index) const {
    return index < textureNames.size() ? textureNames[index] : 0;
}

unsigned TextureManager::randomIndex(int r, std::size_t count) {
    if (count == 0) return 0;
    return truncateToUnsigned(r / 32767.0 * static_cast<double>(count - 1));
}

std::uint32_t TextureManager::getRandomTextureName() const {
    if (textureNames.empty()) return 0;
    return textureNames[randomIndex(randomInt32767(), textureNames.size())];
}
