#ifndef DRAVIK_TESTS_HANDCLOCK_H
#define DRAVIK_TESTS_HANDCLOCK_H

#include "framework/FrameTimer.h"

// A frame timer whose time the test sets by hand; a frame lasts from start() to end().
class HandClock : public FrameTimer {
public:
    double now = 0.0;
    void start() override { started = now; }
    void end() override { last = now - started; }
    double getCurrentTime() override { return now; }
    double calculateFrameRate() override { return last > 0 ? 1.0 / last : 0.0; }

private:
    double started = 0.0, last = 0.0;
};

#endif
