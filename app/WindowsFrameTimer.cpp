#include "app/WindowsFrameTimer.h"

WindowsFrameTimer::WindowsFrameTimer(unsigned windowSize, const TickSource& ticks)
    : windowSize(windowSize != 0 ? windowSize : 1), ticks(&ticks) {}

WindowsFrameTimer::~WindowsFrameTimer() = default;

void WindowsFrameTimer::start() { startTicks = ticks->getTickCount(); }

void WindowsFrameTimer::end() {
    endTicks = ticks->getTickCount();
    const std::uint32_t frameTime = endTicks - startTicks;  // unsigned: right across a wrap
    if (frameTimes.size() >= windowSize) {
        frameTimeSum -= frameTimes.front();
        frameTimes.pop_front();
    }
    frameTimes.push_back(frameTime);
    frameTimeSum += frameTime;
    averageFrameTime = frameTimeSum == 0 ? 0.0 : static_cast<double>(frameTimeSum) / static_cast<double>(windowSize);
}

double WindowsFrameTimer::getCurrentTime() { return static_cast<double>(ticks->getTickCount()) * 0.001; }

double WindowsFrameTimer::calculateFrameRate() {
    return averageFrameTime > 0.0 ? 1000.0 / averageFrameTime : 0.0;
}
