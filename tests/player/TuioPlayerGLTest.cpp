// The player taking TUIO touches over 127.0.0.1 while it runs, recording them, and the
// recording replayed as a touch script; the first test beside a tracker that floods the player
// (CI runs it under AddressSanitizer, with DRAVIK_TUIO_FLOOD_SECONDS longer than the default
// second and a half).
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <thread>

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

// 20,000 packets a second (TuioBench floods with 50,000): a pointer of user 3 pressed on
// (x, y) in one frame, released in the next, with a new session id each time.
void flood(unsigned port, double seconds, float x, float y) {
    tuio::Sender sender(port);
    const auto start = std::chrono::steady_clock::now();
    std::int32_t frame = 1;
    for (int ms = 1; std::chrono::steady_clock::now() < start + std::chrono::duration<double>(seconds); ++ms) {
        for (int i = 0; i < 10; ++i, frame += 2) {
            sender.send(tuio::pointerFrame(frame, {{frame, 3, x, y}}, "flood"));
            sender.send(tuio::pointerFrame(frame + 1, {}, "flood"));
        }
        std::this_thread::sleep_until(start + std::chrono::milliseconds(ms));
    }
}

}  // namespace

class TuioPlayer : public PlayerProcessTest {
protected:
    // Runs the player with the arguments and TUIO on a free port, and has `track` send to
    // that port once the player listens. The player runs until it is told to stop, half a
    // second after the tracker's last packet, so that a busy machine cannot end the run before
    // the touches arrive.
    template <class Tracker>
    PlayerOutcome playWithTracker(const std::string& arguments, Tracker track) {
        const pid_t player = start(arguments + " --tuio 0");
        port = awaitTuioPort(dir / "out");
        if (port != 0) {
            tuio::Sender tracker(port);
            track(tracker);
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
        ::kill(player, SIGTERM);
        int raw = 0;
        ::waitpid(player, &raw, 0);
        EXPECT_NE(port, 0u) << readFile(dir / "out") << readFile(dir / "err");
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(dir / "out"), readFile(dir / "err")};
    }

    // The frames a run played, from its summary: a replay of its recording plays as many.
    static std::string framesOf(const PlayerOutcome& run) {
        std::smatch m;
        return std::regex_search(run.out, m, std::regex("dravik-player: ([0-9]+) frames,")) ? m[1].str() : "1";
    }

    unsigned port = 0;  // the player listens on
};

