#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <sstream>

#include "input/InputError.h"
#include "input/InputEventQueue.h"
#include "input/TuioReceiver.h"
#include "support/TuioPackets.h"

namespace {

using Phase = InputEvent::Phase;

// The events as words: P(ress), D(rag) or R(elease), the session id, "#n" for the n-th tracker
// of its protocol after the first, "/u" for a user, and the position.
std::string said(const std::vector<InputEvent>& events) {
    std::ostringstream out;
    for (const InputEvent& e : events) {
        EXPECT_EQ(e.space, InputEvent::Space::Normalised);
        out << (e.phase == Phase::Press ? "P" : e.phase == Phase::Drag ? "D" : "R") << (e.contact & 0xffffffffu);
        if (const std::uint32_t tracker = contactSourceOf(e.contact) >> 8; tracker != 0) out << '#' << tracker;
        if (e.user != InputEvent::AnonymousUser) out << '/' << e.user;
        out << ' ' << e.x << ',' << e.y << ' ';
    }
    return out.str();
}

// Packets decoded without the network, and the events they queued.
class TuioDecoding : public ::testing::Test {
protected:
    std::string decode(const tuio::Packet& packet) { return decode(receiver, packet); }
    std::string decode(TuioReceiver& to, const tuio::Packet& packet) {
        to.dispatch(packet.data(), packet.size());
        return queued();
    }
    std::string queued() {
        std::vector<InputEvent> events;
        queue.takeAll(events);
        return said(events);
    }

    InputEventQueue queue;
    TuioReceiver receiver{queue, 0};
};

// A message on its own, its arguments added by `add`.
template <class Add>
tuio::Packet message(const char* path, Add add) {
    lo_message m = lo_message_new();
    add(m);
    return tuio::messageOf(path, m);
}

}  // namespace

TEST_F(TuioDecoding, Tuio11CursorsArePressedDraggedAndReleasedOncePerFrame) {
    EXPECT_EQ(decode(tuio::cursorFrame(10, {7}, {{7, 0.25f, 0.5f}})), "P7 0.25,0.5 ");
    EXPECT_EQ(decode(tuio::cursorFrame(11, {7, 8}, {{7, 0.5f, 0.5f}, {8, 0.75f, 0.125f}})),
              "D7 0.5,0.5 P8 0.75,0.125 ");
    EXPECT_EQ(decode(tuio::cursorFrame(12, {7, 8}, {{7, 0.5f, 0.5f}})), "");  // did not move
    EXPECT_EQ(decode(tuio::cursorFrame(13, {8}, {})), "R7 0.5,0.5 ");      // where it was last
    // An id used again after its release is a new touch; set without alive in one frame is
    // pressed and lifted in the same frame: nothing.
    EXPECT_EQ(decode(tuio::cursorFrame(14, {8, 7}, {{7, 0.125f, 0.25f}, {9, 0.5f, 0.5f}})), "P7 0.125,0.25 ");
}

// A frame at most 32 below the last one is late; anything else is taken, so that neither a
// tracker that starts counting again nor a stray frame far ahead stops the tracker.
TEST_F(TuioDecoding, LateFramesAreIgnoredAndJumpsAreRestarts) {
    const struct {
        std::int32_t frame;
        bool taken;
    } frames[] = {{100, true},     {99, false},     {68, false}, {101, true},     {68, true},
                  {69, true},      {1069, true},    {70, true},  {71, true},      {60, false},
                  {INT_MAX, true}, {INT_MIN, true}, {INT_MAX, false}};
    decode(tuio::cursorFrame(1, {1}, {{1, 0.0f, 0.0f}}));
    float x = 0.0f;
    for (const auto& f : frames) {
        x += 0.0625f;  // every frame moves the touch
        const std::string events = decode(tuio::cursorFrame(f.frame, {1}, {{1, x, 0.0f}}));
        EXPECT_EQ(events.empty(), !f.taken) << "frame " << f.frame << ": " << events;
    }
    EXPECT_EQ(receiver.getStatistics().lateFrames, 4u);
}

TEST_F(TuioDecoding, Tuio20PointersCarryTheirUser) {
    EXPECT_EQ(decode(tuio::pointerFrame(1, {{1, 2, 0.5f, 0.5f}, {2, 0, 0.25f, 0.75f}})),
              "P1/2 0.5,0.5 P2 0.25,0.75 ");
    EXPECT_EQ(decode(tuio::pointerFrame(0, {})), "");  // late
    EXPECT_EQ(decode(tuio::pointerFrame(2, {{1, 2, 0.5f, 0.625f}})), "R2 0.25,0.75 D1/2 0.5,0.625 ");
    // TUIO 1.1 and 2.0 keep separate touches, even with the same session ids.
    EXPECT_EQ(decode(tuio::cursorFrame(1, {1}, {{1, 0.5f, 0.5f}})), "P1 0.5,0.5 ");
}

