#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/PlayerError.h"
#include "player/PlayerOptions.h"

TEST(PlayerOptions, ReadsEveryOptionInAnyOrder) {
    const PlayerOptions defaults = PlayerOptions::parse({});
    EXPECT_TRUE(defaults.scenePath.empty());
    EXPECT_EQ(defaults.frames, 0u);
    EXPECT_EQ(defaults.width, 1024u);
    EXPECT_EQ(defaults.height, 768u);
    EXPECT_TRUE(defaults.overlay);

    const PlayerOptions o = PlayerOptions::parse({"--frames", "120", "--no-overlay", "scene.xml", "--size",
                                                  "640x480", "--script", "a.touch", "--screenshot", "out.png"});
    EXPECT_EQ(o.scenePath, "scene.xml");
    EXPECT_EQ(o.scriptPath, "a.touch");
    EXPECT_EQ(o.screenshotPath, "out.png");
    EXPECT_EQ(o.frames, 120u);
    EXPECT_EQ(o.width, 640u);
    EXPECT_EQ(o.height, 480u);
    EXPECT_FALSE(o.overlay);
    EXPECT_TRUE(PlayerOptions::parse({"--help"}).help);
    EXPECT_TRUE(PlayerOptions::parse({"-h"}).help);
    EXPECT_TRUE(PlayerOptions::parse({"--version"}).version);
    EXPECT_FALSE(defaults.watch || defaults.check || defaults.fullscreen || defaults.hideCursor);
    const PlayerOptions author = PlayerOptions::parse({"--watch", "s.xml", "--check", "--fullscreen", "--hide-cursor"});
    EXPECT_TRUE(author.watch && author.check && author.fullscreen && author.hideCursor);
    EXPECT_NE(std::string(PlayerOptions::usage()).find("--screenshot"), std::string::npos);
}

TEST(PlayerOptions, RejectsBadArguments) {
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"},         {"-x"},           {"--frames"},          {"--frames", "0"},
        {"--frames", "-5"},  {"--frames", "1e3"}, {"--frames", "99999999999"}, {"--size", "640"},
        {"--size", "0x480"}, {"--size", "640x"}, {"--size", "640x480x2"}, {"--size", "99999x10"},
        {"a.xml", "b.xml"},  {""},             {"--script"},         {"--watch"},
        {"--check"},         {"--watch", "a.xml", "--wall", "2x1"},
    };
    for (const auto& arguments : bad) EXPECT_THROW(PlayerOptions::parse(arguments), PlayerError) << arguments[0];
    try {
        PlayerOptions::parse({"--frames", "ten"});
    } catch (const PlayerError& e) {
        EXPECT_NE(std::string(e.what()).find("'ten'"), std::string::npos);
    }
}

TEST(PlayerOptions, InputOptionsAndTheirDefaults) {
    const PlayerOptions defaults = PlayerOptions::parse({});
    EXPECT_FALSE(defaults.tuio);
    EXPECT_EQ(defaults.tuioPort, 3333u);
    EXPECT_TRUE(defaults.recordPath.empty());
    EXPECT_EQ(defaults.seed, 1u);  // fixed: runs are reproducible
    EXPECT_FALSE(defaults.seedFromTime);
    EXPECT_FALSE(defaults.stats);

    // The port after --tuio is optional: a scene file may follow instead.
    const PlayerOptions tuio = PlayerOptions::parse({"--tuio", "scene.xml", "--record", "run.touch", "--stats"});
    EXPECT_TRUE(tuio.tuio);
    EXPECT_EQ(tuio.tuioPort, 3333u);
    EXPECT_EQ(tuio.scenePath, "scene.xml");
    EXPECT_EQ(tuio.recordPath, "run.touch");
    EXPECT_TRUE(tuio.stats);
    EXPECT_EQ(PlayerOptions::parse({"--tuio", "0"}).tuioPort, 0u);
    EXPECT_EQ(PlayerOptions::parse({"--tuio", "3334", "--frames", "2"}).tuioPort, 3334u);
    const TrackerCalibration turned = PlayerOptions::parse({"--tuio-transform", "turn-90,area=0.5x1+0+0"}).tuioCalibration;
    EXPECT_EQ(turned.quarterTurns, 1u);
    EXPECT_EQ(turned.width, 0.5);
    EXPECT_EQ(PlayerOptions::parse({"--seed", "4294967295"}).seed, 4294967295u);
    EXPECT_TRUE(PlayerOptions::parse({"--seed", "time"}).seedFromTime);

    const std::vector<std::vector<std::string>> bad = {
        {"--tuio", "65536"}, {"--tuio-transform", "area=0x1+0+0"}, {"--seed"}, {"--seed", "-1"},
        {"--seed", "now"},   {"--record"},                             {"--record", ""},
    };
    for (const auto& arguments : bad) EXPECT_THROW(PlayerOptions::parse(arguments), PlayerError) << arguments.back();

    // The help names every option with its default.
    const std::string help = PlayerOptions::usage();
    for (const char* option : {"--script", "--frames", "--screenshot", "--size", "--no-overlay", "--tuio",
                               "--tuio-transform", "--record", "--seed", "--stats", "--strict", "--quiet", "--max-components",
                               "--grid", "--summary-at", "--watch", "--check", "--fullscreen", "--hide-cursor",
                               "-h, --help"}) {
        const std::size_t at = help.find(std::string("  ") + option);
        ASSERT_NE(at, std::string::npos) << option;
        const std::size_t next = help.find("\n  -", at + 1);
        EXPECT_NE(help.substr(at, next - at).find(option == std::string("-h, --help") ? "show" : "default"),
                  std::string::npos)
            << option;
    }
}

