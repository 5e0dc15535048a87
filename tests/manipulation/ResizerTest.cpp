#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Touches.h"
#include "manipulation/Resizer4ButtonStrategy.h"
#include "manipulation/ResizerButtonStrategy.h"

namespace {

const double kNaN = std::nan("");

bool within(unsigned v, unsigned low, unsigned high) { return v >= low && v <= high; }

struct Resizing : ::testing::Test {
    DravikManager manager{nullptr, 0};
    std::vector<std::string> log;

    // A w x h component at (x, y) with the strategy, and a recorder of its resizes.
    VisComponent* place(double x, double y, unsigned w, unsigned h, VisComponentStrategy* strategy, double angle = 0.0) {
        VisComponent* c = makeComponent(x, y, w, h);
        c->angle = angle;
        c->pushStrategy(new RecordingStrategy(&log, "r"));
        c->pushStrategy(strategy);
        manager.addComponent(c);
        log.clear();
        return c;
    }
    int resizes() const {
        return static_cast<int>(std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.rfind("r.resize", 0) == 0; }));
    }
    // The component's button grid has its size and is "RESIZE_BUTTON" exactly where `expected` says.
    static void expectButtons(const VisComponent* c, const std::function<bool(unsigned, unsigned)>& expected) {
        ConstantProvider* names = ConstantProvider::getInstance();
        const auto button = static_cast<unsigned char>(names->getButtonBufferValue("RESIZE_BUTTON"));
        const IBuffer<unsigned char>* grid =
            c->getActiveBufferByType(names->getBufferTypeIdentifier("BUTTON_BUFFER"))->getBuffer<unsigned char>();
        ASSERT_NE(grid, nullptr);
        ASSERT_EQ(grid->width, c->width);
        for (unsigned y = 0; y < grid->height; ++y)
            for (unsigned x = 0; x < grid->width; ++x)
                ASSERT_EQ(grid->rows[y][x] == button, expected(x, y)) << "cell " << x << ", " << y;
    }
};

}  // namespace

TEST_F(Resizing, DragsTheCornerInTheComponentsFrame) {
    VisComponent* c = place(100, 100, 100, 50, new DraggingResizerStrategy);
    pressAndDrag(c, 1, {{120, 90}, {130, 84}});
    EXPECT_EQ(sizeOf(c), "110x56");
    EXPECT_EQ(c->position, Point3d(105, 97, 0));
    EXPECT_EQ(resizes(), 0) << "grids follow at the release only";
    send(c, "DRAG", 1, kNaN, 84);  // changes nothing
    EXPECT_EQ(c->width, 110u);
    send(c, "RELEASE", 2, 130, 84);  // any user's release ends it
    EXPECT_EQ(log.back(), "r.resize 110x56");
    send(c, "RELEASE", 1, 130, 84);
    EXPECT_EQ(resizes(), 1) << "a release without a drag under way resizes nothing";

    VisComponent* turned = place(100, 100, 100, 50, new DraggingResizerStrategy, M_PI / 2);
    stroke(turned, 1, {{100, 100}, {100, 90}});
    EXPECT_EQ(sizeOf(turned), "90x50");
}

TEST_F(Resizing, DraggingKeepsTheMinimumAndMovesHalfTheWayAnyway) {
    VisComponent* c = place(100, 100, 100, 50, new DraggingResizerStrategy);
    send(c, "DRAG", 1, 50, 100);  // no press: only the point is remembered
    send(c, "DRAG", 1, 0, 100);
    EXPECT_EQ(c->width, 100u);
    EXPECT_EQ(c->position, Point3d(100, 100, 0));
    pressAndDrag(c, 1, {{140, 100}, {40, 200}});
    EXPECT_EQ(sizeOf(c), "10x10");
    EXPECT_EQ(c->position, Point3d(50, 150, 0));

    auto* zeroMinimum = new DraggingResizerStrategy;
    zeroMinimum->setMinWidth(0);
    zeroMinimum->setMinHeight(0);
    VisComponent* tiny = place(100, 100, 20, 20, zeroMinimum);
    pressAndDrag(tiny, 1, {{100, 100}, {50, 150}});
    EXPECT_EQ(sizeOf(tiny), "1x1") << "never below one pixel";
    send(tiny, "DRAG", 1, 1e12, -1e12);
    EXPECT_EQ(sizeOf(tiny), "16384x16384");
}

// 64 x 40 at (100, 100): cell (cx, cy) lies under global (68 + cx, 80 + cy).
TEST_F(Resizing, TheResizeButtonIsTheCornerBlockOfTheButtonGrid) {
    VisComponent* c = place(100, 100, 64, 40, new ResizerButtonStrategy);
    expectButtons(c, [](unsigned x, unsigned y) { return x >= 56 && y <= 4; });
    stroke(c, 1, {{68 + 10, 80 + 20}, {68 + 20, 80 + 20}});  // inside, off the button
    EXPECT_EQ(c->width, 64u);
    stroke(c, 1, {{68 + 60, 80 + 2}, {68 + 76, 80 + 2}});
    EXPECT_EQ(c->width, 80u);
    expectButtons(c, [](unsigned x, unsigned y) { return x >= 70 && y <= 4; });  // written again at the new size
}