// Trackers on one port, told apart by the name they give: their frame numbers, touches and
// alive lists are their own, also when a relay nests their bundles in one.
TEST_F(TuioDecoding, EveryTrackerHasTouchesAndFramesOfItsOwn) {
    EXPECT_EQ(decode(tuio::cursorFrame(500, {1}, {{1, 0.5f, 0.5f}}, "a@host")), "P1 0.5,0.5 ");
    EXPECT_EQ(decode(tuio::cursorFrame(1, {1}, {{1, 0.25f, 0.5f}}, "b@host")), "P1#1 0.25,0.5 ");
    EXPECT_EQ(decode(tuio::cursorFrame(501, {}, {}, "a@host")), "R1 0.5,0.5 ");
    EXPECT_EQ(decode(tuio::cursorFrame(2, {1}, {{1, 0.25f, 0.25f}}, "b@host")), "D1#1 0.25,0.25 ");
    EXPECT_EQ(decode(tuio::pointerFrame(900, {{1, 3, 0.5f, 0.5f}}, "flood")), "P1/3 0.5,0.5 ");
    EXPECT_EQ(decode(tuio::pointerFrame(1, {{1, 2, 0.5f, 0.5f}}, "good")), "P1#1/2 0.5,0.5 ");
    EXPECT_EQ(decode(tuio::pointerFrame(901, {}, "flood")), "R1/3 0.5,0.5 ");

    // A relay's bundle names tracker c, then holds a's frame, b's frame and an unnamed frame,
    // which is c's, as is a set in the outer bundle after them.
    EXPECT_EQ(decode(tuio::bundleOf({message("/tuio/2Dcur", [](lo_message m) { lo_message_add(m, "ss", "source", "c@host"); }),
                                     tuio::cursorFrame(502, {2}, {{2, 0.75f, 0.75f}}, "a@host"),
                                     tuio::cursorFrame(3, {1}, {{1, 0.25f, 0.125f}}, "b@host"),
                                     tuio::cursorFrame(1, {5}, {{5, 0.125f, 0.125f}}, nullptr),
                                     message("/tuio/2Dcur", [](lo_message m) {
                                         lo_message_add(m, "sifffff", "set", 6, 0.375f, 0.375f, 0.0f, 0.0f, 0.0f);
                                     })})),
              "P2 0.75,0.75 D1#1 0.25,0.125 P5#2 0.125,0.125 P6#2 0.375,0.375 ");
}

// At most 32 trackers are kept: a newcomer takes the place of the least recently heard one
// without touches down, and is ignored while every one has some.
TEST_F(TuioDecoding, ANewTrackerTakesThePlaceOfAnIdleOne) {
    for (int t = 0; t < 32; ++t) {
        const std::string name = std::string("t").append(std::to_string(t));
        decode(tuio::cursorFrame(1, {1}, {{1, 0.5f, 0.5f}}, name.c_str()));
    }
    EXPECT_EQ(decode(tuio::cursorFrame(1, {1}, {{1, 0.5f, 0.5f}}, "late")), "");
    EXPECT_EQ(decode(tuio::cursorFrame(2, {}, {}, "t7")), "R1#7 0.5,0.5 ");
    EXPECT_EQ(decode(tuio::cursorFrame(2, {}, {}, "t9")), "R1#9 0.5,0.5 ");
    EXPECT_EQ(decode(tuio::cursorFrame(1, {1}, {{1, 0.5f, 0.5f}}, "late")), "P1#32 0.5,0.5 ");  // t7's place
    EXPECT_EQ(decode(tuio::cursorFrame(3, {1}, {{1, 0.5f, 0.5f}}, "t9")), "P1#9 0.5,0.5 ");     // still kept
    EXPECT_EQ(decode(tuio::cursorFrame(2, {}, {}, "late")), "R1#32 0.5,0.5 ");
}

// Without a name, the host and port a tracker sends from tell it apart.
TEST_F(TuioDecoding, UnnamedTrackersAreToldApartByWhereTheySendFrom) {
    tuio::Sender first(receiver.getPort()), second(receiver.getPort());
    auto receive = [&](const tuio::Sender& from, const tuio::Packet& packet) {
        from.send(packet);
        receiver.receive(std::chrono::milliseconds(1000));
        return queued();
    };
    EXPECT_EQ(receive(first, tuio::cursorFrame(40, {1}, {{1, 0.5f, 0.5f}}, nullptr)), "P1 0.5,0.5 ");
    EXPECT_EQ(receive(second, tuio::cursorFrame(1, {2}, {{2, 0.5f, 0.5f}}, nullptr)), "P2#1 0.5,0.5 ");
    EXPECT_EQ(receive(second, tuio::cursorFrame(2, {}, {}, nullptr)), "R2#1 0.5,0.5 ");
}

