// Plays the example scenes in the dravik-player program, as a user would, and checks what it
// prints and the pixels of the last frame.
#if defined(DRAVIK_PLAYER_PROGRAM) && defined(DRAVIK_EXAMPLES_DIR)

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>

#include "appearance/ImageLoader.h"
#include "support/PlayerProcess.h"

namespace {

namespace fs = std::filesystem;

using Rgb = std::array<int, 3>;

// The player runs from another folder than the scene's, so that texture paths must resolve
// against the scene file.
class ScenePlaybackGLTest : public PlayerProcessTest {
protected:
    std::string example(const std::string& name) const { return shellQuoted((examples / name).string()); }

    const fs::path examples = DRAVIK_EXAMPLES_DIR;
};

// Pixels of a screenshot, addressed with y up like the display.
class Screenshot {
public:
    explicit Screenshot(const fs::path& path) { loader.loadImage(path.c_str()); }
    Rgb at(unsigned x, unsigned y) const {
        const unsigned row = loader.getImageHeight() - 1 - y;
        const unsigned char* p = loader.getImage() + (std::size_t(row) * loader.getImageWidth() + x) * 3;
        return {p[0], p[1], p[2]};
    }

private:
    ImageLoader loader;
};

bool isWood(const Rgb& c) { return c[0] > c[1] && c[1] > c[2] && c[0] > 60 && c[0] < 200; }
bool isSky(const Rgb& c) { return c[2] > c[0] + 40; }

}  // namespace

TEST_F(ScenePlaybackGLTest, PlaysThePhotosSceneWithItsTouchScript) {
    const PlayerOutcome run = play(example("photos.xml") + " --script " + example("photos.touch") +
                         " --frames 240 --screenshot shot.png --no-overlay");
    ASSERT_EQ(run.status, 0) << run.err;
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

TEST_F(ScenePlaybackGLTest, ReportsMissingTexturesAndBrokenFiles) {
    std::ofstream(dir / "scene.xml") << "<RootComponent><Texture source='missing.png'/>"
                                        "<Component><Strategy name='Image'/><Strategy name='Nothing'/></Component>"
                                        "</RootComponent>";
    const PlayerOutcome partial = play("scene.xml --frames 2");
    EXPECT_EQ(partial.status, 0) << partial.err;
    EXPECT_NE(partial.out.find("TextureManager.loadTexture(): Unable to load texture image missing.png!\n"),
              std::string::npos);
    EXPECT_NE(partial.out.find("There is no registered parser for Nothing strategy!\n"), std::string::npos);
    EXPECT_NE(partial.out.find("1 components"), std::string::npos) << partial.out;

    // A warning of the reader stops the player too: the scene would not be what was written.
    std::ofstream(dir / "unclosed.xml") << "<RootComponent>\n  <Component>\n</RootComponent>\n";
    const PlayerOutcome unclosed = play("unclosed.xml --frames 2");
    EXPECT_EQ(unclosed.status, 2);
    EXPECT_NE(unclosed.err.find("scene file unclosed.xml: Warning: Unmatched end tag at line 3, column"),
              std::string::npos)
        << unclosed.err;
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
