#ifndef DRAVIK_FRAMEWORK_FRAMETIMER_H
#define DRAVIK_FRAMEWORK_FRAMETIMER_H

#include "framework/Export.h"

// Measures frames for a manager: start() and end() enclose one frame; getCurrentTime() is a
// clock in seconds; calculateFrameRate() gives frames per second (0 when unknown).
class DRAVIK_API FrameTimer {
public:
    virtual ~FrameTimer() = default;
    virtual void start() = 0;
    virtual void end() = 0;
    virtual double getCurrentTime() = 0;
    virtual double calculateFrameRate() = 0;
};

#endif
