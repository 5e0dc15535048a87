#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "manipulation/TossableStrategy.h"
#include "support/TestStrategies.h"

namespace {

// A 50 x 50 tossable component at (500, 400) in a 1024 x 768 scene without a friction
// surface, so that the friction stays what the test sets.
struct Toss : ::testing::Test {
    DravikManager manager{nullptr, 2};
    VisComponent spare;  // takes identifier 1 in a fresh process, so the item never has it
    VisComponent* item = makeComponent(500, 400, 50, 50);
    TossableStrategy* toss = new TossableStrategy;

    void SetUp() override {
        manager.resize(1024, 768);
        item->pushStrategy(toss);
        manager.addComponent(item);
    }
    void send(const char* type, unsigned user, double x, double y) {
        DravikEvent e(eventType(type), user, x, y);
        item->onEvent(&e);
    }
    // Presses on the component's position and releases `dx`, `dy` away.
    void flick(double dx, double dy) {
        const Point3d at = item->position;
        send("PRESS", 1, at.x, at.y);
        send("RELEASE", 1, at.x + dx, at.y + dy);
    }
    void frame() { manager.processComponents(); }
};

}  // namespace

TEST_F(Toss, ReleaseSpeedOverTheLastThreePositionsStartsTheToss) {
    toss->setCurrentFriction(0.1);
    flick(5, 0);  // history [press, press, release]
    ASSERT_TRUE(toss->isTossing());
    EXPECT_DOUBLE_EQ(item->position.x, 500);  // nothing moves before the frame
    frame();
    EXPECT_DOUBLE_EQ(item->position.x, 504.5);

    toss->setTossing(false);
    flick(1.5, 0);
    EXPECT_FALSE(toss->isTossing());
    flick(0, -2.0);  // exactly the static friction
    EXPECT_TRUE(toss->isTossing());

    // The velocity spans the release and the position recorded two events before it.
    send("PRESS", 1, 500, 400);
    send("DRAG", 1, 530, 400);
    send("DRAG", 1, 501, 400);
    send("DRAG", 2, 503, 400);  // any user's drags count
    send("RELEASE", 1, 504, 400);
    ASSERT_TRUE(toss->isTossing());
    const double before = item->position.x;
    frame();
    EXPECT_DOUBLE_EQ(item->position.x, before + 3 * 0.9);

    // A press inside catches it; a press outside does not.
    send("PRESS", 1, 900, 100);
    EXPECT_TRUE(toss->isTossing());
    send("PRESS", 1, item->position.x, 400);
    EXPECT_FALSE(toss->isTossing());

    // A release with nothing recorded since the last one stops a running toss.
    flick(10, 0);
    send("RELEASE", 1, 800, 400);
    EXPECT_FALSE(toss->isTossing());
}

TEST_F(Toss, FrictionAndCutoffShapeTheGlide) {
    toss->setCurrentFriction(0.0);  // keeps its speed until the display edge
    flick(100, 0);
    int frames = 0;
    for (; toss->isTossing() && frames < 100; ++frames) frame();
    EXPECT_EQ(frames, 6);  // 600, ..., 1000, then 1100 clamps
    EXPECT_DOUBLE_EQ(item->position.x, 1023);
    flick(-1100, -500);  // past both lower edges in one frame
    frame();
    EXPECT_FALSE(toss->isTossing());
    EXPECT_DOUBLE_EQ(item->position.x, 0);
    EXPECT_DOUBLE_EQ(item->position.y, 0);

    item->position = Point3d(500, 400, 0);
    toss->setCurrentFriction(1.0);  // stops in the first frame without moving
    flick(50, 50);
    frame();
    EXPECT_FALSE(toss->isTossing());
    EXPECT_DOUBLE_EQ(item->position.x, 500);

    toss->setCurrentFriction(0.5);
    toss->setTossingCutoff(1.0);
    flick(4, 0);
    frame();  // 2 per frame: moves
    frame();  // 1: still moves
    frame();  // 0.5: below the cutoff, ends without moving
    EXPECT_FALSE(toss->isTossing());
    EXPECT_DOUBLE_EQ(item->position.x, 503);

    for (double bad : {1.5, -0.1, std::nan("")}) {  // friction out of range ends the toss
        toss->setCurrentFriction(bad);
        flick(10, 0);
        frame();
        EXPECT_FALSE(toss->isTossing());
        EXPECT_DOUBLE_EQ(item->position.x, 503);
    }
}

TEST_F(Toss, TwoUsersOnOneComponentLeaveItToTheSecond) {
    auto route = [&](const char* type, unsigned user, double x) {
        DravikEvent e(eventType(type), user, x, 400);
        manager.processEvent(&e, nullptr);
    };
    route("PRESS", 1, 500);
    route("PRESS", 2, 500);  // both hold it now
    ASSERT_EQ(manager.getSelectedComponentIds(), (std::vector<unsigned long>{item->id, item->id}));
    route("DRAG", 1, 600);  // dropped: it would turn the toss around
    route("DRAG", 2, 503);
    route("RELEASE", 2, 504);
    ASSERT_TRUE(toss->isTossing());
    frame();
    EXPECT_DOUBLE_EQ(item->position.x, 500 + 4 * 0.975);
}

TEST_F(Toss, BadInputNeverPutsANonNumberIntoThePosition) {
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity(), huge = 1.7e308;
    item->onEvent(nullptr);
    send("RELEASE", 1, 500, 400);
    send("PRESS", 1, nan, nan);
    send("DRAG", 1, inf, 0);
    send("RELEASE", 1, -inf, 0);
    EXPECT_FALSE(toss->isTossing());
    send("DRAG", 1, huge, 0);
    send("RELEASE", 1, -huge, 0);  // a span beyond the range of doubles: no toss
    EXPECT_FALSE(toss->isTossing());
    send("DRAG", 1, 0, 0);
    send("RELEASE", 1, huge, huge);  // enormous but finite: clamped at once
    frame();
    EXPECT_DOUBLE_EQ(item->position.x, 1023);
    EXPECT_DOUBLE_EQ(item->position.y, 767);

    // A friction grid holding a value outside [0, 1] ends the toss.
    auto* table = makeComponent(512, 384, 1024, 768);
    table->pushStrategy(new GridStrategy("FRICTION_BUFFER", 7.5));
    manager.setRootComponent(table);
    item->position = Point3d(500, 400, 0);
    flick(10, 0);
    manager.readPassiveBuffers();
    EXPECT_EQ(toss->getCurrentFriction(), 7.5);
    frame();
    EXPECT_FALSE(toss->isTossing());
    EXPECT_DOUBLE_EQ(item->position.x, 500);

    // A component outside any scene glides without display bounds.
    VisComponent loose;
    auto* looseToss = new TossableStrategy;
    loose.pushStrategy(looseToss);
    loose.initPropertiesComponent();
    DravikEvent press(eventType("PRESS"), 1, 0, 0), release(eventType("RELEASE"), 1, 0, 10);
    loose.position = Point3d(0, 0, 0);
    loose.onEvent(&press);
    loose.onEvent(&release);
    loose.animate(0.0);
    EXPECT_TRUE(looseToss->isTossing());
    EXPECT_DOUBLE_EQ(loose.position.y, 10 * 0.975);
}
