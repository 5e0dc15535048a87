// Runs dravik-player as a display wall under mpirun, all ranks on this machine and its one
// display, and checks the wall against one process drawing the whole display.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/PlayerProcess.h"
#include "support/Screenshot.h"

namespace {

namespace fs = std::filesystem;

class WallRun : public PlayerProcessTest {
protected:
    void SetUp() override {
        PlayerProcessTest::SetUp();
        if (std::string(DRAVIK_MPIRUN).empty()) GTEST_SKIP() << "built without MPI";
    }
    // The player under mpirun with `ranks` processes (or the MPMD `arguments` as given);
    // each rank's standard output lands in ranks/1/rank.N/stdout.
    PlayerOutcome wall(const std::string& arguments) {
        return run(std::string(DRAVIK_MPIRUN) + " --oversubscribe --allow-run-as-root --output-filename ranks " +
                   arguments);
    }
    std::string rankOutput(unsigned rank) { return readFile(dir / "ranks" / "1" / ("rank." + std::to_string(rank)) / "stdout"); }
    static std::string player() { return shellQuoted(DRAVIK_PLAYER_PROGRAM); }
};

// A 2 x 2 wall of 512 x 384 tiles plays the belt and the workshop with their scripts as one
// process showing 1024 x 768 does: every rank ends with the same summary, and the stitched
// tiles equal the single window's image up to 1 in a channel. (Each tile draws through a
// viewport moved by whole pixels; colours interpolated across a primitive are rounded from
// that origin, which moves a few textured pixels by one step. Geometry does not move.)
TEST_F(WallRun, TwoByTwoWallShowsWhatOneWindowShows) {
    for (const std::string scene : {"belt", "workshop"}) {
        const std::string play = example(scene + ".xml") + " --script " + example(scene + ".touch") +
                                 " --frames 280 --quiet --screenshot ";
        const PlayerOutcome single = run(player() + " " + play + "single.png");
        ASSERT_EQ(single.status, 0) << single.err;
        const PlayerOutcome tiled = wall("-np 4 " + player() + " " + play + "wall.png --wall 2x2 --tile 512x384");
        ASSERT_EQ(tiled.status, 0) << tiled.err;
        for (unsigned rank = 0; rank < 4; ++rank) EXPECT_EQ(rankOutput(rank), single.out) << scene << " rank " << rank;

        const Screenshot one(dir / "single.png"), stitched(dir / "wall.png"), corner(dir / "wall-rank1.png");
        ASSERT_EQ(stitched.width, 1024);
        ASSERT_EQ(stitched.rgb.size(), one.rgb.size());
        std::size_t off = 0;
        for (std::size_t i = 0; i < one.rgb.size(); ++i) {
            EXPECT_LE(std::abs(one.rgb[i] - stitched.rgb[i]), 1) << scene << " byte " << i;
            off += one.rgb[i] != stitched.rgb[i];
        }
        EXPECT_LT(off, one.rgb.size() / 1000) << scene;
        // Rank 1 draws the top-right tile.
        ASSERT_EQ(corner.width, 512);
        EXPECT_EQ(corner.at(0, 0), stitched.at(512, 384)) << scene;
    }
}

// A red rectangle from x 150 to 270 on a 2 x 1 wall of 200 x 100 tiles with a 20-pixel
// mullion: tile 0 shows it from its column 150 to its last (199), the bezel hides display
// columns 200 to 219, and tile 1 shows display columns 220 to 269 as its columns 0 to 49.
TEST_F(WallRun, MullionHidesWhatLiesBehindIt) {
    std::ofstream(dir / "bar.xml") << "<RootComponent width=\"420\" height=\"100\">\n"
                                      "  <Component posX=\"210\" posY=\"50\" width=\"120\" height=\"40\" leaf=\"true\">\n"
                                      "    <Strategy name=\"FilledRectangle\" frame-width=\"0\" fill-red=\"1\" "
                                      "fill-green=\"0\" fill-blue=\"0\" fill-alpha=\"1\"/>\n"
                                      "  </Component>\n"
                                      "</RootComponent>\n";
    const PlayerOutcome run = wall("-np 2 " + player() +
                                   " bar.xml --frames 2 --no-overlay --wall 2x1 --tile 200x100 --mullion 20 "
                                   "--screenshot bar.png");
    ASSERT_EQ(run.status, 0) << run.err;
    const Screenshot left(dir / "bar-rank0.png"), right(dir / "bar-rank1.png"), whole(dir / "bar.png");
    ASSERT_EQ(left.width, 200);
    ASSERT_EQ(whole.width, 420);
    auto red = [](const Screenshot::Rgb& p) { return p[0] > 200 && p[1] < 50 && p[2] < 50; };
    const struct {
        const Screenshot& image;
        int x;
        bool isRed;
    } probes[] = {{left, 149, false}, {left, 150, true}, {left, 199, true},   {right, 0, true},
                  {right, 49, true},  {right, 50, false}, {whole, 205, false}, {whole, 221, true}};
    for (const auto& p : probes) EXPECT_EQ(red(p.image.at(p.x, 50)), p.isRed) << "x " << p.x;
}

// The wall ends with a message naming the rank and a non-zero status: a rank that leaves
// mid-run, a scene one rank cannot read, and a rank whose state drifts (moved by a pixel at
// frame 20), caught by the state hash in that very frame.
TEST_F(WallRun, FailingRankEndsTheWall) {
    const std::string belt = example("belt.xml") + " --script " + example("belt.touch") +
                             " --frames 60 --quiet --wall 2x2 --tile 512x384";
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"-np 4 " + player() + " " + belt + " --wall-test-fault exit:2:30", "rank 2: leaving at frame 30"},
        {"-np 3 " + player() + " " + belt + " : -np 1 " + player() + " missing.xml --frames 60 --wall 2x2 --tile 512x384",
         "rank 3: cannot open scene file missing.xml"},
        {"-np 4 " + player() + " " + belt + " --wall-test-fault perturb:3:20",
         "the wall stops at frame 20: the scene state of rank 3 differs from rank 0's"},
    };
    for (const auto& c : cases) {
        const PlayerOutcome run = wall(c.arguments);
        EXPECT_NE(run.status, 0) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

}  // namespace
