#include <gtest/gtest.h>

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
    EXPECT_EQ(t.type, eventType("PRESS"));
    EXPECT_EQ(t.contact, contactName(ContactSource::Tuio11, 1));
    EXPECT_FALSE(t.anonymous);
    EXPECT_EQ(userOf(touch(Phase::Press, 2)), 4u);
    EXPECT_TRUE(t.anonymous);
    EXPECT_EQ(userOf(touch(Phase::Press, 3)), 5u);
    EXPECT_EQ(userOf(touch(Phase::Press, 4)), 0u);      // ...which no anonymous contact shares
    EXPECT_EQ(userOf(touch(Phase::Drag, 1)), 6u);
    EXPECT_EQ(t.type, eventType("DRAG"));
    EXPECT_EQ(userOf(touch(Phase::Release, 1)), 6u);
    EXPECT_EQ(t.type, eventType("RELEASE"));
    EXPECT_EQ(t.contact, contactName(ContactSource::Tuio11, 1));
    EXPECT_EQ(userOf(touch(Phase::Press, 4)), 6u);
    EXPECT_EQ(userOf(touch(Phase::Release, 2)), 4u);
    EXPECT_EQ(userOf(touch(Phase::Press, 5)), 4u);      // the lowest free slot
    EXPECT_EQ(userOf(touch(Phase::Press, 5)), 4u);      // pressed again: still the same user
    EXPECT_EQ(dispatcher.contactsDown(), 3u);

    // Touches whose press never came reach nobody.
    EXPECT_EQ(userOf(touch(Phase::Drag, 99)), 0u);
    EXPECT_EQ(userOf(touch(Phase::Release, 2)), 0u);
    EXPECT_EQ(dispatcher.refusedCount(), 3u);

    // Normalised coordinates (TUIO: y down) become display pixels (y up); others stay.
    InputEvent normalised = touch(Phase::Drag, 5, 0, 0.25, 0.25);
    normalised.space = InputEvent::Space::Normalised;
    ASSERT_TRUE(dispatcher.translate(normalised, 400, 300, t));
    EXPECT_EQ(t.x, 100.0);
    EXPECT_EQ(t.y, 225.0);
    ASSERT_TRUE(dispatcher.translate(touch(Phase::Drag, 5, 0, -7.5, 1e6), 400, 300, t));
    EXPECT_EQ(t.x, -7.5);
    EXPECT_EQ(t.y, 1e6);
}

TEST(InputDispatcher, TwoAnonymousFingersDragTwoComponentsAtOnce) {
    DravikManager manager(nullptr, 0);
    manager.resize(400, 300);
    VisComponent* left = makeComponent(100, 150, 50, 50);
    VisComponent* right = makeComponent(300, 150, 50, 50);
    std::vector<std::string> log;
    auto* leftLog = new RecordingStrategy(&log, "left");
    auto* rightLog = new RecordingStrategy(&log, "right");
    left->pushStrategy(leftLog);
    right->pushStrategy(rightLog);
    manager.addComponent(left);
    manager.addComponent(right);

    const std::vector<InputEvent> events{touch(Phase::Press, 1, 0, 100, 150), touch(Phase::Press, 2, 0, 300, 150),
                                         touch(Phase::Drag, 1, 0, 110, 150)};
    InputDispatcher dispatcher;
    EXPECT_EQ(dispatcher.deliver(events, manager), 3u);
    EXPECT_EQ(manager.getSelectedComponentIds(), (std::vector<unsigned long>{left->id, right->id}));
    EXPECT_EQ(leftLog->events, 2);
    EXPECT_EQ(leftLog->lastUser, 1u);
    EXPECT_EQ(rightLog->events, 1);
    EXPECT_EQ(rightLog->lastUser, 2u);
}
