#include <GL/gl.h>

#include <array>

#include "containers/CurrentBeltContainerStrategy.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

// The colour at a pixel of the 256 x 256 test viewport.
std::array<unsigned char, 3> pixelAt(int x, int y) {
    std::array<unsigned char, 3> p{};
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p.data());
    return p;
}

}  // namespace

// A belt of width 60 in a 240 x 240 component at the viewport's middle: the outline passes
// 88.4 right of the centre, the ring reaches 106.1, the inner outline 35.4, its ring 17.7.
TEST_F(GLTest, BeltDrawsAndPicksItsBeltAndRingsButNotItsHole) {
    DravikManager manager(nullptr, 0);
    VisComponent* c = placeComponent(manager, 128, 128, 240, 240, {new CurrentBeltContainerStrategy(60.0)});
    const std::array<unsigned char, 3> black{};

    glPushMatrix();
    glTranslated(128, 128, 0);
    c->renderForPicking();
    glPopMatrix();
    std::array<unsigned char, 3> id;
    c->getIdColor(id.data());
    for (int x : {128 + 62, 128 + 97, 128 + 28, 128 - 62}) EXPECT_EQ(pixelAt(x, 128), id) << x;
    for (auto [x, y] : {std::pair{128, 128}, std::pair{128 + 10, 128}, std::pair{250, 250}})
        EXPECT_EQ(pixelAt(x, y), black) << x << "," << y;

    // Drawn: the belt in its colour, blended; the hole stays clear.
    glClear(GL_COLOR_BUFFER_BIT);
    glPushMatrix();
    glTranslated(128, 128, 0);
    c->render({});
    glPopMatrix();
    EXPECT_GT(pixelAt(128 + 62, 128)[2], 0);
    EXPECT_EQ(pixelAt(128, 128), black);
}
