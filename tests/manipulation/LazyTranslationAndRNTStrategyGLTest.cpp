#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/VisComponentGL.h"
#include "manipulation/LazyTranslationAndRNTStrategy.h"
#include "support/FeedbackCapture.h"
#include "support/GLContext.h"
#include "support/HandClock.h"
#include "support/TestStrategies.h"

namespace {

// A 200 x 100 component at (128, 128) on a 256 x 256 display; the translation circle has a
// radius of 30.
struct TranslateOrTurn : GLTest {
    HandClock clock;
    DravikManager manager{&clock, 0};
    LazyTranslationAndRNTStrategy* strategy = new LazyTranslationAndRNTStrategy;
    VisComponent* component = new VisComponentGL;

    void SetUp() override {
        GLTest::SetUp();
        manager.resize(256, 256);
        component->position = Point3d(128, 128, 0);
        component->width = 200;
        component->height = 100;
        component->pushStrategy(strategy);
        manager.addComponent(component);
    }
    void send(const char* type, double x, double y) {
        DravikEvent e(eventType(type), 1, x, y);
        component->onEvent(&e);
    }
    std::vector<FeedbackPrimitive> drawn() {
        return captureFeedback([&] { component->render({}); });
    }
    double drawnAlpha() {
        const auto lines = drawn();
        return lines.empty() ? -1.0 : lines[0].vertices[0].rgba[3];
    }
};

}  // namespace

TEST_F(TranslateOrTurn, PressesNearTheCentreOnlyTranslateByWholePixels) {
    send("PRESS", 150.0, 128.0);  // 22 from the centre
    EXPECT_TRUE(strategy->isTranslationMode());
    send("DRAG", 160.7, 128.0);
    EXPECT_EQ(component->position, Point3d(138, 128, 0)) << "160 - 150";
    send("DRAG", 170.2, 140.0);
    EXPECT_NEAR(component->position.x, 138 + 170 - 160.7, 1e-9);
    EXPECT_NEAR(component->position.y, 140, 1e-9);
    EXPECT_EQ(component->angle, 0.0);
    send("RELEASE", 170.2, 140.0);

    component->position = Point3d(128, 128, 0);
    send("PRESS", 128 + 80, 128);  // inside, outside the circle: turn and move
    EXPECT_FALSE(strategy->isTranslationMode());
    send("DRAG", 128, 128 + 80);
    EXPECT_NEAR(component->angle, M_PI / 2, 1e-9);
    EXPECT_NEAR(component->position.x, 128, 1e-9);
    send("RELEASE", 128, 128 + 80);

    strategy->setDrawDecoration(false);
    send("PRESS", 129, 128);
    EXPECT_TRUE(strategy->isTranslationMode()) << "the circle still chooses";
    EXPECT_TRUE(drawn().empty());
}

TEST_F(TranslateOrTurn, ShowsTheCircleWhileHeldAndFadesItAfterTheRelease) {
    EXPECT_TRUE(drawn().empty());
    send("PRESS", 128, 128);
    const auto circle = drawn();
    ASSERT_EQ(circle.size(), 36u) << "a loop through 36 vertices";
    for (const FeedbackPrimitive& line : circle)
        EXPECT_NEAR(std::hypot(line.vertices[0].x - 128, line.vertices[0].y - 128), 30.0, 1e-3);

    clock.now = 10.0;
    send("RELEASE", 128, 128);
    clock.now = 11.0;
    EXPECT_NEAR(drawnAlpha(), 1.0, 1e-3);
    clock.now = 12.0;
    EXPECT_NEAR(drawnAlpha(), 0.5, 1e-3);
    send("PRESS", 128, 128);  // a new press shows it fully again
    EXPECT_NEAR(drawnAlpha(), 1.0, 1e-3);
    send("RELEASE", 128, 128);
    clock.now = 15.01;
    EXPECT_EQ(drawnAlpha(), -1.0);
    EXPECT_FALSE(strategy->isFading());
}
