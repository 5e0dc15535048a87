#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/TestStrategies.h"

namespace {

// Moves its component with the drags of whoever pressed on it.
class FollowStrategy : public VisComponentStrategy {
protected:
    void onEvent(DravikEvent* e) override {
        if (e->type == eventType("PRESS")) last = e->getCoords();
        if (e->type == eventType("DRAG")) {
            component->moveBranchBy(e->x - last.x, e->y - last.y, 0);
            last = e->getCoords();
        }
    }
    Point3d last;
};

struct Scene : ::testing::Test {
    DravikManager manager{nullptr, 2};
    void SetUp() override { manager.resize(1024, 768); }
    void send(const char* type, unsigned user, double x, double y) {
        DravikEvent e(eventType(type), user, x, y);
        manager.processEvent(&e, nullptr);
    }
    unsigned type(const char* name) { return ConstantProvider::getInstance()->getBufferTypeIdentifier(name); }
};

}  // namespace

TEST_F(Scene, TwoUsersHoldTwoComponentsAtOnce) {
    VisComponent* a = makeComponent(100, 100, 50, 50);
    VisComponent* b = makeComponent(400, 100, 50, 50);
    a->pushStrategy(new FollowStrategy);
    b->pushStrategy(new FollowStrategy);
    manager.addComponent(a);
    manager.addComponent(b);

    send("PRESS", 1, 100, 100);
    send("PRESS", 2, 400, 100);
    EXPECT_EQ(manager.getSelectedComponentIds(), (std::vector<unsigned long>{a->id, b->id}));
    send("DRAG", 2, 410, 130);  // user 2's drag reaches b though a is under no point of it
    send("DRAG", 1, 90, 80);
    send("DRAG", 1, 500, 500);  // far beyond a: still a's
    EXPECT_DOUBLE_EQ(a->position.x, 500);
    EXPECT_DOUBLE_EQ(a->position.y, 500);
    EXPECT_DOUBLE_EQ(b->position.x, 410);
    EXPECT_DOUBLE_EQ(b->position.y, 130);
    send("RELEASE", 1, 500, 500);
    send("DRAG", 1, 0, 0);  // holds nothing now
    EXPECT_DOUBLE_EQ(a->position.x, 500);
    EXPECT_EQ(manager.getSelectedComponentIds(), (std::vector<unsigned long>{b->id}));
    EXPECT_EQ(manager.components.back(), b);  // the last press brought b to the front
}

TEST_F(Scene, BadEventsReachNothingAndBreakNothing) {
    VisComponent* a = makeComponent(100, 100, 50, 50);
    a->pushStrategy(new FollowStrategy);
    manager.addComponent(a);
    const double inf = std::numeric_limits<double>::infinity();
    manager.processEvent(nullptr, nullptr);
    manager.processEvent(nullptr, a);
    for (double bad : {std::nan(""), inf, -inf, -5.0, -0.5, 1e300, 4294967296.0}) {
        send("PRESS", 1, bad, 100);
        send("DRAG", 1, bad, bad);
        send("RELEASE", 1, 100, bad);
        send("RELEASE", 7, bad, bad);
    }
    EXPECT_DOUBLE_EQ(a->position.x, 100);
    EXPECT_DOUBLE_EQ(a->position.y, 100);
    EXPECT_TRUE(manager.getSelectedComponentIds().empty());
}

