#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "appearance/GLProbe.h"
#include "appearance/ImageStrategy.h"
#include "appearance/TestImages.h"
#include "appearance/TextureManager.h"
#include "framework/VisComponent.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

using probe::pixelAt;
using probe::Rgb;

// Internal format, minifying and magnifying filters, and the width of mipmap level 1 (0
// without mipmaps) of a texture.
std::array<GLint, 4> stateOf(GLuint name) {
    std::array<GLint, 4> s{};
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &s[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &s[1]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &s[2]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &s[3]);
    return s;
}

std::string bigEndian32(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

class TextureManagerGLTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        rgba = images.write("rgba.png", IL_PNG, 8, 8, IL_RGBA, 4, std::vector<unsigned char>(8 * 8 * 4, 200));
        rgb = images.write("rgb.png", IL_PNG, 8, 8, IL_RGB, 3, std::vector<unsigned char>(8 * 8 * 3, 90));
        greyAlpha = images.write("la.png", IL_PNG, 8, 8, IL_LUMINANCE_ALPHA, 2, std::vector<unsigned char>(8 * 8 * 2, 60));
    }

    // Loads one file and returns its texture name (0 if none was made).
    GLuint load(TextureManager& manager, const std::string& path) {
        const std::size_t before = manager.getTextureNames().size();
        manager.loadTexture(path.c_str());
        return manager.getTextureNames().size() > before ? manager.getTextureNames().back() : 0;
    }

    TestImageFolder images;
    std::string rgba, rgb, greyAlpha;
};

// A 200 x 100 component centred in the viewport, carrying one ImageStrategy of a 2 x 2
// texture: red and green on the top row, blue and white on the bottom row.
class ImageStrategyGLTest : public TextureManagerGLTest {
protected:
    void SetUp() override {
        TextureManagerGLTest::SetUp();
        TextureManager manager;
        manager.setTexCompression(false);
        manager.setMipMapping(false);
        manager.setLinearFiltering(false);
        const GLuint texture =
            load(manager, images.write("quad.png", IL_PNG, 2, 2, IL_RGB, 3, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));
        glDisable(GL_TEXTURE_2D);  // loading leaves it on; picking passes start with it off
        component.reset(makeComponent(0, 0, 200, 100, {new ImageStrategy(texture)}));
    }

    void render(bool picking = false) {
        glClear(GL_COLOR_BUFFER_BIT);
        glPushMatrix();
        glTranslated(128, 128, 0);
        if (picking)
            component->renderForPicking();
        else
            component->render({});
        glPopMatrix();
    }

    std::unique_ptr<VisComponent> component;
};

}  // namespace

TEST_F(TextureManagerGLTest, OptionsChooseFormatFiltersAndMipmapsOfLaterTextures) {
    testing::internal::CaptureStdout();
    TextureManager manager;
    const GLuint name = load(manager, rgba);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loaded texture " + std::to_string(name) + " in image: " + rgba + "!\n")
        << "llvmpipe offers both compression extensions: nothing else to say";
    // By default: compressed in a format the driver picks behind GL_COMPRESSED_RGBA_ARB,
    // mipmaps, linear filters, repeated, and texturing left on in replace mode.
    const std::array<GLint, 4> s = stateOf(name);
    EXPECT_NE(s[0], GL_COMPRESSED_RGBA_S3TC_DXT1_EXT);
    EXPECT_EQ((std::array<GLint, 3>{s[1], s[2], s[3]}), (std::array<GLint, 3>{GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR, 4}));
    GLint compressed = 0, wrapS = 0, wrapT = 0, mode = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_COMPRESSED, &compressed);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ((std::array<GLint, 4>{compressed, wrapS, wrapT, mode}), (std::array<GLint, 4>{GL_TRUE, GL_REPEAT, GL_REPEAT, GL_REPLACE}));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    // Each step changes one option (or none) and loads a file.
    const struct {
        void (TextureManager::*set)(bool);
        bool value;
        const std::string& file;
        std::array<GLint, 4> expected;
    } steps[] = {
        {&TextureManager::setTexCompressionARB, false, rgba, {GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR, 4}},
        {nullptr, false, rgb, {GL_COMPRESSED_RGB_S3TC_DXT1_EXT, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR, 4}},
        {&TextureManager::setTexCompression, false, rgb, {GL_RGB, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR, 4}},
        {nullptr, false, greyAlpha, {GL_RGBA, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR, 4}},
        {&TextureManager::setMipMapping, false, rgb, {GL_RGB, GL_LINEAR, GL_LINEAR, 0}},
        {&TextureManager::setLinearFiltering, false, rgb, {GL_RGB, GL_NEAREST, GL_NEAREST, 0}},
        {&TextureManager::setMipMapping, true, rgb, {GL_RGB, GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST, 4}},
    };
    for (const auto& step : steps) {
        if (step.set != nullptr) (manager.*step.set)(step.value);
        EXPECT_EQ(stateOf(load(manager, step.file)), step.expected) << &step - steps;
    }
}

