// Runs the dravik-player program on scripts, as a user would, and checks what it prints, its
// exit status and the pixels of its screenshots.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "input/InputEventQueue.h"
#include "input/TuioReceiver.h"
#include "support/PlayerProcess.h"
#include "support/Screenshot.h"

namespace {

namespace fs = std::filesystem;

class PlayerRun : public PlayerProcessTest {
protected:
    fs::path write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name) << text;
        return dir / name;
    }
};

// The demo at 400 x 300: drag cards 60 x 40 at (72, 225), (72, 150), (72, 75); toss cards
// 40 x 40 at (320, 210) and (320, 105). Identifiers: two touch indicators, the table, then
// the cards from 4 in that order (drag, drag, drag, turn, turn, toss, toss).
constexpr char kScript[] =
    "# two users drag at the same time, then one tosses\n"
    "1      PRESS   1  72 225\n"
    "1      PRESS   2  72 150\n"
    "2-11   DRAG    1  72 225  172 255\n"
    "2-11   DRAG    2  72 150  132 150\n"
    "12     RELEASE 1  172 255\n"
    "12     RELEASE 2  132 150\n"
    "20     PRESS   1  320 105\n"
    "21-23  DRAG    1  320 105  335 105\n"
    "24     RELEASE 1  335 105\n";

}  // namespace

TEST_F(PlayerRun, PlaysAScriptReproduciblyAndWritesTheLastFrame) {
    const fs::path script = write("run.touch", kScript);
    const std::string common = "--size 400x300 --frames 90 --script " + shellQuoted(script.string());
    const PlayerOutcome first = play(common + " --no-overlay --screenshot " + shellQuoted((dir / "a.png").string()));
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(first.err.empty()) << first.err;
    for (const char* line : {"dravik-player: 90 frames, 29 scripted events, 7 components",
                             "component 4 at (172.0, 255.0), angle 0.0 degrees",
                             "component 5 at (132.0, 150.0), angle 0.0 degrees", "component 6 at (72.0, 75.0)"})  // 6 untouched
        EXPECT_NE(first.out.find(line), std::string::npos) << line << "\n" << first.out;
    // The tossed card slid on to the right after its release and stopped on the table's rim.
    const std::size_t tossed = first.out.find("component 10 at (");
    ASSERT_NE(tossed, std::string::npos);
    const double x = std::stod(first.out.substr(tossed + 17));
    EXPECT_TRUE(x >= 380.0 && x <= 400.0) << x;

    const Screenshot shot(dir / "a.png");
    ASSERT_EQ(shot.width, 400);
    EXPECT_TRUE(shot.near(192, 267, {237, 107, 89}));  // the red card where user 1 left it
    EXPECT_TRUE(shot.near(152, 162, {245, 189, 74}));  // the yellow card where user 2 left it
    EXPECT_TRUE(shot.near(72, 232, {28, 77, 69}));     // the table where the red card was
    EXPECT_TRUE(shot.near(200, 5, {13, 41, 36}));      // the rim of the table

    // Runs are reproducible, overlay (and its frame rate) included.
    const PlayerOutcome overlay1 = play(common + " --screenshot " + shellQuoted((dir / "b.png").string()));
    const PlayerOutcome overlay2 = play(common + " --screenshot " + shellQuoted((dir / "c.png").string()));
    EXPECT_EQ(overlay1.status, 0);
    EXPECT_EQ(overlay1.out, first.out);
    EXPECT_EQ(readFile(dir / "b.png"), readFile(dir / "c.png"));
    EXPECT_NE(readFile(dir / "b.png"), readFile(dir / "a.png"));
}

