#ifndef DRAVIK_PLAYER_SCENEWATCHER_H
#define DRAVIK_PLAYER_SCENEWATCHER_H

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <vector>

// Notices when files change: a file that appears, disappears, is rewritten in place,
// replaced (an editor that saves through a new file and a rename) or made unreadable. It looks at the files'
// status at most once a period, so that asking every frame costs a clock read.
class SceneWatcher {
public:
    using Clock = std::chrono::steady_clock;

    explicit SceneWatcher(Clock::duration period = std::chrono::milliseconds(250)) : period(period) {}

    // Watches these files from now on. A file watched already keeps the state it was last
    // seen in, so that a change made while the caller was reading it is still noticed.
    void watch(const std::vector<std::filesystem::path>& files);
    // True when a period has passed since the last look and a file differs from how it was
    // last seen; the files then count as seen as they are now.
    bool changed(Clock::time_point now = Clock::now());

private:
    struct Stamp {
        bool exists = false;
        std::uint64_t device = 0, inode = 0, size = 0;
        std::int64_t modifiedSeconds = 0, modifiedNanoseconds = 0;
        std::int64_t changedSeconds = 0, changedNanoseconds = 0;  // of the status: permissions too
        bool operator==(const Stamp& other) const;
    };
    struct Watched {
        std::filesystem::path path;
        Stamp stamp;
    };
    static Stamp stampOf(const std::filesystem::path& path);

    Clock::duration period;
    Clock::time_point lastLook{};
    std::vector<Watched> files;
};

#endif
