#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ButtonGrid.h"
#include "manipulation/LazyRNTStrategy.h"
#include "manipulation/RNTStrategy.h"
#include "support/TestStrategies.h"

namespace {

constexpr double kPi = 3.141592653589793;

// Remembers what every step reported.
template <class Base>
class Recorded : public Base {
public:
    bool lastClamped = false;

protected:
    bool applyRNT(double x, double y) override { return lastClamped = Base::applyRNT(x, y); }
};

struct RNT : ::testing::Test {
    DravikManager manager{nullptr, 0};

    void SetUp() override { manager.resize(1024, 768); }
    template <class Strategy = Recorded<LazyRNTStrategy>>
    Strategy* place(VisComponent* item) {
        auto* strategy = new Strategy;
        item->pushStrategy(strategy);
        manager.addComponent(item);
        return strategy;
    }
    static void send(VisComponent* item, const char* type, unsigned user, double x, double y) {
        DravikEvent e(eventType(type), user, x, y);
        item->onEvent(&e);
    }
    // Presses at `radius` from the position in direction `from` and drags around to `to`.
    static void sweep(VisComponent* item, double from, double to, double radius = 50) {
        const Point3d c = item->position;
        send(item, "PRESS", 1, c.x + radius * std::cos(from), c.y + radius * std::sin(from));
        send(item, "DRAG", 1, c.x + radius * std::cos(to), c.y + radius * std::sin(to));
        send(item, "RELEASE", 1, c.x + radius * std::cos(to), c.y + radius * std::sin(to));
    }
};

}  // namespace

TEST_F(RNT, TurnsByTheSweptAngleAndMovesAlongTheRay) {
    VisComponent* item = makeComponent(500, 400, 200, 200);
    addButtonGrid(item, "RNT_AREA");  // left half: global x below 500
    place<RNTStrategy>(item);

    send(item, "PRESS", 1, 460, 400);  // 40 to the left
    send(item, "DRAG", 1, 500, 360);   // a quarter turn at the same distance: turns only
    EXPECT_NEAR(item->angle, kPi / 2, 1e-12);
    EXPECT_NEAR(item->position.x, 500, 1e-9);
    EXPECT_NEAR(item->position.y, 400, 1e-9);
    send(item, "DRAG", 1, 500, 340);  // straight away: the centre follows, the distance stays 40
    EXPECT_NEAR(item->angle, kPi / 2, 1e-12);
    EXPECT_NEAR(item->position.x, 500, 1e-9);
    EXPECT_NEAR(item->position.y, 380, 1e-9);
    send(item, "DRAG", 1, 500, 370);  // towards the centre, 10 from it: moves back by 30
    EXPECT_NEAR(item->position.y, 410, 1e-9);
    send(item, "RELEASE", 1, 500, 370);

    // Turned a quarter, the RNT area (the component's left half) lies below the centre.
    // Off it: held without turning; others wait for the holder's release.
    send(item, "PRESS", 1, 500, 450);
    send(item, "PRESS", 2, 500, 380);
    send(item, "DRAG", 1, 520, 450);
    send(item, "DRAG", 2, 530, 380);
    EXPECT_NEAR(item->angle, kPi / 2, 1e-12);
    EXPECT_NEAR(item->position.y, 410, 1e-9);
    send(item, "RELEASE", 2, 530, 380);
    send(item, "RELEASE", 1, 520, 450);
    send(item, "PRESS", 2, 500, 380);
    send(item, "DRAG", 1, 500, 500);
    send(item, "RELEASE", 1, 500, 500);
    send(item, "DRAG", 2, 530, 410);  // from below the centre to its right: a quarter turn
    EXPECT_NEAR(item->angle, kPi, 1e-12);
    EXPECT_NEAR(item->position.x, 500, 1e-9);
}

