#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "input/InputEventQueue.h"
#include "input/TuioReceiver.h"
#include "support/TuioPackets.h"

namespace {

using Phase = InputEvent::Phase;

// Packets decoded without the network, and the events they queued.
class TuioDecoding : public ::testing::Test {
protected:
    std::vector<InputEvent> decode(const tuio::Packet& packet) {
        receiver.dispatch(packet.data(), packet.size());
        std::vector<InputEvent> events;
        queue.takeAll(events);
        return events;
    }

    InputEventQueue queue;
    TuioReceiver receiver{queue, 0};
};

void expectEvent(const InputEvent& e, Phase phase, ContactSource source, std::uint32_t id, unsigned user, double x,
                 double y) {
    EXPECT_EQ(e.phase, phase);
    EXPECT_EQ(e.contact, contactName(source, id));
    EXPECT_EQ(e.user, user);
    EXPECT_EQ(e.space, InputEvent::Space::Normalised);
    EXPECT_EQ(e.x, x);
    EXPECT_EQ(e.y, y);
}

}  // namespace

TEST_F(TuioDecoding, Tuio11CursorsArePressedDraggedAndReleasedOncePerFrame) {
    auto events = decode(tuio::cursorFrame(10, {7}, {{7, 0.25f, 0.5f}}));
    ASSERT_EQ(events.size(), 1u);
    expectEvent(events[0], Phase::Press, ContactSource::Tuio11, 7, InputEvent::AnonymousUser, 0.25, 0.5);

    events = decode(tuio::cursorFrame(11, {7, 8}, {{7, 0.5f, 0.5f}, {8, 0.75f, 0.125f}}));
    ASSERT_EQ(events.size(), 2u);
    expectEvent(events[0], Phase::Drag, ContactSource::Tuio11, 7, 0, 0.5, 0.5);
    expectEvent(events[1], Phase::Press, ContactSource::Tuio11, 8, 0, 0.75, 0.125);

    EXPECT_TRUE(decode(tuio::cursorFrame(12, {7, 8}, {{7, 0.5f, 0.5f}})).empty());  // did not move
    EXPECT_TRUE(decode(tuio::cursorFrame(9, {}, {})).empty());                      // late: ignored
    EXPECT_TRUE(decode(tuio::cursorFrame(11, {7}, {{7, 0.0f, 0.0f}})).empty());     // late too

    events = decode(tuio::cursorFrame(13, {8}, {}));
    ASSERT_EQ(events.size(), 1u);
    expectEvent(events[0], Phase::Release, ContactSource::Tuio11, 7, 0, 0.5, 0.5);  // where it was last

    // An id used again after its release is a new touch; set without alive in one frame is
    // pressed and lifted in the same frame: nothing.
    events = decode(tuio::cursorFrame(14, {8, 7}, {{7, 0.125f, 0.25f}, {9, 0.5f, 0.5f}}));
    ASSERT_EQ(events.size(), 1u);
    expectEvent(events[0], Phase::Press, ContactSource::Tuio11, 7, 0, 0.125, 0.25);

    // A tracker that starts counting again, far below the last frame, is not late.
    events = decode(tuio::cursorFrame(5000, {8, 7}, {}));
    events = decode(tuio::cursorFrame(1, {}, {}));
    EXPECT_EQ(events.size(), 2u);
    const TuioReceiver::Statistics s = receiver.getStatistics();
    EXPECT_EQ(s.lateFrames, 2u);
    EXPECT_EQ(s.rejectedPackets, 0u);
}

