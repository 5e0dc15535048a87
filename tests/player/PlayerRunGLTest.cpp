// Runs the dravik-player program on scripts, as a user would, and checks what it prints, its
// exit status and the pixels of its screenshots.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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
    EXPECT_NE(first.out.find("dravik-player: 90 frames, 29 scripted events, 7 components"), std::string::npos)
        << first.out;
    EXPECT_NE(first.out.find("component 4 at (172.0, 255.0), angle 0.0 degrees"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("component 5 at (132.0, 150.0), angle 0.0 degrees"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("component 6 at (72.0, 75.0)"), std::string::npos) << first.out;  // untouched
    // The tossed card slid on to the right after its release and stopped on the table's rim.
    const std::size_t tossed = first.out.find("component 10 at (");
    ASSERT_NE(tossed, std::string::npos);
    const double x = std::stod(first.out.substr(tossed + 17));
    EXPECT_GE(x, 380.0);
    EXPECT_LE(x, 400.0);

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
    const std::pair<std::string, std::string> cases[] = {
        {"--bogus", "unknown option --bogus"},
        {"--frames ten", "--frames"},
        {"--script " + shellQuoted(script.string()), "bad.touch:3: user 'one'"},
        {"--script " + shellQuoted((dir / "missing.touch").string()), "cannot open touch script"},
        {"--frames 1 --script " + shellQuoted(good.string()) + " --screenshot /no/such/folder/x.png",
         "cannot write screenshot"},
        {"--frames 1 --screenshot " + shellQuoted(dir.string()), "does not name a file"},
        {"--frames 1 " + shellQuoted((dir / "missing.xml").string()), "cannot open scene file"},
        {"--frames 1 --record /no/such/folder/run.touch", "cannot write touch recording /no/such/folder/run.touch"},
        {"--frames 1 --tuio 70000", "--tuio expects a UDP port"},
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