TEST_F(TuioDecoding, TouchesOutsideTheCalibratedAreaAreDroppedAndCounted) {
    TuioReceiver calibrated(queue, 0, TrackerCalibration::parse("area=0.5x0.5+0.5+0,flip-x"));
    EXPECT_EQ(decode(calibrated, tuio::cursorFrame(1, {1, 2}, {{1, 0.625f, 0.125f}, {2, 0.25f, 0.25f}})),
              "P1 0.75,0.25 ");
    EXPECT_EQ(decode(calibrated, tuio::cursorFrame(2, {1, 2}, {{1, 0.25f, 0.125f}, {2, 0.75f, 0.25f}})),
              "P2 0.5,0.5 ");
    EXPECT_EQ(decode(calibrated, tuio::cursorFrame(3, {}, {})), "R1 0.75,0.25 R2 0.5,0.5 ");
    EXPECT_EQ(calibrated.getStatistics().outsideTouches, 2u);
    EXPECT_THROW(TuioReceiver(queue, 0, TrackerCalibration{0, 0, 0, 1}), InputError);
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
    auto nothing = [](lo_message) {};
    decode(tuio::bundleOf({message("/tuio/2Dcur", [](lo_message m) { lo_message_add(m, "ss", "set", "seven"); }),
                           message("/tuio/2Dcur", [](lo_message m) { lo_message_add(m, "siff", "set", 40, std::nanf(""), 0.5f); }),
                           message("/tuio2/tok", nothing), message("/other", nothing)}));

    // Whatever was decoded so far, the state is consistent: a clean frame lifts everything.
    decode(tuio::cursorFrame(100000, {}, {}));
    EXPECT_EQ(decode(tuio::cursorFrame(100001, {3}, {{3, 0.5f, 0.5f}})), "P3 0.5,0.5 ");
    const TuioReceiver::Statistics s = receiver.getStatistics();
    EXPECT_GE(s.ignoredMessages, 3u);
    EXPECT_GE(s.ignoredTouches, 1u);
}

// Session ids sent as 64-bit numbers keep their low 32 bits; a tracker name that is not a
// string names no tracker: the frame stays with the tracker of its sender.
TEST_F(TuioDecoding, ArgumentsOfOtherTypes) {
    auto cursors = [&](std::int32_t name, float x, std::int32_t frame) {
        return tuio::bundleOf({message("/tuio/2Dcur", [&](lo_message m) { lo_message_add(m, "si", "source", name); }),
                               message("/tuio/2Dcur", [](lo_message m) { lo_message_add(m, "sh", "alive", 0x100000009LL); }),
                               message("/tuio/2Dcur", [&](lo_message m) { lo_message_add(m, "shff", "set", 0x100000009LL, x, 0.5f); }),
                               message("/tuio/2Dcur", [&](lo_message m) { lo_message_add(m, "si", "fseq", frame); })});
    };
    EXPECT_EQ(decode(cursors(0, 0.5f, 1)), "P9 0.5,0.5 ");
    EXPECT_EQ(decode(cursors(42, 0.25f, 2)), "D9 0.25,0.5 ");
    auto pointers = [&](bool numberedSource, float x, std::int32_t frame) {
        return tuio::bundleOf({message("/tuio2/frm", [&](lo_message m) {
                                   if (numberedSource) lo_message_add(m, "itii", frame, LO_TT_IMMEDIATE, 0, 7);
                                   else lo_message_add(m, "i", frame);
                               }),
                               message("/tuio2/ptr", [&](lo_message m) { lo_message_add(m, "iiiff", 1, 0x20001, 0, x, 0.5f); }),
                               message("/tuio2/alv", [](lo_message m) { lo_message_add(m, "i", 1); })});
    };
    EXPECT_EQ(decode(pointers(false, 0.5f, 1)), "P1/2 0.5,0.5 ");
    EXPECT_EQ(decode(pointers(true, 0.25f, 2)), "D1/2 0.25,0.5 ");
}

TEST_F(TuioDecoding, AFloodOfTouchesInOneBundleIsBounded) {
    std::vector<tuio::Cursor> flood;
    std::vector<std::int32_t> alive;
    for (std::int32_t i = 0; i < 10000; ++i) {
        flood.push_back({i, (i % 100) / 100.0f, (i / 100) / 100.0f});
        alive.push_back(i);
    }
    const std::string pressed = decode(tuio::cursorFrame(1, alive, flood));  // 560 kB: not UDP, but TCP or a file
    EXPECT_EQ(std::count(pressed.begin(), pressed.end(), 'P'), 1024);
    EXPECT_GE(receiver.getStatistics().ignoredTouches, 10000u - 1024u);
    const std::string released = decode(tuio::cursorFrame(2, {}, {}));
    EXPECT_EQ(std::count(released.begin(), released.end(), 'R'), 1024);
}