TEST_F(Resizing, FourButtonsAreSquareBlocksInTheCornersThatAreOn) {
    expectButtons(place(500, 400, 200, 100, new Resizer4ButtonStrategy), [](unsigned x, unsigned y) {
        return (within(x, 0, 69) || within(x, 130, 199)) && (within(y, 0, 69) || within(y, 30, 99));
    });
    expectButtons(place(500, 400, 50, 40, new Resizer4ButtonStrategy), [](unsigned, unsigned) { return true; });
    expectButtons(place(500, 400, 50, 100, new Resizer4ButtonStrategy),
                  [](unsigned x, unsigned y) { return x <= 48 && (y <= 69 || y >= 30); });

    auto* some = new Resizer4ButtonStrategy;
    some->setCorner(0, 0);
    some->setCorner(4, 1);  // no such corner
    some->setCorner(3, 2);  // no such flag
    some->setCorner(-1, 0);
    EXPECT_EQ(some->getCorner(3), 1u);
    expectButtons(place(500, 400, 200, 100, some), [](unsigned x, unsigned y) {
        return (within(x, 0, 69) && within(y, 30, 99)) || (within(x, 130, 199) && (within(y, 0, 69) || within(y, 30, 99)));
    });

    auto* none = new Resizer4ButtonStrategy;
    const unsigned off[4] = {0, 0, 0, 0};
    none->setCorner(off);
    VisComponent* plain = place(500, 400, 200, 100, none);
    expectButtons(plain, [](unsigned, unsigned) { return false; });
    pressAndDrag(plain, 1, {{401, 351}, {300, 300}});  // a corner, without a button
    EXPECT_FALSE(none->isResizing());
    EXPECT_EQ(plain->width, 200u);
}

// 200 x 100 at (500, 400): the press at (590, 360) lies in the quadrant of the corner at
// (600, 350), which is grabbed 10 to the right and 10 below the finger; the anchor is the
// opposite corner at (400, 450).
TEST_F(Resizing, TheGrabbedCornerFollowsTheFingerAndTheOppositeOneStays) {
    struct Listener : VisComponentStrategy {
        std::vector<unsigned> types;
        void onEvent(DravikEvent* e) override { types.push_back(e->type); }
    };
    auto* listener = new Listener;
    VisComponent* c = place(500, 400, 200, 100, new Resizer4ButtonStrategy);
    stroke(c, 1, {{500, 400}, {640, 330}});  // the centre is no button
    EXPECT_EQ(c->width, 200u);
    c->pushStrategy(listener);
    send(c, "PRESS", 1, 590, 360);
    pressAndDrag(c, 2, {{410, 440}, {700, 300}});  // another user: ignored while resizing
    EXPECT_EQ(c->width, 200u);
    send(c, "DRAG", 1, 640, 330);
    EXPECT_EQ(sizeOf(c), "250x130");
    EXPECT_TRUE(isAt(c, 525.0, 385.0));
    send(c, "RELEASE", 2, 640, 330);
    send(c, "RELEASE", 1, 640, 330);
    EXPECT_EQ(std::count(log.begin(), log.end(), "r.resize 250x130"), 1) << "grids follow once, at the end";
    expectButtons(c, [](unsigned x, unsigned y) {
        return (within(x, 0, 69) || within(x, 180, 249)) && (within(y, 0, 69) || within(y, 60, 129));
    });
    const unsigned press = eventType("PRESS"), drag = eventType("DRAG"), release = eventType("RELEASE");
    EXPECT_EQ(listener->types, (std::vector<unsigned>{eventType("RESIZE_START"), press, press, drag, drag,
                                                      release, eventType("RESIZE_END"), release}));
}

TEST_F(Resizing, FourButtonsNeverGoBelowTheMinimumNorAboveTheLargestSize) {
    // The corner crosses the anchor; then the height is exactly the minimum, the width too small.
    for (const Point3d& to : {Point3d(300, 500, 0), Point3d(395, 450, 0)}) {
        VisComponent* c = place(500, 400, 200, 100, new Resizer4ButtonStrategy);
        stroke(c, 1, {{590, 360}, {to.x, to.y}});
        EXPECT_EQ(sizeOf(c), "10x10") << to.x;
        EXPECT_TRUE(isAt(c, 405.0, 445.0));
    }
    auto* negative = new Resizer4ButtonStrategy;
    negative->setMinWidth(-1);  // compared as unsigned: far beyond any width
    VisComponent* e = place(500, 400, 200, 100, negative);
    stroke(e, 1, {{590, 360}, {640, 330}});
    EXPECT_EQ(e->width, 16384u) << "no drag makes a side longer than that";
}

TEST_F(Resizing, FourButtonsKeepTheAspectRatioOfTheStart) {
    auto* strategy = new Resizer4ButtonStrategy;
    strategy->setKeepAspect(true);
    VisComponent* c = place(500, 400, 200, 100, strategy);
    send(c, "PRESS", 1, 590, 360);
    for (double x : {640.0, 610.0, 420.0}) {
        send(c, "DRAG", 1, x, 330);
        EXPECT_EQ(c->width, 2 * c->height) << x;
    }
}
