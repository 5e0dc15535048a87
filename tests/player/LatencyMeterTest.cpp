#include <gtest/gtest.h>

#include "player/LatencyMeter.h"

TEST(LatencyMeter, MediansOverTheLastSecondAndQuantilesOverTheRun) {
    using namespace std::chrono;
    LatencyMeter meter;
    EXPECT_LT(meter.recentMedianMilliseconds(), 0.0);
    EXPECT_LT(meter.runQuantileMilliseconds(0.5), 0.0);

    const LatencyMeter::Clock::time_point t0{};
    // Frame 1 ends at 20 ms with events that arrived at 0, 10 and 18 ms: 20, 10 and 2 ms.
    for (int ms : {0, 10, 18}) meter.delivered(t0 + milliseconds(ms));
    meter.frameEnded(t0 + milliseconds(20));
    EXPECT_DOUBLE_EQ(meter.recentMedianMilliseconds(), 10.0);
    // A frame without touches changes nothing; one 2 s later forgets the first frame.
    meter.frameEnded(t0 + milliseconds(40));
    EXPECT_DOUBLE_EQ(meter.recentMedianMilliseconds(), 10.0);
    meter.delivered(t0 + milliseconds(2000));
    meter.delivered(t0 + milliseconds(2030));
    meter.frameEnded(t0 + milliseconds(2035));
    EXPECT_DOUBLE_EQ(meter.recentMedianMilliseconds(), 35.0);  // of 35 and 5: the upper middle

    // The run: 2, 5, 10, 20, 35 ms.
    EXPECT_EQ(meter.runSamples(), 5u);
    EXPECT_DOUBLE_EQ(meter.runQuantileMilliseconds(0.5), 10.0);
    EXPECT_DOUBLE_EQ(meter.runQuantileMilliseconds(0.0), 2.0);
    EXPECT_DOUBLE_EQ(meter.runQuantileMilliseconds(1.0), 35.0);
}
