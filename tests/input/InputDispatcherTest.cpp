#include <gtest/gtest.h>

#include <tuple>
#include <vector>
#include <utility>

#include "input/InputDispatcher.h"
#include "support/TestStrategies.h"

namespace {

using Phase = InputEvent::Phase;

InputEvent touch(Phase phase, std::uint32_t contact, unsigned user = InputEvent::AnonymousUser, double x = 0,
                 double y = 0) {
    InputEvent e;
    e.phase = phase;
    e.contact = contactName(ContactSource::Tuio11, contact);
    e.user = user;
    e.x = x;
    e.y = y;
    return e;
}

}  // namespace

TEST(InputDispatcher, EveryContactWithoutAUserHasASlotOfItsOwnWhileDown) {
    InputDispatcher dispatcher(4, 3);  // slots 4, 5 and 6
    InputDispatcher::Touch t;
    auto userOf = [&](const InputEvent& e) { return dispatcher.translate(e, 400, 300, t) ? t.user : 0u; };

    EXPECT_EQ(userOf(touch(Phase::Press, 1, 6)), 6u);  // a named user keeps its number...
    EXPECT_EQ(std::make_tuple(t.type, t.contact, t.anonymous), std::make_tuple(eventType("PRESS"), contactName(ContactSource::Tuio11, 1), false));
    EXPECT_EQ(userOf(touch(Phase::Press, 2)), 4u);
    EXPECT_TRUE(t.anonymous);
    EXPECT_EQ((std::vector<unsigned>{userOf(touch(Phase::Press, 3)), userOf(touch(Phase::Press, 4))}), (std::vector<unsigned>{5, 0}))
        << "...which no anonymous contact shares";
    EXPECT_EQ(userOf(touch(Phase::Drag, 1)), 6u);
    EXPECT_EQ(t.type, eventType("DRAG"));
    EXPECT_EQ(userOf(touch(Phase::Release, 1)), 6u);
    EXPECT_EQ(std::make_pair(t.type, t.contact), std::make_pair(eventType("RELEASE"), contactName(ContactSource::Tuio11, 1)));
    // Then 6 is free; 2 lifts; 5 takes the lowest free slot and keeps it when pressed again.
    EXPECT_EQ((std::vector<unsigned>{userOf(touch(Phase::Press, 4)), userOf(touch(Phase::Release, 2)),
                                     userOf(touch(Phase::Press, 5)), userOf(touch(Phase::Press, 5))}),
              (std::vector<unsigned>{6, 4, 4, 4}));
    EXPECT_EQ(dispatcher.contactsDown(), 3u);

    // Touches whose press never came reach nobody.
    EXPECT_EQ(userOf(touch(Phase::Drag, 99)), 0u);
    EXPECT_EQ(userOf(touch(Phase::Release, 2)), 0u);
    EXPECT_EQ(dispatcher.refusedCount(), 3u);
    // User 0 is nobody: anonymous slots begin at 1 at the least. At most 4,096 contacts are down.
    InputDispatcher fromZero(0, 4097);
    EXPECT_EQ(fromZero.translate(touch(Phase::Press, 1), 400, 300, t) ? t.user : 0u, 1u);
    for (std::uint32_t id = 2; id <= 4097; ++id) EXPECT_EQ(fromZero.translate(touch(Phase::Press, id), 400, 300, t), id <= 4096) << id;

    // Normalised coordinates (TUIO: y down) become display pixels (y up); others stay.
    InputEvent normalised = touch(Phase::Drag, 5, 0, 0.25, 0.25);
    normalised.space = InputEvent::Space::Normalised;
    ASSERT_TRUE(dispatcher.translate(normalised, 400, 300, t));
    EXPECT_EQ(std::make_pair(t.x, t.y), std::make_pair(100.0, 225.0));
    ASSERT_TRUE(dispatcher.translate(touch(Phase::Drag, 5, 0, -7.5, 1e6), 400, 300, t));
    EXPECT_EQ(std::make_pair(t.x, t.y), std::make_pair(-7.5, 1e6));
}

TEST(InputDispatcher, TwoAnonymousFingersDragTwoComponentsAtOnce) {
    DravikManager manager(nullptr, 0);
    manager.resize(400, 300);
    std::vector<std::string> log;
    auto *leftLog = new RecordingStrategy(&log, "left"), *rightLog = new RecordingStrategy(&log, "right");
    VisComponent* left = placeComponent(manager, 100, 150, 50, 50, {leftLog});
    VisComponent* right = placeComponent(manager, 300, 150, 50, 50, {rightLog});

    const std::vector<InputEvent> events{touch(Phase::Press, 1, 0, 100, 150), touch(Phase::Press, 2, 0, 300, 150),
                                         touch(Phase::Drag, 1, 0, 110, 150)};
    InputDispatcher dispatcher;
    EXPECT_EQ(dispatcher.deliver(events, manager), 3u);
    EXPECT_EQ(manager.getSelectedComponentIds(), (std::vector<unsigned long>{left->id, right->id}));
    EXPECT_EQ(std::make_tuple(leftLog->events, leftLog->lastUser, rightLog->events, rightLog->lastUser),
              std::make_tuple(2, 1u, 1, 2u));
}
