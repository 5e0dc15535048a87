#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "support/HandClock.h"
#include "support/TestStrategies.h"

namespace {

// Writes down the touches it sees, as "one|every TYPE USER.CONTACT", and claims contacts.
class Witness : public VisComponentStrategy {
public:
    Witness(std::vector<std::string>* log, bool every) : log(log), every(every) {}
    DravikManager& manager() { return *component->manager; }

protected:
    bool followsEveryContact() const override { return every; }
    void onEvent(DravikEvent* e) override {
        for (const char* name : {"PRESS", "DRAG", "RELEASE", "CANCEL"})
            if (e->type == eventType(name))
                log->push_back(std::string(every ? "every " : "one ") + name + " " + std::to_string(e->userId) + "." +
                               std::to_string(e->contactId));
    }

private:
    std::vector<std::string>* log;
    bool every;
};

DravikEvent contact(unsigned user, std::uint64_t id) {
    DravikEvent e(0, user);
    e.setContact(id, false);
    return e;
}

struct Scene : ::testing::Test {
    DravikManager manager{nullptr, 2};
    void SetUp() override { manager.resize(1024, 768); }
    void send(const char* type, unsigned user, double x, double y, std::uint64_t contact = DravikEvent::OnlyContact) {
        route(manager, type, user, x, y, contact);
    }
    void stroke(unsigned user, double x0, double y0, double x1, double y1) { routeStroke(manager, user, {{x0, y0}, {x1, y1}}); }
    VisComponent* add(double x, double y, unsigned w, unsigned h, std::initializer_list<VisComponentStrategy*> s = {}) {
        return placeComponent(manager, x, y, w, h, s);
    }
    unsigned type(const char* name) { return ConstantProvider::getInstance()->getBufferTypeIdentifier(name); }
};

}  // namespace

TEST_F(Scene, EachContactHoldsItsOwnComponent) {
    std::vector<std::string> log;
    VisComponent* a = add(100, 100, 50, 50, {new FollowStrategy, new RecordingStrategy(&log, "a")});
    VisComponent* b = add(400, 100, 50, 50, {new FollowStrategy});
    send("PRESS", 1, 100, 100, 1);  // one user's two fingers on two components
    send("PRESS", 1, 400, 100, 2);
    send("DRAG", 1, 410, 130, 2);
    send("DRAG", 1, 120, 100, 1);
    EXPECT_TRUE(isAt(a, 120, 100));
    EXPECT_TRUE(isAt(b, 410, 130));
    EXPECT_EQ(manager.getSelectedComponentIds(), (std::vector<unsigned long>{a->id, b->id}));
    EXPECT_EQ(manager.components.back(), b);  // the last press brought b to the front
    send("PRESS", 1, 120, 100, 3);  // the user's third finger does not drop a held component...
    send("PRESS", 2, 120, 100);
    EXPECT_EQ(manager.countContactsHolding(a->id), 3u);
    send("RELEASE", 1, 120, 100, 3);
    EXPECT_EQ(std::count(log.begin(), log.end(), "a.drop"), 0);
    send("RELEASE", 2, 120, 100);  // ...another user's last finger does, and so on
    send("RELEASE", 1, 120, 100, 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "a.drop"), 2);
    send("DRAG", 1, 500, 500, 1);  // holds nothing now
    EXPECT_TRUE(isAt(a, 120, 100));
    send("PRESS", 1, 100, 700, 2);  // pressed again while down: lets go of what it held
    EXPECT_TRUE(manager.getSelectedComponentIds().empty());

    // A press handed over to another component; a component let go of by the application.
    send("PRESS", 3, 120, 100);
    manager.replaceSelectedID(a->id, b->id);
    DravikEvent handed(eventType("PRESS"), 3, 120, 100);
    manager.processEvent(&handed, b);
    send("DRAG", 3, 130, 100);
    EXPECT_TRUE(isAt(b, 420, 130));
    EXPECT_EQ(manager.getSelectedComponentIds(), std::vector<unsigned long>{b->id});
    manager.unselectComponent(b->id);
    send("DRAG", 3, 230, 100);
    EXPECT_TRUE(isAt(b, 420, 130));
    EXPECT_TRUE(manager.getSelectedComponentIds().empty());
}

