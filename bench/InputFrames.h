#ifndef DRAVIK_BENCH_INPUTFRAMES_H
#define DRAVIK_BENCH_INPUTFRAMES_H

// The frame loop of the input benchmarks: 60 frames a second take what the listener queued,
// as the player does, deliver it and run the frame.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "framework/DravikManager.h"
#include "input/InputDispatcher.h"
#include "input/InputEventQueue.h"

namespace dravik::bench {

using Clock = std::chrono::steady_clock;
constexpr auto kFramePeriod = std::chrono::microseconds(16667);

// The value below which a fraction q of the values lie (q = 0.5: the median, 1: the largest);
// -1 when there are none.
inline double quantile(std::vector<double>& values, double q) {
    if (values.empty()) return -1.0;
    auto at = values.begin() + static_cast<std::ptrdiff_t>(q * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

// Runs frames until `sent` is set and ten more for stragglers; each event's time from its
// decoding to its frame goes to `delays` (milliseconds). Returns the touches delivered.
inline std::uint64_t runFramesUntilSent(const std::atomic<bool>& sent, InputEventQueue& queue,
                                        InputDispatcher& dispatcher, DravikManager& manager,
                                        std::vector<double>& delays) {
    std::vector<InputEvent> events;
    std::uint64_t delivered = 0;
    auto nextFrame = Clock::now();
    while (!sent || Clock::now() < nextFrame + 10 * kFramePeriod) {
        queue.takeFrame(events);
        const auto now = Clock::now();
        for (const InputEvent& e : events) delays.push_back(std::chrono::duration<double, std::milli>(now - e.arrival).count());
        delivered += dispatcher.deliver(events, manager);
        manager.runFrame();
        if (!sent) nextFrame += kFramePeriod;
        std::this_thread::sleep_until(sent ? Clock::now() + kFramePeriod : nextFrame);
    }
    return delivered;
}

}  // namespace dravik::bench

#endif
