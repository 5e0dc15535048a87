// The container scenes played through the player with their touch scripts, checked at
// frames along the way from the summary the player prints.
#include <cmath>
#include <map>
#include <regex>
#include <sstream>

#include "support/PlayerProcess.h"
#include "support/Screenshot.h"

namespace {

struct Placed {
    double x = 0, y = 0, angle = 0;
    unsigned width = 0, height = 0;
    double scale = 1.0;
    unsigned long on = 0;  // the component it lies on; 0 for none
    double drawn() const { return width * scale; }
};

using Snapshot = std::vector<Placed>;  // the components by identifier, so in the file's order

class ContainerScenes : public PlayerProcessTest {
protected:
    // Plays the scene with its script to the last of `frames` and returns, for each of
    // those frames, the components of the summary printed after it.
    std::map<unsigned, Snapshot> play(const char* scene, const std::vector<unsigned>& frames) {
        std::string list;
        for (unsigned f : frames) {
            if (!list.empty()) list += ',';
            list += std::to_string(f);
        }
        const PlayerOutcome run = PlayerProcessTest::play(
            example(scene + std::string(".xml")) + " --script " + example(scene + std::string(".touch")) +
            " --frames " + std::to_string(frames.back()) + " --summary-at " + list + " --no-overlay");
        EXPECT_EQ(run.status, 0) << run.err;
        static const std::regex header(R"(dravik-player: (\d+) frames)");
        static const std::regex line(
            R"(component (\d+) at \(([-\d.]+), ([-\d.]+)\), angle ([\d.]+) degrees, size (\d+) x (\d+)(, scale ([\d.]+) x [\d.]+)?(, in component (\d+))?)");
        std::map<unsigned, Snapshot> snapshots;
        Snapshot* current = nullptr;
        std::istringstream lines(run.out);
        for (std::string text; std::getline(lines, text);) {
            std::smatch m;
            if (std::regex_search(text, m, header)) {
                current = &snapshots[std::stoul(m[1])];
                current->clear();  // the last frame's summary comes twice
            } else if (current != nullptr && std::regex_search(text, m, line)) {
                current->push_back({std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), unsigned(std::stoul(m[5])),
                                    unsigned(std::stoul(m[6])), m[8].matched ? std::stod(m[8]) : 1.0,
                                    m[10].matched ? std::stoul(m[10]) : 0ul});
            }
        }
        for (unsigned f : frames) EXPECT_FALSE(snapshots[f].empty()) << "frame " << f << ": " << run.out;
        return snapshots;
    }
    static double moved(const Placed& a, const Placed& b) { return std::hypot(b.x - a.x, b.y - a.y); }
};

}  // namespace