TEST_F(RNT, TurnsKeepTheAngleWithinAFullTurn) {
    struct Case {
        double angle, from, to, expected;
    };
    const Case cases[] = {
        {6.2, 0.0, 0.2, 6.4 - 2 * kPi},            // past a full turn: wraps to about 0.117
        {0.1, 0.0, -0.2, 0.1 - 0.2 + 2 * kPi},     // below zero: wraps up
        {1.0, 3.1, -3.1, 1.0 - 6.2 + 2 * kPi},     // across the negative x axis: about +0.083
        {3.0, 1.0, 2.5, 4.5},                      // in range: unchanged
    };
    for (const Case& c : cases) {
        VisComponent* item = makeComponent(500, 400, 200, 200);
        item->angle = c.angle;
        place(item);
        sweep(item, c.from, c.to);
        EXPECT_NEAR(item->angle, c.expected, 1e-9) << "from angle " << c.angle;
        EXPECT_GE(item->angle, 0.0);
        EXPECT_LE(item->angle, 2 * kPi);
        EXPECT_NEAR(item->position.x, 500, 1e-9);
        delete item;
    }
}

TEST_F(RNT, ClampsThePositionOntoTheDisplay) {
    VisComponent* right = makeComponent(1020, 400, 100, 100);
    auto* onRight = place(right);
    send(right, "PRESS", 1, 1030, 400);
    send(right, "DRAG", 1, 1035, 400);  // centre to 1025: back to W - 1
    EXPECT_TRUE(onRight->lastClamped);
    EXPECT_DOUBLE_EQ(right->position.x, 1023);
    send(right, "DRAG", 1, 1030, 400);  // towards the centre, inside: not clamped
    EXPECT_FALSE(onRight->lastClamped);

    VisComponent* corner = makeComponent(5, 763, 100, 100);
    auto* inCorner = place(corner);
    send(corner, "PRESS", 1, 0, 768);
    send(corner, "DRAG", 1, -15, 783);  // along the ray: centre to (-10, 778)
    EXPECT_TRUE(inCorner->lastClamped);
    EXPECT_DOUBLE_EQ(corner->position.x, 0);
    EXPECT_DOUBLE_EQ(corner->position.y, 767);
    EXPECT_NEAR(corner->angle, 0.0, 1e-12);
}

TEST_F(RNT, TouchPointOnThePositionGivesNoJump) {
    VisComponent* item = makeComponent(500, 400, 200, 200);
    item->angle = 0.5;
    place(item);
    send(item, "PRESS", 1, 540, 400);
    send(item, "DRAG", 1, 500, 400);  // onto the centre: no direction to turn to or move along
    EXPECT_DOUBLE_EQ(item->position.x, 500);
    EXPECT_DOUBLE_EQ(item->position.y, 400);
    EXPECT_DOUBLE_EQ(item->angle, 0.5);
    send(item, "DRAG", 1, 503, 404);  // off the centre: carries it along, no turn
    EXPECT_DOUBLE_EQ(item->position.x, 503);
    EXPECT_DOUBLE_EQ(item->position.y, 404);
    EXPECT_DOUBLE_EQ(item->angle, 0.5);
}

TEST_F(RNT, BadEventsAndAComponentOutsideAScene) {
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    VisComponent* item = makeComponent(500, 400, 200, 200);
    place(item);
    item->onEvent(nullptr);
    send(item, "RELEASE", 1, 500, 400);
    send(item, "DRAG", 4, 300, 300);
    send(item, "PRESS", 1, nan, 400);
    send(item, "DRAG", 1, 300, 300);
    send(item, "PRESS", 1, 540, 400);
    for (double bad : {nan, inf, -inf}) {
        send(item, "DRAG", 1, bad, 400);
        send(item, "DRAG", 1, 520, bad);
    }
    send(item, "DRAG", 1, 500, 440);  // a clean quarter turn from the press
    EXPECT_NEAR(item->angle, kPi / 2, 1e-12);
    EXPECT_NEAR(item->position.x, 500, 1e-9);
    EXPECT_NEAR(item->position.y, 400, 1e-9);

    // Without a manager there is no display to clamp to; it still turns and moves.
    VisComponent loose;
    loose.position = Point3d(-40, -40, 0);
    loose.pushStrategy(new LazyRNTStrategy);
    loose.initPropertiesComponent();
    send(&loose, "PRESS", 1, 0, 0);
    send(&loose, "DRAG", 1, 10, 10);
    EXPECT_TRUE(std::isfinite(loose.position.x));
    EXPECT_LT(loose.position.x, 0);
}
