#ifndef DRAVIK_WALL_LOCKSTEPSTATS_H
#define DRAVIK_WALL_LOCKSTEPSTATS_H

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

// What the lockstep costs a rank per frame: sharing the frame's input (encoding, the
// broadcast, decoding), hashing the scene state, and comparing the hashes, which waits for
// the slowest rank (the frame barrier); and the bytes broadcast.
class LockstepStats {
public:
    void addFrame(double shareSeconds, double hashSeconds, double checkSeconds, std::size_t bytes);
    // One line: medians and means per frame in milliseconds, bytes per frame.
    void print(std::ostream& out) const;

private:
    static constexpr std::size_t kMostSamples = 1 << 20;  // of the median; the means take all

    struct Part {
        std::vector<float> samples;  // milliseconds
        double sum = 0.0;
        void add(double ms);
        double median() const;
    };

    Part share, hash, check, total;
    std::uint64_t bytes = 0;
    std::uint64_t frames = 0;
};

#endif
