#ifndef DRAVIK_APP_WINDOWSFRAMETIMER_H
#define DRAVIK_APP_WINDOWSFRAMETIMER_H

#include <cstdint>
#include <deque>

#include "app/TickSource.h"
#include "framework/Export.h"
#include "framework/FrameTimer.h"

// Frame timer on the millisecond tick counter: start() and end() enclose a frame, and the
// frame rate is 1000 over the mean frame time of the last `windowSize` frames. The mean
// always divides by the full window, so the rate reads high until the window has filled.
class DRAVIK_API WindowsFrameTimer : public FrameTimer {
public:
    // A window size of 0 is taken as 1. The tick source is not owned and must outlive the
    // timer; by default it is the system clock.
    explicit WindowsFrameTimer(unsigned windowSize = 10, const TickSource& ticks = TickSource::system());
    WindowsFrameTimer(const WindowsFrameTimer&) = default;
    WindowsFrameTimer& operator=(const WindowsFrameTimer&) = default;
    ~WindowsFrameTimer() override;

    void start() override;
    void end() override;
    double getCurrentTime() override;      // seconds: ticks x 0.001
    double calculateFrameRate() override;  // frames per second, 0 when unknown

protected:
    std::uint32_t startTicks = 0;
    std::uint32_t endTicks = 0;
    double averageFrameTime = 0.0;  // milliseconds
    std::uint32_t windowSize;
    std::uint32_t frameTimeSum = 0;
    std::deque<std::uint32_t> frameTimes;  // oldest first, at most windowSize entries

private:
    const TickSource* ticks;
};

#endif
