#include "player/LatencyMeter.h"

#include <algorithm>

void LatencyMeter::frameEnded(Clock::time_point end) {
    for (Clock::time_point arrival : pending) {
        const double ms = std::chrono::duration<double, std::milli>(end - arrival).count();
        recent.push_back({end, ms});
        const auto bucket = static_cast<std::size_t>(std::clamp(ms * 10.0, 0.0, static_cast<double>(kBuckets)));
        ++histogram[bucket];
        ++samples;
    }
    pending.clear();
    while (!recent.empty() && (end - recent.front().end > std::chrono::seconds(1) || recent.size() > kMostRecent))
        recent.pop_front();
}

double LatencyMeter::recentMedianMilliseconds() const {
    if (recent.empty()) return -1.0;
    scratch.clear();
    for (const Sample& s : recent) scratch.push_back(s.milliseconds);
    const auto middle = scratch.begin() + static_cast<std::ptrdiff_t>(scratch.size() / 2);
    std::nth_element(scratch.begin(), middle, scratch.end());
    return *middle;
}

double LatencyMeter::runQuantileMilliseconds(double q) const {
    if (samples == 0) return -1.0;
    const auto rank = static_cast<std::uint64_t>(std::clamp(q, 0.0, 1.0) * static_cast<double>(samples - 1));
    std::uint64_t seen = 0;
    for (std::size_t b = 0; b < histogram.size(); ++b) {
        seen += histogram[b];
        if (seen > rank) return static_cast<double>(b) / 10.0;
    }
    return static_cast<double>(kBuckets) / 10.0;
}
