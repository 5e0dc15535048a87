#include <cmath>
#include <limits>

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

// Offers a grid of constant values under a buffer type name.
class ConstantGrid : public VisComponentStrategy {
public:
    ConstantGrid(const char* type, double a, double b, unsigned valuesPerCell)
        : type(type), values{a, b}, valuesPerCell(valuesPerCell) {}

protected:
    void initProperties() override {
        auto* grid = new IBuffer<double>(bufferType(type), valuesPerCell, component->width, component->height,
                                         component->width, component->height);
        for (unsigned i = 0; i < component->width * component->height; ++i)
            for (unsigned k = 0; k < valuesPerCell; ++k) grid->data[i * valuesPerCell + k] = values[k];
        component->addActiveBuffer(new IBufferProxy(grid->type, grid));
    }
    bool acceptsDrops() const override { return true; }

private:
    const char* type;
    double values[2];
    unsigned valuesPerCell;
};

struct CurrentBelt : ContainerScene {
    ProbeCurrentBelt* belt = new ProbeCurrentBelt(100.0);
    VisComponent* beltComponent = nullptr;
    void SetUp() override {
        ContainerScene::SetUp();
        beltComponent = add(kCx, kCy, 400, 400, {belt});
    }
    double swipe(double dx, double dy) {
        send(beltComponent, "PRESS", kCx + kMiddle, kCy);
        send(beltComponent, "RELEASE", kCx + kMiddle + dx, kCy + dy);
        return belt->getFlowSpeed();
    }
    // An item lying on the belt at the global point.
    VisComponent* item(double x, double y, unsigned w = 40, unsigned h = 40) {
        VisComponent* c = makeComponent(x, y, w, h);
        c->pushStrategy(new CurrentObserverStrategy);
        beltComponent->addChild(c);
        return c;
    }
};

}  // namespace

TEST_F(CurrentBelt, SwipesSetTheSpeedAlongTheBeltAndShortOnesStopIt) {
    EXPECT_EQ(belt->getFlowSpeed(), 1.0);
    EXPECT_EQ(swipe(0, 10), 0.5);    // with the belt's direction: up on its right side
    EXPECT_EQ(swipe(0, 400), 8.0);   // capped at 160 / 20
    EXPECT_EQ(swipe(0, -10), -0.5);  // against it
    EXPECT_EQ(swipe(0, -400), -8.0);
    EXPECT_EQ(swipe(3, 4), 0.0);     // 5 pixels: stop
    EXPECT_EQ(swipe(-6, 8), 0.5);    // 10 pixels, mostly along
    EXPECT_NEAR(belt->flowNormal[0], -1.0, 1e-3);
    EXPECT_NEAR(belt->flowNormal[1], 0.0, 1e-3);

    // Across the belt exactly (no component along it), and with no orientation known:
    // negative.
    send(beltComponent, "PRESS", kCx + kMiddle, kCy);
    belt->flowNormal[0] = -1.0;
    belt->flowNormal[1] = 0.0;
    send(beltComponent, "RELEASE", kCx + kMiddle + 10, kCy);
    EXPECT_EQ(belt->getFlowSpeed(), -0.5);
    send(beltComponent, "PRESS", kCx + kMiddle, kCy);
    belt->flowNormal[0] = belt->flowNormal[1] = 0.0;
    send(beltComponent, "RELEASE", kCx + kMiddle, kCy + 10);
    EXPECT_EQ(belt->getFlowSpeed(), -0.5);

    // A swipe whose release is not a number changes nothing; the next release is no swipe.
    send(beltComponent, "PRESS", kCx + kMiddle, kCy);
    send(beltComponent, "RELEASE", kNaN, kCy);
    send(beltComponent, "RELEASE", kCx + kMiddle, kCy + 300);
    EXPECT_EQ(belt->getFlowSpeed(), -0.5);
    // A press on the ring sets no speed either.
    send(beltComponent, "PRESS", kCx + 170, kCy);
    send(beltComponent, "RELEASE", kCx + 170, kCy + 100);
    EXPECT_EQ(belt->getFlowSpeed(), -0.5);

    // The direction grid follows the speed at the release.
    double d[2];
    ASSERT_TRUE(cell(beltComponent, "DIRECTION_BUFFER", kCx + kMiddle, kCy, d));
    EXPECT_NEAR(d[0], 0.0, 0.02);
    EXPECT_NEAR(d[1], -0.5, 0.02);
}

