#ifndef DRAVIK_PLAYER_FIXEDRATECLOCK_H
#define DRAVIK_PLAYER_FIXEDRATECLOCK_H

#include <cstdint>

#include "app/TickSource.h"

// A tick source for reproducible runs: time does not flow by itself but advances by one
// frame of a 60 Hz display each time the player finishes a frame (frame n starts at
// n * 1000 / 60 ms, rounded down), so every run of a script sees the same times.
class FixedRateClock : public TickSource {
public:
    static constexpr std::uint32_t kFramesPerSecond = 60;

    std::uint32_t getTickCount() const override;
    void advanceFrame() { ++frame; }

private:
    std::uint64_t frame = 0;
};

#endif
