#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "Touches.h"
#include "app/VisComponentGL.h"
#include "manipulation/LazyTranslationAndRNTStrategy.h"
#include "manipulation/ResizerHandleStrategy.h"
#include "support/FeedbackCapture.h"
#include "support/GLContext.h"
#include "support/HandClock.h"

namespace {

// A drawn component at (128, 128) on a 256 x 256 display with a hand-set clock.
struct Drawn : GLTest {
    HandClock clock;
    DravikManager manager{&clock, 0};
    VisComponent* component = new VisComponentGL;

    void place(unsigned w, unsigned h, double scale, VisComponentStrategy* strategy) {
        GLTest::SetUp();
        manager.resize(256, 256);
        component->position = Point3d(128, 128, 0);
        component->width = w;
        component->height = h;
        component->scale = Point3d(scale, scale, 1);
        component->pushStrategy(strategy);
        manager.addComponent(component);
    }
    std::vector<FeedbackPrimitive> drawn(const std::vector<unsigned long>& selected = {}) {
        return captureFeedback([&] { component->render(selected); });
    }
};

// 50 x 30, scaled twice: 100 x 60 display pixels.
struct Handle : Drawn {
    ResizerHandleStrategy* handle = new ResizerHandleStrategy;
    void SetUp() override {
        const double normal[4] = {1, 0, 0, 1}, selected[4] = {0, 1, 0, 1};
        handle->setColor(normal);
        handle->setSelectedColor(selected);
        place(50, 30, 2, handle);
    }
};

// 200 x 100: the translation circle has a radius of 30.
struct TranslateOrTurn : Drawn {
    LazyTranslationAndRNTStrategy* strategy = new LazyTranslationAndRNTStrategy;
    void SetUp() override { place(200, 100, 1, strategy); }
    double drawnAlpha() {
        const auto lines = drawn();
        return lines.empty() ? -1.0 : lines[0].vertices[0].rgba[3];
    }
};

}  // namespace

TEST_F(Handle, DrawsABracketOutsideTheMovingCornerInDisplayPixels) {
    component->color[3] = 0.5;
    const auto lines = drawn();
    ASSERT_EQ(lines.size(), 2u);
    const FeedbackVertex* bracket[3] = {&lines[0].vertices[0], &lines[0].vertices[1], &lines[1].vertices[1]};
    const double expected[3][2] = {{42.5, -31.5}, {51.5, -31.5}, {51.5, -25.5}};  // the first, the corner, the last
    for (int i = 0; i < 3; ++i)
        EXPECT_LT(std::hypot(bracket[i]->x - 128 - expected[i][0], bracket[i]->y - 128 - expected[i][1]), 1e-3) << i;
    const FeedbackVertex& first = *bracket[0];
    EXPECT_NEAR(first.rgba[0], 1.0, 1e-3);
    EXPECT_NEAR(first.rgba[3], 0.5, 1e-3) << "with the component's alpha";

    const auto selected = drawn({component->id});
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_NEAR(selected[0].vertices[0].rgba[0], 0.0, 1e-3);
    EXPECT_NEAR(selected[0].vertices[0].rgba[1], 1.0, 1e-3);
    GLdouble colour[4];
    glGetDoublev(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[1], 1.0) << "the handle's colour stays set";

    handle->setDisplacement(10.0);  // after the first draw, with size and scale unchanged
    EXPECT_NEAR(drawn()[0].vertices[1].x, 128 + 50 + 10, 1e-3);
}

TEST_F(Handle, APressOnTheHandleResizesAndOneInsideDoesNot) {
    // The handle is drawn in the component's identifier colour just outside its rectangle.
    component->position = Point3d(0, 0, 0);
    glPushMatrix();
    glTranslated(128, 128, 0);
    static_cast<VisComponent*>(component)->renderForPicking();  // the whole rectangle, then the handle
    glPopMatrix();
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 3.0f) << "the picking line width stays set";
    unsigned char rgb[3] = {0, 0, 0}, id[3];
    glReadPixels(128 + 51, 128 - 29, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    component->getIdColor(id);
    EXPECT_EQ(std::vector<unsigned char>(rgb, rgb + 3), std::vector<unsigned char>(id, id + 3));

    component->position = Point3d(128, 128, 0);
    stroke(component, 1, {{140, 120}, {160, 100}});  // inside
    EXPECT_EQ(component->width, 50u);
    stroke(component, 1, {{180, 97}, {190, 92}});  // on the handle
    EXPECT_EQ(component->width, 70u) << "the displacement counts times the scale";
    EXPECT_EQ(component->height, 40u);
}

TEST_F(TranslateOrTurn, PressesNearTheCentreOnlyTranslateByWholePixels) {
    send(component, "PRESS", 1, 150.0, 128.0);  // 22 from the centre
    EXPECT_TRUE(strategy->isTranslationMode());
    send(component, "DRAG", 1, 160.7, 128.0);
    EXPECT_EQ(component->position, Point3d(138, 128, 0)) << "160 - 150";
    send(component, "DRAG", 1, 170.2, 140.0);
    EXPECT_TRUE(isAt(component, 138 + 170 - 160.7, 140));
    EXPECT_EQ(component->angle, 0.0);
    send(component, "RELEASE", 1, 170.2, 140.0);

    component->position = Point3d(128, 128, 0);
    send(component, "PRESS", 1, 128 + 80, 128);  // inside, outside the circle: turn and move
    EXPECT_FALSE(strategy->isTranslationMode());
    send(component, "DRAG", 1, 128, 128 + 80);
    EXPECT_NEAR(component->angle, M_PI / 2, 1e-9);
    EXPECT_NEAR(component->position.x, 128, 1e-9);
    send(component, "RELEASE", 1, 128, 128 + 80);

    strategy->setDrawDecoration(false);
    send(component, "PRESS", 1, 129, 128);
    EXPECT_TRUE(strategy->isTranslationMode()) << "the circle still chooses";
    EXPECT_TRUE(drawn().empty());
}

TEST_F(TranslateOrTurn, ShowsTheCircleWhileHeldAndFadesItAfterTheRelease) {
    EXPECT_TRUE(drawn().empty());
    send(component, "PRESS", 1, 128, 128);
    const auto circle = drawn();
    ASSERT_EQ(circle.size(), 36u) << "a loop through 36 vertices";
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 1.5f) << "the decoration's width stays set";
    for (const FeedbackPrimitive& line : circle)
        EXPECT_NEAR(std::hypot(line.vertices[0].x - 128, line.vertices[0].y - 128), 30.0, 1e-3);

    clock.now = 10.0;
    send(component, "RELEASE", 1, 128, 128);
    clock.now = 11.0;
    EXPECT_NEAR(drawnAlpha(), 1.0, 1e-3);
    clock.now = 12.0;
    EXPECT_NEAR(drawnAlpha(), 0.5, 1e-3);
    send(component, "PRESS", 1, 128, 128);  // a new press shows it fully again
    EXPECT_NEAR(drawnAlpha(), 1.0, 1e-3);
    send(component, "RELEASE", 1, 128, 128);
    clock.now = 15.01;
    EXPECT_EQ(drawnAlpha(), -1.0);
    EXPECT_FALSE(strategy->isFading());
}
