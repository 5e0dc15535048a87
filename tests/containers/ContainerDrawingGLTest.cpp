#include <GL/gl.h>

#include "containers/CurrentBeltContainerStrategy.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

// The colour at a pixel of the 256 x 256 test viewport.
struct Rgb {
    unsigned char r, g, b;
};
Rgb pixelAt(int x, int y) {
    Rgb p{};
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, &p);
    return p;
}

}  // namespace

// A belt of width 60 in a 240 x 240 component at the viewport's middle: the outline passes
// 88.4 right of the centre, the ring reaches 106.1, the inner outline 35.4, its ring 17.7.
TEST_F(GLTest, BeltDrawsAndPicksItsBeltAndRingsButNotItsHole) {
    DravikManager manager(nullptr, 0);
    VisComponent* c = makeComponent(128, 128, 240, 240);
    c->pushStrategy(new CurrentBeltContainerStrategy(60.0));
    manager.addComponent(c);

    glPushMatrix();
    glTranslated(128, 128, 0);
    c->renderForPicking();
    glPopMatrix();
    unsigned char id[3];
    c->getIdColor(id);
    for (int x : {128 + 62, 128 + 97, 128 + 28, 128 - 62}) {
        const Rgb p = pixelAt(x, 128);
        EXPECT_EQ(p.r, id[0]) << x;
        EXPECT_EQ(p.g, id[1]) << x;
        EXPECT_EQ(p.b, id[2]) << x;
    }
    for (auto [x, y] : {std::pair{128, 128}, std::pair{128 + 10, 128}, std::pair{250, 250}}) {
        const Rgb p = pixelAt(x, y);
        EXPECT_EQ(p.r + p.g + p.b, 0) << x << "," << y;
    }

    // Drawn: the belt in its colour, blended; the hole stays clear.
    glClear(GL_COLOR_BUFFER_BIT);
    glPushMatrix();
    glTranslated(128, 128, 0);
    c->render({});
    glPopMatrix();
    EXPECT_GT(pixelAt(128 + 62, 128).b, 0);
    const Rgb hole = pixelAt(128, 128);
    EXPECT_EQ(hole.r + hole.g + hole.b, 0);
}
