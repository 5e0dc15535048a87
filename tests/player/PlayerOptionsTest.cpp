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
    EXPECT_NE(std::string(PlayerOptions::usage()).find("--screenshot"), std::string::npos);
}

TEST(PlayerOptions, RejectsBadArguments) {
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"},         {"-x"},           {"--frames"},          {"--frames", "0"},
        {"--frames", "-5"},  {"--frames", "1e3"}, {"--frames", "99999999999"}, {"--size", "640"},
        {"--size", "0x480"}, {"--size", "640x"}, {"--size", "640x480x2"}, {"--size", "99999x10"},
        {"a.xml", "b.xml"},  {""},             {"--script"},
    };
    for (const auto& arguments : bad) EXPECT_THROW(PlayerOptions::parse(arguments), PlayerError) << arguments[0];
    try {
        PlayerOptions::parse({"--frames", "ten"});
    } catch (const PlayerError& e) {
        EXPECT_NE(std::string(e.what()).find("'ten'"), std::string::npos);
    }
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
