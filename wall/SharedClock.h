#ifndef DRAVIK_WALL_SHAREDCLOCK_H
#define DRAVIK_WALL_SHAREDCLOCK_H

#include <cstdint>

#include "app/TickSource.h"

// The clock of a frame shared by several processes: it stands still at the tick it was set
// to, the input owner's reading at the frame's start, so that every process's strategies
// read the same time however long each takes.
class SharedClock : public TickSource {
public:
    std::uint32_t getTickCount() const override { return tick; }
    void set(std::uint32_t ticks) { tick = ticks; }

private:
    std::uint32_t tick = 0;
};

#endif
