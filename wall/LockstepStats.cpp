#include "wall/LockstepStats.h"

#include <algorithm>
#include <iomanip>

void LockstepStats::Part::add(double ms) {
    sum += ms;
    if (samples.size() < kMostSamples) samples.push_back(static_cast<float>(ms));
}

double LockstepStats::Part::median() const {
    if (samples.empty()) return 0.0;
    std::vector<float> sorted(samples);
    auto middle = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    return *middle;
}

void LockstepStats::addFrame(double shareSeconds, double hashSeconds, double checkSeconds, std::size_t frameBytes) {
    share.add(shareSeconds * 1e3);
    hash.add(hashSeconds * 1e3);
    check.add(checkSeconds * 1e3);
    total.add((shareSeconds + hashSeconds + checkSeconds) * 1e3);
    bytes += frameBytes;
    ++frames;
}

void LockstepStats::print(std::ostream& out) const {
    out << "dravik-player: lockstep ";
    if (frames == 0) {
        out << "N/A (no frames)\n";
        return;
    }
    const double n = static_cast<double>(frames);
    const std::ios::fmtflags flags = out.flags();
    const std::streamsize precision = out.precision();
    out << std::fixed << std::setprecision(3) << total.median() << " ms median per frame (" << total.sum / n
        << " ms mean): input " << share.median() << " ms, state hash " << hash.median()
        << " ms, state check and barrier " << check.median() << " ms; " << std::setprecision(1) << bytes / n
        << " bytes broadcast per frame, over " << frames << " frames\n";
    out.flags(flags);
    out.precision(precision);
}
