// Tossing and friction surfaces, alone and end to end (touches routed by the manager, frames
// run as a host runs them).
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "Touches.h"
#include "manipulation/FrictionSurfaceStrategy.h"
#include "manipulation/LazyTranslationStrategy.h"
#include "manipulation/TossableStrategy.h"

namespace {

// A 50 x 50 tossable component at (500, 400) in a 1024 x 768 scene. Without a friction
// surface underneath the friction stays what the test sets.
struct Toss : ::testing::Test {
    DravikManager manager{nullptr, 2};
    VisComponent spare;  // takes identifier 1 in a fresh process, so the item never has it
    TossableStrategy* toss = new TossableStrategy;
    VisComponent* item = makeComponent(500, 400, 50, 50, {toss});

    void SetUp() override {
        manager.resize(1024, 768);
        manager.addComponent(item);
    }
    // Presses on the component's position and releases (dx, dy) away from it.
    void flick(double dx, double dy) {
        const Point3d at = item->position;
        send(item, "PRESS", 1, at.x, at.y);
        send(item, "RELEASE", 1, at.x + dx, at.y + dy);
    }
    void route(const char* type, unsigned user, double x, double y) { ::route(manager, type, user, x, y); }
    void frame() {
        manager.processComponents();
        manager.readPassiveBuffers();
    }
    // A friction table (band 20, inner friction 0.01) under the whole display; the item, now a
    // leaf at (x, y), can be dragged too.
    void onTheTable(double x, double y) {
        manager.setRootComponent(makeComponent(512, 384, 1024, 768, {new FrictionSurfaceStrategy}));
        item->position = Point3d(x, y, 0);
        item->leaf = true;
        item->pushStrategy(new LazyTranslationStrategy);
    }
};

}  // namespace

TEST_F(Toss, TheLastThreePositionsGiveTheSpeedThatStartsAToss) {
    toss->setCurrentFriction(0.1);
    flick(5, 0);  // [press, press, release]
    ASSERT_TRUE(toss->isTossing());
    frame();
    EXPECT_DOUBLE_EQ(item->position.x, 504.5);
    flick(1.5, 0);
    EXPECT_FALSE(toss->isTossing());
    flick(0, -2.0);  // exactly the static friction
    EXPECT_TRUE(toss->isTossing());

    send(item, "PRESS", 1, 500, 400);  // catches it
    EXPECT_FALSE(toss->isTossing());
    send(item, "DRAG", 1, 530, 400);
    send(item, "DRAG", 1, 501, 400);
    send(item, "DRAG", 2, 503, 400);  // any user's drag counts
    send(item, "RELEASE", 1, 504, 400);  // 504 - 501
    frame();
    EXPECT_DOUBLE_EQ(item->position.x, 504.5 + 3 * 0.9);
    send(item, "PRESS", 1, 900, 100);  // outside: still tossing
    EXPECT_TRUE(toss->isTossing());
    send(item, "RELEASE", 1, 800, 400);  // nothing recorded since the last release: stops
    EXPECT_FALSE(toss->isTossing());
}

TEST_F(Toss, FrictionAndCutoffShapeTheGlide) {
    toss->setCurrentFriction(0.0);  // keeps its speed up to the display edge
    flick(100, 0);
    int frames = 0;
    for (; toss->isTossing() && frames < 100; ++frames) frame();
    EXPECT_EQ(frames, 6);  // 600, ..., 1000, then 1100 clamps to W - 1
    EXPECT_DOUBLE_EQ(item->position.x, 1023);
    flick(-1100, -500);
    frame();
    EXPECT_FALSE(toss->isTossing());
    EXPECT_TRUE(isAt(item, 0, 0));

    item->position = Point3d(500, 400, 0);
    toss->setCurrentFriction(1.0);  // ends in the first frame without moving
    flick(50, 50);
    frame();
    EXPECT_FALSE(toss->isTossing());
    toss->setCurrentFriction(0.5);
    toss->setTossingCutoff(1.0);
    flick(4, 0);
    for (int i = 0; i < 3; ++i) frame();  // moves 2, then 1, then 0.5 is below the cutoff
    EXPECT_FALSE(toss->isTossing());
    EXPECT_DOUBLE_EQ(item->position.x, 503);
    for (double bad : {1.5, -0.1, std::nan("")}) {  // out of range: ends without moving
        toss->setCurrentFriction(bad);
        flick(10, 0);
        frame();
        EXPECT_FALSE(toss->isTossing());
        EXPECT_DOUBLE_EQ(item->position.x, 503);
    }
}

TEST_F(Toss, TwoUsersOnOneComponentLeaveItToTheSecond) {
    route("PRESS", 1, 500, 400);
    route("PRESS", 2, 500, 400);
    ASSERT_EQ(manager.getSelectedComponentIds(), (std::vector<unsigned long>{item->id, item->id}));
    route("DRAG", 1, 600, 400);  // dropped: it would turn the toss around
    route("DRAG", 2, 503, 400);
    route("RELEASE", 2, 504, 400);
    frame();
    EXPECT_DOUBLE_EQ(item->position.x, 500 + 4 * 0.975);
}