TEST_F(Scene, DropConnectsPassiveGridsToTheContainerUnderneath) {
    auto* table = makeComponent(512, 384, 1024, 768);
    table->pushStrategy(new GridStrategy("TABLE_FRICTION", 0.25));
    manager.setRootComponent(table);
    auto* pond = makeComponent(800, 400, 200, 200);
    pond->pushStrategy(new GridStrategy("TABLE_FRICTION", 0.75));
    manager.addComponent(pond);
    auto* image = makeComponent(200, 600, 200, 200);  // offers nothing: refuses drops
    manager.addComponent(image);
    auto* stone = makeComponent(100, 100, 20, 20);
    stone->pushStrategy(new ReaderStrategy("TABLE_FRICTION"));
    stone->pushStrategy(new FollowStrategy);
    manager.addComponent(stone);

    IBufferProxy* proxy = stone->getPassiveBufferByType(type("TABLE_FRICTION"));
    ASSERT_NE(proxy, nullptr);
    EXPECT_EQ(proxy->owner, table);  // top level lies on the root
    double v = 0;
    EXPECT_FALSE(readPassiveBufferCell(stone, type("TABLE_FRICTION"), 100, 100, &v));
    EXPECT_EQ(v, 0.25);

    send("PRESS", 1, 100, 100);
    send("DRAG", 1, 790, 410);
    send("RELEASE", 1, 790, 410);
    EXPECT_EQ(stone->getParent(), pond);
    EXPECT_EQ(proxy->owner, pond);
    EXPECT_FALSE(readPassiveBufferCell(stone, type("TABLE_FRICTION"), 790, 410, &v));
    EXPECT_EQ(v, 0.75);
    EXPECT_EQ(manager.getNumberComponents(), 3u);

    // The pond carries the stone along; moving the stone alone off it disconnects.
    pond->moveBranchBy(10, 0, 0);
    EXPECT_DOUBLE_EQ(stone->position.x, 800);
    send("PRESS", 2, 800, 410);
    send("DRAG", 2, 200, 610);
    send("RELEASE", 2, 200, 610);  // onto the image, which refuses: back on the table
    EXPECT_EQ(stone->getParent(), nullptr);
    EXPECT_EQ(proxy->owner, table);

    // The root goes away: nothing to read any more.
    manager.setRootComponent(nullptr);
    EXPECT_EQ(proxy->buffer, nullptr);
    EXPECT_TRUE(readPassiveBufferCell(stone, type("TABLE_FRICTION"), 200, 610, &v));
}

TEST_F(Scene, DestroyedComponentLeavesEveryList) {
    auto* container = makeComponent(300, 300, 200, 200);
    auto* item = makeComponent(300, 300, 20, 20);
    manager.addComponent(container);
    container->addChild(item);
    send("PRESS", 1, 300, 300);
    ASSERT_EQ(manager.getSelectedComponentIds(), (std::vector<unsigned long>{item->id}));
    const unsigned long itemId = item->id;
    manager.addToUpdateList(itemId);
    delete item;
    EXPECT_TRUE(container->getChildren().empty());
    EXPECT_TRUE(manager.getSelectedComponentIds().empty());
    EXPECT_EQ(manager.getComponentById(itemId), nullptr);
    send("DRAG", 1, 310, 310);
    manager.processComponents();  // the pending drop finds nothing
    delete container;
    EXPECT_TRUE(manager.components.empty());
    EXPECT_EQ(manager.getNumberComponents(), 0u);
}

TEST_F(Scene, FramePassesReachEveryComponentOnce) {
    std::vector<std::string> log;
    auto* table = makeComponent(512, 384, 1024, 768);
    table->pushStrategy(new GridStrategy("FRAME_GRID", 1.0));
    table->pushStrategy(new RecordingStrategy(&log, "table"));
    manager.setRootComponent(table);
    auto* reader = makeComponent(10, 10, 5, 5);
    reader->pushStrategy(new ReaderStrategy("FRAME_GRID"));
    reader->pushStrategy(new RecordingStrategy(&log, "reader"));
    manager.addComponent(reader);
    log.clear();
    manager.processComponents();
    manager.readPassiveBuffers();
    manager.renderAll(false, true, false);
    // The table reads nothing, so it is not asked to.
    EXPECT_EQ(log, (std::vector<std::string>{"table.process", "reader.process", "reader.read",
                                             "table.draw", "reader.draw"}));
}