// examples/belt.xml: a belt of width 160 in a 900 x 700 component at (512, 384). Its outer
// control points lie at (430, 330) (cos, sin) of 45 degrees + k 90 and the inner ones at
// (270, 170) (cos, sin); on the axes the outlines pass at 1.25 times the control points'
// coordinates: right, 380.1 and 238.7; top, 291.7 and 150.3. So the middle line lies 309.4
// right and left and 221.0 above and below the centre, the belt is 141.4 wide there and an
// item measures 0.7 * 141.4 = 99.0 pixels. The flow runs counter-clockwise at one pixel a
// read; an item reads once when dropped and once per frame after.
TEST_F(ContainerScenes, BeltCarriesTurnsAndSizesWhatIsDroppedOnIt) {
    std::map<unsigned, Snapshot> at = play("belt", {45, 85, 115, 150, 160});
    for (const auto& [frame, snapshot] : at) ASSERT_EQ(snapshot.size(), 5u) << frame;

    // Tile 1 is dropped at the middle of the right side on frame 41, tile 2 on the left side
    // on frame 81 (where the belt runs down and the tops face right), tile 3 at the top on
    // frame 111 (running left, upside down). Four frames on each has read six times, moving
    // along, its top turned toward the hole; the next tile still waits in the hole.
    const struct {
        unsigned frame;
        int tile;
        double x, y, angle;
    } drops[] = {{45, 1, 821.0, 384.0 + 6.0, 90.0}, {85, 2, 203.0, 384.0 - 6.0, 270.0}, {115, 3, 512.0 - 6.0, 605.0, 180.0}};
    for (const auto& d : drops) {
        const Placed& tile = at[d.frame][d.tile];
        EXPECT_NE(tile.on, 0u) << d.tile;
        EXPECT_LT(std::hypot(tile.x - d.x, tile.y - d.y), 1.0) << d.tile;
        EXPECT_NEAR(tile.angle, d.angle, 1.5) << d.tile;
        EXPECT_NEAR(tile.drawn(), 99.0, 1.0) << d.tile;
        EXPECT_EQ(at[d.frame][d.tile + 1].on, 0u) << d.tile + 1;
    }

    // The swipe of 80 pixels along the bottom (frames 130 to 140) sets four pixels a frame:
    // ten frames carry each tile about 40 pixels along the curving belt.
    for (int i = 1; i <= 3; ++i) EXPECT_NEAR(moved(at[150][i], at[160][i]), 38.25, 2.25) << i;
}

// examples/container.xml: a tray at (600, 400); photos dragged into it lie in it.
TEST_F(ContainerScenes, TrayCarriesAndTurnsThePhotosInIt) {
    std::map<unsigned, Snapshot> at = play("container", {60, 110, 170, 230});
    for (const auto& [frame, snapshot] : at) ASSERT_EQ(snapshot.size(), 4u) << frame;
    const Placed &photo1 = at[60][1], &photo3 = at[60][3];
    EXPECT_NE(photo1.on, 0u);
    EXPECT_EQ(photo1.on, photo3.on);
    EXPECT_EQ(at[60][2].on, 0u);
    EXPECT_LT(std::abs(photo1.x - 520.0) + std::abs(photo3.y - 330.0), 0.05);

    // Dragged by its rim 120 left and 40 up, the tray takes both photos along.
    for (int i : {0, 1, 3})
        EXPECT_LT(std::hypot(at[110][i].x - at[60][i].x + 120.0, at[110][i].y - at[60][i].y - 40.0), 0.05) << i;

    // Turned from inside, the tray turns the photos with it.
    const double turn = at[170][0].angle - at[110][0].angle;
    EXPECT_GT(std::fabs(turn), 45.0);
    for (int i : {1, 3}) EXPECT_NEAR(at[170][i].angle, at[110][i].angle + turn, 0.1) << i;

    // Taken out, the third photo lies on the table; the first stays in the tray, which did
    // not move.
    EXPECT_EQ(at[230][3].on, 0u);
    EXPECT_EQ(at[230][1].on, at[60][1].on);
    EXPECT_NEAR(at[230][0].x, at[170][0].x, 0.05);
}

// The grid view draws the belt's size grid as shading over the belt, nothing over the table.
TEST_F(ContainerScenes, GridViewShadesTheBeltOnly) {
    const std::string scene = example("belt.xml");
    ASSERT_EQ(PlayerProcessTest::play(scene + " --frames 2 --no-overlay --screenshot plain.png").status, 0);
    ASSERT_EQ(PlayerProcessTest::play(scene + " --frames 2 --no-overlay --grid size --screenshot grid.png").status, 0);
    const Screenshot plain(dir / "plain.png"), grid(dir / "grid.png");
    ASSERT_EQ(plain.width, 1024);
    // The belt's right side at (821, 384) and the table at (40, 720).
    auto differs = [&](int x, int y) { return plain.at(x, y) != grid.at(x, y); };
    EXPECT_TRUE(differs(821, 384));
    EXPECT_FALSE(differs(40, 720));
    EXPECT_FALSE(differs(512, 384));  // the hole holds no size
}
