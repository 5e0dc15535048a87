#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "player/PlayerError.h"
#include "player/PlayerOptions.h"

TEST(PlayerOptions, DefaultsAndEveryOptionInAnyOrder) {
    const PlayerOptions d = PlayerOptions::parse({});
    EXPECT_TRUE(d.scenePath.empty() && d.recordPath.empty() && d.grid.empty() && d.overlay);
    EXPECT_FALSE(d.watch || d.check || d.fullscreen || d.hideCursor || d.tuio || d.seedFromTime || d.stats || d.strict ||
                 d.quiet);
    // The seed is fixed: runs are reproducible.
    EXPECT_EQ(std::make_tuple(d.frames, d.width, d.height, d.tuioPort, d.seed), std::make_tuple(0u, 1024u, 768u, 3333u, 1u));
    const SceneLimits& limits = d.sceneLimits;
    EXPECT_EQ(std::make_tuple(limits.maxComponentPixels, limits.maxComponents, limits.maxScenePixels,
                              limits.maxTextureSeries, d.maxImageBytes),
              std::make_tuple(268435456u, 2000u, 0u, 9999u, 1073741824u));

    const PlayerOptions o = PlayerOptions::parse({"--frames", "120", "--no-overlay", "scene.xml", "--size",
                                                  "640x480", "--script", "a.touch", "--screenshot", "out.png"});
    EXPECT_EQ(std::make_tuple(o.scenePath, o.scriptPath, o.screenshotPath), std::make_tuple("scene.xml", "a.touch", "out.png"));
    EXPECT_EQ(std::make_tuple(o.frames, o.width, o.height, o.overlay), std::make_tuple(120u, 640u, 480u, false));
    EXPECT_TRUE(PlayerOptions::parse({"-h"}).help);
    EXPECT_TRUE(PlayerOptions::parse({"--version"}).version);
    const PlayerOptions author = PlayerOptions::parse({"--watch", "s.xml", "--check", "--fullscreen", "--hide-cursor"});
    EXPECT_TRUE(author.watch && author.check && author.fullscreen && author.hideCursor);

    // The port after --tuio is optional: a scene file may follow instead.
    const PlayerOptions tuio = PlayerOptions::parse({"--tuio", "scene.xml", "--record", "run.touch", "--stats"});
    EXPECT_EQ(std::make_tuple(tuio.tuio, tuio.tuioPort, tuio.scenePath, tuio.recordPath, tuio.stats),
              std::make_tuple(true, 3333u, "scene.xml", "run.touch", true));
    EXPECT_EQ(PlayerOptions::parse({"--tuio", "0"}).tuioPort, 0u);
    EXPECT_EQ(PlayerOptions::parse({"--tuio", "3334", "--frames", "2"}).tuioPort, 3334u);
    const TrackerCalibration turned = PlayerOptions::parse({"--tuio-transform", "turn-90,area=0.5x1+0+0"}).tuioCalibration;
    EXPECT_EQ(std::make_pair(turned.quarterTurns, turned.width), std::make_pair(1u, 0.5));
    EXPECT_EQ(PlayerOptions::parse({"--seed", "4294967295"}).seed, 4294967295u);
    EXPECT_TRUE(PlayerOptions::parse({"--seed", "time"}).seedFromTime);

    const PlayerOptions checks = PlayerOptions::parse(
        {"--strict", "--max-component-pixels", "0", "--quiet", "--max-components", "7", "--max-scene-pixels",
         "18446744073709551615", "--max-texture-series", "12", "--max-image-bytes", "4096"});
    EXPECT_TRUE(checks.strict && checks.quiet);
    EXPECT_EQ(std::make_tuple(checks.sceneLimits.maxComponentPixels, checks.sceneLimits.maxComponents,
                              checks.sceneLimits.maxScenePixels, checks.sceneLimits.maxTextureSeries, checks.maxImageBytes),
              std::make_tuple(0u, 7u, 18446744073709551615u, 12u, 4096u));

    EXPECT_EQ(PlayerOptions::parse({"--grid", "direction"}).grid, "DIRECTION_BUFFER");
    EXPECT_EQ(PlayerOptions::parse({"--grid", "BUTTON_BUFFER"}).grid, "BUTTON_BUFFER");
    EXPECT_EQ(PlayerOptions::parse({"--summary-at", "45,85,7"}).summaryFrames, (std::vector<unsigned>{45, 85, 7}));
}

TEST(PlayerOptions, RejectsBadArguments) {
    std::vector<std::vector<std::string>> bad = {
        {"--bogus"},         {"-x"},           {"--frames"},          {"--frames", "0"},
        {"--frames", "-5"},  {"--frames", "1e3"}, {"--frames", "99999999999"}, {"--size", "640"},
        {"--size", "0x480"}, {"--size", "640x"}, {"--size", "640x480x2"}, {"--size", "99999x10"},
        {"a.xml", "b.xml"},  {""},             {"--script"},         {"--watch"},
        {"--check"},         {"--watch", "a.xml", "--wall", "2x1"},
        {"--tuio", "65536"}, {"--tuio-transform", "area=0x1+0+0"}, {"--seed"}, {"--seed", "-1"},
        {"--seed", "now"},   {"--record"},                             {"--record", ""},
        {"--max-components", "4294967296"},
        {"--grid", "Direction"}, {"--grid", "mask"}, {"--grid"}, {"--summary-at", ""}, {"--summary-at", "4,,5"},
        {"--summary-at", "4,"},  {"--summary-at", "0"}, {"--summary-at", "x"},
    };
    for (const char* limit : {"--max-components", "--max-scene-pixels", "--max-image-bytes"})
        for (const char* number : {"-1", "many", "4294967296000000000000", "1.5"}) bad.push_back({limit, number});
    for (const auto& arguments : bad) EXPECT_THROW(PlayerOptions::parse(arguments), PlayerError) << arguments[0] << " " << arguments.back();
}

// The help names every option with its default.
TEST(PlayerOptions, HelpNamesEveryOptionWithItsDefault) {
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
