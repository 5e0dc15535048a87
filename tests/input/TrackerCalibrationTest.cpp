#include <gtest/gtest.h>

#include <utility>

#include "input/InputError.h"
#include "input/TrackerCalibration.h"

// Where each calibration takes the tracker's points (0.25, 0.125) and (0.75, 0.5), worked
// out by hand on the picture: x right, y down.
TEST(TrackerCalibration, AreaFlipsAndTurnsTakeTrackerPointsToTheDisplay) {
    const struct {
        const char* text;
        double x1, y1, x2, y2;
    } cases[] = {
        {"", 0.25, 0.125, 0.75, 0.5},
        {"flip-x", 0.75, 0.125, 0.25, 0.5},
        {"flip-y", 0.25, 0.875, 0.75, 0.5},
        {"turn-90", 0.875, 0.25, 0.5, 0.75},
        {"turn-180", 0.75, 0.875, 0.25, 0.5},
        {"turn-270", 0.125, 0.75, 0.5, 0.25},
        {"turn-90,turn-180", 0.125, 0.75, 0.5, 0.25},
        {"flip-x,turn-90", 0.875, 0.75, 0.5, 0.25},           // flips come first
        {"area=0.5x0.25+0.25+0.125", 0.0, 0.0, 1.0, 1.5},      // the second point is outside
        {"area=1x2+0+-0.5,flip-y", 0.25, 0.6875, 0.75, 0.5},
    };
    for (const auto& c : cases) {
        const TrackerCalibration calibration = TrackerCalibration::parse(c.text);
        double x = 0.25, y = 0.125;
        ASSERT_TRUE(calibration.apply(x, y)) << c.text;
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(c.x1, c.y1)) << c.text;
        x = 0.75, y = 0.5;
        const bool inside = calibration.apply(x, y);
        EXPECT_EQ(inside, c.y2 <= 1.0) << c.text;
        if (inside) {
            EXPECT_EQ(std::make_pair(x, y), std::make_pair(c.x2, c.y2)) << c.text;
        }
    }
}

TEST(TrackerCalibration, ABadTextOrAnAreaWithoutSizeIsAClearError) {
    const char* cases[][2] = {{"area=0x1+0+0", "has no size"},          {"area=1x-0.5+0+0", "has no size"},
                              {"area=1x1", "WIDTHxHEIGHT+LEFT+TOP"},    {"area=nanx1+0+0+", "WIDTHxHEIGHT+LEFT+TOP"},
                              {"turn-45", "unknown tracker calibration 'turn-45'"}};
    for (const auto& c : cases) {
        try {
            TrackerCalibration::parse(c[0]);
            ADD_FAILURE() << c[0];
        } catch (const InputError& e) {
            EXPECT_NE(std::string(e.what()).find(c[1]), std::string::npos) << e.what();
        }
    }
}
