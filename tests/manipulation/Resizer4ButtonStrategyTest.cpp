#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "manipulation/Resizer4ButtonStrategy.h"
#include "support/TestStrategies.h"

namespace {

struct FourCorners : ::testing::Test {
    DravikManager manager{nullptr, 0};
    std::vector<std::string> log;

    // A w x h component at (500, 400) with the strategy, and a recorder of what it hears.
    VisComponent* place(Resizer4ButtonStrategy* strategy, unsigned w, unsigned h) {
        VisComponent* c = makeComponent(500, 400, w, h);
        c->pushStrategy(new RecordingStrategy(&log, "r"));
        c->pushStrategy(strategy);
        manager.addComponent(c);
        log.clear();
        return c;
    }
    static void send(VisComponent* c, const char* type, double x, double y, unsigned user = 1) {
        DravikEvent e(eventType(type), user, x, y);
        c->onEvent(&e);
    }
    // Every cell of the component's button grid is a button exactly where `expected` says.
    static void expectButtons(const VisComponent* c, const std::function<bool(unsigned, unsigned)>& expected) {
        ConstantProvider* names = ConstantProvider::getInstance();
        const auto button = static_cast<unsigned char>(names->getButtonBufferValue("RESIZE_BUTTON"));
        const IBuffer<unsigned char>* grid =
            c->getActiveBufferByType(names->getBufferTypeIdentifier("BUTTON_BUFFER"))->getBuffer<unsigned char>();
        ASSERT_NE(grid, nullptr);
        for (unsigned y = 0; y < grid->height; ++y)
            for (unsigned x = 0; x < grid->width; ++x)
                ASSERT_EQ(grid->rows[y][x] == button, expected(x, y)) << "cell " << x << ", " << y;
    }
};

bool within(unsigned v, unsigned low, unsigned high) { return v >= low && v <= high; }

}  // namespace

TEST_F(FourCorners, WritesSquareButtonsIntoTheCorners) {
    expectButtons(place(new Resizer4ButtonStrategy, 200, 100), [](unsigned x, unsigned y) {
        return (within(x, 0, 69) || within(x, 130, 199)) && (within(y, 0, 69) || within(y, 30, 99));
    });
    expectButtons(place(new Resizer4ButtonStrategy, 50, 40), [](unsigned, unsigned) { return true; });
    expectButtons(place(new Resizer4ButtonStrategy, 50, 100),
                  [](unsigned x, unsigned y) { return x <= 48 && (y <= 69 || y >= 30); });

    auto* some = new Resizer4ButtonStrategy;
    some->setCorner(0, 0);
    some->setCorner(4, 1);  // no such corner
    some->setCorner(3, 2);  // no such flag
    some->setCorner(-1, 0);
    EXPECT_EQ(some->getCorner(3), 1u);
    expectButtons(place(some, 200, 100), [](unsigned x, unsigned y) {
        return (within(x, 0, 69) && within(y, 30, 99)) || (within(x, 130, 199) && (within(y, 0, 69) || within(y, 30, 99)));
    });

    auto* none = new Resizer4ButtonStrategy;
    const unsigned off[4] = {0, 0, 0, 0};
    none->setCorner(off);
    VisComponent* plain = place(none, 200, 100);
    expectButtons(plain, [](unsigned, unsigned) { return false; });
    send(plain, "PRESS", 401, 351);  // a corner, without a button
    send(plain, "DRAG", 300, 300);
    EXPECT_FALSE(none->isResizing());
    EXPECT_EQ(plain->width, 200u);
}

// 200 x 100 at (500, 400): the press at (590, 360) lies in the quadrant of the corner at
// (600, 350), which is grabbed 10 to the right and 10 below the finger; the anchor is the
// opposite corner at (400, 450).
TEST_F(FourCorners, TheGrabbedCornerFollowsTheFingerAndTheOppositeOneStays) {
    VisComponent* c = place(new Resizer4ButtonStrategy, 200, 100);
    send(c, "PRESS", 500, 400);  // the centre is no button
    send(c, "DRAG", 640, 330);
    EXPECT_EQ(c->width, 200u);
    send(c, "PRESS", 590, 360);
    send(c, "PRESS", 410, 440, 2);  // ignored while resizing
    send(c, "DRAG", 700, 300, 2);   // another user's drag too
    EXPECT_EQ(c->width, 200u);
    send(c, "DRAG", 640, 330);
    EXPECT_EQ(c->width, 250u);
    EXPECT_EQ(c->height, 130u);
    EXPECT_NEAR(c->position.x, 525.0, 1e-9);
    EXPECT_NEAR(c->position.y, 385.0, 1e-9);
    send(c, "RELEASE", 640, 330, 2);
    send(c, "RELEASE", 640, 330);
    EXPECT_EQ(std::count(log.begin(), log.end(), "r.resize 250x130"), 1) << "grids follow once, at the end";
    expectButtons(c, [](unsigned x, unsigned y) {
        return (within(x, 0, 69) || within(x, 180, 249)) && (within(y, 0, 69) || within(y, 60, 129));
    });
}

TEST_F(FourCorners, AnnouncesStartAndEndOnce) {
    struct Listener : VisComponentStrategy {
        std::vector<unsigned> types;
        void onEvent(DravikEvent* e) override { types.push_back(e->type); }
    };
    auto* listener = new Listener;
    VisComponent* c = place(new Resizer4ButtonStrategy, 200, 100);
    c->pushStrategy(listener);
    send(c, "PRESS", 590, 360);
    send(c, "DRAG", 600, 350);
    send(c, "RELEASE", 600, 350);
    EXPECT_EQ(listener->types, (std::vector<unsigned>{eventType("RESIZE_START"), eventType("PRESS"), eventType("DRAG"),
                                                      eventType("RESIZE_END"), eventType("RELEASE")}));
}

TEST_F(FourCorners, NeverGoesBelowTheMinimum) {
    VisComponent* c = place(new Resizer4ButtonStrategy, 200, 100);
    send(c, "PRESS", 590, 360);
    send(c, "DRAG", 300, 500);  // the corner crosses the anchor
    EXPECT_EQ(c->width, 10u);
    EXPECT_EQ(c->height, 10u);
    EXPECT_NEAR(c->position.x, 405.0, 1e-9);
    EXPECT_NEAR(c->position.y, 445.0, 1e-9);
    send(c, "RELEASE", 300, 500);

    VisComponent* d = place(new Resizer4ButtonStrategy, 200, 100);
    send(d, "PRESS", 590, 360);
    send(d, "DRAG", 395, 450);  // height exactly the minimum, width too small
    EXPECT_EQ(d->width, 10u);
    EXPECT_EQ(d->height, 10u);
    EXPECT_NEAR(d->position.x, 405.0, 1e-9);
    EXPECT_NEAR(d->position.y, 445.0, 1e-9);

    auto* negative = new Resizer4ButtonStrategy;
    negative->setMinWidth(-1);  // compared as unsigned: far beyond any width
    VisComponent* e = place(negative, 200, 100);
    send(e, "PRESS", 590, 360);
    send(e, "DRAG", 640, 330);
    EXPECT_EQ(e->width, 16384u) << "no drag makes a side longer than that";
}

TEST_F(FourCorners, KeepsTheAspectRatioOfTheStart) {
    auto* strategy = new Resizer4ButtonStrategy;
    strategy->setKeepAspect(true);
    VisComponent* c = place(strategy, 200, 100);
    send(c, "PRESS", 590, 360);
    for (double x : {640.0, 610.0, 420.0}) {
        send(c, "DRAG", x, 330);
        EXPECT_EQ(c->width, 2 * c->height) << x;
    }
}
