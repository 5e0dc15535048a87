#include "player/FixedRateClock.h"

std::uint32_t FixedRateClock::getTickCount() const {
    return static_cast<std::uint32_t>(frame * 1000 / kFramesPerSecond);  // wraps like the OS count
}
