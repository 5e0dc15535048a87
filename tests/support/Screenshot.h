#ifndef DRAVIK_TESTS_SCREENSHOT_H
#define DRAVIK_TESTS_SCREENSHOT_H

#include <GL/gl.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "appearance/ImageLoader.h"

// The RGB pixels of an image file the player wrote, addressed with y up like the display;
// no pixels (width 0) when the file cannot be read.
class Screenshot {
public:
    using Rgb = std::array<int, 3>;

    explicit Screenshot(const std::filesystem::path& path) {
        ImageLoader image;
        try {
            image.loadImage(path.c_str());
        } catch (const std::invalid_argument&) {
            return;
        }
        width = static_cast<int>(image.getImageWidth());
        height = static_cast<int>(image.getImageHeight());
        const std::size_t channels = image.getGLImageFormat() == GL_RGBA ? 4 : 3;
        for (int y = height - 1; y >= 0; --y)  // the loader gives the top row first
            for (int x = 0; x < width; ++x)
                for (std::size_t c = 0; c < 3; ++c) rgb.push_back(image.getImage()[(std::size_t(y) * width + x) * channels + c]);
    }
    Rgb at(int x, int y) const {
        const unsigned char* p = &rgb[(std::size_t(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
    // Whether the pixel has the colour within `tolerance` in each channel (drivers round
    // colours to bytes in different ways).
    bool near(int x, int y, const Rgb& colour, int tolerance = 1) const {
        const Rgb p = at(x, y);
        for (int c = 0; c < 3; ++c)
            if (std::abs(p[c] - colour[c]) > tolerance) return false;
        return true;
    }

    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // the bottom row first
};

#endif