TEST_F(TuioDecoding, Tuio20PointersCarryTheirUser) {
    auto events = decode(tuio::pointerFrame(1, {{1, 2, 0.5f, 0.5f}, {2, 0, 0.25f, 0.75f}}));
    ASSERT_EQ(events.size(), 2u);
    expectEvent(events[0], Phase::Press, ContactSource::Tuio20, 1, 2, 0.5, 0.5);
    expectEvent(events[1], Phase::Press, ContactSource::Tuio20, 2, InputEvent::AnonymousUser, 0.25, 0.75);

    EXPECT_TRUE(decode(tuio::pointerFrame(0, {})).empty());  // late
    events = decode(tuio::pointerFrame(2, {{1, 2, 0.5f, 0.625f}}));
    ASSERT_EQ(events.size(), 2u);
    expectEvent(events[0], Phase::Release, ContactSource::Tuio20, 2, 0, 0.25, 0.75);
    expectEvent(events[1], Phase::Drag, ContactSource::Tuio20, 1, 2, 0.5, 0.625);

    // TUIO 1.1 and 2.0 sources keep separate touches, even with the same session ids.
    events = decode(tuio::cursorFrame(1, {1}, {{1, 0.5f, 0.5f}}));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].phase, Phase::Press);
}

TEST_F(TuioDecoding, HostilePacketsAreCountedAndChangeNothing) {
    const tuio::Packet good = tuio::cursorFrame(1, {1, 2}, {{1, 0.1f, 0.1f}, {2, 0.2f, 0.2f}});
    // Every truncation of a good packet, and the packet with each byte flipped.
    for (std::size_t n = 0; n < good.size(); ++n) {
        decode(tuio::Packet(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)));
        tuio::Packet flipped = good;
        flipped[n] = static_cast<char>(flipped[n] ^ 0xA5);
        decode(flipped);
    }
    decode(tuio::Packet(70000, '\x7f'));
    decode(tuio::Packet{'#', 'b', 'u', 'n', 'd', 'l', 'e', '\0'});
    EXPECT_GT(receiver.getStatistics().rejectedPackets, good.size());

    // Messages of the wrong shape, a NaN position, other addresses.
    lo_bundle bundle = lo_bundle_new(LO_TT_IMMEDIATE);
    lo_message noId = lo_message_new();
    lo_message_add_string(noId, "set");
    lo_message_add_string(noId, "seven");
    lo_bundle_add_message(bundle, "/tuio/2Dcur", noId);
    lo_message nan = lo_message_new();
    lo_message_add_string(nan, "set");
    lo_message_add_int32(nan, 40);
    lo_message_add_float(nan, std::nanf(""));
    lo_message_add_float(nan, 0.5f);
    lo_bundle_add_message(bundle, "/tuio/2Dcur", nan);
    lo_bundle_add_message(bundle, "/tuio2/tok", lo_message_new());
    lo_bundle_add_message(bundle, "/other", lo_message_new());
    decode(tuio::serialise(bundle));

    // Whatever was decoded so far, the state is consistent: a clean frame lifts everything.
    // (frame numbers far above any that a flipped byte made)
    std::vector<InputEvent> events;
    decode(tuio::cursorFrame(100000, {}, {}));
    for (const InputEvent& e : decode(tuio::cursorFrame(100001, {3}, {{3, 0.5f, 0.5f}})))
        if (e.phase == Phase::Press) events.push_back(e);
    ASSERT_EQ(events.size(), 1u);
    const TuioReceiver::Statistics s = receiver.getStatistics();
    EXPECT_GE(s.ignoredMessages, 3u);
    EXPECT_GE(s.ignoredTouches, 1u);
}

TEST_F(TuioDecoding, AFloodOfTouchesInOneBundleIsBounded) {
    std::vector<tuio::Cursor> flood;
    std::vector<std::int32_t> alive;
    for (std::int32_t i = 0; i < 10000; ++i) {
        flood.push_back({i, (i % 100) / 100.0f, (i / 100) / 100.0f});
        alive.push_back(i);
    }
    const auto events = decode(tuio::cursorFrame(1, alive, flood));  // 560 kB: not UDP, but TCP or a file
    EXPECT_EQ(events.size(), 1024u);
    EXPECT_GE(receiver.getStatistics().ignoredTouches, 10000u - 1024u);
    EXPECT_EQ(decode(tuio::cursorFrame(2, {}, {})).size(), 1024u);  // all released
}
