#ifndef DRAVIK_APP_TICKSOURCE_H
#define DRAVIK_APP_TICKSOURCE_H

#include <cstdint>

#include "framework/Export.h"

// A millisecond tick counter kept in 32 bits, like the operating system's tick count: it
// counts from an arbitrary start and wraps to 0 after about 49.7 days. This base class reads
// the monotonic system clock (milliseconds since boot); timers take a TickSource so that
// tests and reproducible runs can supply their own clock and never sleep.
class DRAVIK_API TickSource {
public:
    TickSource() = default;
    TickSource(const TickSource&) = default;
    TickSource& operator=(const TickSource&) = default;
    virtual ~TickSource() = default;

    virtual std::uint32_t getTickCount() const;

    // The process-wide source of the system clock.
    static const TickSource& system();
};

#endif