// A user's second finger reaches only those that follow every contact; when the first lifts,
// the one-touch strategies go on from the second without a jump. Claims: the first holds,
// those that followed the contact get a "CANCEL", a contact given back is followed again.
TEST_F(Scene, OneTouchStrategiesFollowOneContactPerUserAndTheFirstClaimHolds) {
    std::vector<std::string> log;
    auto *one = new Witness(&log, false), *every = new Witness(&log, true), *stranger = new Witness(&log, true);
    VisComponent* photo = add(100, 100, 100, 100, {new FollowStrategy, one, every});
    add(400, 100, 100, 100, {stranger});
    send("PRESS", 1, 100, 100, 1);
    send("PRESS", 1, 110, 100, 2);
    send("DRAG", 1, 120, 100, 2);
    send("RELEASE", 1, 100, 100, 1);
    send("DRAG", 1, 130, 100, 2);
    EXPECT_TRUE(isAt(photo, 110, 100));
    EXPECT_FALSE(every->manager().claimContact(every, contact(1, 9)));     // not down
    EXPECT_FALSE(stranger->manager().claimContact(stranger, contact(1, 2)));  // down elsewhere
    EXPECT_TRUE(every->manager().claimContact(every, contact(1, 2)));
    EXPECT_FALSE(one->manager().claimContact(one, contact(1, 2)));
    send("DRAG", 1, 140, 100, 2);
    EXPECT_TRUE(isAt(photo, 110, 100));
    every->manager().returnContact(every, contact(1, 2));
    send("RELEASE", 1, 150, 100, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"one PRESS 1.1", "every PRESS 1.1", "every PRESS 1.2", "every DRAG 1.2",
                                             "one CANCEL 1.1", "every RELEASE 1.1", "one PRESS 1.2", "one DRAG 1.2",
                                             "every DRAG 1.2", "one CANCEL 1.2", "every DRAG 1.2", "one PRESS 1.2",
                                             "one RELEASE 1.2", "every RELEASE 1.2"}));
}

TEST_F(Scene, BadEventsReachNothingAndBreakNothing) {
    VisComponent* a = add(100, 100, 50, 50, {new FollowStrategy});
    const double inf = std::numeric_limits<double>::infinity();
    manager.processEvent(nullptr, nullptr);
    manager.processEvent(nullptr, a);
    for (double bad : {std::nan(""), inf, -inf, -5.0, -0.5, 1e300, 4294967296.0}) {
        send("PRESS", 1, bad, 100);
        send("DRAG", 1, bad, bad);
        send("RELEASE", 1, 100, bad);
        send("RELEASE", 7, bad, bad);
    }
    EXPECT_TRUE(isAt(a, 100, 100));
    EXPECT_TRUE(manager.getSelectedComponentIds().empty());

    // A release lifted at no number still ends the hold; the touch indicator stays put.
    manager.touchIndicators = {new VisComponent, nullptr};
    VisComponent* indicator = manager.touchIndicators[0];
    indicator->pushStrategy(new FollowStrategy);
    send("PRESS", 1, 100, 100);
    send("DRAG", 1, 110, 100);
    send("RELEASE", 1, std::nan(""), inf);
    EXPECT_TRUE(manager.getSelectedComponentIds().empty());
    EXPECT_EQ(manager.touchTargets[0], nullptr);
    EXPECT_DOUBLE_EQ(indicator->position.x, 10) << "moved by the finite drag only";
    EXPECT_EQ(indicator->manager, &manager);
    send("DRAG", 1, 300, 300);
    EXPECT_DOUBLE_EQ(a->position.x, 110);
}

TEST_F(Scene, DropConnectsPassiveGridsToTheContainerUnderneath) {
    auto* table = makeComponent(512, 384, 1024, 768, {new GridStrategy("TABLE_FRICTION", 0.25)});
    manager.setRootComponent(table);
    auto* pond = add(800, 400, 200, 200, {new GridStrategy("TABLE_FRICTION", 0.75)});
    add(200, 600, 200, 200);  // an image that offers nothing: no container
    auto* stone = add(100, 100, 20, 20, {new ReaderStrategy("TABLE_FRICTION"), new FollowStrategy});

    IBufferProxy* proxy = stone->getPassiveBufferByType(type("TABLE_FRICTION"));
    ASSERT_NE(proxy, nullptr);
    EXPECT_EQ(proxy->owner, table);  // top level lies on the root
    double v = 0;
    EXPECT_FALSE(readPassiveBufferCell(stone, type("TABLE_FRICTION"), 100, 100, &v));
    EXPECT_EQ(v, 0.25);

    stroke(1, 100, 100, 790, 410);
    EXPECT_EQ(stone->getParent(), pond);
    EXPECT_EQ(proxy->owner, pond);
    EXPECT_FALSE(readPassiveBufferCell(stone, type("TABLE_FRICTION"), 790, 410, &v));
    EXPECT_EQ(v, 0.75);
    EXPECT_EQ(manager.getNumberComponents(), 3u);

    // The pond carries the stone along; moving the stone alone off it disconnects.
    pond->moveBranchBy(10, 0, 0);
    EXPECT_DOUBLE_EQ(stone->position.x, 800);
    stroke(2, 800, 410, 200, 610);  // onto the image, which is no container: back on the table
    EXPECT_EQ(stone->getParent(), nullptr);
    EXPECT_EQ(proxy->owner, table);

    // The root goes away: nothing to read any more.
    manager.setRootComponent(nullptr);
    EXPECT_EQ(proxy->buffer, nullptr);
    EXPECT_TRUE(readPassiveBufferCell(stone, type("TABLE_FRICTION"), 200, 610, &v));
}