TEST_F(PlayerRun, BadInputGivesOneMessageAndStatusTwo) {
    const fs::path script = write("bad.touch", "1 PRESS 1 10 10\n\n3 DRAG one 10 10\n");
    const fs::path good = write("good.touch", "1 PRESS 1 10 10\n");
    InputEventQueue queue;
    TuioReceiver inUse(queue, 0);
    const std::string taken = std::to_string(inUse.getPort());
    const std::pair<std::string, std::string> cases[] = {
        {"--bogus", "unknown option --bogus"},
        {"--frames ten", "--frames expects a number of frames from 1 to 1000000000, not 'ten'"},
        {"--script " + shellQuoted(script.string()), "bad.touch:3: user 'one'"},
        {"--script " + shellQuoted((dir / "missing.touch").string()), "cannot open touch script"},
        {"--frames 1 --script " + shellQuoted(good.string()) + " --screenshot /no/such/folder/x.png",
         "cannot write screenshot"},
        {"--frames 1 --screenshot " + shellQuoted(dir.string()), "does not name a file"},
        {"--frames 1 " + shellQuoted((dir / "missing.xml").string()), "cannot open scene file"},
        {"--frames 1 --record /no/such/folder/run.touch", "cannot write touch recording /no/such/folder/run.touch"},
        {"--frames 1 --tuio 70000", "--tuio expects a UDP port"},
        {"--frames 1 --tuio " + taken, "cannot receive TUIO on UDP port " + taken},
        {"--frames 1 --seed soon", "--seed expects"},
        {"--script " + shellQuoted(write("typo.touch", "1 PRES 1 10 10\n").string()), "typo.touch:1: unknown event 'PRES'"},
    };
    for (const auto& [arguments, message] : cases) {
        const PlayerOutcome run = play(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments << ": " << run.out;
        EXPECT_EQ(run.err.rfind("dravik-player: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << arguments << ": " << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    }
    const PlayerOutcome help = play("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: dravik-player"), std::string::npos);
}

TEST_F(PlayerRun, TheSeedChoosesTheRandomValuesOfTheScene) {
    const std::string scene = example("tiles.xml");
    const PlayerOutcome unseeded = play(scene + " --frames 1 --size 400x300");
    const PlayerOutcome one = play(scene + " --frames 1 --size 400x300 --seed 1");
    const PlayerOutcome two = play(scene + " --frames 1 --size 400x300 --seed 2");
    ASSERT_EQ(unseeded.status, 0) << unseeded.err;
    EXPECT_EQ(one.out, unseeded.out);  // 1 is the default
    EXPECT_NE(two.out, one.out);
    const PlayerOutcome clock = play(scene + " --frames 1 --size 400x300 --seed time");
    EXPECT_NE(clock.out.find("dravik-player: random values from seed "), std::string::npos) << clock.out;
}

// A scene author's session: the scene is edited while the player watches it. Broken states
// keep the last good scene; the summary at the end (the player stops on SIGTERM) is the
// last good one's.
TEST_F(PlayerRun, WatchFollowsTheEditedSceneAndKeepsTheLastGoodOne) {
    const std::string texture = readFile(std::string(DRAVIK_EXAMPLES_DIR) + "/textures/table.png");
    auto scene = [](int x) {
        return "<RootComponent width='200' height='150'>\n  <Texture source='t.png'/>\n  <Component posX='" +
               std::to_string(x) + "' posY='50' width='20' height='20'>\n    <Strategy name='Image' texture-id='1'/>\n"
               "  </Component>\n</RootComponent>\n";
    };
    write("t.png", texture);
    write("scene.xml", scene(40));
    const pid_t player = start("--watch --quiet --size 200x150 --summary-at 1 scene.xml");
    // Waits (at most 20 s) until the file holds the text `count` times.
    auto seen = [&](const char* file, const std::string& text, int count) {
        for (int wait = 0; wait < 2000; ++wait, ::usleep(10000)) {
            const std::string now = readFile(dir / file);
            int found = 0;
            for (std::size_t at = now.find(text); at != std::string::npos; at = now.find(text, at + 1)) ++found;
            if (found >= count) return true;
        }
        return false;
    };
    EXPECT_TRUE(seen("out", "at (40.0, 50.0)", 1));
    write("t.png", "not a picture");
    EXPECT_TRUE(seen("err", "scene.xml:2: <Texture>: TextureManager.loadTexture(): Unable to load texture image t.png!", 1));
    write("t.png", texture);
    EXPECT_TRUE(seen("out", "reloaded scene file scene.xml", 1));
    write("scene.xml", scene(90).substr(0, 60));  // half written
    EXPECT_TRUE(seen("err", "scene file scene.xml: Warning: Unmatched end tag at line 2, column 20", 1));
    fs::remove(dir / "scene.xml");
    EXPECT_TRUE(seen("err", "cannot open scene file scene.xml; the last good scene stays", 1));
    write("scene.xml", scene(120));
    EXPECT_TRUE(seen("out", "reloaded scene file scene.xml", 2));
    ::kill(player, SIGTERM);
    int status = -1;
    ASSERT_EQ(::waitpid(player, &status, 0), player);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::string out = readFile(dir / "out");
    const std::size_t last = out.rfind("reloaded scene file");
    EXPECT_NE(out.find("1 components\n  component", last), std::string::npos) << out;
    EXPECT_NE(out.find("at (120.0, 50.0), angle 0.0 degrees, size 20 x 20\n", last), std::string::npos) << out;
}

// --check needs no display; its status is that of --strict. --fullscreen without a display
// fails as any start-up does.
TEST_F(PlayerRun, CheckWithoutADisplayGivesTheStrictStatus) {
    write("good.xml", "<RootComponent>\n  <Component width='20' height='20'/>\n</RootComponent>\n");
    write("bad.xml", "<RootComponent>\n  <Component width='20' height='20'>\n    <Strategy name='Nope'/>\n"
                     "  </Component>\n</RootComponent>\n");
    const std::string display = std::getenv("DISPLAY");
    ::unsetenv("DISPLAY");
    const std::tuple<std::string, int, std::string> cases[] = {
        {"--check good.xml", 0, ""},
        {"--check bad.xml", 1, "bad.xml:3: <Strategy>: There is no registered parser for Nope strategy!\n"
                               "dravik-player: 1 problems in scene file bad.xml (--strict)\n"},
        {"--check missing.xml", 2, "dravik-player: cannot open scene file missing.xml\n"},
        {"--fullscreen good.xml", 1, "dravik-player: --fullscreen needs a display, and there is no display"},
    };
    for (const auto& [arguments, expectedStatus, message] : cases) {
        const PlayerOutcome run = play(arguments);
        EXPECT_EQ(run.status, expectedStatus) << arguments;
        EXPECT_EQ(run.err.substr(0, message.size()), message) << arguments;
        EXPECT_EQ(run.err.empty(), message.empty()) << run.err;
        EXPECT_EQ(run.out, "") << arguments;
    }
    ::setenv("DISPLAY", display.c_str(), 1);
}
