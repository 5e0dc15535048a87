// The player taking TUIO touches over 127.0.0.1 while it runs, recording them, and the
// recording replayed as a touch script.
#include <algorithm>
#include <chrono>
#include <fstream>
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

class TuioPlayer : public PlayerProcessTest {
protected:
    // Runs the player with the arguments and TUIO on a free port, and has `track` send to
    // that port once the player listens.
    template <class Tracker>
    PlayerOutcome playWithTracker(const std::string& arguments, Tracker track) {
        PlayerOutcome live;
        std::thread player([&] { live = play(arguments + " --tuio 0"); });
        const unsigned port = awaitTuioPort(dir / "out");
        if (port != 0) {
            tuio::Sender tracker(port);
            track(tracker);
        }
        player.join();
        EXPECT_NE(port, 0u) << live.out << live.err;
        return live;
    }
};

// The demo at 400 x 300 has drag cards 60 x 40 at (72, 225) and (72, 150) (components 4 and
// 5). Two fingers of a TUIO 1.1 table press them at (75, 225) and (75, 150) and move together
// to (175, 262.5) and (125, 150), in steps that are exact in single precision.
TEST_F(TuioPlayer, TwoFingersDragTwoCardsAtOnceAndTheRecordingReplaysTheRun) {
    const std::string record = (dir / "run.touch").string();
    const PlayerOutcome live = playWithTracker(
        "--size 400x300 --frames 150 --no-overlay --stats --record " + shellQuoted(record), [](tuio::Sender& tracker) {
            for (std::int32_t step = 0; step <= 64; ++step) {
                const float x1 = (48 + step) / 256.0f, y1 = 0.25f - step / 512.0f, x2 = (48 + step / 2.0f) / 256.0f;
                tracker.send(tuio::cursorFrame(step + 1, {11, 12}, {{11, x1, y1}, {12, x2, 0.5f}}));
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            tracker.send(tuio::cursorFrame(66, {}, {}));
        });
    ASSERT_EQ(live.status, 0) << live.err;
    EXPECT_TRUE(live.err.empty()) << live.err;
    EXPECT_NE(live.out.find("component 4 at (172.0, 262.5), angle 0.0 degrees"), std::string::npos) << live.out;
    EXPECT_NE(live.out.find("component 5 at (122.0, 150.0), angle 0.0 degrees"), std::string::npos) << live.out;
    EXPECT_NE(live.out.find("66 frames (0 late), 0 packets rejected"), std::string::npos) << live.out;
    EXPECT_NE(live.out.find("touch-to-screen time "), std::string::npos) << live.out;

    // Each finger was a contact without a user in a user slot of its own (4 and 5, after the
    // mouse's three), both down at once.
    const std::string recorded = readFile(record);
    const std::size_t press4 = recorded.find(" PRESS ~4.1 75 225\n"), press5 = recorded.find(" PRESS ~5.2 75 150\n");
    ASSERT_NE(press4, std::string::npos) << recorded;
    ASSERT_NE(press5, std::string::npos) << recorded;
    EXPECT_LT(std::max(press4, press5), recorded.find(" RELEASE "));
    EXPECT_NE(recorded.find(" RELEASE ~4.1 175 262.5\n"), std::string::npos) << recorded;

    const PlayerOutcome replay = play("--size 400x300 --frames 150 --no-overlay --script " + shellQuoted(record));
    ASSERT_EQ(replay.status, 0) << replay.err;
    EXPECT_EQ(componentLines(replay.out), componentLines(live.out));
}

// The demo's lower turn card (component 8, 80 x 48 at (200, 90)) pinched by two fingers from
// (180, 90) and (220, 90) to (200, 50) and (200, 130): twice the size, a quarter turn, the
// centre kept. By a touch script (one user's two contacts), by a TUIO 1.1 table (two fingers
// without users), by TUIO 2.0 (one user's two pointers) and by replaying the recorded pinch.
TEST_F(TuioPlayer, EveryInputPathPinches) {
    // Both fingers at step 0 ... 20 of the pinch, normalised (y down), as `frame` packs them.
    auto track = [](auto frame) {
        return [frame](tuio::Sender& tracker) {
            for (int step = 0; step <= 21; ++step) {
                const float t = std::min(step, 20) / 20.0f;
                const float x1 = (180 + 20 * t) / 400, y1 = 1 - (90 - 40 * t) / 300, x2 = (220 - 20 * t) / 400,
                            y2 = 1 - (90 + 40 * t) / 300;
                tracker.send(frame(step + 1, step <= 20, x1, y1, x2, y2));
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        };
    };
    auto expectPinched = [](const PlayerOutcome& run, const char* path) {
        std::smatch m;
        const std::regex line(R"(component 8 at \(([-0-9.]+), ([-0-9.]+)\), angle ([0-9.]+) degrees, size 80 x 48, scale ([0-9.]+) x ([0-9.]+))");
        ASSERT_TRUE(std::regex_search(run.out, m, line)) << path << ": " << run.out << run.err;
        EXPECT_NEAR(std::stod(m[1]), 200, 2) << path;
        EXPECT_NEAR(std::stod(m[2]), 90, 1) << path;
        EXPECT_NEAR(std::stod(m[3]), 90, 0.9) << path;
        EXPECT_NEAR(std::stod(m[4]), 2, 0.02) << path;
        EXPECT_NEAR(std::stod(m[5]), 2, 0.02) << path;
    };
    const std::string common = "--size 400x300 --frames 90 --no-overlay";
    std::ofstream(dir / "pinch.touch") << "1 PRESS 1.1 180 90\n1 PRESS 1.2 220 90\n2-21 DRAG 1.1 180 90 200 50\n"
                                          "2-21 DRAG 1.2 220 90 200 130\n22 RELEASE 1.1 200 50\n22 RELEASE 1.2 200 130\n";
    expectPinched(play(common + " --script " + shellQuoted((dir / "pinch.touch").string())), "script");

    const std::string record = (dir / "pinch11.touch").string();
    const PlayerOutcome tuio11 = playWithTracker(
        common + " --record " + shellQuoted(record), track([](int f, bool down, float x1, float y1, float x2, float y2) {
            return down ? tuio::cursorFrame(f, {21, 22}, {{21, x1, y1}, {22, x2, y2}}) : tuio::cursorFrame(f, {}, {});
        }));
    expectPinched(tuio11, "TUIO 1.1");
    EXPECT_EQ(componentLines(play(common + " --script " + shellQuoted(record)).out), componentLines(tuio11.out));
    expectPinched(playWithTracker(common, track([](int f, bool down, float x1, float y1, float x2, float y2) {
                                      return tuio::pointerFrame(f, down ? std::vector<tuio::Pointer>{{31, 2, x1, y1}, {32, 2, x2, y2}}
                                                                        : std::vector<tuio::Pointer>{});
                                  })),
                  "TUIO 2.0");
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
