// The player taking TUIO touches over 127.0.0.1 while it runs, recording them, and the
// recording replayed as a touch script.
#include <chrono>
#include <regex>
#include <thread>

#include "input/InputEventQueue.h"
#include "input/TuioReceiver.h"
#include "support/PlayerProcess.h"
#include "support/TuioPackets.h"
#include "support/TuioPlayerPort.h"

namespace {

// The lines that say where the components ended up.
std::string componentLines(const std::string& out) {
    std::string lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("  component ", 0) == 0) lines += line + '\n';
    return lines;
}

}  // namespace

class TuioPlayer : public PlayerProcessTest {};

// The demo at 400 x 300 has drag cards 60 x 40 at (72, 225) and (72, 150) (components 4 and
// 5). Two fingers of a TUIO 1.1 table press them at (75, 225) and (75, 150) and move together
// to (175, 262.5) and (125, 150), in steps that are exact in single precision.
TEST_F(TuioPlayer, TwoFingersDragTwoCardsAtOnceAndTheRecordingReplaysTheRun) {
    const std::string record = (dir / "run.touch").string();
    PlayerOutcome live;
    std::thread player(
        [&] { live = play("--size 400x300 --frames 150 --no-overlay --stats --tuio 0 --record " + shellQuoted(record)); });

    const unsigned port = awaitTuioPort(dir / "out");
    if (port != 0) {
        tuio::Sender tracker(port);
        for (std::int32_t step = 0; step <= 64; ++step) {
            const float x1 = (48 + step) / 256.0f, y1 = 0.25f - step / 512.0f, x2 = (48 + step / 2.0f) / 256.0f;
            tracker.send(tuio::cursorFrame(step + 1, {11, 12}, {{11, x1, y1}, {12, x2, 0.5f}}));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        tracker.send(tuio::cursorFrame(66, {}, {}));
    }
    player.join();
    ASSERT_NE(port, 0u) << live.out << live.err;
    ASSERT_EQ(live.status, 0) << live.err;
    EXPECT_TRUE(live.err.empty()) << live.err;
    EXPECT_NE(live.out.find("component 4 at (172.0, 262.5), angle 0.0 degrees"), std::string::npos) << live.out;
    EXPECT_NE(live.out.find("component 5 at (122.0, 150.0), angle 0.0 degrees"), std::string::npos) << live.out;
    EXPECT_NE(live.out.find("66 frames (0 late), 0 packets rejected"), std::string::npos) << live.out;
    EXPECT_NE(live.out.find("touch-to-screen time "), std::string::npos) << live.out;

    // Each finger was a user of its own (4 and 5, after the mouse's three), both down at once.
    const std::string recorded = readFile(record);
    const std::size_t press4 = recorded.find(" PRESS 4 75 225\n"), press5 = recorded.find(" PRESS 5 75 150\n");
    ASSERT_NE(press4, std::string::npos) << recorded;
    ASSERT_NE(press5, std::string::npos) << recorded;
    EXPECT_LT(std::max(press4, press5), recorded.find(" RELEASE "));
    EXPECT_NE(recorded.find(" RELEASE 4 175 262.5\n"), std::string::npos) << recorded;

    const PlayerOutcome replay = play("--size 400x300 --frames 150 --no-overlay --script " + shellQuoted(record));
    ASSERT_EQ(replay.status, 0) << replay.err;
    EXPECT_EQ(componentLines(replay.out), componentLines(live.out));
}

TEST_F(TuioPlayer, APortInUseIsBadInput) {
    InputEventQueue queue;
    TuioReceiver taken(queue, 0);
    const PlayerOutcome run = play("--frames 1 --tuio " + std::to_string(taken.getPort()));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("dravik-player: cannot receive TUIO on UDP port " + std::to_string(taken.getPort())),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
}