// The demo at 400 x 300 has drag cards 60 x 40 at (72, 225), (72, 150) and (72, 75)
// (components 4 to 6). A flooding tracker presses card 6 over and over. Two fingers of a TUIO
// 1.1 table press cards 4 and 5 at (75, 225) and (75, 150) and move together to (175, 262.5)
// and (125, 150), in steps that are exact in single precision; they rest before and after,
// as a tracker sends every frame whole while the network drops what comes when a busy
// machine keeps the listener from reading.
TEST_F(TuioPlayer, TwoFingersDragTwoCardsBesideAFloodingTrackerAndTheRecordingReplaysTheRun) {
    const char* configured = std::getenv("DRAVIK_TUIO_FLOOD_SECONDS");
    const double seconds = configured != nullptr ? std::atof(configured) : 1.5;
    const std::string run = "--size 400x300 --no-overlay";
    const std::string record = (dir / "run.touch").string();
    const PlayerOutcome live = playWithTracker(run + " --stats --record " + shellQuoted(record), [&](tuio::Sender& tracker) {
        std::thread flooding(flood, port, seconds, 75.0f / 400, 0.75f);
        for (std::int32_t frame = 0; frame <= 20 + 64 + 60; ++frame) {
            const int step = std::clamp(frame - 20, 0, 64);
            const float x1 = (48 + step) / 256.0f, y1 = 0.25f - step / 512.0f, x2 = (48 + step / 2.0f) / 256.0f;
            tracker.send(tuio::cursorFrame(frame + 1, {11, 12}, {{11, x1, y1}, {12, x2, 0.5f}}));
            std::this_thread::sleep_for(std::chrono::milliseconds(4));
        }
        for (std::int32_t frame = 146; frame <= 170; ++frame) {
            tracker.send(tuio::cursorFrame(frame, {}, {}));
            std::this_thread::sleep_for(std::chrono::milliseconds(4));
        }
        flooding.join();
    });
    ASSERT_EQ(live.status, 0) << live.err;
    EXPECT_TRUE(live.err.empty()) << live.err;
    for (const char* line : {"component 4 at (172.0, 262.5), angle 0.0 degrees",
                             "component 5 at (122.0, 150.0), angle 0.0 degrees",
                             "component 6 at (72.0, 75.0), angle 0.0 degrees", "0 packets rejected"})
        EXPECT_NE(live.out.find(line), std::string::npos) << line << "\n" << live.out;

    // Each finger was a contact without a user in a user slot of its own (4 and 5, after the
    // mouse's three), both down at once.
    const std::string recorded = readFile(record);
    const std::size_t press4 = recorded.find(" PRESS ~4.1 75 225\n"), press5 = recorded.find(" PRESS ~5.2 75 150\n");
    ASSERT_NE(press4, std::string::npos) << recorded.substr(0, 2000);
    ASSERT_NE(press5, std::string::npos) << recorded.substr(0, 2000);
    EXPECT_LT(std::max(press4, press5), recorded.find(" RELEASE ~4.1 "));
    EXPECT_NE(recorded.find(" RELEASE ~4.1 175 262.5\n"), std::string::npos);

    const PlayerOutcome replay = play(run + " --frames " + framesOf(live) + " --script " + shellQuoted(record));
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
        // Within 2 pixels of x 200 and 1 of y 90, 0.9 degrees of 90, 0.02 of scale 2.
        const double off[5] = {std::stod(m[1]) - 200, std::stod(m[2]) - 90, std::stod(m[3]) - 90, std::stod(m[4]) - 2, std::stod(m[5]) - 2};
        EXPECT_TRUE(std::abs(off[0]) <= 2 && std::abs(off[1]) <= 1 && std::abs(off[2]) <= 0.9 && std::abs(off[3]) <= 0.02 &&
                    std::abs(off[4]) <= 0.02) << path << ": " << m[0];
    };
    const std::string common = "--size 400x300 --no-overlay";
    std::ofstream(dir / "pinch.touch") << "1 PRESS 1.1 180 90\n1 PRESS 1.2 220 90\n2-21 DRAG 1.1 180 90 200 50\n"
                                          "2-21 DRAG 1.2 220 90 200 130\n22 RELEASE 1.1 200 50\n22 RELEASE 1.2 200 130\n";
    expectPinched(play(common + " --frames 30 --script " + shellQuoted((dir / "pinch.touch").string())), "script");

    const std::string record = (dir / "pinch11.touch").string();
    const PlayerOutcome tuio11 = playWithTracker(
        common + " --record " + shellQuoted(record), track([](int f, bool down, float x1, float y1, float x2, float y2) {
            return down ? tuio::cursorFrame(f, {21, 22}, {{21, x1, y1}, {22, x2, y2}}) : tuio::cursorFrame(f, {}, {});
        }));
    expectPinched(tuio11, "TUIO 1.1");
    EXPECT_EQ(componentLines(play(common + " --frames " + framesOf(tuio11) + " --script " + shellQuoted(record)).out),
              componentLines(tuio11.out));
    expectPinched(playWithTracker(common, track([](int f, bool down, float x1, float y1, float x2, float y2) {
                                      return tuio::pointerFrame(f, down ? std::vector<tuio::Pointer>{{31, 2, x1, y1}, {32, 2, x2, y2}}
                                                                        : std::vector<tuio::Pointer>{});
                                  })),
                  "TUIO 2.0");
}
