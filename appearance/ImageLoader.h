#ifndef DRAVIK_APPEARANCE_IMAGELOADER_H
#define DRAVIK_APPEARANCE_IMAGELOADER_H

// Reads one image file through DevIL and tells its size, OpenGL pixel format and pixels.
//
// Pixels come one unsigned byte per channel, rows tightly packed, the top row first, so that
// a texture coordinate t of 0 names the image's top edge whatever the file's own row order.
// Images of pixel formats OpenGL cannot take directly (BGR, BGRA, ...) are converted to RGB,
// so the pixel data always matches the format that getGLImageFormat reports.
class ImageLoader {
public:
    // Initialises DevIL and ILU (again on every construction, which DevIL allows).
    ImageLoader();
    ImageLoader(const ImageLoader&) = delete;
    ImageLoader& operator=(const ImageLoader&) = delete;
    // Releases the loaded image in DevIL.
    ~ImageLoader();

    // Loads the file into a new DevIL image and binds it. Throws std::invalid_argument
    // "Unable to load texture image <path>!" when the file is missing, is not a regular file,
    // or cannot be decoded.
    void loadImage(const char* path);

    // Of the bound image.
    unsigned getImageWidth() const;
    unsigned getImageHeight() const;
    int getGLImageFormat() const;  // GL_RGB, GL_RGBA, GL_LUMINANCE, ... of the last load
    bool hasAlphaChannel() const;
    unsigned char* getImage() const;

private:
    int imageFormat;
    unsigned imageName = 0;  // DevIL image of the last load; 0 = none
};

#endif
