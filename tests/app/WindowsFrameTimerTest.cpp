#include <gtest/gtest.h>

#include <cstdint>

#include "app/WindowsFrameTimer.h"

namespace {

// A clock that moves only when told to.
class FakeTicks : public TickSource {
public:
    std::uint32_t getTickCount() const override { return now; }
    std::uint32_t now = 0;
};

void runFrame(WindowsFrameTimer& timer, FakeTicks& ticks, std::uint32_t milliseconds) {
    timer.start();
    ticks.now += milliseconds;
    timer.end();
}

}  // namespace

TEST(WindowsFrameTimer, AveragesOverTheWindowFromTheFirstFrameAcrossTheTickCountersWrap) {
    FakeTicks ticks;
    WindowsFrameTimer timer(10, ticks);
    EXPECT_EQ(timer.calculateFrameRate(), 0.0);

    runFrame(timer, ticks, 20);
    EXPECT_DOUBLE_EQ(timer.calculateFrameRate(), 500.0);  // 20 ms over a window of 10: 2 ms
    for (int i = 0; i < 9; ++i) runFrame(timer, ticks, 20);
    EXPECT_DOUBLE_EQ(timer.calculateFrameRate(), 50.0);
    runFrame(timer, ticks, 40);  // the oldest 20 ms frame leaves the window
    EXPECT_DOUBLE_EQ(timer.calculateFrameRate(), 1000.0 / 22.0);
    for (int i = 0; i < 10; ++i) runFrame(timer, ticks, 40);
    EXPECT_DOUBLE_EQ(timer.calculateFrameRate(), 25.0);

    // A copy carries the window on independently.
    WindowsFrameTimer copy = timer;
    runFrame(copy, ticks, 0);
    EXPECT_DOUBLE_EQ(copy.calculateFrameRate(), 1000.0 / 36.0);
    EXPECT_DOUBLE_EQ(timer.calculateFrameRate(), 25.0);

    // Frames that take no time give no rate.
    WindowsFrameTimer three(3, ticks);
    for (int i = 0; i < 5; ++i) runFrame(three, ticks, 0);
    EXPECT_EQ(three.calculateFrameRate(), 0.0);

    // The tick counter wraps between start and end: still a 30 ms frame.
    ticks.now = 0xFFFFFFF0u;
    runFrame(three, ticks, 30);
    EXPECT_DOUBLE_EQ(three.calculateFrameRate(), 100.0);
    EXPECT_DOUBLE_EQ(three.getCurrentTime(), 0.014);

    // An end without a new start measures from the previous start.
    ticks.now += 10;
    three.end();
    EXPECT_DOUBLE_EQ(three.calculateFrameRate(), 1000.0 / (70.0 / 3.0));  // frames 0, 30 and 40 ms

    // A window of 0 behaves as a window of 1.
    WindowsFrameTimer single(0, ticks);
    runFrame(single, ticks, 8);
    runFrame(single, ticks, 4);
    EXPECT_DOUBLE_EQ(single.calculateFrameRate(), 250.0);
}