TEST_F(Toss, BadInputNeverReachesThePosition) {
    const double inf = std::numeric_limits<double>::infinity(), huge = 1.7e308;
    item->onEvent(nullptr);
    pressAndDrag(item, 1, {{std::nan(""), 400}, {inf, 0}});
    send(item, "DRAG", 1, huge, 0);
    send(item, "RELEASE", 1, -huge, 0);  // a span beyond the range of doubles: no toss
    EXPECT_FALSE(toss->isTossing());
    send(item, "PRESS", 1, 500, 400);
    send(item, "RELEASE", 1, inf, std::nan(""));  // ends the gesture: no speed, history emptied
    send(item, "RELEASE", 1, 505, 400);             // so this release has nothing to toss
    EXPECT_FALSE(toss->isTossing());
    send(item, "DRAG", 1, 0, 0);
    send(item, "RELEASE", 1, huge, huge);  // enormous but finite: clamped at once
    frame();
    EXPECT_TRUE(isAt(item, 1023, 767));

    toss->glide(0.0, 5.0);  // a gesture handed over at a speed above the static friction
    EXPECT_TRUE(toss->isTossing());
    toss->glide(std::nan(""), 5.0);  // a speed that is not a number changes nothing
    EXPECT_TRUE(toss->isTossing());

    VisComponent loose;  // outside a scene: glides without display bounds
    loose.pushStrategy(new TossableStrategy);
    loose.initPropertiesComponent();
    stroke(&loose, 1, {{0, 0}, {0, -10}});
    loose.animate(0.0);
    EXPECT_DOUBLE_EQ(loose.position.y, -10 * 0.975);
}

TEST_F(Toss, ATossGlidesOverTheTableAndStopsOnItsBand) {
    onTheTable(200, 200);
    route("PRESS", 1, 200, 200);
    route("DRAG", 1, 205, 200);
    route("RELEASE", 1, 210, 200);
    EXPECT_DOUBLE_EQ(item->position.x, 205);  // dragged; released 10 units after the press
    ASSERT_TRUE(toss->isTossing());

    frame();
    EXPECT_EQ(toss->getCurrentFriction(), 0.01);  // read from the table under the item
    double lastX = item->position.x;
    int frames = 1;
    for (; toss->isTossing() && frames < 1000; ++frames) {
        frame();
        EXPECT_GE(item->position.x, lastX);  // slows down, never turns back
        lastX = item->position.x;
    }
    // 10 per frame losing 1 % each: about 990 units at most, so it reaches the band at
    // x >= 1004 (a step of under 2 units by then) and stops dead there.
    EXPECT_FALSE(toss->isTossing());
    EXPECT_LT(frames, 1000);
    EXPECT_TRUE(item->position.x >= 1004 && item->position.x < 1006) << item->position.x;
    EXPECT_DOUBLE_EQ(item->position.y, 200);
    EXPECT_EQ(toss->getCurrentFriction(), 1.0);
    EXPECT_EQ(item->getParent(), nullptr);  // dropped again onto the table
}

TEST(FrictionSurface, InteriorInsideABandAlongEveryEdge) {
    DravikManager manager(nullptr, 0);
    const unsigned type = ConstantProvider::getInstance()->getBufferTypeIdentifier("FRICTION_BUFFER");
    auto surfaceOf = [&](unsigned w, unsigned h, FrictionSurfaceStrategy* surface) {
        return placeComponent(manager, 0, 0, w, h, {surface});
    };
    // True when columns [x0, x1) of rows [y0, y1) hold `inner` and every other cell `border`.
    auto filled = [&](const VisComponent* c, double inner, double border, unsigned x0, unsigned x1,
                      unsigned y0, unsigned y1) {
        const IBuffer<double>* g = c->getActiveBufferByType(type)->getBuffer<double>();
        if (g == nullptr || g->width != c->width || g->height != c->height) return false;
        for (unsigned y = 0; y < g->height; ++y)
            for (unsigned x = 0; x < g->width; ++x)
                if (g->rows[y][x] != (x >= x0 && x < x1 && y >= y0 && y < y1 ? inner : border)) return false;
        return true;
    };
    EXPECT_TRUE(filled(surfaceOf(100, 60, new FrictionSurfaceStrategy), 0.01, 1.0, 20, 80, 20, 40));
    for (unsigned side : {40u, 10u})  // the bands meet: no interior
        EXPECT_TRUE(filled(surfaceOf(side, side, new FrictionSurfaceStrategy), 0, 1.0, 0, 0, 0, 0)) << side;
    auto* unbounded = new FrictionSurfaceStrategy;
    unbounded->setBorderWidth(UINT_MAX);  // twice the band must not wrap around
    EXPECT_TRUE(filled(surfaceOf(30, 30, unbounded), 0, 1.0, 0, 0, 0, 0));

    auto* surface = new FrictionSurfaceStrategy;
    surface->setBorderWidth(0);
    surface->setBorderHeight(5);
    VisComponent* mat = surfaceOf(50, 30, surface);
    EXPECT_TRUE(filled(mat, 0.01, 1.0, 0, 50, 5, 25));  // the interior spans the width
    surface->setInnerFriction(0.3);
    surface->setBorderFriction(0.9);
    surface->setBorderWidth(10);
    EXPECT_TRUE(filled(mat, 0.01, 1.0, 0, 50, 5, 25));  // settings wait for the next resize
    mat->resize(60, 40);
    EXPECT_TRUE(filled(mat, 0.3, 0.9, 10, 50, 5, 35));
}
