#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "appearance/GLProbe.h"
#include "appearance/ImageStrategy.h"
#include "appearance/TestImages.h"
#include "appearance/TextureManager.h"
#include "framework/VisComponent.h"
#include "support/GLContext.h"

namespace {

using probe::pixelAt;
using probe::Rgb;

// A 200 x 100 component centred in the 256 x 256 viewport, carrying one ImageStrategy of a
// 2 x 2 texture: red and green on the top row, blue and white on the bottom row.
class ImageStrategyGLTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        TextureManager manager;
        manager.setTexCompression(false);
        manager.setMipMapping(false);
        manager.setLinearFiltering(false);
        manager.loadTexture(images.write("quad.png", IL_PNG, 2, 2, IL_RGB, 3,
                                         {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}).c_str());
        texture = manager.getTextureName(0);
        glDisable(GL_TEXTURE_2D);  // loading leaves it on; picking passes start with it off
        component = std::make_unique<VisComponent>();
        component->width = 200;
        component->height = 100;
        component->pushStrategy(new ImageStrategy(texture));
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

    TestImageFolder images;
    GLuint texture = 0;
    std::unique_ptr<VisComponent> component;
};

}  // namespace

TEST_F(ImageStrategyGLTest, DrawsTheImageUprightOverTheComponentAndRebuildsAfterResize) {
    render();
    EXPECT_EQ(pixelAt(128 - 50, 128 + 25), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(128 + 50, 128 + 25), (Rgb{0, 255, 0}));
    EXPECT_EQ(pixelAt(128 - 50, 128 - 25), (Rgb{0, 0, 255}));
    EXPECT_EQ(pixelAt(128 + 50, 128 - 25), (Rgb{255, 255, 255}));
    EXPECT_EQ(pixelAt(128 - 101, 128), (Rgb{0, 0, 0})) << "nothing beyond the left edge";
    EXPECT_EQ(pixelAt(128, 128 + 51), (Rgb{0, 0, 0})) << "nothing above the top edge";
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
    EXPECT_EQ(VisComponent::convertColorToId(id), component->id);
    component->resize(20, 20);
    render(true);
    EXPECT_EQ(pixelAt(128 - 50, 128), (Rgb{0, 0, 0}));
    EXPECT_EQ(pixelAt(128 - 9, 128 + 9), idColour);
}