TEST(PlayerOptions, SceneChecksAndLimits) {
    const PlayerOptions defaults = PlayerOptions::parse({});
    EXPECT_FALSE(defaults.strict);
    EXPECT_FALSE(defaults.quiet);
    EXPECT_EQ(defaults.sceneLimits.maxComponentPixels, 268435456u);
    EXPECT_EQ(defaults.sceneLimits.maxComponents, 2000u);
    EXPECT_EQ(defaults.sceneLimits.maxScenePixels, 0u);
    EXPECT_EQ(defaults.sceneLimits.maxTextureSeries, 9999u);
    EXPECT_EQ(defaults.maxImageBytes, 1073741824u);

    const PlayerOptions o = PlayerOptions::parse(
        {"--strict", "--max-component-pixels", "0", "--quiet", "--max-components", "7", "--max-scene-pixels",
         "18446744073709551615", "--max-texture-series", "12", "--max-image-bytes", "4096"});
    EXPECT_TRUE(o.strict);
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.sceneLimits.maxComponentPixels, 0u);
    EXPECT_EQ(o.sceneLimits.maxComponents, 7u);
    EXPECT_EQ(o.sceneLimits.maxScenePixels, 18446744073709551615u);
    EXPECT_EQ(o.sceneLimits.maxTextureSeries, 12u);
    EXPECT_EQ(o.maxImageBytes, 4096u);

    for (const char* limit : {"--max-components", "--max-scene-pixels", "--max-image-bytes"})
        for (const char* bad : {"-1", "many", "4294967296000000000000", "1.5"})
            EXPECT_THROW(PlayerOptions::parse({limit, bad}), PlayerError) << limit << " " << bad;
    EXPECT_THROW(PlayerOptions::parse({"--max-components", "4294967296"}), PlayerError);
}

TEST(PlayerOptions, GridViewAndSummaryFrames) {
    EXPECT_EQ(PlayerOptions::parse({}).grid, "");
    EXPECT_EQ(PlayerOptions::parse({"--grid", "direction"}).grid, "DIRECTION_BUFFER");
    EXPECT_EQ(PlayerOptions::parse({"--grid", "BUTTON_BUFFER"}).grid, "BUTTON_BUFFER");
    EXPECT_EQ(PlayerOptions::parse({"--summary-at", "45,85,7"}).summaryFrames, (std::vector<unsigned>{45, 85, 7}));
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"--grid", "Direction"},
                                                                       {"--grid", "mask"},
                                                                       {"--grid"},
                                                                       {"--summary-at", ""},
                                                                       {"--summary-at", "4,,5"},
                                                                       {"--summary-at", "4,"},
                                                                       {"--summary-at", "0"},
                                                                       {"--summary-at", "x"}})
        EXPECT_THROW(PlayerOptions::parse(arguments), PlayerError) << arguments.back();
}