TEST_F(CurrentBelt, GridsCarrySizeOrientationAndCurrentOverTheBeltOnly) {
    double v[2];
    for (const char* type : {"SIZE_BUFFER", "ORIENTATION_BUFFER", "DIRECTION_BUFFER"}) {
        for (auto [x, y] : {std::pair{kCx, kCy}, std::pair{kCx + 190, kCy + 190}, std::pair{kCx + 40, kCy}}) {
            v[0] = v[1] = 1.0;
            ASSERT_TRUE(cell(beltComponent, type, x, y, v));
            EXPECT_EQ(v[0], 0.0) << type << " " << x << "," << y;
        }
    }
    // The belt's middle: 0.7 of its width, the normal, and the flow of 1 along it.
    ASSERT_TRUE(cell(beltComponent, "SIZE_BUFFER", kCx + kMiddle, kCy, v));
    EXPECT_NEAR(v[0], 0.7 * (kOuter - kInner), 0.3);
    ASSERT_TRUE(cell(beltComponent, "ORIENTATION_BUFFER", kCx + kMiddle, kCy, v));
    EXPECT_NEAR(v[0], -1.0, 0.01);
    EXPECT_NEAR(v[1], 0.0, 0.01);
    ASSERT_TRUE(cell(beltComponent, "DIRECTION_BUFFER", kCx + kMiddle, kCy, v));
    EXPECT_NEAR(v[0], 0.0, 0.02);
    EXPECT_NEAR(v[1], 1.0, 0.02);
    // Two pixels in from the outer edge: nearly the full push of 2 toward the middle.
    ASSERT_TRUE(cell(beltComponent, "DIRECTION_BUFFER", kCx + kOuter - 2, kCy, v));
    EXPECT_NEAR(v[0], -2.0 * (1 - 2.1 / 44.2), 0.08);
    // On the rings: the push alone, inward on the outer ring, outward on the inner one.
    ASSERT_TRUE(cell(beltComponent, "DIRECTION_BUFFER", kCx + kOuter + 10, kCy, v));
    EXPECT_NEAR(v[0], -2.0, 0.01);
    ASSERT_TRUE(cell(beltComponent, "DIRECTION_BUFFER", kCx + kInner - 10, kCy, v));
    EXPECT_NEAR(v[0], 2.0, 0.01);
    ASSERT_TRUE(cell(beltComponent, "ORIENTATION_BUFFER", kCx, kCy + kOuter + 10, v));
    EXPECT_NEAR(v[0], 0.0, 0.01);  // top side: the normal points down
    EXPECT_NEAR(v[1], -1.0, 0.01);
}

TEST_F(CurrentBelt, ReshapingRefitsTheThreeGrids) {
    const double x = kCx + 127.28, y = kCy + 127.28;  // outer control point 0
    send(beltComponent, "PRESS", x, y);
    ASSERT_EQ(belt->selectedControlPoint, 0);
    send(beltComponent, "DRAG", x + 80, y + 50);
    send(beltComponent, "RELEASE", x + 80, y + 50);
    EXPECT_GT(beltComponent->width, 398u);
    for (const char* type : {"BUTTON_BUFFER", "SIZE_BUFFER", "ORIENTATION_BUFFER", "DIRECTION_BUFFER"}) {
        const IBufferBase* grid = beltComponent->getActiveBufferByType(bufferType(type))->buffer;
        EXPECT_EQ(grid->width, beltComponent->width) << type;
        EXPECT_EQ(grid->height, beltComponent->height) << type;
    }
    double v[2];
    ASSERT_TRUE(cell(beltComponent, "DIRECTION_BUFFER", kCx + kMiddle, kCy, v));
    EXPECT_GT(v[1], 0.5);  // still running upward on the right
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
    EXPECT_NEAR(riding->position.x, kCx + kMiddle, 0.02);
    EXPECT_NEAR(riding->position.y, kCy + 1.0, 0.02);
    for (int i = 0; i < 9; ++i) manager.readPassiveBuffers();
    EXPECT_NEAR(riding->position.y, kCy + 10.0, 0.2);
    // Near the edge the push toward the middle, up to 2 pixels a read, wins; it fades as
    // the item nears the middle.
    EXPECT_LT(near->position.x, kCx + kOuter - 2 - 10.0);
    EXPECT_GT(near->position.x, kCx + kOuter - 2 - 20.0);
    // In the hole nothing is read: size, angle and place stay.
    EXPECT_EQ(inHole->scale, Point3d(1, 1, 1));
    EXPECT_EQ(inHole->angle, 0.0);
    EXPECT_EQ(inHole->position, Point3d(kCx + 10, kCy + 5, 0));
}

