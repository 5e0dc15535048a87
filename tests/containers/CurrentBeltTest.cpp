#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "ContainerTestSupport.h"
#include "containers/CurrentObserverStrategy.h"

namespace {

constexpr double kPi = 3.141592653589793;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A belt of width 100 on a 400 x 400 component at (500, 400): outer control points at
// 180 (cos, sin) of 45 degrees + k 90, inner ones at 80 (cos, sin). Right of the centre the
// outline passes at 1.25 * 127.28 = 159.10 and the inner outline at 70.71, so the belt's
// middle lies at 114.90 and it is 88.39 wide there; both normals point left (-1, 0) and the
// belt runs upward (counter-clockwise).
constexpr double kCx = 500, kCy = 400, kOuter = 159.10, kInner = 70.71, kMiddle = 114.90;

struct ObserverProbe : CurrentObserverStrategy {
    using CurrentObserverStrategy::drop;
};

struct CurrentBelt : ContainerScene {
    ProbeCurrentBelt* belt = new ProbeCurrentBelt(100.0);
    VisComponent* beltComponent = nullptr;
    void SetUp() override {
        ContainerScene::SetUp();
        beltComponent = add(kCx, kCy, 400, 400, {belt});
    }
    double swipe(double dx, double dy) {
        send(beltComponent, "PRESS", 1, kCx + kMiddle, kCy);
        send(beltComponent, "RELEASE", 1, kCx + kMiddle + dx, kCy + dy);
        return belt->getFlowSpeed();
    }
    // An item lying on the belt at the global point.
    VisComponent* item(double x, double y, unsigned w = 40, unsigned h = 40) {
        VisComponent* c = makeComponent(x, y, w, h, {new CurrentObserverStrategy});
        beltComponent->addChild(c);
        return c;
    }
};

}  // namespace

TEST_F(CurrentBelt, SwipesSetTheSpeedAlongTheBeltAndShortOnesStopIt) {
    // Up on the right side is with the belt's direction; the speed is capped at 160 / 20; a
    // swipe of 5 pixels stops the belt, one of 10 mostly along it counts.
    const struct {
        double dx, dy, speed;
    } swipes[] = {{0, 10, 0.5}, {0, 400, 8.0}, {0, -10, -0.5}, {0, -400, -8.0}, {3, 4, 0.0}, {-6, 8, 0.5}};
    for (const auto& s : swipes) EXPECT_EQ(swipe(s.dx, s.dy), s.speed) << s.dx << "," << s.dy;

    // Across the belt exactly (no component along it), and with no orientation known: negative.
    for (auto [normal, dx, dy] : {std::tuple{-1.0, 10.0, 0.0}, std::tuple{0.0, 0.0, 10.0}}) {
        send(beltComponent, "PRESS", 1, kCx + kMiddle, kCy);
        belt->flowNormal[0] = normal;
        belt->flowNormal[1] = 0.0;
        send(beltComponent, "RELEASE", 1, kCx + kMiddle + dx, kCy + dy);
        EXPECT_EQ(belt->getFlowSpeed(), -0.5) << normal;
    }

    // A swipe whose release is not a number changes nothing; the next release is no swipe,
    // and neither is a press on the ring.
    send(beltComponent, "PRESS", 1, kCx + kMiddle, kCy);
    send(beltComponent, "RELEASE", 1, kNaN, kCy);
    send(beltComponent, "RELEASE", 1, kCx + kMiddle, kCy + 300);
    send(beltComponent, "PRESS", 1, kCx + 170, kCy);
    send(beltComponent, "RELEASE", 1, kCx + 170, kCy + 100);
    EXPECT_EQ(belt->getFlowSpeed(), -0.5);

    // The direction grid follows the speed at the release.
    const auto d = cell(beltComponent, "DIRECTION_BUFFER", kCx + kMiddle, kCy);
    EXPECT_LT(std::hypot(d[0], d[1] + 0.5), 0.02);
}

