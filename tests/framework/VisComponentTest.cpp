#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <utility>

#include "support/TestStrategies.h"

TEST(VisComponent, ConversionsRoundTripUnderRotationAndScale) {
    VisComponent c;
    c.position = Point3d(300.5, 200.25, 4.0);
    c.angle = 0.7;
    c.scale = Point3d(2.0, 0.5, 1.0);
    c.width = 81;
    c.height = 40;
    for (const Point3d& g : {Point3d(0, 0, 0), Point3d(301, 199, 4), Point3d(-50.5, 1e4, 3)}) {
        Point3d p = g;
        c.convertGlobalToComponentCoords(p);
        c.convertComponentToGlobalCoords(p);
        EXPECT_NEAR(std::abs(p.x - g.x) + std::abs(p.y - g.y) + std::abs(p.z - g.z), 0.0, 1e-9);
    }
    // The local x axis runs along the angle, scaled: local (10, 0) lies 20 units along it.
    Point3d local(10, 0, 0);
    c.convertComponentToGlobalCoords(local);
    EXPECT_NEAR(local.x, 300.5 + 20 * std::cos(0.7), 1e-9);
    EXPECT_NEAR(local.y, 200.25 + 20 * std::sin(0.7), 1e-9);
    // The position is the grid's centre cell.
    double bx = -1, by = -1;
    c.convertGlobalToBufferCoords(300.5, 200.25, bx, by);
    EXPECT_DOUBLE_EQ(bx, 40.0);
    EXPECT_DOUBLE_EQ(by, 20.0);
}

TEST(VisComponent, IsInsideFollowsTheTurnedScaledRectangle) {
    std::unique_ptr<VisComponent> owned(makeComponent(100, 100, 100, 20));
    VisComponent& c = *owned;
    EXPECT_TRUE(c.isInside(140, 105));
    EXPECT_FALSE(c.isInside(100, 140));
    c.angle = M_PI / 2;  // now tall and thin
    EXPECT_FALSE(c.isInside(140, 105));
    EXPECT_TRUE(c.isInside(105, 140));
    c.scale = Point3d(0.5, 1, 1);  // 50 long after scaling
    EXPECT_FALSE(c.isInside(105, 140));
    EXPECT_TRUE(c.isInside(105, 120));
    c.scale = Point3d(0, 0, 0);  // degenerate scale: nothing is inside
    EXPECT_FALSE(c.isInside(100, 100));
}

TEST(VisComponent, BranchMovesAndTurnsAboutTheParentPosition) {
    DravikManager manager(nullptr, 0);
    VisComponent* parent = makeComponent(100, 100, 50, 50);
    VisComponent* child = makeComponent(150, 100, 10, 10);
    VisComponent* grandchild = makeComponent(150, 120, 10, 10);
    manager.addComponent(parent);
    parent->addChild(child);
    child->addChild(grandchild);

    parent->rotateBranch(M_PI / 2);
    EXPECT_TRUE(isAt(child, 100, 150));
    EXPECT_TRUE(isAt(grandchild, 80, 150));
    EXPECT_NEAR(grandchild->angle, M_PI / 2, 1e-12);

    child->moveBranchBy(5, -5, 1);
    EXPECT_NEAR(grandchild->position.x, 85, 1e-9);
    EXPECT_NEAR(parent->position.x, 100, 1e-9);
    child->moveBranchBy(NAN, 1, 0);       // ignored
    child->rotateBranch(INFINITY);        // ignored
    EXPECT_NEAR(child->position.y, 145, 1e-9);
    EXPECT_NEAR(child->angle, M_PI / 2, 1e-12);
}

TEST(VisComponent, StrategiesRunInPushOrderAndTheStackLinksDown) {
    std::vector<std::string> log;
    auto *image = new RecordingStrategy(&log, "image"), *border = new RecordingStrategy(&log, "border");
    auto* c = makeComponent(0, 0, 10, 10, {image, border});
    EXPECT_EQ(c->strategy, border);
    EXPECT_EQ(border->getNext(), image);
    EXPECT_EQ(image->getNext(), nullptr);

    DravikManager manager(nullptr, 0);
    manager.addComponent(c);  // initialises
    c->initPropertiesComponent();  // only once per strategy
    DravikEvent e(eventType("PRESS"), 1, 5, 5);
    c->onEvent(&e);
    c->render({});
    c->resize(30, 20);
    EXPECT_EQ(log, (std::vector<std::string>{"image.init", "border.init", "image.event", "border.event",
                                             "image.draw", "border.draw", "image.resize 30x20",
                                             "border.resize 30x20"}));
}

TEST(VisComponent, IdentifierColoursAreUniqueAndConvertBack) {
    std::set<unsigned long> ids;
    std::vector<std::unique_ptr<VisComponent>> all;
    for (int i = 0; i < 300; ++i) {
        all.emplace_back(new VisComponent);
        unsigned char rgb[3];
        all.back()->getIdColor(rgb);
        EXPECT_NE(all.back()->id, VisComponent::NoComponentId);
        EXPECT_EQ(VisComponent::convertColorToId(rgb), all.back()->id);
        ids.insert(all.back()->id);
    }
    EXPECT_EQ(ids.size(), 300u);
    const unsigned char black[3] = {0, 0, 0};
    EXPECT_EQ(VisComponent::convertColorToId(black), VisComponent::NoComponentId);
    VisComponent copy(*all.front());
    EXPECT_NE(copy.id, all.front()->id);
}

TEST(VisComponent, ResizeActiveBuffersFollowsTheSize) {
    DravikManager manager(nullptr, 0);
    auto* c = placeComponent(manager, 0, 0, 40, 30, {new GridStrategy("RESIZE_TEST_BUFFER", 1.0)});
    c->width = 64;
    c->height = 16;
    c->resizeActiveBuffers();
    IBufferBase* grid = c->getActiveBufferByType(ConstantProvider::getInstance()->getBufferTypeIdentifier("RESIZE_TEST_BUFFER"))->buffer;
    EXPECT_EQ(std::make_pair(grid->width, grid->getActualHeight()), std::make_pair(64u, 16u));
    EXPECT_NEAR(manager.getBuffersMemorySizeKBytes(), 40.0 * 30 * 8 / 1024, 1e-9);  // storage kept
}