TEST_F(ContainerScene, ObserversTakeAngleAndSizeFromTheGrids) {
    const struct {
        double x, y, angle;
    } cases[] = {{0, 1, 0.0}, {1, 0, -kPi / 2}, {-1, 0, kPi / 2}, {0, -1, kPi}, {0, 0, 0.25}};
    for (const auto& c : cases) {
        VisComponent* holder = add(300, 300, 200, 200, {new ConstantGrid("ORIENTATION_BUFFER", c.x, c.y, 2),
                                                        new ConstantGrid("SIZE_BUFFER", 35, 0, 1)});
        VisComponent* it = makeComponent(300, 300, 100, 50);
        it->angle = 0.25;
        it->pushStrategy(new CurrentObserverStrategy);
        holder->addChild(it);
        manager.readPassiveBuffers();
        EXPECT_NEAR(it->angle, c.angle, 1e-12) << c.x << "," << c.y;
        EXPECT_DOUBLE_EQ(it->scale.x, 0.35);
        EXPECT_DOUBLE_EQ(it->scale.y, 0.7);
        EXPECT_EQ(it->position, Point3d(300, 300, 0));  // no direction grid: no move
    }
}

TEST_F(CurrentBelt, DropsLandOnCurrentBeltsOnly) {
    auto* onBelt = new ObserverProbe;
    VisComponent* a = makeComponent(kCx + kMiddle, kCy, 40, 40);
    a->pushStrategy(onBelt);
    beltComponent->addChild(a);
    EXPECT_TRUE(onBelt->drop(false));
    EXPECT_EQ(a->scale, Point3d(1, 1, 1));  // without animation nothing is read
    EXPECT_TRUE(onBelt->drop(true));
    EXPECT_NEAR(a->position.y, kCy + 1.0, 0.02);  // read once at once

    // The belt strategy counts wherever it lies on the parent's stack.
    VisComponent* covered = add(200, 200, 300, 300, {new CurrentBeltContainerStrategy, new HolderStrategy});
    auto* second = new ObserverProbe;
    VisComponent* b = makeComponent(200, 200, 20, 20);
    b->pushStrategy(second);
    covered->addChild(b);
    EXPECT_TRUE(second->drop(true));

    VisComponent* plainBelt = add(800, 200, 300, 300, {new BeltContainerStrategy});
    auto* third = new ObserverProbe;
    VisComponent* c = makeComponent(800, 200, 20, 20);
    c->pushStrategy(third);
    plainBelt->addChild(c);
    EXPECT_FALSE(third->drop(true));
    auto* loose = new ObserverProbe;
    add(50, 50, 20, 20, {loose});
    EXPECT_FALSE(loose->drop(true));
}

TEST_F(CurrentBelt, ObserversOutliveTheirBelt) {
    // A top-level item reads the root's grids; the root goes, and with it the grids.
    auto* table = makeComponent(512, 384, 1024, 768);
    table->pushStrategy(new CurrentBeltContainerStrategy(200.0));
    manager.setRootComponent(table);
    VisComponent* loose = add(512 + 300, 384, 30, 30, {new CurrentObserverStrategy});
    manager.readPassiveBuffers();
    const Point3d moved = loose->position;
    EXPECT_NE(moved, Point3d(512 + 300, 384, 0));
    manager.setRootComponent(makeComponent(512, 384, 1024, 768));
    manager.readPassiveBuffers();
    EXPECT_EQ(loose->position, moved);

    item(kCx + kMiddle, kCy);
    delete beltComponent;  // its riders go with it
    manager.processComponents();
    manager.readPassiveBuffers();
    EXPECT_EQ(manager.getNumberComponents(), 1u);
}
