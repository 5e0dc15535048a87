// The wall's shape, its file, the views of a rank, stitching, and the frame message.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>
#include <vector>

#include "framework/ConstantProvider.h"
#include "player/PlayerError.h"
#include "player/PlayerOptions.h"
#include "wall/FrameMessage.h"
#include "wall/WallFile.h"
#include "wall/WallScreenshot.h"
#include "wall/WallViews.h"

namespace {

WallLayout fromOptions(const std::string& wall, const std::string& tile, const std::string& mullion = "") {
    PlayerOptions options;
    options.wall = wall;
    options.wallTile = tile;
    options.wallMullion = mullion;
    return WallLayout::fromOptions(options);
}

// A 3 x 2 wall of 100 x 50 tiles with 10-pixel mullions is 320 x 110; tile 0 is the top-left
// (at y 60), tile 5 the bottom-right. Five tiles over two ranks: rank 0 draws 0 and 1.
TEST(WallLayoutTest, ShapeFromOptions) {
    const WallLayout w = fromOptions("3x2", "100x50", "10");
    EXPECT_EQ((std::vector<unsigned>{w.displayWidth(), w.displayHeight(), w.tile(0).x, w.tile(0).y, w.tile(5).x, w.tile(5).y}),
              (std::vector<unsigned>{320, 110, 0, 60, 220, 0}));
    const WallLayout five = fromOptions("5x1", "10x10");
    EXPECT_EQ(five.tilesOf(0, 2).size(), 2u);
    EXPECT_EQ(five.ownerOf(2, 2), 1u);
    EXPECT_THROW(five.checkRanks(6), PlayerError);  // a rank with nothing to draw
    for (const auto& [wall, tile] : {std::pair<std::string, std::string>{"2x", "1x1"}, {"2x2", ""}, {"0x2", "1x1"},
                                     {"2x2", "40000x1"}, {"", "1x1"}})
        EXPECT_THROW(fromOptions(wall, tile), PlayerError) << wall << " " << tile;
}

TEST(WallLayoutTest, ReadsWallFile) {
    std::istringstream good("wall 2x1  # two panels\ntile 64x32\nmullion 4 2\nrank 1 draws 0\nrank 0 draws 1\n"
                            "operator-view 100\ntimeout 2.5\n");
    const WallLayout w = parseWallFile(good, "w");
    EXPECT_EQ((std::vector<double>{double(w.displayWidth()), double(w.mullionY), double(w.ownerOf(0, 2)),
                                   double(w.operatorWidth), w.timeoutSeconds}),
              (std::vector<double>{132, 2, 1, 100, 2.5}));
    const std::pair<const char*, const char*> bad[] = {
        {"wall 2x1\ntile 1x1\nsize 3\n", "w:3: unknown setting"},
        {"wall 2x1\ntile 1x1\nrank 0 draws 0\n", "no rank draws tile 1"},
        {"wall 2x1\ntile 1x1\nrank 0 draws 0 0 1\n", "tile 0 is not a tile of the wall or is named twice"},
        {"tile 1x1\n", "needs 'wall' and 'tile'"},
        {"wall 2x1\ntile 1x1\ntimeout 0\n", "w:3: timeout expects"}};
    for (const auto& [text, message] : bad) {
        std::istringstream in(text);
        try {
            parseWallFile(in, "w");
            ADD_FAILURE() << text;
        } catch (const PlayerError& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    }
}

// Two 2 x 1 tiles with a 1-pixel mullion; rank 0 draws tile 1, rank 1 tile 0. Window pixels
// land at their tile's place, the mullion stays black; a point of rank 0's window maps into
// tile 1, and its operator's view (5 pixels wide, the whole 5 x 1 wall) maps by scale.
TEST(WallViewsTest, StitchesAndMapsPoints) {
    std::istringstream text("wall 2x1\ntile 2x1\nmullion 1\nrank 0 draws 1\nrank 1 draws 0\noperator-view 5\n");
    const WallLayout w = parseWallFile(text, "w");
    // Rank 0: tile 1 then its overview (7 pixels); rank 1: tile 0.
    std::vector<unsigned char> windows(27, 7);
    for (int i = 0; i < 3; ++i) windows[i] = 1, windows[3 + i] = 2, windows[21 + i] = 3, windows[24 + i] = 4;
    std::vector<unsigned char> wall;
    stitchWall(w, 2, windows, wall);
    EXPECT_EQ(wall, (std::vector<unsigned char>{3, 3, 3, 4, 4, 4, 0, 0, 0, 1, 1, 1, 2, 2, 2}));
    windows.pop_back();
    EXPECT_THROW(stitchWall(w, 2, windows, wall), std::invalid_argument);
    const WallViews views(w, 0, 2);
    EXPECT_EQ(views.windowWidth(), 7u);
    for (int x : {1, 6}) {
        int y = 0;
        views.toDisplayWindow(x, y);
        EXPECT_EQ(x, 4);
    }
}

TEST(FrameMessageTest, RoundTripAndDamagedBytes) {
    FrameMessage sent;
    sent.frame = 7;
    sent.tick = 116;
    sent.scripted = 1;
    FrameMessage::Event touch{FrameMessage::Event::Kind::Touch,
                              ConstantProvider::getInstance()->getEventTypeIdentifier("DRAG"), 3, 1ULL << 40, true,
                              1.5, -2.0, 0};
    FrameMessage::Event key{FrameMessage::Event::Kind::Key,
                            ConstantProvider::getInstance()->getEventTypeIdentifier("KEY"), 0, 0, false, 4.0, 5.0, 'k'};
    sent.events = {touch, key, touch};
    std::vector<std::uint8_t> bytes;
    sent.encode(bytes);
    FrameMessage got;
    got.decode(bytes);
    EXPECT_EQ(std::make_pair(got.frame, got.tick), std::make_pair(7u, 116u));
    ASSERT_EQ(got.events.size(), 3u);
    EXPECT_EQ(std::make_tuple(got.events[1].key, got.events[1].type, got.events[2].type, got.events[0].y,
                              got.events[2].contact, got.events[2].anonymous),
              std::make_tuple('k', key.type, touch.type, -2.0, 1ULL << 40, true));
    bytes.pop_back();
    EXPECT_THROW(got.decode(bytes), std::runtime_error);
}

}  // namespace