TEST_F(CurrentBelt, GridsCarrySizeOrientationAndCurrentOverTheBeltOnly) {
    // The hole, the corner outside the belt and the inner ring hold 0.
    for (const char* type : {"SIZE_BUFFER", "ORIENTATION_BUFFER", "DIRECTION_BUFFER"})
        for (auto [x, y] : {std::pair{kCx, kCy}, std::pair{kCx + 190, kCy + 190}, std::pair{kCx + 40, kCy}})
            EXPECT_EQ(cell(beltComponent, type, x, y)[0], 0.0) << type << " " << x << "," << y;
    // The belt's middle: 0.7 of its width, the normal, and the flow of 1 along it.
    EXPECT_NEAR(cell(beltComponent, "SIZE_BUFFER", kCx + kMiddle, kCy)[0], 0.7 * (kOuter - kInner), 0.3);
    auto v = cell(beltComponent, "ORIENTATION_BUFFER", kCx + kMiddle, kCy);
    EXPECT_LT(std::hypot(v[0] + 1.0, v[1]), 0.01);
    v = cell(beltComponent, "DIRECTION_BUFFER", kCx + kMiddle, kCy);
    EXPECT_LT(std::hypot(v[0], v[1] - 1.0), 0.02);
    // Two pixels in from the outer edge: nearly the full push of 2 toward the middle. On the
    // rings: the push alone, inward on the outer ring, outward on the inner one.
    EXPECT_NEAR(cell(beltComponent, "DIRECTION_BUFFER", kCx + kOuter - 2, kCy)[0], -2.0 * (1 - 2.1 / 44.2), 0.08);
    EXPECT_NEAR(cell(beltComponent, "DIRECTION_BUFFER", kCx + kOuter + 10, kCy)[0], -2.0, 0.01);
    EXPECT_NEAR(cell(beltComponent, "DIRECTION_BUFFER", kCx + kInner - 10, kCy)[0], 2.0, 0.01);
    v = cell(beltComponent, "ORIENTATION_BUFFER", kCx, kCy + kOuter + 10);
    EXPECT_LT(std::hypot(v[0], v[1] + 1.0), 0.01);  // top side: the normal points down
}

TEST_F(CurrentBelt, OutlinesOfDifferentPointCountsFillWithTheFewest) {
    Spline outer = belt->getOuterSpline();
    outer.setLevel(3);  // 32 spline points against the inner outline's 64
    outer.evaluate();
    belt->setOuterSpline(outer);
    beltComponent->resize(400, 400);  // refills every grid
    for (double x = kCx - 200; x < kCx + 200; x += 7)
        for (double y = kCy - 200; y < kCy + 200; y += 7) {
            const auto v = cell(beltComponent, "DIRECTION_BUFFER", x, y);
            ASSERT_LE(std::hypot(v[0], v[1]), 2.0 + 1e-9) << x << ", " << y;  // blends of corner values
        }

    // Pentagons without refinement: five quads a band, an odd count. Across each side the
    // outlines lie 0.809 of the radii out (145.6 and 64.7): the middle, 105 out, is filled.
    auto pentagon = [](double radius) {
        Spline s(0, true);
        for (int k = 0; k < 5; ++k) s.addControlPoint(radius * std::cos(kPi / 2 + k * 0.4 * kPi), radius * std::sin(kPi / 2 + k * 0.4 * kPi));
        s.evaluate();
        return s;
    };
    belt->setOuterSpline(pentagon(180));
    belt->setInnerSpline(pentagon(80));
    beltComponent->resize(400, 400);
    for (int k = 0; k < 5; ++k) {
        const double a = kPi / 2 + (k + 0.5) * 0.4 * kPi;
        EXPECT_GT(cell(beltComponent, "SIZE_BUFFER", kCx + 105 * std::cos(a), kCy + 105 * std::sin(a))[0], 0.0) << k;
    }
}

TEST_F(CurrentBelt, ReshapingRefitsTheThreeGrids) {
    const double x = kCx + 127.28, y = kCy + 127.28;  // outer control point 0
    send(beltComponent, "PRESS", 1, x, y);
    ASSERT_EQ(belt->selectedControlPoint, 0);
    send(beltComponent, "DRAG", 1, x + 80, y + 50);
    send(beltComponent, "RELEASE", 1, x + 80, y + 50);
    EXPECT_GT(beltComponent->width, 398u);
    for (const char* type : {"BUTTON_BUFFER", "SIZE_BUFFER", "ORIENTATION_BUFFER", "DIRECTION_BUFFER"}) {
        const IBufferBase* grid = beltComponent->getActiveBufferByType(bufferType(type))->buffer;
        EXPECT_EQ(std::make_pair(grid->width, grid->height), std::make_pair(beltComponent->width, beltComponent->height)) << type;
    }
    EXPECT_GT(cell(beltComponent, "DIRECTION_BUFFER", kCx + kMiddle, kCy)[1], 0.5);  // still running up on the right
}