TEST_F(TextureManagerGLTest, UploadsRowsOfAnyLengthExactly) {
    // Rows of 3 x 3 = 9 bytes are not four-byte aligned in DevIL's tightly packed pixels.
    std::vector<unsigned char> pixels(3 * 2 * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(10 * i);
    TextureManager manager;
    manager.setTexCompression(false);
    manager.setMipMapping(false);
    glBindTexture(GL_TEXTURE_2D, load(manager, images.write("odd.png", IL_PNG, 3, 2, IL_RGB, 3, pixels)));
    std::vector<unsigned char> uploaded(pixels.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, uploaded.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    EXPECT_EQ(uploaded, pixels);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);
}

TEST_F(TextureManagerGLTest, FailedFilesLeaveNoEntryAndLookupsStayDefined) {
    TextureManager manager;
    EXPECT_EQ(manager.getRandomTextureName(), 0u);
    EXPECT_EQ(manager.getTextureName(0), 0u);

    const std::string missing = images.path("missing.png");
    testing::internal::CaptureStdout();
    manager.loadTextures({rgb, missing, rgba});
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("TextureManager.loadTexture(): Unable to load texture image " + missing + "!\n"),
              std::string::npos);
    const std::vector<std::uint32_t> names = manager.getTextureNames();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(manager.getTextureName(1), names[1]);
    EXPECT_EQ(manager.getTextureName(2), 0u);
    const std::uint32_t random = manager.getRandomTextureName();
    EXPECT_TRUE(random == names[0] || random == names[1]);
}

TEST(TextureManagerRandomIndex, ReachesTheLastNameOnlyAtTheTopDraw) {
    const unsigned cases[][3] = {{0, 5, 0}, {8191, 5, 0}, {8192, 5, 1}, {32766, 5, 3}, {32767, 5, 4}, {32767, 1, 0}};
    for (const auto& c : cases) EXPECT_EQ(TextureManager::randomIndex(c[0], c[1]), c[2]) << c[0] << " of " << c[1];
}

TEST_F(TextureManagerGLTest, RefusesImagesBeyondTheDriverOrTheBudgetBeforeDecodingThem) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const auto side = static_cast<std::uint32_t>(largest) + 1;
    // Headers alone: refused for their size, never decoded (decoding them would fail).
    const std::string png = images.writeBytes(
        "wide.png", std::string("\x89PNG\r\n\x1a\n", 8) + bigEndian32(13) + "IHDR" + bigEndian32(side) +
                        bigEndian32(1) + std::string("\x08\x06\0\0\0", 5) + "crc!");
    const std::string gif = images.writeBytes(
        "tall.gif", "GIF89a" + std::string{1, 0, static_cast<char>(side & 0xFF), static_cast<char>(side >> 8)});
    const std::string jpeg = images.write("small.jpg", IL_JPG, 8, 8, IL_RGB, 3, std::vector<unsigned char>(8 * 8 * 3, 90));
    const std::string bmp = images.write("small.bmp", IL_BMP, 8, 8, IL_RGB, 3, std::vector<unsigned char>(8 * 8 * 3, 90));

    TextureManager manager;
    std::vector<std::string> problems;
    manager.setProblemHandler([&](const std::string& line) { problems.push_back(line); });
    EXPECT_EQ(load(manager, png), 0u);
    EXPECT_EQ(load(manager, gif), 0u);
    const std::string limit = std::to_string(largest) + " x " + std::to_string(largest) + "!";
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "TextureManager.loadTexture(): Image " + png + " of " + std::to_string(side) +
                                " x 1 pixels is larger than the largest texture of " + limit,
                            "TextureManager.loadTexture(): Image " + gif + " of 1 x " + std::to_string(side) +
                                " pixels is larger than the largest texture of " + limit}));

    // 8 x 8 pixels take 256 bytes at four a pixel, whatever the file holds.
    problems.clear();
    manager.setMaxImageBytes(255);
    for (const std::string& file : {rgb, jpeg, bmp}) EXPECT_EQ(load(manager, file), 0u) << file;
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[1], "TextureManager.loadTexture(): Image " + jpeg +
                               " of 8 x 8 pixels needs more than the 255 bytes that images may take!");
    manager.setMaxImageBytes(256);
    manager.setReportLoads(false);
    testing::internal::CaptureStdout();
    for (const std::string& file : {rgb, jpeg, bmp}) EXPECT_NE(load(manager, file), 0u) << file;
    EXPECT_EQ(testing::internal::GetCapturedStdout().find("Loaded texture"), std::string::npos);
    EXPECT_EQ(problems.size(), 3u);
}

TEST_F(ImageStrategyGLTest, DrawsTheImageUprightOverTheComponentAndRebuildsAfterResize) {
    render();
    // The four texels, then nothing beyond the left edge or above the top edge.
    EXPECT_EQ(probe::pixelsAt({{128 - 50, 128 + 25}, {128 + 50, 128 + 25}, {128 - 50, 128 - 25}, {128 + 50, 128 - 25},
                               {128 - 101, 128}, {128, 128 + 51}}),
              (std::vector<Rgb>{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}, {0, 0, 0}}));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "texturing stays off for what is drawn next";

    component->resize(100, 100);
    render();
    EXPECT_EQ(pixelAt(128 - 75, 128), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixelAt(128 - 25, 128 + 25), (Rgb{255, 0, 0}));

    // The component's alpha is passed on.
    component->color[3] = 0.5;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    render();
    const Rgb blended = pixelAt(128 - 25, 128 + 25);
    EXPECT_NEAR(blended[0], 128, 2);
    EXPECT_EQ(blended[1], 0);
}

TEST_F(ImageStrategyGLTest, PicksInTheIdentifierColourOverTheSameRectangle) {
    unsigned char id[3] = {0, 0, 0};
    component->getIdColor(id);
    const Rgb idColour{id[0], id[1], id[2]};
    render(true);
    EXPECT_EQ(pixelAt(128 - 99, 128 - 49), idColour);
    component->resize(20, 20);
    render(true);
    EXPECT_EQ(pixelAt(128 - 50, 128), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixelAt(128 - 9, 128 + 9), idColour);
}
