#include <GL/gl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "appearance/ImageLoader.h"
#include "appearance/TestImages.h"

namespace {

std::vector<unsigned char> pixelsOf(const ImageLoader& loader, unsigned channels) {
    const unsigned char* data = loader.getImage();
    return std::vector<unsigned char>(data, data + loader.getImageWidth() * loader.getImageHeight() * channels);
}

std::string loadFailure(const std::string& path) {
    ImageLoader loader;
    try {
        loader.loadImage(path.c_str());
    } catch (const std::invalid_argument& error) {
        return error.what();
    }
    return "loaded";
}

}  // namespace

TEST(ImageLoader, ReportsSizeFormatAlphaAndPixelsTopRowFirst) {
    TestImageFolder images;
    const struct {
        ILenum format;
        unsigned channels, width, height;
        std::vector<unsigned char> pixels;
        GLenum glFormat;
        bool alpha;
    } cases[] = {
        {IL_RGB, 3, 3, 2, {10, 20, 30, 40, 50, 60, 70, 80, 90, 1, 2, 3, 4, 5, 6, 7, 8, 9}, GL_RGB, false},
        {IL_RGBA, 4, 1, 2, {255, 0, 0, 128, 0, 255, 0, 255}, GL_RGBA, true},
        {IL_LUMINANCE, 1, 2, 1, {7, 200}, GL_LUMINANCE, false},
        {IL_LUMINANCE_ALPHA, 2, 1, 1, {7, 99}, GL_LUMINANCE_ALPHA, true},
    };
    ImageLoader loader;  // one loader: nothing of an earlier image may stick
    for (const auto& c : cases) {
        const std::string name = std::to_string(&c - cases) + ".png";
        loader.loadImage(images.write(name, IL_PNG, c.width, c.height, c.format, c.channels, c.pixels).c_str());
        EXPECT_EQ(std::make_tuple(loader.getImageWidth(), loader.getImageHeight(), loader.getGLImageFormat(),
                                  loader.hasAlphaChannel(), pixelsOf(loader, c.channels)),
                  std::make_tuple(c.width, c.height, c.glFormat, c.alpha, c.pixels)) << name;
    }
}

TEST(ImageLoader, ConvertsFormatsOpenGLCannotTake) {
    TestImageFolder images;
    ImageLoader loader;
    // A previous RGBA load must not leave its format to the converted pixels.
    loader.loadImage(images.write("rgba.png", IL_PNG, 1, 1, IL_RGBA, 4, {1, 2, 3, 4}).c_str());

    // BMP files load as bottom-up BGR: the message, then RGB pixels with the top row first.
    const std::string bmp = images.write("bgr.bmp", IL_BMP, 1, 2, IL_BGR, 3, {30, 20, 10, 3, 2, 1});
    testing::internal::CaptureStdout();
    loader.loadImage(bmp.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ImageLoader.loadImage(): Unknown/unsupported image bit format. Trying RGB. Might crash here.\n");
    EXPECT_EQ(std::make_pair(loader.getGLImageFormat(), pixelsOf(loader, 3)),
              std::make_pair(int(GL_RGB), std::vector<unsigned char>{10, 20, 30, 1, 2, 3}));

    // Colour-indexed pixels come out in their palette colours.
    const std::string indexed = images.write("palette.png", IL_PNG, 2, 1, IL_COLOUR_INDEX, 1, {1, 0},
                                             {255, 0, 0, 0, 0, 255});
    loader.loadImage(indexed.c_str());
    EXPECT_EQ(std::make_pair(loader.getGLImageFormat(), pixelsOf(loader, 3)),
              std::make_pair(int(GL_RGB), std::vector<unsigned char>{0, 0, 255, 255, 0, 0}));
}

TEST(ImageLoader, RefusesMissingCorruptAndNonRegularFiles) {
    TestImageFolder images;
    for (const std::string& file : {images.path("missing.png"), images.writeBytes("corrupt.png", "\x89PNG\r\n\x1a\n but not really"),
                                    images.path(""), std::string("/dev/zero")})
        EXPECT_EQ(loadFailure(file), "Unable to load texture image " + file + "!");
}