TEST_F(CurrentBelt, ObserversRideTheBelt) {
    VisComponent* riding = item(kCx + kMiddle, kCy, 80, 40);
    VisComponent* near = item(kCx + kOuter - 2, kCy + 2);
    VisComponent* inHole = item(kCx + 10, kCy + 5);
    manager.readPassiveBuffers();
    // Scaled to 0.7 of the belt's width, turned so that its top faces the hole (the
    // orientation (-1, 0) is a quarter turn), carried up by one pixel.
    EXPECT_NEAR(riding->scale.x * 80, 0.7 * (kOuter - kInner), 0.3);
    EXPECT_NEAR(riding->scale.y * 40, 0.7 * (kOuter - kInner), 0.3);
    EXPECT_NEAR(riding->angle, kPi / 2, 0.01);
    EXPECT_LT(std::hypot(riding->position.x - (kCx + kMiddle), riding->position.y - (kCy + 1.0)), 0.02);
    for (int i = 0; i < 9; ++i) manager.readPassiveBuffers();
    EXPECT_NEAR(riding->position.y, kCy + 10.0, 0.2);
    // Near the edge the push toward the middle, up to 2 pixels a read, wins; it fades as
    // the item nears the middle.
    EXPECT_LT(near->position.x, kCx + kOuter - 2 - 10.0);
    EXPECT_GT(near->position.x, kCx + kOuter - 2 - 20.0);
    // In the hole nothing is read: size, angle and place stay.
    EXPECT_EQ(std::make_tuple(inHole->scale, inHole->angle, inHole->position),
              std::make_tuple(Point3d(1, 1, 1), 0.0, Point3d(kCx + 10, kCy + 5, 0)));
}

TEST_F(ContainerScene, ObserversTakeAngleAndSizeFromTheGrids) {
    const struct {
        double x, y, angle;
    } cases[] = {{0, 1, 0.0}, {1, 0, -kPi / 2}, {-1, 0, kPi / 2}, {0, -1, kPi}, {0, 0, 0.25}};
    for (const auto& c : cases) {
        VisComponent* holder = add(300, 300, 200, 200, {new GridStrategy("ORIENTATION_BUFFER", std::vector<double>{c.x, c.y}),
                                                        new GridStrategy("SIZE_BUFFER", 35)});
        VisComponent* it = makeComponent(300, 300, 100, 50, {new CurrentObserverStrategy});
        it->angle = 0.25;
        holder->addChild(it);
        manager.readPassiveBuffers();
        EXPECT_NEAR(it->angle, c.angle, 1e-12) << c.x << "," << c.y;
        EXPECT_EQ(std::make_pair(it->scale.x, it->scale.y), std::make_pair(0.35, 0.7));
        EXPECT_EQ(it->position, Point3d(300, 300, 0));  // no direction grid: no move
    }
}

TEST_F(CurrentBelt, DropsLandOnCurrentBeltsOnly) {
    auto rider = [](VisComponent* parent, double x, double y) {
        auto* probe = new ObserverProbe;
        parent->addChild(makeComponent(x, y, 40, 40, {probe}));
        return probe;
    };
    ObserverProbe* onBelt = rider(beltComponent, kCx + kMiddle, kCy);
    const VisComponent* a = onBelt->getComponent();
    EXPECT_TRUE(onBelt->drop(false));
    EXPECT_EQ(a->scale, Point3d(1, 1, 1));  // without animation nothing is read
    EXPECT_TRUE(onBelt->drop(true));
    EXPECT_NEAR(a->position.y, kCy + 1.0, 0.02);  // read once at once

    // The belt strategy counts wherever it lies on the parent's stack; a plain belt and no
    // parent at all refuse.
    EXPECT_TRUE(rider(add(200, 200, 300, 300, {new CurrentBeltContainerStrategy, new HolderStrategy}), 200, 200)->drop(true));
    EXPECT_FALSE(rider(add(800, 200, 300, 300, {new BeltContainerStrategy}), 800, 200)->drop(true));
    auto* loose = new ObserverProbe;
    add(50, 50, 20, 20, {loose});
    EXPECT_FALSE(loose->drop(true));
}
