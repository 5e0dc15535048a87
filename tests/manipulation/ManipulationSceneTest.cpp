// Manipulation end to end: touches routed by the manager, frames run as a host runs them.
#include <gtest/gtest.h>

#include "manipulation/FrictionSurfaceStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "manipulation/TossableStrategy.h"
#include "support/TestStrategies.h"

namespace {

// A 1024 x 768 friction table (band 20, inner friction 0.01) under the whole display, and a
// 40 x 40 puck on it that can be dragged and tossed.
struct Tabletop : ::testing::Test {
    DravikManager manager{nullptr, 2};
    VisComponent* puck = makeComponent(0, 0, 40, 40);
    TossableStrategy* toss = new TossableStrategy;

    void SetUp() override {
        manager.resize(1024, 768);
        auto* table = makeComponent(512, 384, 1024, 768);
        table->pushStrategy(new FrictionSurfaceStrategy);
        manager.setRootComponent(table);
    }
    void addPuck(double x, double y) {
        puck->position = Point3d(x, y, 0);
        puck->leaf = true;
        puck->pushStrategy(new LazyTranslationStrategy);
        puck->pushStrategy(toss);
        manager.addComponent(puck);
    }
    void route(const char* type, unsigned user, double x, double y) {
        DravikEvent e(eventType(type), user, x, y);
        manager.processEvent(&e, nullptr);
    }
    void frame() {
        manager.processComponents();
        manager.readPassiveBuffers();
    }
};

}  // namespace

TEST_F(Tabletop, ATossGlidesOverTheTableAndStopsOnItsBand) {
    addPuck(200, 200);
    route("PRESS", 1, 200, 200);
    route("DRAG", 1, 205, 200);
    route("RELEASE", 1, 210, 200);
    EXPECT_DOUBLE_EQ(puck->position.x, 205);  // dragged; released 10 units after the press
    ASSERT_TRUE(toss->isTossing());

    frame();
    EXPECT_EQ(toss->getCurrentFriction(), 0.01);  // read from the table under the puck
    double lastX = puck->position.x;
    int frames = 1;
    for (; toss->isTossing() && frames < 1000; ++frames) {
        frame();
        EXPECT_GE(puck->position.x, lastX);  // slows down, never turns back
        lastX = puck->position.x;
    }
    // 10 per frame losing 1 % each: about 990 units at most, so it reaches the band at
    // x >= 1004 (a step of under 2 units by then) and stops dead there.
    EXPECT_FALSE(toss->isTossing());
    EXPECT_LT(frames, 1000);
    EXPECT_GE(puck->position.x, 1004);
    EXPECT_LT(puck->position.x, 1006);
    EXPECT_DOUBLE_EQ(puck->position.y, 200);
    EXPECT_EQ(toss->getCurrentFriction(), 1.0);
    EXPECT_EQ(puck->getParent(), nullptr);  // dropped again onto the table
}

TEST_F(Tabletop, APuckReleasedOnAMatReadsTheMatsFriction) {
    auto* mat = makeComponent(600, 300, 200, 200);
    auto* sticky = new FrictionSurfaceStrategy;
    sticky->setInnerFriction(0.5);
    mat->pushStrategy(sticky);
    manager.addComponent(mat);
    addPuck(100, 300);

    route("PRESS", 1, 100, 300);
    for (double x : {585, 590, 595}) route("DRAG", 1, x, 300);
    route("RELEASE", 1, 600, 300);  // 10 per frame, dropped onto the mat at 595
    ASSERT_TRUE(toss->isTossing());
    EXPECT_EQ(puck->getParent(), mat);
    frame();
    EXPECT_EQ(toss->getCurrentFriction(), 0.5);
    for (int i = 0; i < 20 && toss->isTossing(); ++i) frame();
    // Halving every frame, it stops after about 20 units, far from the mat's band at 680.
    EXPECT_FALSE(toss->isTossing());
    EXPECT_NEAR(puck->position.x, 615, 1.0);
    EXPECT_EQ(puck->getParent(), mat);

    // The mat is a container: a card that reads nothing lands on it too, and rides with it.
    auto* card = makeComponent(100, 500, 40, 40);
    card->pushStrategy(new LazyTranslationStrategy);
    manager.addComponent(card);
    route("PRESS", 2, 100, 500);
    route("DRAG", 2, 560, 250);
    route("RELEASE", 2, 560, 250);
    EXPECT_EQ(card->getParent(), mat);
    mat->moveBranchBy(0, 10, 0);
    EXPECT_DOUBLE_EQ(card->position.y, 260);
}
