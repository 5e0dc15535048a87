// Manipulation end to end: touches routed by the manager, frames run as a host runs them.
#include <gtest/gtest.h>

#include <cmath>

#include "manipulation/FrictionSurfaceStrategy.h"
#include "manipulation/LazyRNTStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "manipulation/TossableStrategy.h"
#include "support/TestStrategies.h"

namespace {

constexpr double kPi = 3.141592653589793;

// A 1024 x 768 friction table (band 20, inner friction 0.01) under the whole display.
struct Tabletop : ::testing::Test {
    DravikManager manager{nullptr, 2};

    void SetUp() override {
        manager.resize(1024, 768);
        auto* table = makeComponent(512, 384, 1024, 768);
        table->pushStrategy(new FrictionSurfaceStrategy);
        manager.setRootComponent(table);
    }
    void send(const char* type, unsigned user, double x, double y) {
        DravikEvent e(eventType(type), user, x, y);
        manager.processEvent(&e, nullptr);
    }
    void frame() {
        manager.processComponents();
        manager.readPassiveBuffers();
    }
    // A leaf that can be dragged and tossed.
    TossableStrategy* addPuck(double x, double y) {
        VisComponent* puck = makeComponent(x, y, 40, 40);
        puck->leaf = true;
        puck->pushStrategy(new LazyTranslationStrategy);
        auto* toss = new TossableStrategy;
        puck->pushStrategy(toss);
        manager.addComponent(puck);
        return toss;
    }
};

}  // namespace

TEST_F(Tabletop, TwoUsersAtOnceAndATossThatStopsOnTheBand) {
    TossableStrategy* toss = addPuck(200, 200);
    VisComponent* puck = manager.components.back();
    VisComponent* card = makeComponent(700, 400, 100, 100);
    card->pushStrategy(new LazyRNTStrategy);
    manager.addComponent(card);

    // User 1 flicks the puck to the right while user 2 turns the card and pulls it up.
    send("PRESS", 1, 200, 200);
    send("PRESS", 2, 740, 400);
    send("DRAG", 1, 205, 200);
    send("DRAG", 2, 700, 440);  // a quarter turn around the card's position
    send("DRAG", 2, 700, 460);  // straight away: the card follows by 20
    send("RELEASE", 1, 210, 200);
    send("RELEASE", 2, 700, 460);
    EXPECT_DOUBLE_EQ(puck->position.x, 205);  // dragged; released 10 units after the press
    EXPECT_NEAR(card->angle, kPi / 2, 1e-12);
    EXPECT_NEAR(card->position.x, 700, 1e-9);
    EXPECT_NEAR(card->position.y, 420, 1e-9);
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
    EXPECT_NEAR(card->position.y, 420, 1e-9);  // the frames moved only the puck
}

TEST_F(Tabletop, APuckReleasedOnAMatReadsTheMatsFriction) {
    auto* mat = makeComponent(600, 300, 200, 200);
    auto* sticky = new FrictionSurfaceStrategy;
    sticky->setInnerFriction(0.5);
    mat->pushStrategy(sticky);
    manager.addComponent(mat);
    TossableStrategy* toss = addPuck(100, 300);
    VisComponent* puck = manager.components.back();

    send("PRESS", 1, 100, 300);
    for (double x : {585, 590, 595}) send("DRAG", 1, x, 300);
    send("RELEASE", 1, 600, 300);  // 10 per frame, dropped onto the mat at 595
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
    send("PRESS", 2, 100, 500);
    send("DRAG", 2, 560, 250);
    send("RELEASE", 2, 560, 250);
    EXPECT_EQ(card->getParent(), mat);
    mat->moveBranchBy(0, 10, 0);
    EXPECT_DOUBLE_EQ(card->position.y, 260);
}
