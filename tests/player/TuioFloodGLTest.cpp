// One tracker floods the player with presses and releases while another drags: the flood may
// cost the flooding tracker its touches, never the other tracker's, and never the memory of
// the player (CI runs this under AddressSanitizer). DRAVIK_TUIO_FLOOD_SECONDS makes the flood
// longer than the default second and a half.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/PlayerProcess.h"
#include "support/TuioPackets.h"
#include "support/TuioPlayerPort.h"

namespace {

using Clock = std::chrono::steady_clock;

// 20,000 packets a second (TuioBench floods with 50,000): one pointer of user 3 pressed on
// (x, y) in one frame, released in the next, with a new session id each time.
void flood(unsigned port, double seconds, float x, float y) {
    tuio::Sender sender(port);
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    std::int32_t frame = 1;
    for (int millisecond = 1; Clock::now() < end; ++millisecond) {
        for (int i = 0; i < 10; ++i, frame += 2) {
            sender.send(tuio::pointerFrame(frame, {{frame, 3, x, y}}, "flood"));
            sender.send(tuio::pointerFrame(frame + 1, {}, "flood"));
        }
        std::this_thread::sleep_until(start + std::chrono::milliseconds(millisecond));
    }
}

// The good tracker: user 2 drags from (x0, y0) to (x1, y1) in 64 frames, 4 ms apart, rests
// there for 75 frames and lifts (25 frames): a tracker sends every frame whole, and the
// network drops what comes while a busy machine keeps the listener from reading.
void drag(tuio::Sender& tracker, std::int32_t& frame, std::int32_t session, float x0, float y0, float x1,
          float y1) {
    for (int step = 0; step <= 64 + 75; ++step) {
        const int at = std::min(step, 64);
        tracker.send(tuio::pointerFrame(frame++, {{session, 2, x0 + (x1 - x0) * at / 64, y0 + (y1 - y0) * at / 64}}, "good"));
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
    for (int repeat = 0; repeat < 25; ++repeat) {
        tracker.send(tuio::pointerFrame(frame++, {}, "good"));
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
}

}  // namespace

class TuioFlood : public PlayerProcessTest {};

// The demo at 400 x 300: drag cards at (72, 225) and (72, 150) (components 4 and 5). The flood
// presses card 4 over and over; meanwhile the good tracker drags card 5 by (50, 0); after the
// flood it drags card 4 by (100, 37.5), which only works if the flood let go of it.
TEST_F(TuioFlood, AFloodingTrackerNeitherCorruptsNorFreezesAnotherTrackersDrags) {
    const char* configured = std::getenv("DRAVIK_TUIO_FLOOD_SECONDS");
    const double seconds = configured != nullptr ? std::atof(configured) : 1.5;
    const unsigned frames = static_cast<unsigned>((seconds + 3.0) * 60.0);
    PlayerOutcome run;
    std::thread player(
        [&] { run = play("--size 400x300 --frames " + std::to_string(frames) + " --no-overlay --stats --tuio 0"); });
    const unsigned port = awaitTuioPort(dir / "out");
    if (port != 0) {
        std::thread flooding(flood, port, seconds, 75.0f / 400, 1.0f - 225.0f / 300);
        tuio::Sender good(port);
        std::int32_t frame = 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        drag(good, frame, 1, 75.0f / 400, 0.5f, 125.0f / 400, 0.5f);
        flooding.join();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        drag(good, frame, 2, 75.0f / 400, 0.25f, 175.0f / 400, 0.125f);
    }
    player.join();
    ASSERT_NE(port, 0u) << run.out << run.err;
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("component 4 at (172.0, 262.5), angle 0.0 degrees"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("component 5 at (122.0, 150.0), angle 0.0 degrees"), std::string::npos) << run.out;
}
