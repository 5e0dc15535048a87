#ifndef DRAVIK_PLAYER_LATENCYMETER_H
#define DRAVIK_PLAYER_LATENCYMETER_H

#include <chrono>
#include <cstdint>
#include <deque>
#include <vector>

// Touch-to-screen time: from an input event's arrival to the end of the frame that first
// drew its effect (the frame it was delivered in), the time a touch user feels. Keeps the
// samples of the last second for a live median, and a histogram of the whole run (tenths
// of a millisecond up to 10 s) for its statistics.
class LatencyMeter {
public:
    using Clock = std::chrono::steady_clock;

    // An event that arrived at `arrival` was delivered in the frame being drawn.
    void delivered(Clock::time_point arrival) { pending.push_back(arrival); }
    // The frame being drawn ended at `end`: its events become samples.
    void frameEnded(Clock::time_point end);

    // Median of the samples of the last second before the last frame end, in milliseconds;
    // negative when there are none.
    double recentMedianMilliseconds() const;
    // The q-quantile (0 ... 1) of every sample of the run, in milliseconds, to a tenth;
    // negative when there are none.
    double runQuantileMilliseconds(double q) const;
    std::uint64_t runSamples() const { return samples; }

private:
    static constexpr std::size_t kBuckets = 100000;      // of 0.1 ms
    static constexpr std::size_t kMostRecent = 100000;   // samples kept for the live median

    struct Sample {
        Clock::time_point end;
        double milliseconds;
    };

    std::vector<Clock::time_point> pending;
    std::deque<Sample> recent;
    std::vector<std::uint32_t> histogram = std::vector<std::uint32_t>(kBuckets + 1, 0);
    std::uint64_t samples = 0;
    mutable std::vector<double> scratch;
};

#endif
