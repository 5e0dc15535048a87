#ifndef DRAVIK_TESTS_HANDCLOCK_H
#define DRAVIK_TESTS_HANDCLOCK_H

#include "framework/FrameTimer.h"

// A frame timer whose time the test sets by hand; it measures no frames.
class HandClock : public FrameTimer {
public:
    double now = 0.0;
    void start() override {}
    void end() override {}
    double getCurrentTime() override { return now; }
    double calculateFrameRate() override { return 0.0; }
};

#endif