TEST_F(Scene, DestroyedComponentLeavesEveryList) {
    auto* container = add(300, 300, 200, 200);
    auto* item = makeComponent(300, 300, 20, 20);
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
    manager.setRootComponent(
        makeComponent(512, 384, 1024, 768, {new GridStrategy("FRAME_GRID", 1.0), new RecordingStrategy(&log, "table")}));
    add(10, 10, 5, 5, {new ReaderStrategy("FRAME_GRID"), new RecordingStrategy(&log, "reader")});
    VisComponent* doomed = makeComponent(30, 30, 5, 5, {new RecordingStrategy(&log, "doomed")});
    add(20, 20, 5, 5, {new ProcessStrategy([&] { delete std::exchange(doomed, nullptr); })});  // during the frame
    manager.addComponent(doomed);
    log.clear();
    manager.processComponents();
    manager.readPassiveBuffers();
    manager.renderAll(false, true, false);
    // The table reads nothing, so it is not asked to; what is gone is not asked either.
    EXPECT_EQ(log, (std::vector<std::string>{"table.process", "reader.process", "reader.read",
                                             "table.draw", "reader.draw"}));
}

// Picking at a pixel draws, back to front, what may cover it; moves by touches count at once.
TEST_F(Scene, PickingDrawsWhatCoversThePixelBackToFront) {
    std::vector<std::string> log;
    manager.setRootComponent(makeComponent(512, 384, 1024, 768, {new RecordingStrategy(&log, "table")}));
    VisComponent* a = add(100, 100, 50, 50, {new FollowStrategy, new RecordingStrategy(&log, "a")});
    a->addChild(makeComponent(110, 100, 10, 10, {new RecordingStrategy(&log, "a1")}));
    add(120, 100, 50, 50, {new RecordingStrategy(&log, "b")});
    add(700, 100, 50, 50, {new RecordingStrategy(&log, "far")});
    auto pick = [&](unsigned x, unsigned y, bool drawRoot) {
        log.clear();
        manager.renderForPickingAt(x, y, VisComponent::NoComponentId, drawRoot, false);
        return log;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(pick(110, 100, true), (Names{"table.pick", "a.pick", "a1.pick", "b.pick"}));
    send("PRESS", 1, 80, 100);  // brings a to the front
    EXPECT_EQ(pick(110, 100, false), (Names{"b.pick", "a.pick", "a1.pick"}));
    send("DRAG", 1, 680, 100);
    EXPECT_EQ(pick(110, 100, true), (Names{"table.pick", "b.pick"}));
    EXPECT_EQ(pick(710, 100, true), (Names{"table.pick", "far.pick", "a.pick", "a1.pick"}));
}

TEST_F(Scene, ContainersCarryWhatIsDroppedOnThemUntilItIsDraggedOff) {
    std::vector<std::string> log;
    auto* tray = add(500, 400, 300, 300, {new HolderStrategy});
    add(620, 400, 60, 60);  // a poster in front of the tray, no container
    auto* card = add(100, 100, 20, 20, {new FollowStrategy, new RecordingStrategy(&log, "card")});
    auto* coin = add(100, 700, 10, 10, {new FollowStrategy});

    stroke(1, 100, 100, 460, 400);
    EXPECT_EQ(card->getParent(), tray);
    EXPECT_EQ(std::count(log.begin(), log.end(), "card.drop"), 1);
    stroke(2, 100, 700, 610, 400);  // under the poster, which the tray lies behind
    EXPECT_EQ(coin->getParent(), tray);

    // The tray takes both along, turning them about its own position.
    tray->moveBranchBy(10, 0, 0);
    tray->rotateBranch(M_PI / 2);
    EXPECT_TRUE(isAt(card, 510, 360));  // was 40 left of the tray's centre: now below
    EXPECT_NEAR(card->angle, M_PI / 2, 1e-12);
    EXPECT_TRUE(isAt(coin, 510, 510));

    // Dragged off, the card lies on the table again; a tray that is a leaf takes nothing.
    stroke(1, 510, 360, 900, 700);
    EXPECT_EQ(card->getParent(), nullptr);
    tray->leaf = true;
    stroke(1, 900, 700, 500, 300);
    EXPECT_EQ(card->getParent(), nullptr);

    // A container never lands inside its own subtree: a tray dropped over a box it holds
    // stays on the table.
    tray->leaf = false;
    auto* box = makeComponent(510, 510, 100, 100, {new HolderStrategy});
    tray->addChild(box);
    tray->drop(true);
    EXPECT_EQ(tray->getParent(), nullptr);
    EXPECT_EQ(box->getParent(), tray);
}

TEST(FrameStep, FrameRateIsMeasuredFromOneFrameStartToTheNext) {
    HandClock clock;
    DravikManager manager(&clock, 0);
    manager.addComponent(makeComponent(10, 10, 5, 5, {new ProcessStrategy([&] { clock.now += 0.004; })}));  // 4 ms of work a frame...
    manager.runFrame();
    EXPECT_EQ(manager.frameRate, 0.0);  // nothing measured yet
    for (int i = 0; i < 3; ++i) {
        clock.now += 0.046;  // ...and 46 ms waiting for the display
        manager.runFrame();
        EXPECT_NEAR(manager.frameRate, 20.0, 1e-9);
    }
}
