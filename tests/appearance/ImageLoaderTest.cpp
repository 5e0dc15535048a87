#include <GL/gl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
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
        EXPECT_EQ(loader.getImageWidth(), c.width) << name;
        EXPECT_EQ(loader.getImageHeight(), c.height) << name;
        EXPECT_EQ(loader.getGLImageFormat(), c.glFormat) << name;
        EXPECT_EQ(loader.hasAlphaChannel(), c.alpha) << name;
        EXPECT_EQ(pixelsOf(loader, c.channels), c.pixels) << name;
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
    EXPECT_EQ(loader.getGLImageFormat(), GL_RGB);
    EXPECT_EQ(pixelsOf(loader, 3), (std::vector<unsigned char>{10, 20, 30, 1, 2, 3}));

    // Colour-indexed pixels come out in their palette colours.
    const std::string indexed = images.write("palette.png", IL_PNG, 2, 1, IL_COLOUR_INDEX, 1, {1, 0},
                                             {255, 0, 0, 0, 0, 255});
    loader.loadImage(indexed.c_str());
    EXPECT_EQ(loader.getGLImageFormat(), GL_RGB);
    EXPECT_EQ(pixelsOf(loader, 3), (std::vector<unsigned char>{0, 0, 255, 255, 0, 0}));
}

TEST(ImageLoader, RefusesMissingCorruptAndNonRegularFiles) {
    TestImageFolder images;
    const std::string missing = images.path("missing.png");
    EXPECT_EQ(loadFailure(missing), "Unable to load texture image " + missing + "!");
    const std::string corrupt = images.writeBytes("corrupt.png", "\x89PNG\r\n\x1a\n but not really");
    EXPECT_EQ(loadFailure(corrupt), "Unable to load texture image " + corrupt + "!");
    EXPECT_EQ(loadFailure(images.path("")), "Unable to load texture image " + images.path("") + "!");
    EXPECT_EQ(loadFailure("/dev/zero"), "Unable to load texture image /dev/zero!");
}
