// Plays the example scenes in the dravik-player program, as a user would, and checks what it
// prints and the pixels of the last frame.
#if defined(DRAVIK_PLAYER_PROGRAM)

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "support/PlayerProcess.h"
#include "support/Screenshot.h"

namespace {

namespace fs = std::filesystem;

using Rgb = Screenshot::Rgb;

// The player runs from another folder than the scene's, so that texture paths must resolve
// against the scene file.
class ScenePlaybackGLTest : public PlayerProcessTest {};

bool isWood(const Rgb& c) { return c[0] > c[1] && c[1] > c[2] && c[0] > 60 && c[0] < 200; }
bool isSky(const Rgb& c) { return c[2] > c[0] + 40; }

}  // namespace

TEST_F(ScenePlaybackGLTest, PlaysThePhotosSceneWithItsTouchScript) {
    const PlayerOutcome run = play(example("photos.xml") + " --script " + example("photos.touch") +
                         " --frames 240 --screenshot shot.png --no-overlay");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_NE(run.out.find("Loaded texture 7 in image: textures/table.png!\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("240 frames, 236 scripted events, 6 components"), std::string::npos) << run.out;

    const Screenshot shot(dir / "shot.png");
    EXPECT_TRUE(isWood(shot.at(60, 60))) << "the table's texture";
    EXPECT_TRUE(isWood(shot.at(210, 560))) << "the first photo was dragged away";
    // The desert photo lies where the scene put it, upright: sky above its middle, sand below.
    EXPECT_TRUE(isSky(shot.at(512, 205 + 60)));
    const Rgb sand = shot.at(512, 205 - 60);
    EXPECT_GT(sand[0], sand[2] + 40);
}

TEST_F(ScenePlaybackGLTest, ReportsEachProblemOnStandardErrorAndFailsOnlyWhenStrict) {
    std::ofstream(dir / "scene.xml") << "<!-- a table with problems -->\n"
                                        "<RootComponent>\n"
                                        "  <Texture source='missing.png'/>\n"
                                        "  <Component width='-5'/>\n"
                                        "  <Component><Strategy name='Image'/><Strategy name='Nothing'/>"
                                        "<Strategy name='FrictionSurface' border-width='inf'/></Component>\n"
                                        "</RootComponent>\n"
                                        "<RootComponent/>\n";
    const std::string lines[] = {
        "scene.xml:3: <Texture>: TextureManager.loadTexture(): Unable to load texture image missing.png!\n",
        "scene.xml:4: <Component>: Component skipped: its width -5 is negative!\n",
        "scene.xml:5: <Strategy>: Image texture 1 is none of the 0 loaded textures: the component is drawn "
        "without one!\n",
        "scene.xml:5: <Strategy>: There is no registered parser for Nothing strategy!\n"
        "scene.xml:5: <Strategy>: Warning in FrictionSurfaceStrategyParser::parse() - border-width \"inf\" is not a "
        "whole number from 0 to 4294967295; it is taken as 0.\n",
        "scene.xml:7: <RootComponent>: Element <RootComponent> beside the scene's <RootComponent> is ignored!\n",
    };
    const PlayerOutcome partial = play("scene.xml --frames 2");
    EXPECT_EQ(partial.status, 0) << partial.err;
    EXPECT_EQ(partial.err, lines[4] + lines[0] + lines[1] + lines[2] + lines[3]);
    EXPECT_NE(partial.out.find("2 frames, 0 scripted events, 1 components"), std::string::npos) << partial.out;

    const PlayerOutcome strict = play("scene.xml --frames 2 --strict");
    EXPECT_EQ(strict.status, 1);
    EXPECT_EQ(strict.err, partial.err + "dravik-player: 6 problems in scene file scene.xml (--strict)\n");
    EXPECT_TRUE(strict.out.empty()) << strict.out;

    std::ofstream(dir / "empty-scene.xml") << "<?xml version='1.0'?>\n<!-- nothing yet -->\n";
    const PlayerOutcome empty = play("empty-scene.xml --frames 1 --strict");
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err.rfind("empty-scene.xml: No element to build a scene from!\n", 0), 0u) << empty.err;
}

TEST_F(ScenePlaybackGLTest, QuietLeavesOutTheLineOfEachTexture) {
    const PlayerOutcome run = play(example("photos.xml") + " --frames 1 --quiet");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("Loaded texture"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("1 frames, 0 scripted events, 6 components"), std::string::npos) << run.out;
}

TEST_F(ScenePlaybackGLTest, RefusesWhatIsNoReadableSceneWithTheRealCause) {
    // A warning of the reader stops the player too: the scene would not be what was written.
    std::ofstream(dir / "unclosed.xml") << "<RootComponent>\n  <Component>\n</RootComponent>\n";
    std::ofstream(dir / "zero.xml") << std::string("<RootComponent>\n  <\0Component/>\n</RootComponent>\n", 49);
    std::ofstream(dir / "nothing.xml");
    fs::create_directory(dir / "folder.xml");
    ASSERT_EQ(::mkfifo((dir / "pipe.xml").c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {"unclosed.xml", "scene file unclosed.xml: Warning: Unmatched end tag at line 3, column 1\n"},
        {"zero.xml", "scene file zero.xml: a zero byte at line 2, column 4 ends its text\n"},
        {"nothing.xml", "scene file nothing.xml: Error: No XML data\n"},
        {"folder.xml", "scene file folder.xml is a folder\n"},
        {"pipe.xml", "scene file pipe.xml is not a regular file\n"},
    };
    for (const auto& [file, message] : cases) {
        const PlayerOutcome run = play(file + " --frames 1");
        EXPECT_EQ(run.status, 2) << file;
        EXPECT_EQ(run.err, "dravik-player: " + message);
    }
}

TEST_F(ScenePlaybackGLTest, LimitsAreOptionsWithTheirOwnMessages) {
    std::ofstream(dir / "scene.xml") << "<RootComponent width='640' height='480'>\n"
                                        "  <Components number='3' width='20' height='20'/>\n"
                                        "</RootComponent>\n";
    const PlayerOutcome run = play("scene.xml --frames 1 --max-components 2 --max-component-pixels 307200");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "scene.xml:2: <Components>: 1 of 3 Components skipped: a scene holds at most 2 components!\n");
    const PlayerOutcome small = play("scene.xml --frames 1 --max-component-pixels 307199");
    EXPECT_EQ(small.err.rfind("scene.xml:1: <RootComponent>: Component of 640 x 480 skipped: larger than 307199 pixels!\n", 0), 0u)
        << small.err;
}

TEST_F(ScenePlaybackGLTest, PlaysTheAppearanceSceneWithItsCapturedTray) {
    const PlayerOutcome run = play(example("appearance.xml") + " --script " + example("appearance.touch") +
                                   " --frames 240 --screenshot shot.png --no-overlay");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("240 frames, 206 scripted events, 13 components"), std::string::npos) << run.out;
    // The tiles tapped onto the tray became part of it: they turned with it.
    EXPECT_NE(run.out.find("component 13 at (642.0, 298.4), angle 8.1 degrees"), std::string::npos) << run.out;

    const Screenshot shot(dir / "shot.png");
    const Rgb spot = shot.at(110, 330);
    EXPECT_GT(spot[0], spot[1] + 60) << "the red spot";
    const Rgb tile = shot.at(630, 110);
    EXPECT_GT(tile[1], tile[0] + 40) << "the green tile pushed to the tray's edge";
    EXPECT_TRUE(isWood(shot.at(580, 110))) << "the tile is cut at the tray's edge";
}

#endif
