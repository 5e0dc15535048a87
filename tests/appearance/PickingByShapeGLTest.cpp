// A component is picked where its strategies draw in picking mode, and nowhere else.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DefaultManager.h"
#include "app/VisComponentGL.h"
#include "appearance/BorderStrategy.h"
#include "appearance/GradientBorderStrategy.h"
#include "appearance/GradientCircleStrategy.h"
#include "appearance/GradientRoundBorderStrategy.h"
#include "appearance/RoundBorderStrategy.h"
#include "support/GLContext.h"
#include "support/TestStrategies.h"

namespace {

class PickingManager : public DefaultManager {
public:
    PickingManager() { resize(GLContextEnvironment::kSize, GLContextEnvironment::kSize); }
    using DefaultManager::pickComponent;

    VisComponentGL* add(VisComponentStrategy* strategy, double x, double y, unsigned w, unsigned h) {
        auto* c = new VisComponentGL;
        c->position = Point3d(x, y, 0);
        c->width = w;
        c->height = h;
        if (strategy != nullptr) c->pushStrategy(strategy);
        addComponent(c);
        return c;
    }
    unsigned long at(unsigned x, unsigned y) { return pickComponent(x, y, false); }
};

constexpr unsigned long kNone = VisComponent::NoComponentId;

class PickingByShapeGLTest : public GLTest {};

}  // namespace

TEST_F(PickingByShapeGLTest, RoundShapesArePickedInsideTheCircleOnly) {
    PickingManager manager;
    const VisComponentGL* round = manager.add(new RoundBorderStrategy, 60, 60, 80, 80);
    EXPECT_EQ(manager.at(60, 60), round->id);
    EXPECT_EQ(manager.at(60 + 38, 60), round->id);
    EXPECT_EQ(manager.at(60 + 35, 60 + 35), kNone) << "the corner lies outside the circle of radius 40";

    auto* glow = new GradientRoundBorderStrategy;
    glow->setBorderWidth(20);
    const VisComponentGL* soft = manager.add(glow, 190, 60, 80, 80);
    EXPECT_EQ(manager.at(190 - 38, 60), soft->id);
    EXPECT_EQ(manager.at(190 - 30, 60 + 30), kNone);
    EXPECT_EQ(manager.at(190 - 45, 60), kNone) << "the band around the circle is not touchable";

    // A scale above 1 makes the circle reach beyond the rectangle, and picking bounds grow with it.
    VisComponentGL* grown = manager.add(new RoundBorderStrategy, 190, 190, 20, 20);
    grown->scale = Point3d(2, 2, 1);  // radius 2 x 10, drawn twice as large: 40 pixels
    EXPECT_EQ(manager.at(190 + 35, 190), grown->id);
    EXPECT_EQ(manager.at(190, 190 - 35), grown->id);

    VisComponentGL* marker = manager.add(new GradientCircleStrategy, 60, 190, 0, 0);
    marker->scale = Point3d(20, 20, 1);
    EXPECT_EQ(manager.at(60, 190 + 18), marker->id) << "the spot's octagon, though the component has no size";
    EXPECT_EQ(manager.at(60 + 17, 190 + 17), kNone);
}

TEST_F(PickingByShapeGLTest, RectangularBordersArePickedOverTheComponentNotTheirBand) {
    PickingManager manager;
    const VisComponentGL* framed = manager.add(new BorderStrategy, 60, 60, 80, 60);
    EXPECT_EQ(manager.at(60, 60), framed->id) << "inside the outline";
    EXPECT_EQ(manager.at(60 + 39, 60 + 29), framed->id);
    EXPECT_EQ(manager.at(60 + 41, 60), kNone);

    auto* glow = new GradientBorderStrategy;
    glow->setBorderWidth(15);
    const VisComponentGL* soft = manager.add(glow, 180, 60, 60, 60);
    EXPECT_EQ(manager.at(180 + 25, 60), soft->id);
    EXPECT_EQ(manager.at(180 + 35, 60), kNone) << "within the band";
}

TEST_F(PickingByShapeGLTest, ComponentsWhoseStrategiesDrawNothingForPickingAreNeverPicked) {
    PickingManager manager;
    std::vector<std::string> log;
    manager.add(new RecordingStrategy(&log, "plain"), 60, 60, 80, 80);
    manager.add(nullptr, 60, 60, 40, 40);  // on top, without strategies
    auto* hidden = new BorderStrategy;
    hidden->setDrawBorder(false);
    hidden->setDrawSelectedBorder(false);
    manager.add(hidden, 180, 60, 80, 80);
    for (unsigned x = 0; x < 256; x += 8)
        for (unsigned y = 0; y < 256; y += 8) ASSERT_EQ(manager.at(x, y), kNone) << x << ", " << y;

    // Only the one strategy that draws a shape makes its component touchable.
    VisComponentGL* under = manager.add(new PickableStrategy, 60, 60, 20, 20);
    under->moveNodeToFront();
    EXPECT_EQ(manager.at(60, 60), under->id);
    EXPECT_EQ(manager.at(60, 75), kNone);
}
